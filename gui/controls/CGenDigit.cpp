#include "gui/controls/CGenDigit.h"

CGenDigit::CGenDigit(int controlId, QWidget* parent) : QLineEdit(parent), CCtrlBinding(controlId) {}

void CGenDigit::Attach(CE2prom* image, const VARIABLE_STRUCT* table) {
    m_logic.Attach(image, table, ControlId());
    ShowValue(m_logic.Value());
}

void CGenDigit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (m_logic.IsAttached())
        m_logic.SetValue(ReadShownValue());
}
