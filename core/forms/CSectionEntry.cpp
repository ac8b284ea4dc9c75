#include "core/forms/CSectionEntry.h"

#include "core/forms/ToneSequenceForms.h"
#include "core/lang/CurrentLanguage.h"
#include "core/link/CMessages.h"
#include "core/settings/CComboLogic.h"
#include "core/settings/TextEntryRules.h"

#include <algorithm>

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
    CSettingLogic* logic =
        FindBinding(m_form, line.controlId) ? m_settings.Logic(line.controlId) : nullptr;
    if (logic == nullptr) {
        TEXT_SETUP_ERROR error = origin;
        error.message = QStringLiteral("this setting cannot be set");
        throw error;
    }
    EnterSetting(line.controlId, *logic, text, origin);
}

// The setting takes the text as its kind takes it: a spinner's text waits for OK's check,
// a radio button's YES or NO for its group, every other kind's value is set at once.
void CSectionEntry::EnterSetting(int controlId, CSettingLogic& logic, const QString& value,
                                 const TEXT_SETUP_ERROR& origin) {
    if (!logic.EnterText(value))
        Refuse(origin, value, logic.LegalText());
    switch (logic.EntryKind()) {
    case TextEntry::Direct:
        break;
    case TextEntry::Checked:
        m_checkedTexts[controlId] = {value, origin};
        break;
    case TextEntry::Grouped:
        m_radios.push_back({controlId, ReadYesNo(value).value_or(false), origin});
        break;
    }
    m_touched.insert(controlId);
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
            // The windowless binding takes the button's position as its number.
            const int id = WindowlessId(m_form, binding);
            m_settings.Logic(id)->EnterText(QString::number(v));
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
        if (const BINDING_ENTRY* binding = FindBinding(m_form, line.controlId);
            binding && binding->kind == SettingKind::RadioButton && !line.compute)
            group.push_back(line.controlId);
    const auto radio = [&](int id) { return m_settings.Logic(id); };
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
        m_settings.Logic(PROLONGED_RADIO_IDS[k])->SetChecked(k == tone);
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
void CSectionEntry::CheckEnteredTexts() {
    std::vector<int> order(m_form.validateOrder.begin(), m_form.validateOrder.end());
    for (const auto& [id, pending] : m_checkedTexts)
        if (std::find(order.begin(), order.end(), id) == order.end())
            order.push_back(id);
    for (const int id : order) {
        const auto found = m_checkedTexts.find(id);
        if (found == m_checkedTexts.end())
            continue;
        CSettingLogic* logic = m_settings.Logic(id);
        const PENDING& pending = found->second;
        if (!logic->CheckEntered(pending.text))
            Refuse(pending.origin, pending.text, logic->LegalText());
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
    CheckEnteredTexts();
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
