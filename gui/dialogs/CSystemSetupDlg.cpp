#include "gui/dialogs/CSystemSetupDlg.h"

CSystemSetupDlg::CSystemSetupDlg(CE2prom* image, QWidget* parent)
    : CTemplateDialog(SYSTEM_SETUP_TEMPLATE, SYSTEM_SETUP_FORM, image, parent) {}
