// Dialog templates as data: for each setup dialog its caption, size, font and controls,
// each control with its ID, kind, text and rectangle in dialog units. The dialogs build
// their widgets from these (dialogs/CTemplateDialog), converting dialog units with the
// dialog font's metrics, so layouts scale with the font and the screen.
//
// Dialog units: 4 horizontal units are one average character width of the dialog font,
// 8 vertical units one character height.
#pragma once

#include <span>

enum class ControlKind {
    Static,        // left-aligned text
    Edit,          // single-line edit box
    UpDown,        // up-down (spin) arrows of a buddy edit
    ComboBox,      // drop-down combo box with an edit field
    CheckBox,      // check box with its text
    RadioButton,   // radio button with its text
    GroupBox,      // frame with a caption around other controls
    PushButton,    // button
    DefPushButton, // the default button (Enter presses it)
    Trackbar,      // slider
};

// Style bits of a control.
enum ControlStyle : unsigned {
    STYLE_NONE = 0,
    STYLE_VSCROLL = 1u << 0,   // the combo box's list scrolls
    STYLE_GROUP = 1u << 1,     // the first radio button of a group
    UDS_SETBUDDYINT = 1u << 2, // the up-down writes its position into the buddy
    UDS_ARROWKEYS = 1u << 3,   // Up and Down keys in the buddy step
    UDS_NOTHOUSANDS = 1u << 4, // no thousands separators in the buddy
    STYLE_VERTICAL = 1u << 5,  // a vertical trackbar
    STYLE_DISABLED = 1u << 6,  // created disabled
};

// The standard buttons' IDs.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

struct CONTROL_TEMPLATE {
    int id;
    ControlKind kind;
    const char* text;        // English; empty for none
    int x, y, width, height; // dialog units; a combo box's height includes its list
    unsigned style;
};

struct DIALOG_TEMPLATE {
    int id;
    const char* caption; // English
    int width, height;   // client area, dialog units
    const char* fontFamily;
    int pointSize;
    bool contextHelp; // the caption carries a help button
    std::span<const CONTROL_TEMPLATE> controls;
};

// The template of a dialog resource ID, or nullptr.
const DIALOG_TEMPLATE* FindDialogTemplate(int id);

extern const DIALOG_TEMPLATE SYSTEM_SETUP_TEMPLATE;    // 131
extern const DIALOG_TEMPLATE SINGLE_TONES_TEMPLATE;    // 154
extern const DIALOG_TEMPLATE RADIO_INTERFACE_TEMPLATE; // 148
extern const DIALOG_TEMPLATE REPEATER_TEMPLATE;        // 149
extern const DIALOG_TEMPLATE LINE_INTERFACE_TEMPLATE;  // 150
extern const DIALOG_TEMPLATE LINE_OPERATION_TEMPLATE;  // 153
extern const DIALOG_TEMPLATE TRC_SETUP_TEMPLATE;       // 130
extern const DIALOG_TEMPLATE SYSTEM_SETUP_TEMPLATE;    // 131
extern const DIALOG_TEMPLATE SINGLE_TONES_TEMPLATE;    // 154
// ToneDialogTemplates.cpp
extern const DIALOG_TEMPLATE ENCODER_TEMPLATE; // 135
extern const DIALOG_TEMPLATE DECODER_TEMPLATE; // 138
