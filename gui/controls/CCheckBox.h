// CCheckBox: a check box bound to one image byte: checked is the on value, clear the off
// value. The kept value follows every click.
#pragma once

#include "core/settings/CCheckLogic.h"
#include "gui/controls/CCtrlBinding.h"

#include <QCheckBox>

class CCheckBox : public QCheckBox, public CCtrlBinding {
    Q_OBJECT
public:
    explicit CCheckBox(int controlId, QWidget* parent = nullptr);

    void Attach(CE2prom* image, const VARIABLE_STRUCT* table) override;
    void Store() override { m_logic.Store(); }
    void Load() override;
    // The logic's text: "YES" when checked, else "NO", translated.
    QString ShownText() const override { return m_logic.ShownText(); }
    CSettingLogic& Logic() override { return m_logic; }
    QWidget* Widget() override { return this; }
    CCheckLogic& CheckLogic() { return m_logic; }

private:
    CCheckLogic m_logic;
};
