#include "core/settings/CCheckLogic.h"

#include "core/image/CE2prom.h"
#include "core/settings/EntryRules.h"
#include "core/settings/TextEntryRules.h"

#include <cstdint>

CCheckLogic::CCheckLogic() : CSettingLogic("CCheckBox") {}

void CCheckLogic::Prepare() {
    const VALUE_STRUCT& off = Entry(0);
    m_off = off.low;
    m_on = off.high;
    if (Count() > 1) {
        const VALUE_STRUCT& on = Entry(1);
        const bool complete = on.low != 0 && on.high != 0 && on.step != 0 && on.scale != 0 &&
                              on.text != nullptr && on.text[0] != '\0';
        if (complete)
            m_on = on.low;
    }
}

void CCheckLogic::Load() {
    const int b = Image().GetByte(m_address);
    m_value = (b == m_off || b == m_on) ? b : m_off;
}

void CCheckLogic::Store() {
    Image().SetByte(m_address, std::uint8_t(m_value & 0xFF));
}

QString CCheckLogic::ShownText() const {
    return YesNoText(IsChecked(), m_language);
}

bool CCheckLogic::EnterText(const QString& text) {
    const std::optional<bool> yes = ReadYesNo(text);
    if (yes)
        SetChecked(*yes);
    return yes.has_value();
}

QString CCheckLogic::LegalText() const {
    return YES_NO_TEXT;
}
