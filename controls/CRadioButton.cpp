#include "controls/CRadioButton.h"

#include "lang/CurrentLanguage.h"

CRadioButton::CRadioButton(int controlId, QWidget* parent)
    : QRadioButton(parent), CCtrlBinding(controlId) {}

void CRadioButton::Attach(CE2prom* image, const VARIABLE_STRUCT* table) {
    m_logic.Attach(image, table, ControlId());
    setChecked(m_logic.IsChecked());
}

void CRadioButton::Load() {
    m_logic.Load();
    setChecked(m_logic.IsChecked());
}

QString CRadioButton::ShownText() const {
    return Tr(isChecked() ? QStringLiteral("YES") : QStringLiteral("NO"));
}
