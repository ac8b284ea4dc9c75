// CRadioButton: one radio button of a group, bound to the image byte that the whole
// group shares. Its logic follows every toggle, and takes the button's state once more
// when the dialog accepts; only the chosen button writes its value.
#pragma once

#include "core/settings/CRadioLogic.h"
#include "gui/controls/CCtrlBinding.h"

#include <QRadioButton>

class CRadioButton : public QRadioButton, public CCtrlBinding {
    Q_OBJECT
public:
    explicit CRadioButton(int controlId, QWidget* parent = nullptr);

    void Attach(CE2prom* image, const VARIABLE_STRUCT* table) override;
    void Store() override { m_logic.Store(); }
    void Load() override;
    // Takes whether the button reads checked.
    void SaveData() override { m_logic.SetChecked(isChecked()); }
    // The logic's text: "YES" when checked, else "NO", translated.
    QString ShownText() const override { return m_logic.ShownText(); }
    CSettingLogic& Logic() override { return m_logic; }
    QWidget* Widget() override { return this; }
    CRadioLogic& RadioLogic() { return m_logic; }

private:
    CRadioLogic m_logic;
};
