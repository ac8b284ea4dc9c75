// CSystemSetupDlg: the System setup dialog: the country whose telephone conventions the
// unit follows, an options value and the supervision of the power supply alarms.
#pragma once

#include "gui/dialogs/CTemplateDialog.h"

class CSystemSetupDlg : public CTemplateDialog {
    Q_OBJECT
public:
    explicit CSystemSetupDlg(CE2prom* image, QWidget* parent = nullptr);
};
