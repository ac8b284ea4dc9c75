// The setup dialogs' templates, control for control in creation (tab) order.
#include "res/dialogs/DialogTemplate.h"

namespace {

constexpr unsigned UDS_BUDDY = UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;

constexpr CONTROL_TEMPLATE SYSTEM_SETUP_CONTROLS[] = {
    {1215, ControlKind::Static, "Country", 5, 7, 35, 8, STYLE_NONE},
    {1006, ControlKind::ComboBox, "", 50, 5, 76, 84, STYLE_VSCROLL},
    {1216, ControlKind::Static, "Options", 5, 31, 35, 8, STYLE_NONE},
    {1144, ControlKind::Edit, "", 50, 29, 40, 14, STYLE_NONE},
    {1145, ControlKind::UpDown, "", 91, 29, 11, 14, UDS_BUDDY},
    {1164, ControlKind::CheckBox, "Monitor power supply alarms", 5, 55, 156, 10, STYLE_NONE},
    {IDOK, ControlKind::DefPushButton, "OK", 166, 7, 50, 14, STYLE_NONE},
    {IDCANCEL, ControlKind::PushButton, "Cancel", 166, 26, 50, 14, STYLE_NONE},
};

constexpr CONTROL_TEMPLATE SINGLE_TONES_CONTROLS[] = {
    {1211, ControlKind::Static, "Single tone A (Hz)", 5, 7, 75, 8, STYLE_NONE},
    {2015, ControlKind::Edit, "", 82, 7, 40, 14, STYLE_NONE},
    {2014, ControlKind::UpDown, "", 123, 7, 8, 14, UDS_BUDDY},
    {1212, ControlKind::Static, "Single tone B (Hz)", 5, 25, 75, 8, STYLE_NONE},
    {2020, ControlKind::Edit, "", 82, 25, 40, 14, STYLE_NONE},
    {2021, ControlKind::UpDown, "", 123, 25, 8, 14, UDS_BUDDY},
    {1213, ControlKind::Static, "Single tone C (Hz)", 5, 43, 75, 8, STYLE_NONE},
    {2018, ControlKind::Edit, "", 82, 43, 40, 14, STYLE_NONE},
    {2019, ControlKind::UpDown, "", 123, 43, 8, 14, UDS_BUDDY},
    {1214, ControlKind::Static, "Single tone D (Hz)", 5, 61, 75, 8, STYLE_NONE},
    {2016, ControlKind::Edit, "", 82, 61, 40, 14, STYLE_NONE},
    {2017, ControlKind::UpDown, "", 123, 61, 8, 14, UDS_BUDDY},
    {IDOK, ControlKind::DefPushButton, "OK", 161, 7, 50, 14, STYLE_NONE},
    {IDCANCEL, ControlKind::PushButton, "Cancel", 161, 24, 50, 14, STYLE_NONE},
};

} // namespace

const DIALOG_TEMPLATE SYSTEM_SETUP_TEMPLATE = {
    131, "System Setup", 224, 81, "MS Sans Serif", 8, true, SYSTEM_SETUP_CONTROLS,
};

const DIALOG_TEMPLATE SINGLE_TONES_TEMPLATE = {
    154, "Single tones", 218, 89, "MS Sans Serif", 8, false, SINGLE_TONES_CONTROLS,
};

const DIALOG_TEMPLATE* FindDialogTemplate(int id) {
    for (const DIALOG_TEMPLATE* t :
         {&SYSTEM_SETUP_TEMPLATE, &SINGLE_TONES_TEMPLATE, &ENCODER_TEMPLATE, &DECODER_TEMPLATE})
        if (t->id == id)
            return t;
    return nullptr;
}
