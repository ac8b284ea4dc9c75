#include "gui/dialogs/CRadioInterfaceDlg.h"

CRadioInterfaceDlg::CRadioInterfaceDlg(CE2prom* image, QWidget* parent)
    : CTemplateDialog(RADIO_INTERFACE_TEMPLATE, RADIO_INTERFACE_FORM, image, parent) {}
