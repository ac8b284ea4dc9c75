#include "core/settings/CRadioLogic.h"

#include "core/image/CE2prom.h"
#include "core/settings/EntryRules.h"

#include <cstdint>

CRadioLogic::CRadioLogic() : CSettingLogic("CRadioButton") {}

int CRadioLogic::OwnValue() const {
    return IsAttached() ? Entry(0).low : 0;
}

int CRadioLogic::GroupByte() const {
    return Image().GetByte(m_address);
}

void CRadioLogic::Load() {
    m_checked = Image().GetByte(m_address) == OwnValue();
}

void CRadioLogic::Store() {
    if (m_checked)
        Image().SetByte(m_address, std::uint8_t(OwnValue() & 0xFF));
}

QString CRadioLogic::ShownText() const {
    return YesNoText(m_checked, m_language);
}
