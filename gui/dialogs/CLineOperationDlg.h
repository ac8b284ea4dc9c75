// CLineOperationDlg: the Line operation dialog: the TRC acknowledge tone and delay, the tone
// acknowledge on TRC commands, the line failure check period and the PTT limits.
#pragma once

#include "gui/dialogs/CTemplateDialog.h"

class CLineOperationDlg : public CTemplateDialog {
    Q_OBJECT
public:
    explicit CLineOperationDlg(CE2prom* image, QWidget* parent = nullptr);
};
