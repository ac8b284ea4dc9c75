// CRadioLogic: the setting logic of one radio button of a group (CRadioButton). The
// buttons of a group share one image byte and point at successive entries of one list;
// a button's own value is the low of its first entry. Only a checked button writes, so
// of a group exactly the button checked when the dialog closed stores its value.
#pragma once

#include "core/settings/CSettingLogic.h"
#include "core/settings/TextEntryRules.h"

class CRadioLogic : public CSettingLogic {
public:
    CRadioLogic();

    void Load() override;
    void Store() override;
    // "YES" when this button is the chosen one, else "NO", translated.
    QString ShownText() const override;

    // YES or NO is read here; the group decides which button is checked.
    TextEntry EntryKind() const override { return TextEntry::Grouped; }
    bool EnterText(const QString& text) override { return ReadYesNo(text).has_value(); }
    QString LegalText() const override { return YES_NO_TEXT; }

    bool IsChecked() const override { return m_checked; }
    void SetChecked(bool checked) override { m_checked = checked; }
    int OwnValue() const;
    // The byte the group shares, as the image holds it now: tells what a group with no
    // checked button stands for.
    int GroupByte() const;

private:
    bool m_checked = false;
};
