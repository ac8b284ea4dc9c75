#include "gui/controls/CGenCombo.h"

#include "gui/controls/CAccessibleCombo.h"

CGenCombo::CGenCombo(int controlId, QWidget* parent) : QComboBox(parent), CCtrlBinding(controlId) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr); // the field takes the text as typed; matching is ours
    CAccessibleCombo::Install();
    connect(this, &QComboBox::currentIndexChanged, this, [this](int row) {
        if (!m_showing && row >= 0)
            m_logic.SelectRow(row);
    });
}

void CGenCombo::ShowSelection() {
    m_showing = true;
    setCurrentIndex(m_logic.CurrentRow());
    setEditText(m_logic.ShownText());
    m_showing = false;
}

void CGenCombo::Attach(CE2prom* image, const VARIABLE_STRUCT* table) {
    m_logic.Attach(image, table, ControlId());
    m_showing = true;
    clear();
    addItems(m_logic.Rows());
    m_showing = false;
    ShowSelection();
}

void CGenCombo::Load() {
    m_logic.Load();
    ShowSelection();
}

bool CGenCombo::Validate() {
    if (m_logic.Validate(currentText()))
        return true;
    setFocus();
    return false;
}

// Leaving the field with a typed text selects the row of that text, when there is one;
// the typed text stays as it is otherwise, and OK will refuse it.
void CGenCombo::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    const QString typed = currentText();
    if (typed != m_logic.ShownText() && m_logic.MatchTyped(typed))
        ShowSelection();
}
