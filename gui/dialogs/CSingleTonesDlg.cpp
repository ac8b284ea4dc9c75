#include "gui/dialogs/CSingleTonesDlg.h"

CSingleTonesDlg::CSingleTonesDlg(CE2prom* image, QWidget* parent)
    : CTemplateDialog(SINGLE_TONES_TEMPLATE, SINGLE_TONES_FORM, image, parent) {}
