#include "gui/dialogs/CLineOperationDlg.h"

CLineOperationDlg::CLineOperationDlg(CE2prom* image, QWidget* parent)
    : CTemplateDialog(LINE_OPERATION_TEMPLATE, LINE_OPERATION_FORM, image, parent) {}
