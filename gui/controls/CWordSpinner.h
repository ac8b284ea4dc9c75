// CWordSpinner: a CStandardSpinner over a signed 16-bit big-endian word (the single tone
// frequencies). A negative stored word matches no entry and shows entry 0. Its errors
// carry the object name "CStandardSpinner", as the dialogs have always reported them.
#pragma once

#include "gui/controls/CStandardSpinner.h"

class CWordSpinner : public CStandardSpinner {
    Q_OBJECT
public:
    explicit CWordSpinner(int controlId, QWidget* parent = nullptr)
        : CStandardSpinner(controlId, "CStandardSpinner", SpinnerForm::Word, parent) {}
};
