// FORM_TABLE: everything about a setup dialog that is not layout, as data: which binding
// sits on which control, the order of attaching, validating and storing, which texts are
// translated, and the lines it shows in the report and in karvo-cli's listing.
//
// The dialogs (CTemplateDialog) and the widget-free CSettingForm both read it, so the
// dialog on screen, the printed report and "karvo-cli show" turn a stored byte into a
// shown text in exactly one way.
#pragma once

#include "core/image/VariableTables.h"

#include <QString>
#include <span>

class CSettingLogic;

// The binding class on a control.
enum class SettingKind {
    Spinner,     // CStandardSpinner: one byte
    Spinner10,   // CSpinner10: one long-time byte
    WordSpinner, // CWordSpinner: a 16-bit word
    Combo,       // CGenCombo
    CheckBox,    // CCheckBox
    RadioButton, // CRadioButton
    Digit,       // CGenDigit
};

struct BINDING_ENTRY {
    int controlId;
    SettingKind kind;
    int buddyId; // a spinner's edit box; 0 for the other kinds
};

// Where a computed value reads its settings: the logic on each bound control, as the open
// dialog or the widget-free CSettingForm holds it. Both give the same answers, so a value
// worked out from several bindings reads the same in the dialog, the report and the listing.
class CSettingSource {
public:
    virtual ~CSettingSource() = default;
    // The logic on a control, or nullptr.
    virtual const CSettingLogic* Logic(int controlId) const = 0;
    // The shown text of a control's binding; empty for a control without one.
    virtual QString ValueText(int controlId) const = 0;
    // The language the shown texts are in (an index, as GetCurrentLanguage gives).
    virtual int Language() const = 0;
};

// A value worked out from the settings rather than shown by one control (a radio group's
// choice, a count), already translated.
using ComputedValue = QString (*)(const CSettingSource& source);

// One line of a listing: a label (English) and the control whose shown text is the value,
// or, when compute is set, the value it works out (controlId then names the binding the
// line is about, or 0).
struct SETTING_LINE {
    const char* label;
    int controlId;
    ComputedValue compute = nullptr;
};

// One plain radio button of the group that shows a windowless binding: the button stands
// for the value of its position in the group; text is its English label.
struct RADIO_CHOICE {
    int controlId;
    const char* text;
};

// A CGenDigit without a window: it binds to one entry of the form's table by position,
// without looking up a control ID, and a group of plain radio buttons shows its value
// (the button at position v is checked for the value v). The dialog copies the checked
// button's position into it when it saves its data. Orders and lines name it by the
// control ID of its table entry.
struct WINDOWLESS_BINDING {
    int tableEntry;                       // index into the form's table
    std::span<const RADIO_CHOICE> radios; // button i shows value i
};

struct FORM_TABLE {
    int templateId;      // the dialog resource it is built from
    const char* caption; // English: the dialog's caption and the title of karvo-cli's listing
    const VARIABLE_STRUCT* table;
    std::span<const BINDING_ENTRY> bindings; // in attaching order
    std::span<const int> translated;         // controls whose texts are translated, in order
    std::span<const int> validateOrder;      // bindings checked on OK, in order
    std::span<const int> commitOrder;        // bindings stored by Commit, in order
    const char* reportTitle;                 // English
    std::span<const SETTING_LINE> reportLines;
    std::span<const SETTING_LINE> listedLines; // every setting with its dialog label
    // Bindings without a window of their own, attached after the others.
    std::span<const WINDOWLESS_BINDING> windowless = {};
    // The controls a read-only dialog locks after attaching, in order: an edit box becomes
    // read-only, every other control disabled.
    std::span<const int> readOnlyControls = {};
};

// The binding on a control of form, or nullptr.
const BINDING_ENTRY* FindBinding(const FORM_TABLE& form, int controlId);

// A line's value: what it works out when it computes one, else its control's shown text.
QString LineValue(const SETTING_LINE& line, const CSettingSource& source);

// The ID under which orders and lines name a windowless binding: its table entry's.
inline int WindowlessId(const FORM_TABLE& form, const WINDOWLESS_BINDING& binding) {
    return form.table ? form.table[binding.tableEntry].controlId : 0;
}

extern const FORM_TABLE SYSTEM_SETUP_FORM;
extern const FORM_TABLE SINGLE_TONES_FORM;
extern const FORM_TABLE RADIO_INTERFACE_FORM;
extern const FORM_TABLE REPEATER_FORM;
extern const FORM_TABLE LINE_INTERFACE_FORM;
extern const FORM_TABLE LINE_OPERATION_FORM;
extern const FORM_TABLE TRC_SETUP_FORM;
