#include "gui/dialogs/CTrcSetupDlg.h"

CTrcSetupDlg::CTrcSetupDlg(CE2prom* image, QWidget* parent)
    : CTemplateDialog(TRC_SETUP_TEMPLATE, TRC_SETUP_FORM, image, parent) {}
