#include "core/forms/CSettingForm.h"

#include "core/forms/SectionText.h"
#include "core/settings/CCheckLogic.h"
#include "core/settings/CComboLogic.h"
#include "core/settings/CDigitLogic.h"
#include "core/settings/CRadioLogic.h"
#include "core/settings/CSpinnerLogic.h"

const char* SettingObjectName(SettingKind kind) {
    switch (kind) {
    case SettingKind::Spinner:
    case SettingKind::WordSpinner:
        return "CStandardSpinner";
    case SettingKind::Spinner10:
        return "CSpinner10";
    case SettingKind::Combo:
        return "CGenCombo";
    case SettingKind::CheckBox:
        return "CCheckBox";
    case SettingKind::RadioButton:
        return "CRadioButton";
    case SettingKind::Digit:
        break;
    }
    return "CGenDigit";
}

std::unique_ptr<CSettingLogic> CreateSettingLogic(SettingKind kind) {
    switch (kind) {
    case SettingKind::Spinner:
        return std::make_unique<CSpinnerLogic>(SettingObjectName(kind), SpinnerForm::Byte);
    case SettingKind::Spinner10:
        return std::make_unique<CSpinnerLogic>(SettingObjectName(kind), SpinnerForm::LongTime);
    case SettingKind::WordSpinner:
        return std::make_unique<CSpinnerLogic>(SettingObjectName(kind), SpinnerForm::Word);
    case SettingKind::Combo:
        return std::make_unique<CComboLogic>();
    case SettingKind::CheckBox:
        return std::make_unique<CCheckLogic>();
    case SettingKind::RadioButton:
        return std::make_unique<CRadioLogic>();
    case SettingKind::Digit:
        return std::make_unique<CDigitLogic>();
    }
    return nullptr;
}

const VARIABLE_STRUCT* WindowlessEntry(const FORM_TABLE& form, const WINDOWLESS_BINDING& binding) {
    return form.table ? &form.table[binding.tableEntry] : nullptr;
}

CSettingForm::CSettingForm(const FORM_TABLE& form, int language)
    : m_form(form), m_language(language) {
    for (const BINDING_ENTRY& binding : form.bindings)
        m_logic.emplace_back(binding.controlId, CreateSettingLogic(binding.kind));
    for (const WINDOWLESS_BINDING& binding : form.windowless)
        m_windowless.emplace_back(WindowlessId(form, binding), std::make_unique<CDigitLogic>());
    for (const auto* logics : {&m_logic, &m_windowless})
        for (const auto& [id, logic] : *logics)
            logic->SetLanguage(language);
}

CSettingForm::~CSettingForm() = default;

void CSettingForm::Attach(CE2prom* image) {
    for (auto& [controlId, logic] : m_logic)
        logic->Attach(image, m_form.table, controlId);
    for (std::size_t i = 0; i < m_windowless.size(); ++i)
        m_windowless[i].second->AttachEntry(image, WindowlessEntry(m_form, m_form.windowless[i]));
}

CSettingLogic* CSettingForm::Logic(int controlId) const {
    for (const auto* logics : {&m_logic, &m_windowless})
        for (const auto& [id, logic] : *logics)
            if (id == controlId)
                return logic.get();
    return nullptr;
}

QString CSettingForm::ValueText(int controlId) const {
    const CSettingLogic* logic = Logic(controlId);
    return logic ? logic->ShownText() : QString();
}

QStringList CSettingForm::ListedText() const {
    return SectionText(m_form.caption, m_form.listedLines, *this);
}

QStringList CSettingForm::ReportText() const {
    return SectionText(m_form.reportTitle, m_form.reportLines, *this);
}
