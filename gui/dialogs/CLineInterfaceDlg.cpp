#include "gui/dialogs/CLineInterfaceDlg.h"

CLineInterfaceDlg::CLineInterfaceDlg(CE2prom* image, QWidget* parent)
    : CTemplateDialog(LINE_INTERFACE_TEMPLATE, LINE_INTERFACE_FORM, image, parent) {}
