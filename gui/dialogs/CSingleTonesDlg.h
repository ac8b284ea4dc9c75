// CSingleTonesDlg: the Single tones dialog: the frequencies of the four single tones A to
// D in hertz (300 to 2800), each of which may be left at the unit's default.
#pragma once

#include "gui/dialogs/CTemplateDialog.h"

class CSingleTonesDlg : public CTemplateDialog {
    Q_OBJECT
public:
    explicit CSingleTonesDlg(CE2prom* image, QWidget* parent = nullptr);
};
