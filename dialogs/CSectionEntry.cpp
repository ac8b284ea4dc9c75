#include "dialogs/CSectionEntry.h"

#include "controls/CCheckLogic.h"
#include "controls/CComboLogic.h"
#include "controls/CDigitLogic.h"
#include "controls/CRadioLogic.h"
#include "controls/CSpinnerLogic.h"
#include "controls/EntryRules.h"
#include "dialogs/ToneSequenceForms.h"
#include "lang/CurrentLanguage.h"
#include "link/CMessages.h"

#include <algorithm>
#include <climits>

namespace {

// YES or NO, in any case; nullopt for anything else.
std::optional<bool> ReadYesNo(const QString& value) {
    for (const bool yes : {true, false})
        if (value.compare(QLatin1String(yes ? "YES" : "NO"), Qt::CaseInsensitive) == 0)
            return yes;
    return std::nullopt;
}

// Digits with an optional leading minus, nothing else: a script's "0x6", "6.0" or "+6"
// is not read by its leading digits, as the dialog's edit would read it.
bool IsPlainDecimal(const QString& value) {
    const QStringView digits = QStringView(value).mid(value.startsWith(u'-') ? 1 : 0);
    return !digits.isEmpty() &&
           std::all_of(digits.begin(), digits.end(), [](QChar c) { return c.isDigit(); });
}

// A plain decimal whole number in from to to; nullopt for anything else.
std::optional<int> ReadNumber(const QString& value, int from, int to) {
    bool ok = false;
    const int number = IsPlainDecimal(value) ? value.toInt(&ok) : 0;
    return ok && number >= from && number <= to ? std::optional<int>(number) : std::nullopt;
}

// Whether value is written as a text setup writes a value of list: one of its texts, or a
// plain decimal number, with a minus only where the list goes below zero.
bool IsWrittenValue(const QString& value, const VALUE_STRUCT* list) {
    bool negative = false;
    for (int i = 0; list && !IsEndEntry(list[i]); ++i) {
        if (IsTextEntry(list[i]) && value == EnglishText(list[i]))
            return true;
        negative = negative ||
                   (IsTextEntry(list[i]) ? EnglishText(list[i]).startsWith(u'-') : list[i].low < 0);
    }
    return IsPlainDecimal(value) && (negative || !value.startsWith(u'-'));
}

QString RangeText(int from, int to) {
    return from == to ? QString::number(from) : QStringLiteral("%1 to %2").arg(from).arg(to);
}

const QString YES_NO = QStringLiteral("YES, NO");

} // namespace

const BINDING_ENTRY* FindFormBinding(const FORM_TABLE& form, int controlId) {
    for (const BINDING_ENTRY& binding : form.bindings)
        if (binding.controlId == controlId)
            return &binding;
    return nullptr;
}

QString LegalValues(const VALUE_STRUCT* list) {
    QStringList parts;
    std::optional<std::pair<int, int>> run; // consecutive numeric texts ("-30" ... "30")
    const auto flush = [&] {
        if (run)
            parts << RangeText(run->first, run->second);
        run.reset();
    };
    for (int i = 0; list && !IsEndEntry(list[i]); ++i) {
        const VALUE_STRUCT& entry = list[i];
        const int scale = entry.scale > 0 ? entry.scale : 1;
        bool numeric = false;
        const int number = EnglishText(entry).toInt(&numeric);
        if (IsTextEntry(entry) && numeric && run && number == run->second + 1) {
            run->second = number;
            continue;
        }
        flush();
        if (IsTextEntry(entry) && numeric)
            run = std::pair(number, number);
        else if (IsTextEntry(entry))
            parts << EnglishText(entry);
        else
            parts << RangeText(entry.low * scale, entry.high * scale) +
                         (entry.step > 1 ? QStringLiteral(" step %1").arg(entry.step * scale)
                                         : QString());
    }
    flush();
    return parts.join(QStringLiteral(", "));
}

CSectionEntry::CSectionEntry(const FORM_TABLE& form, CE2prom& image)
    : m_form(form), m_image(&image), m_settings(form, LANGUAGE_ENGLISH) {
    m_settings.Attach(&image);
    m_imageLength = TelegramLength(m_settings);
}

void CSectionEntry::Refuse(const TEXT_SETUP_ERROR& origin, const QString& value,
                           const QString& legal) const {
    TEXT_SETUP_ERROR error = origin;
    error.message = QStringLiteral("'%1' is not a legal value (legal: %2)").arg(value, legal);
    throw error;
}

void CSectionEntry::Enter(const SETTING_LINE& line, const QString& value,
                          const TEXT_SETUP_ERROR& origin) {
    const QString text = value.trimmed();
    if (line.compute) {
        EnterComputed(line, text, origin);
        return;
    }
    const BINDING_ENTRY* binding = FindFormBinding(m_form, line.controlId);
    if (binding == nullptr || m_settings.Logic(line.controlId) == nullptr) {
        TEXT_SETUP_ERROR error = origin;
        error.message = QStringLiteral("this setting cannot be set");
        throw error;
    }
    EnterBinding(*binding, text, origin);
}

void CSectionEntry::EnterBinding(const BINDING_ENTRY& binding, const QString& value,
                                 const TEXT_SETUP_ERROR& origin) {
    const int id = binding.controlId;
    CSettingLogic* logic = m_settings.Logic(id);
    switch (binding.kind) {
    case SettingKind::Spinner:
    case SettingKind::Spinner10:
    case SettingKind::WordSpinner:
        if (!IsWrittenValue(value, ValueList(id)))
            Refuse(origin, value, LegalValues(ValueList(id)));
        m_spinnerTexts[id] = {value, origin};
        break;
    case SettingKind::Combo: {
        auto* combo = static_cast<CComboLogic*>(logic);
        if (!combo->MatchTyped(value))
            Refuse(origin, value, combo->Rows().join(QStringLiteral(", ")));
        break;
    }
    case SettingKind::CheckBox: {
        const std::optional<bool> yes = ReadYesNo(value);
        if (!yes)
            Refuse(origin, value, YES_NO);
        static_cast<CCheckLogic*>(logic)->SetChecked(*yes);
        break;
    }
    case SettingKind::RadioButton: {
        const std::optional<bool> yes = ReadYesNo(value);
        if (!yes)
            Refuse(origin, value, YES_NO);
        m_radios.push_back({id, *yes, origin});
        break;
    }
    case SettingKind::Digit: {
        auto* digit = static_cast<CDigitLogic*>(logic);
        const std::optional<int> number = ReadNumber(value, INT_MIN, INT_MAX);
        if (!number || digit->ReadShownValue(value) != *number)
            Refuse(origin, value, LegalValues(ValueList(id)));
        digit->SetValue(*number);
        break;
    }
    }
    m_touched.insert(id);
}

const VALUE_STRUCT* CSectionEntry::ValueList(int controlId) const {
    return FindVariable(m_image, m_form.table, controlId, "").values;
}

const WINDOWLESS_BINDING* CSectionEntry::FindWindowless(int controlId) const {
    for (const WINDOWLESS_BINDING& binding : m_form.windowless)
        if (WindowlessId(m_form, binding) == controlId)
            return &binding;
    return nullptr;
}

// The telegram length is the one worked-out line of a tone form that names no control.
bool CSectionEntry::IsTelegramLength(const SETTING_LINE& line) const {
    return line.controlId == 0 && m_settings.Logic(TONE_COMBO_IDS[0]) != nullptr;
}

void CSectionEntry::EnterComputed(const SETTING_LINE& line, const QString& value,
                                  const TEXT_SETUP_ERROR& origin) {
    if (const WINDOWLESS_BINDING* binding = FindWindowless(line.controlId)) {
        EnterChoice(*binding, value, origin);
    } else if (line.controlId == PROLONGED_RADIO_IDS[0]) {
        EnterProlongedTone(value, origin);
    } else if (IsTelegramLength(line)) {
        EnterTelegramLength(value, origin);
    } else {
        TEXT_SETUP_ERROR error = origin;
        error.message = QStringLiteral("this value is worked out from others and cannot be set");
        throw error;
    }
}

// A windowless binding is set as its radio buttons set it: by the button's text.
void CSectionEntry::EnterChoice(const WINDOWLESS_BINDING& binding, const QString& value,
                                const TEXT_SETUP_ERROR& origin) {
    QStringList texts;
    for (int v = 0; v < int(binding.radios.size()); ++v) {
        texts << QString::fromLatin1(binding.radios[v].text);
        if (value.compare(texts.last(), Qt::CaseInsensitive) == 0) {
            const int id = WindowlessId(m_form, binding);
            static_cast<CDigitLogic*>(m_settings.Logic(id))->SetValue(v);
            m_touched.insert(id);
            return;
        }
    }
    Refuse(origin, value, texts.join(QStringLiteral(", ")));
}

void CSectionEntry::EnterProlongedTone(const QString& value, const TEXT_SETUP_ERROR& origin) {
    const std::optional<bool> yes = ReadYesNo(value);
    const std::optional<int> tone = yes == false ? 0 : ReadNumber(value, 1, MAX_TONES);
    if (!tone)
        Refuse(origin, value, QStringLiteral("NO, 1 to %1").arg(MAX_TONES));
    m_prolongedTone = std::pair(*tone, PENDING{value, origin});
}

void CSectionEntry::EnterTelegramLength(const QString& value, const TEXT_SETUP_ERROR& origin) {
    m_telegramLength = ReadNumber(value, 0, MAX_TONES);
    if (!m_telegramLength)
        Refuse(origin, value, RangeText(0, MAX_TONES));
}

// A button set to YES is the chosen one of its group (the buttons listed by label); a
// checked button set to NO hands the choice to the other button of a pair, unless that
// one was set too. With every button NO none is checked, and the shared byte is kept.
void CSectionEntry::ResolveRadios() {
    std::vector<int> group;
    for (const SETTING_LINE& line : m_form.listedLines)
        if (const BINDING_ENTRY* binding = FindFormBinding(m_form, line.controlId);
            binding && binding->kind == SettingKind::RadioButton && !line.compute)
            group.push_back(line.controlId);
    const auto radio = [&](int id) { return static_cast<CRadioLogic*>(m_settings.Logic(id)); };
    const auto named = [&](int id) {
        return std::any_of(m_radios.begin(), m_radios.end(),
                           [id](const RADIO_ENTRY& e) { return e.controlId == id; });
    };
    const RADIO_ENTRY* chosen = nullptr;
    for (const RADIO_ENTRY& entry : m_radios) {
        if (entry.yes && chosen && chosen->controlId != entry.controlId) {
            TEXT_SETUP_ERROR error = entry.origin;
            error.message = QStringLiteral("only one button of its group can be YES");
            throw error;
        }
        if (entry.yes)
            chosen = &entry;
    }
    for (const RADIO_ENTRY& entry : m_radios) {
        if (chosen || !radio(entry.controlId)->IsChecked())
            continue;
        radio(entry.controlId)->SetChecked(false);
        for (const int other : group)
            if (group.size() == 2 && other != entry.controlId && !named(other))
                radio(other)->SetChecked(true);
    }
    if (chosen)
        for (const int id : group)
            radio(id)->SetChecked(id == chosen->controlId);
    if (!m_radios.empty())
        m_touched.insert(group.begin(), group.end());
}

void CSectionEntry::CheckProlongedTone(int tone) {
    for (int k = 0; k < int(std::size(PROLONGED_RADIO_IDS)); ++k) {
        static_cast<CRadioLogic*>(m_settings.Logic(PROLONGED_RADIO_IDS[k]))->SetChecked(k == tone);
        m_touched.insert(PROLONGED_RADIO_IDS[k]);
    }
}

// The prolonged tone must lie within the telegram: the length set, else the image's own
// length, as the dialog disables the buttons beyond it. A length that is set and leaves
// the stored prolonged tone behind makes it "No", as the slider does.
void CSectionEntry::ResolveTelegram() {
    if (m_prolongedTone) {
        const auto& [tone, pending] = *m_prolongedTone;
        const int length = m_telegramLength.value_or(m_imageLength);
        if (tone > length)
            Refuse(pending.origin, pending.text,
                   length ? QStringLiteral("NO, 1 to %1 (the telegram length)").arg(length)
                          : QStringLiteral("NO (the telegram is empty)"));
        CheckProlongedTone(tone);
    } else if (m_telegramLength) {
        const int checked = CheckedProlongedTone(m_settings);
        if (ProlongedToneGivesWay(checked < 0 ? MAX_TONES + 1 : checked, *m_telegramLength))
            CheckProlongedTone(0);
    }
}

// Every spinner entered is checked as OK checks it, in the form's order (any the order
// leaves out after the others); the validated text is what is stored.
void CSectionEntry::ValidateSpinners() {
    std::vector<int> order(m_form.validateOrder.begin(), m_form.validateOrder.end());
    for (const auto& [id, pending] : m_spinnerTexts)
        if (std::find(order.begin(), order.end(), id) == order.end())
            order.push_back(id);
    for (const int id : order) {
        const auto found = m_spinnerTexts.find(id);
        if (found == m_spinnerTexts.end())
            continue;
        auto* spinner = static_cast<CSpinnerLogic*>(m_settings.Logic(id));
        const PENDING& pending = found->second;
        if (!spinner->Validate(pending.text))
            Refuse(pending.origin, pending.text, LegalValues(ValueList(id)));
        spinner->SetExchangeString(spinner->ShownText());
    }
}

void CSectionEntry::Commit() {
    for (const int id : m_form.commitOrder)
        if (m_touched.count(id))
            m_settings.Logic(id)->Store();
}

void CSectionEntry::Finish() {
    const CQuietMessages quiet;
    ResolveRadios();
    ResolveTelegram();
    ValidateSpinners();
    if (m_telegramLength) {
        std::array<CComboLogic*, MAX_TONES> tones{};
        for (int i = 0; i < MAX_TONES; ++i) {
            tones[std::size_t(i)] = dynamic_cast<CComboLogic*>(m_settings.Logic(TONE_COMBO_IDS[i]));
            if (i >= *m_telegramLength)
                m_touched.insert(TONE_COMBO_IDS[i]);
        }
        EndTelegram(tones, *m_telegramLength);
    }
    Commit();
}
