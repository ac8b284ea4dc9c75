// CSpinnerLogic: the setting logic of an up-down control with its buddy edit box, which
// steps through a value list. One class serves the three stored forms:
// - Byte: one unsigned byte (CStandardSpinner);
// - LongTime: one long-time byte, values up to 1270 (CSpinner10);
// - Word: a signed 16-bit big-endian word (CWordSpinner).
//
// The value lives in two places, as in the dialogs it serves: the buddy's text, which the
// user sees and types into (the widget holds it and passes it in), and the exchange
// string, which Load and Validate write, the dialog's data exchange fills from the edit
// on OK, and GetValue and Store read. Besides those the only state is the current entry
// and the up-down control's range, which clamps the positions that stepping sets.
#pragma once

#include "core/settings/CSettingLogic.h"
#include "core/settings/TextEntryRules.h"

#include <optional>

enum class SpinnerForm { Byte, LongTime, Word };

class CSpinnerLogic : public CSettingLogic {
public:
    CSpinnerLogic(const char* objectName, SpinnerForm form);

    void Load() override;
    void Store() override;
    // The buddy's text as the logic last set it (after Attach, a step or a validation).
    QString ShownText() const override { return m_shown; }

    // The value: the low of the current entry when it is a text entry, else the number
    // formed by every digit of the exchange string. CCtrlErr 4 when that holds no digit.
    int GetValue() const;
    // GetValue without raising: nullopt where GetValue raises.
    std::optional<int> TryGetValue() const;
    // The exchange string becomes value in decimal.
    void SetValueText(int value);
    const QString& ExchangeString() const { return m_exchange; }
    // The saving data exchange: the edit's text into the exchange string.
    void SetExchangeString(const QString& text) { m_exchange = text; }

    // One click or arrow key on the up-down control (delta > 0 is up). Takes the buddy's
    // text as it stands, so a typed value is picked up, and returns the buddy's new text.
    QString Step(const QString& buddyText, int delta);

    // The OK check of the buddy's text. On success the current entry follows the text and
    // ShownText is the text in its plain form (the number, or the entry's translated text),
    // which the widget puts back into the edit. On failure shows "A spinner does not
    // contain a valid value!" (translated) and returns false; nothing changes.
    bool Validate(const QString& buddyText);

    // Entering a value as text: EnterText checks that the text is written as one of the
    // list's values; CheckEntered is OK's check of it (Validate), and the validated text
    // becomes the exchange string that Store writes.
    TextEntry EntryKind() const override { return TextEntry::Checked; }
    bool EnterText(const QString& text) override { return IsWrittenValue(text, m_values); }
    bool CheckEntered(const QString& text) override;
    QString LegalText() const override { return LegalValues(m_values); }

protected:
    void Show() override;

private:
    int StoredValue() const;
    void SetRange(int entry);
    void SetPosition(long long position);
    void ShowEntryText(int entry);
    bool MatchesText(int entry, const QString& text) const;
    int FindEntryForText(const QString& text, std::optional<int> number) const;

    SpinnerForm m_form;
    QString m_exchange;
    QString m_shown;
    int m_rangeLow = 0;
    int m_rangeHigh = 0;
};
