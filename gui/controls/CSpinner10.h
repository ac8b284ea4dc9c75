// CSpinner10: a CStandardSpinner over a long-time byte: values up to 127 are stored as
// such, 130 to 1270 as (value / 10) with bit 7 set (0x8D is 130, 0xFF is 1270). Its
// errors carry the object name "CSpinner10".
#pragma once

#include "gui/controls/CStandardSpinner.h"

class CSpinner10 : public CStandardSpinner {
    Q_OBJECT
public:
    explicit CSpinner10(int controlId, QWidget* parent = nullptr)
        : CStandardSpinner(controlId, "CSpinner10", SpinnerForm::LongTime, parent) {}
};
