#include "gui/controls/CCheckBox.h"

CCheckBox::CCheckBox(int controlId, QWidget* parent) : QCheckBox(parent), CCtrlBinding(controlId) {
    connect(this, &QCheckBox::toggled, this, [this](bool checked) {
        if (m_logic.IsAttached())
            m_logic.SetChecked(checked);
    });
}

void CCheckBox::Attach(CE2prom* image, const VARIABLE_STRUCT* table) {
    m_logic.Attach(image, table, ControlId());
    setChecked(m_logic.IsChecked());
}

void CCheckBox::Load() {
    m_logic.Load();
    setChecked(m_logic.IsChecked());
}
