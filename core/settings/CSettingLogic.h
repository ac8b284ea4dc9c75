// CSettingLogic: the widget-free half of a setting binding. It keeps one variable of the
// configuration image: finds it in a dialog's VARIABLE_STRUCT table by control ID, reads
// the stored value, knows the text the control shows for it, and writes it back. It also
// takes a value entered as text (text setups, karvo-cli apply), each kind in its own way.
//
// The widgets of controls/ (CStandardSpinner, CGenCombo, ...) each own one of these and
// only show its text and pass on the user's actions; karvo-cli uses the same objects
// without any widget. The image and the tables are never owned. The image is written only
// by Store, which the dialog's Commit calls after the dialog has closed with OK.
#pragma once

#include "core/image/VariableTables.h"

#include <QString>

class CE2prom;

// How a value entered as text (a text setup, karvo-cli apply) takes effect.
enum class TextEntry {
    Direct,  // EnterText sets the value
    Checked, // EnterText only checks how the text is written; CheckEntered takes it on OK
    Grouped, // EnterText only reads YES or NO; the button's radio group decides
};

class CSettingLogic {
public:
    explicit CSettingLogic(const char* objectName);
    virtual ~CSettingLogic() = default;
    CSettingLogic(const CSettingLogic&) = delete;
    CSettingLogic& operator=(const CSettingLogic&) = delete;

    // Finds the variable of controlId in table, does the kind's own set-up, loads the
    // stored value and works out what the control shows. Raises CCtrlErr with this
    // binding's object name: 2 without an image, 3 without a table, 1 when controlId is
    // in no entry.
    void Attach(CE2prom* image, const VARIABLE_STRUCT* table, int controlId);
    // Binds to one given entry without a control ID lookup and loads it; shows nothing.
    // CCtrlErr 2 without an image, 3 without an entry.
    void AttachEntry(CE2prom* image, const VARIABLE_STRUCT* entry);

    // Reads the image into the binding.
    virtual void Load() = 0;
    // Writes the binding's value into the image (setting its modified flag).
    virtual void Store() = 0;
    // The text the control shows for the current value, as the report prints it.
    virtual QString ShownText() const = 0;

    // Entering a value as text, written as a text setup writes it (a row's text, YES or
    // NO, a number). When the value takes effect:
    virtual TextEntry EntryKind() const { return TextEntry::Direct; }
    // Takes text as the value as EntryKind says; false, and nothing changes, when text is
    // none of this setting's values.
    virtual bool EnterText(const QString& text) = 0;
    // The OK check of a Checked entry's text: on success the value follows it; false, and
    // nothing changes, when it is out of range. The other kinds have nothing to check.
    virtual bool CheckEntered(const QString& text);
    // What EnterText takes, for a refusal: the list's values in English ("YES, NO",
    // "DISABLED, 1 to 99"), a combo box's rows as it shows them.
    virtual QString LegalText() const = 0;

    // A two-state setting (a check box, a radio button): whether it is on, and switching
    // it. The other kinds are never on and ignore SetChecked.
    virtual bool IsChecked() const { return false; }
    virtual void SetChecked(bool checked);

    const char* ObjectName() const { return m_name; }
    // The language of the shown texts: the interface language unless set before Attach
    // (the report and the text setups format a setup in a language of their own).
    int Language() const { return m_language; }
    void SetLanguage(int language) { m_language = language; }
    bool IsAttached() const { return m_values != nullptr; }

protected:
    // The kind's own set-up between the lookup and Load (combo rows, check box values).
    virtual void Prepare() {}
    // Works out what the control shows once Load has run (Attach only).
    virtual void Show() {}

    const VALUE_STRUCT& Entry(int index) const { return m_values[index]; }
    // Entries before the end entry; index m_count is the end entry itself.
    int Count() const { return m_count; }
    bool IsEnd(int index) const { return index >= m_count; }
    bool IsText(int index) const {
        return index >= 0 && index < m_count && IsTextEntry(Entry(index));
    }
    // The bound image; CCtrlErr 2 when the binding was never attached.
    CE2prom& Image() const;

    CE2prom* m_image = nullptr;
    const VALUE_STRUCT* m_values = nullptr;
    int m_address = 0;
    const char* m_name;
    int m_count = 0;   // entries before the end entry
    int m_current = 0; // index into the value list
    int m_language;
};
