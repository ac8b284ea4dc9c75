// CTrcSetupDlg: the TRC setup dialog: the function of each of the fifteen TRC tones F1 to F15 and
// the guard tone frequency.
#pragma once

#include "gui/dialogs/CTemplateDialog.h"

class CTrcSetupDlg : public CTemplateDialog {
    Q_OBJECT
public:
    explicit CTrcSetupDlg(CE2prom* image, QWidget* parent = nullptr);
};
