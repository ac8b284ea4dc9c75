// CSettingForm: the settings of one setup dialog without the dialog: one CSettingLogic per
// binding of its FORM_TABLE (the windowless ones too), attached to the image in the
// dialog's order. karvo-cli lists the settings through it; the values are those the
// dialog would show, because the logic is the one the dialog's bindings use.
#pragma once

#include "core/forms/FormTable.h"

#include <QStringList>
#include <memory>
#include <vector>

class CE2prom;
class CSettingLogic;

// The object name a binding class's errors carry.
const char* SettingObjectName(SettingKind kind);

// The logic of a binding class, not attached. Spinners carry the object names their
// dialogs give them.
std::unique_ptr<CSettingLogic> CreateSettingLogic(SettingKind kind);

// The table entry a windowless binding binds to; nullptr when the form has no table.
const VARIABLE_STRUCT* WindowlessEntry(const FORM_TABLE& form, const WINDOWLESS_BINDING& binding);

class CSettingForm : public CSettingSource {
public:
    // The settings as shown in language (an index, as GetCurrentLanguage gives).
    CSettingForm(const FORM_TABLE& form, int language);
    ~CSettingForm();

    // Attaches every binding in order; CCtrlErr as the dialog would raise it.
    void Attach(CE2prom* image);

    // The logic on a control, or nullptr.
    CSettingLogic* Logic(int controlId) const override;
    // The shown text of a control's binding; empty for a control without one.
    QString ValueText(int controlId) const override;
    int Language() const override { return m_language; }

    // The caption and every setting with its dialog label.
    QStringList ListedText() const;
    // The report section's lines.
    QStringList ReportText() const;

private:
    const FORM_TABLE& m_form;
    int m_language;
    std::vector<std::pair<int, std::unique_ptr<CSettingLogic>>> m_logic;
    std::vector<std::pair<int, std::unique_ptr<CSettingLogic>>> m_windowless;
};
