#include "gui/dialogs/CRepeaterDlg.h"

CRepeaterDlg::CRepeaterDlg(CE2prom* image, bool readOnly, QWidget* parent)
    : CTemplateDialog(REPEATER_TEMPLATE, REPEATER_FORM, image, parent) {
    if (readOnly)
        MakeReadOnly();
}
