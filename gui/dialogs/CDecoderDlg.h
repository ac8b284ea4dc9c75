// CDecoderDlg: a decoder dialog (template 138): the telegram the unit recognises as in
// CToneSequenceDlg, plus the repeater function a recognised telegram triggers and whether
// the unit acknowledges it. OK checks the function combo box before the rest.
#pragma once

#include "gui/dialogs/CToneSequenceDlg.h"

class CDecoderDlg : public CToneSequenceDlg {
    Q_OBJECT
public:
    // Decoder index 0 to 3 (Decoder 1 to 4).
    CDecoderDlg(CE2prom* image, int index, QWidget* parent = nullptr);
};
