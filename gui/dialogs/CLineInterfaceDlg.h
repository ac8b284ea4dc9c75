// CLineInterfaceDlg: the Line interface dialog: two- or four-wire connection, the PL-tone detect
// action (a windowless CGenDigit shown by three radio buttons), TRC to line, the nominal line
// levels and the line compensation.
#pragma once

#include "gui/dialogs/CTemplateDialog.h"

class CLineInterfaceDlg : public CTemplateDialog {
    Q_OBJECT
public:
    explicit CLineInterfaceDlg(CE2prom* image, QWidget* parent = nullptr);
};
