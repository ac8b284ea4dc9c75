#include "core/settings/CSettingLogic.h"

#include "core/lang/CurrentLanguage.h"
#include "core/link/CError.h"

CSettingLogic::CSettingLogic(const char* objectName)
    : m_name(objectName), m_language(GetCurrentLanguage()) {}

void CSettingLogic::Attach(CE2prom* image, const VARIABLE_STRUCT* table, int controlId) {
    const VARIABLE_STRUCT& variable = FindVariable(image, table, controlId, m_name);
    m_image = image;
    m_address = variable.address;
    m_values = variable.values;
    if (m_values == nullptr)
        throw CCtrlErr(m_name, 5);
    m_count = CountEntries(m_values);
    Prepare();
    Load();
    Show();
}

void CSettingLogic::AttachEntry(CE2prom* image, const VARIABLE_STRUCT* entry) {
    if (image == nullptr)
        throw CCtrlErr(m_name, 2);
    if (entry == nullptr || entry->values == nullptr)
        throw CCtrlErr(m_name, 3);
    m_image = image;
    m_address = entry->address;
    m_values = entry->values;
    m_count = CountEntries(m_values);
    Prepare();
    Load();
}

CE2prom& CSettingLogic::Image() const {
    if (m_image == nullptr)
        throw CCtrlErr(m_name, 2);
    return *m_image;
}

bool CSettingLogic::CheckEntered(const QString&) {
    return true;
}

void CSettingLogic::SetChecked(bool) {}
