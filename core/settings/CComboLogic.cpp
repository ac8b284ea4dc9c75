#include "core/settings/CComboLogic.h"

#include "core/image/CE2prom.h"
#include "core/lang/CurrentLanguage.h"
#include "core/link/CMessages.h"
#include "core/settings/EntryRules.h"

#include <cstdint>

CComboLogic::CComboLogic() : CSettingLogic("CGenCombo") {}

void CComboLogic::Prepare() {
    m_rows.clear();
    m_rows.reserve(Count());
    for (int i = 0; i < Count(); ++i)
        m_rows.append(TranslatedText(Entry(i), m_language));
}

void CComboLogic::Select(int row, int value) {
    m_current = row;
    m_value = value;
}

// The first entry whose value is the stored byte; row 0 when none is (a country of 12
// shows "SWEDEN" and is stored back as 0).
void CComboLogic::Load() {
    const int b = Image().GetByte(m_address);
    for (int i = m_current; !IsEnd(i); ++i) {
        if (Entry(i).high == b) {
            Select(i, b);
            return;
        }
    }
    Select(0, Entry(0).high);
}

void CComboLogic::Store() {
    Image().SetByte(m_address, std::uint8_t(m_value & 0xFF));
}

QString CComboLogic::ShownText() const {
    return m_current >= 0 && m_current < m_rows.size() ? m_rows[m_current] : QString();
}

void CComboLogic::SelectRow(int row) {
    if (row >= 0 && row < Count())
        Select(row, Entry(row).high);
}

// The English text upper-cased and then translated is what an English user types; the
// translated text compared without case is what everybody else types.
bool CComboLogic::MatchTyped(const QString& text) {
    const QString typed = text.left(99).toUpper();
    for (int i = 0; !IsEnd(i); ++i) {
        const QString english = EnglishText(Entry(i));
        if (Tr(english.toUpper(), m_language) == typed ||
            TranslatedText(Entry(i), m_language).toUpper() == typed) {
            Select(i, Entry(i).low);
            return true;
        }
    }
    return false;
}

bool CComboLogic::Validate(const QString& text) const {
    if (!IsAttached())
        return true;
    if (text.left(99).toUpper() == ShownText().toUpper())
        return true;
    Messages().Show(Tr(QStringLiteral("A invalid value is set!")), QStringLiteral("Karvo"),
                    MsgIcon::Stop, MsgButtons::Ok);
    return false;
}

QString CComboLogic::LegalText() const {
    return m_rows.join(QStringLiteral(", "));
}
