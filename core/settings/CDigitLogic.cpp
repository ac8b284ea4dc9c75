#include "core/settings/CDigitLogic.h"

#include "core/image/CE2prom.h"
#include "core/settings/EntryRules.h"
#include "core/settings/TextEntryRules.h"

#include <climits>
#include <cstdint>

CDigitLogic::CDigitLogic() : CSettingLogic("CGenDigit") {}

// Compared as unsigned numbers, so a negative number is never inside.
bool CDigitLogic::InRange(int value) const {
    if (!IsAttached() || Count() == 0)
        return false;
    const VALUE_STRUCT range = {Entry(0).low, Entry(Count() - 1).high, 1, 1, ""};
    return Covers(range, value);
}

void CDigitLogic::Load() {
    const int b = Image().GetByte(m_address);
    m_value = InRange(b) ? b : Entry(0).low;
}

void CDigitLogic::Store() {
    Image().SetByte(m_address, std::uint8_t(m_value & 0xFF));
}

int CDigitLogic::ReadShownValue(const QString& text) const {
    if (!IsAttached())
        return 0;
    const std::optional<int> n = LeadingNumber(text);
    return n && InRange(*n) ? *n : Entry(0).low;
}

QString CDigitLogic::EntryText() const {
    for (int i = 0; IsAttached() && !IsEnd(i); ++i)
        if (Entry(i).low == m_value && IsText(i))
            return TranslatedText(Entry(i), m_language);
    return ShownText();
}

bool CDigitLogic::EnterText(const QString& text) {
    const std::optional<int> number = ReadNumber(text, INT_MIN, INT_MAX);
    if (!number || ReadShownValue(text) != *number)
        return false;
    SetValue(*number);
    return true;
}

QString CDigitLogic::LegalText() const {
    return LegalValues(m_values);
}
