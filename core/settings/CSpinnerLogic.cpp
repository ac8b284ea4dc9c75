#include "core/settings/CSpinnerLogic.h"

#include "core/image/CE2prom.h"
#include "core/lang/CurrentLanguage.h"
#include "core/link/CError.h"
#include "core/link/CMessages.h"
#include "core/settings/EntryRules.h"

#include <algorithm>
#include <cstdint>

namespace {

// Shown value = stored value x scale; every list of the unit holds scale 1.
int ScaleOf(const VALUE_STRUCT& entry) {
    return entry.scale > 0 ? entry.scale : 1;
}

} // namespace

CSpinnerLogic::CSpinnerLogic(const char* objectName, SpinnerForm form)
    : CSettingLogic(objectName), m_form(form) {}

int CSpinnerLogic::StoredValue() const {
    switch (m_form) {
    case SpinnerForm::LongTime:
        return LongTimeToValue(Image().GetByte(m_address));
    case SpinnerForm::Word:
        return Image().GetWord(m_address);
    case SpinnerForm::Byte:
        break;
    }
    return Image().GetByte(m_address);
}

// The first entry from the current one that holds the stored value becomes current. A
// long-time value takes the first entry reaching up to it, and that entry's low when it
// falls in the gap below the entry. A value no entry holds shows entry 0. A negative word
// is a huge unsigned number and so always falls through to entry 0.
void CSpinnerLogic::Load() {
    const int v = StoredValue();
    for (int i = m_current; !IsEnd(i); ++i) {
        const VALUE_STRUCT& e = Entry(i);
        const bool found = m_form == SpinnerForm::LongTime ? e.high >= v : Covers(e, v);
        if (found) {
            m_current = i;
            SetValueText(std::max(v, e.low) * ScaleOf(e));
            return;
        }
    }
    m_current = 0;
    SetValueText(Entry(0).low);
}

void CSpinnerLogic::Store() {
    CE2prom& image = Image();
    int v = GetValue();
    if (!IsText(m_current))
        v = int(std::uint32_t(v) / std::uint32_t(ScaleOf(Entry(m_current))));
    switch (m_form) {
    case SpinnerForm::Byte:
        image.SetByte(m_address, std::uint8_t(v & 0xFF));
        break;
    case SpinnerForm::LongTime:
        image.SetByte(m_address, ValueToLongTime(v));
        break;
    case SpinnerForm::Word:
        image.SetWord(m_address, std::int16_t(std::uint16_t(v & 0xFFFF)));
        break;
    }
}

std::optional<int> CSpinnerLogic::TryGetValue() const {
    if (!IsAttached())
        return std::nullopt;
    if (IsText(m_current))
        return Entry(m_current).low;
    return AllDigits(m_exchange);
}

int CSpinnerLogic::GetValue() const {
    if (!IsAttached())
        throw CCtrlErr(m_name, 2);
    const std::optional<int> value = TryGetValue();
    if (!value)
        throw CCtrlErr(m_name, 4);
    return *value;
}

void CSpinnerLogic::SetValueText(int value) {
    m_exchange = QString::number(value);
}

// What the control shows right after Attach: a text entry's text; a number that equals
// the low of a following text entry as that entry; otherwise the number, clamped into the
// current entry's range by the control.
void CSpinnerLogic::Show() {
    if (IsText(m_current)) {
        ShowEntryText(m_current);
        return;
    }
    const int value = GetValue();
    if (IsText(m_current + 1) && Entry(m_current + 1).low == value) {
        ++m_current;
        ShowEntryText(m_current);
        return;
    }
    SetRange(m_current);
    SetPosition(value);
}

// A single value gets the range low to high + step, so that both arrows still report a
// step there. The control keeps its bounds in 16 bits.
void CSpinnerLogic::SetRange(int entry) {
    const VALUE_STRUCT& e = Entry(entry);
    const int upper = e.low == e.high ? e.high + e.step : e.high;
    m_rangeLow = std::int16_t(std::uint16_t(e.low & 0xFFFF));
    m_rangeHigh = std::int16_t(std::uint16_t(upper & 0xFFFF));
}

// The control takes the low 16 bits of a position, brings it into its range and writes
// it into the buddy as plain decimal text.
void CSpinnerLogic::SetPosition(long long position) {
    const int pos = std::int16_t(std::uint16_t(position & 0xFFFF));
    const int lower = std::min(m_rangeLow, m_rangeHigh);
    const int upper = std::max(m_rangeLow, m_rangeHigh);
    m_shown = QString::number(std::clamp(pos, lower, upper));
}

void CSpinnerLogic::ShowEntryText(int entry) {
    SetRange(entry);
    m_shown = TranslatedText(Entry(entry), m_language);
}

// A text entry is recognised by its English text, and also by its translation so that a
// spinner showing a translated text ("AUTO", "DEFAULT") steps from the right entry in
// every language.
bool CSpinnerLogic::MatchesText(int entry, const QString& text) const {
    return IsText(entry) &&
           (text == EnglishText(Entry(entry)) || text == TranslatedText(Entry(entry), m_language));
}

// The entry a shown text stands for: the first that covers its leading number or whose
// text it is; entry 0 when none does.
int CSpinnerLogic::FindEntryForText(const QString& text, std::optional<int> number) const {
    for (int i = 0; !IsEnd(i); ++i)
        if ((number && Covers(Entry(i), *number)) || MatchesText(i, text))
            return i;
    return 0;
}

QString CSpinnerLogic::Step(const QString& buddyText, int delta) {
    if (!IsAttached() || Count() == 0)
        return m_shown;
    const int sign = delta < 0 ? -1 : 1;
    const std::optional<int> number = LeadingNumber(buddyText);
    int k = FindEntryForText(buddyText, number);
    // A text without a number starts from the low of the entry found.
    long long p = number ? *number : Entry(k).low;
    const long long d = static_cast<long long>(Entry(k).step) * sign;
    SetRange(k);
    // Moving to a neighbouring entry starts at its low going up, at its high going down.
    const auto moveTo = [&](int next) {
        p = next > k ? Entry(next).low : Entry(next).high;
        k = next;
        SetRange(k);
    };

    if (IsText(k)) {
        // A single value: the arrows move to the neighbouring entry.
        if (sign > 0 && !IsEnd(k + 1))
            moveTo(k + 1);
        else if (sign < 0 && k > 0)
            moveTo(k - 1);
    } else {
        const VALUE_STRUCT& e = Entry(k);
        const auto up = std::uint32_t(p);
        if (p == e.high && d > 0) {
            if (!IsEnd(k + 1))
                moveTo(k + 1);
        } else if (p == e.low && d < 0) {
            if (k > 0)
                moveTo(k - 1);
        } else if (up > std::uint32_t(e.high) && d > 0) {
            if (IsText(k + 1) && Entry(k + 1).low == e.high)
                moveTo(k + 1);
        } else if (up < std::uint32_t(e.low) && d < 0) {
            if (k > 0 && IsText(k - 1))
                moveTo(k - 1);
        } else {
            p += d;
        }
    }

    // Positions are multiples of the step of the entry now current (1 to 240 step 2
    // gives 0, 2, 4, ...; the range then lifts 0 to 1).
    const int step = Entry(k).step;
    if (step > 0)
        p = (std::uint32_t(p) / std::uint32_t(step)) * std::uint32_t(step);

    m_current = k;
    if (IsText(k))
        ShowEntryText(k);
    else
        SetPosition(p);
    return m_shown;
}

bool CSpinnerLogic::Validate(const QString& buddyText) {
    if (!IsAttached())
        return true;
    const std::optional<int> number = LeadingNumber(buddyText);

    bool valid = false;
    if (IsText(m_current) && buddyText == TranslatedText(Entry(m_current), m_language)) {
        valid = true;
    } else if (number && TryGetValue() == number) {
        valid = true;
    } else {
        for (int i = 0; !IsEnd(i) && !valid; ++i) {
            if (number && Covers(Entry(i), *number)) {
                SetValueText(*number);
                m_current = i;
                valid = true;
            } else if (MatchesText(i, buddyText)) {
                SetValueText(Entry(i).low);
                m_current = i;
                valid = true;
            }
        }
    }

    if (!valid) {
        Messages().Show(Tr(QStringLiteral("A spinner does not contain a valid value!")),
                        QStringLiteral("Karvo"), MsgIcon::Stop, MsgButtons::Ok);
        return false;
    }
    // What is stored later is read from the edit: put the validated value back into it in
    // its plain form, so that "9x9" (validated as 9) cannot be stored as 99.
    m_shown =
        IsText(m_current) ? TranslatedText(Entry(m_current), m_language) : QString::number(*number);
    return true;
}

bool CSpinnerLogic::CheckEntered(const QString& text) {
    if (!Validate(text))
        return false;
    SetExchangeString(ShownText());
    return true;
}
