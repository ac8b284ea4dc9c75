// CGenCombo: a drop-down combo box with an edit field bound to one image byte. The list
// is filled from the value list in entry order (never sorted), with translated texts.
// Picking a row selects it; text typed into the field selects the matching row when the
// box loses focus; OK refuses a text that is not the selected row's.
#pragma once

#include "core/settings/CComboLogic.h"
#include "gui/controls/CCtrlBinding.h"

#include <QComboBox>

class CGenCombo : public QComboBox, public CCtrlBinding {
    Q_OBJECT
public:
    explicit CGenCombo(int controlId, QWidget* parent = nullptr);

    void Attach(CE2prom* image, const VARIABLE_STRUCT* table) override;
    void Store() override { m_logic.Store(); }
    void Load() override;
    bool Validate() override;
    // The row text at the current selection.
    QString ShownText() const override { return m_logic.ShownText(); }
    CSettingLogic& Logic() override { return m_logic; }
    QWidget* Widget() override { return this; }
    CComboLogic& ComboLogic() { return m_logic; }

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void ShowSelection();

    CComboLogic m_logic;
    bool m_showing = false; // set while the box is changed from the logic
};
