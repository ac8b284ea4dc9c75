#include "gui/controls/CRadioButton.h"

CRadioButton::CRadioButton(int controlId, QWidget* parent)
    : QRadioButton(parent), CCtrlBinding(controlId) {
    connect(this, &QRadioButton::toggled, this, [this](bool checked) {
        if (m_logic.IsAttached())
            m_logic.SetChecked(checked);
    });
}

void CRadioButton::Attach(CE2prom* image, const VARIABLE_STRUCT* table) {
    m_logic.Attach(image, table, ControlId());
    setChecked(m_logic.IsChecked());
}

void CRadioButton::Load() {
    m_logic.Load();
    setChecked(m_logic.IsChecked());
}
