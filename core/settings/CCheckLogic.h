// CCheckLogic: the setting logic of a check box (CCheckBox). Entry 0's low is the off
// value; the on value is entry 1's low when entry 1 is complete, else entry 0's high.
// Every check box list of the unit is 0 "FALSE" / 1 "TRUE" or 0 "DISABLED" / 1 "ENABLED".
#pragma once

#include "core/settings/CSettingLogic.h"

class CCheckLogic : public CSettingLogic {
public:
    CCheckLogic();

    // A stored byte that is neither value keeps the off value (and shows unchecked).
    void Load() override;
    void Store() override;
    // "YES" or "NO", translated, as the report prints a check box.
    QString ShownText() const override;

    // YES or NO ticks or clears the box.
    bool EnterText(const QString& text) override;
    QString LegalText() const override;

    bool IsChecked() const override { return m_value == m_on && IsAttached(); }
    // The user ticked or cleared the box.
    void SetChecked(bool checked) override { m_value = checked ? m_on : m_off; }
    int Value() const { return m_value; }
    int OffValue() const { return m_off; }
    int OnValue() const { return m_on; }

protected:
    void Prepare() override;

private:
    int m_value = 0;
    int m_off = 0;
    int m_on = 1;
};
