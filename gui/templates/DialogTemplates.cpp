// The setup dialogs' templates, control for control in creation (tab) order.
#include "gui/templates/DialogTemplate.h"

namespace {

constexpr unsigned UDS_BUDDY = UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;

constexpr CONTROL_TEMPLATE SYSTEM_SETUP_CONTROLS[] = {
    {1215, ControlKind::Static, "Country", 5, 7, 35, 8, STYLE_NONE},
    {1006, ControlKind::ComboBox, "", 50, 5, 76, 84, STYLE_VSCROLL},
    {1216, ControlKind::Static, "Options", 5, 31, 35, 8, STYLE_NONE},
    {1144, ControlKind::Edit, "", 50, 29, 52, 14, STYLE_NONE},
    {1145, ControlKind::UpDown, "", 103, 29, 11, 14, UDS_BUDDY},
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

constexpr CONTROL_TEMPLATE RADIO_INTERFACE_CONTROLS[] = {
    {1186, ControlKind::Static, "Tone system", 10, 15, 78, 8, STYLE_NONE},
    {1107, ControlKind::ComboBox, "", 100, 10, 48, 54, STYLE_NONE},
    {1188, ControlKind::Static, "Start up channel", 10, 30, 78, 8, STYLE_NONE},
    {1141, ControlKind::Edit, "", 100, 24, 36, 14, STYLE_NONE},
    {1142, ControlKind::UpDown, "", 138, 24, 11, 14, UDS_BUDDY},
    {1174, ControlKind::CheckBox, "Radio with single channel", 10, 45, 117, 10, STYLE_NONE},
    {1187, ControlKind::Static, "Radio type", 10, 70, 70, 8, STYLE_NONE},
    {1143, ControlKind::ComboBox, "", 10, 80, 180, 66, STYLE_NONE},
    {1189, ControlKind::GroupBox, "Fine tune level", 10, 110, 147, 47, STYLE_NONE},
    {1190, ControlKind::Static, "from radio (0.1 dB)", 15, 119, 75, 8, STYLE_NONE},
    {2015, ControlKind::Edit, "", 102, 121, 40, 14, STYLE_NONE},
    {2014, ControlKind::UpDown, "", 143, 121, 11, 14, UDS_BUDDY},
    {1191, ControlKind::Static, "to radio (0.1 dB)", 15, 137, 75, 8, STYLE_NONE},
    {1163, ControlKind::Edit, "", 102, 137, 40, 14, STYLE_NONE},
    // Its list holds texts only: the binding writes them into the edit itself.
    {1165, ControlKind::UpDown, "", 143, 137, 11, 14, UDS_ARROWKEYS},
    {IDOK, ControlKind::DefPushButton, "OK", 190, 10, 50, 14, STYLE_NONE},
    {IDCANCEL, ControlKind::PushButton, "Cancel", 190, 30, 50, 14, STYLE_NONE},
};

constexpr CONTROL_TEMPLATE REPEATER_CONTROLS[] = {
    {1171, ControlKind::GroupBox, "Timers", 7, 7, 203, 84, STYLE_NONE},
    {1168, ControlKind::Static, "Repeater hang time (s)", 12, 19, 123, 8, STYLE_NONE},
    {1112, ControlKind::Edit, "", 138, 15, 52, 14, STYLE_NONE},
    {1113, ControlKind::UpDown, "", 191, 15, 11, 14, UDS_BUDDY},
    {1167, ControlKind::Static, "Repeater block time (s)", 12, 36, 123, 8, STYLE_NONE},
    {1114, ControlKind::Edit, "", 138, 32, 52, 14, STYLE_NONE},
    {1115, ControlKind::UpDown, "", 191, 32, 11, 14, UDS_BUDDY},
    {1169, ControlKind::Static, "Repeater time out timer (s)", 12, 53, 123, 8, STYLE_NONE},
    {1131, ControlKind::Edit, "", 138, 49, 52, 14, STYLE_NONE},
    {1134, ControlKind::UpDown, "", 191, 49, 11, 14, UDS_BUDDY},
    {1170, ControlKind::Static, "Repeater Knock-Down timer (min)", 12, 70, 123, 8, STYLE_NONE},
    {1132, ControlKind::Edit, "", 138, 66, 52, 14, STYLE_NONE},
    {1135, ControlKind::UpDown, "", 191, 66, 11, 14, UDS_BUDDY},
    {1180, ControlKind::Static, "Repeater type", 7, 105, 73, 8, STYLE_NONE},
    {1179, ControlKind::ComboBox, "", 90, 105, 100, 45, STYLE_NONE},
    {1139, ControlKind::CheckBox, "Confidence beeps in hang time", 5, 125, 167, 10, STYLE_NONE},
    {IDOK, ControlKind::DefPushButton, "OK", 235, 5, 50, 14, STYLE_NONE},
    {IDCANCEL, ControlKind::PushButton, "Cancel", 235, 26, 50, 14, STYLE_NONE},
};

// Line connection and PL-tone action on the left, levels and compensation on the right.
constexpr CONTROL_TEMPLATE LINE_INTERFACE_CONTROLS[] = {
    {1192, ControlKind::GroupBox, "Line connection", 7, 7, 130, 42, STYLE_NONE},
    {1121, ControlKind::RadioButton, "Two wire", 14, 19, 115, 10, STYLE_GROUP},
    {1122, ControlKind::RadioButton, "Four wire", 14, 33, 115, 10, STYLE_NONE},
    {1193, ControlKind::GroupBox, "PL-tone detect action", 7, 55, 130, 56, STYLE_NONE},
    {1123, ControlKind::RadioButton, "OFF", 14, 67, 115, 10, STYLE_GROUP},
    {1124, ControlKind::RadioButton, "RX audio inhibit", 14, 81, 115, 10, STYLE_NONE},
    {1218, ControlKind::RadioButton, "Send guard tone", 14, 95, 115, 10, STYLE_NONE},
    {1166, ControlKind::CheckBox, "TRC to line", 7, 119, 130, 10, STYLE_GROUP},
    {1194, ControlKind::GroupBox, "Nominal level", 145, 7, 162, 48, STYLE_NONE},
    {1195, ControlKind::Static, "to line (dBm)", 151, 21, 80, 8, STYLE_NONE},
    {2015, ControlKind::Edit, "", 235, 18, 40, 14, STYLE_NONE},
    {2014, ControlKind::UpDown, "", 276, 18, 11, 14, UDS_BUDDY},
    {1196, ControlKind::Static, "from line (dBm)", 151, 38, 80, 8, STYLE_NONE},
    {1125, ControlKind::Edit, "", 235, 35, 40, 14, STYLE_NONE},
    {1126, ControlKind::UpDown, "", 276, 35, 11, 14, UDS_BUDDY},
    {1197, ControlKind::GroupBox, "Compensation", 145, 61, 162, 68, STYLE_NONE},
    {1198, ControlKind::Static, "Centro Plus", 151, 76, 80, 8, STYLE_NONE},
    {1146, ControlKind::ComboBox, "", 235, 73, 66, 40, STYLE_NONE},
    {1199, ControlKind::Static, "Gain (dB)", 151, 93, 80, 8, STYLE_NONE},
    {2016, ControlKind::Edit, "", 235, 90, 40, 14, STYLE_NONE},
    {2017, ControlKind::UpDown, "", 276, 90, 11, 14, UDS_BUDDY},
    {1200, ControlKind::Static, "Equalizer (dB)", 151, 110, 80, 8, STYLE_NONE},
    {2018, ControlKind::Edit, "", 235, 107, 40, 14, STYLE_NONE},
    {2019, ControlKind::UpDown, "", 276, 107, 11, 14, UDS_BUDDY},
    {IDOK, ControlKind::DefPushButton, "OK", 315, 7, 50, 14, STYLE_NONE},
    {IDCANCEL, ControlKind::PushButton, "Cancel", 315, 26, 50, 14, STYLE_NONE},
};

constexpr CONTROL_TEMPLATE LINE_OPERATION_CONTROLS[] = {
    {1192, ControlKind::GroupBox, "TRC acknowledge", 7, 7, 190, 48, STYLE_NONE},
    {1193, ControlKind::Static, "TRC tone", 13, 21, 115, 8, STYLE_NONE},
    {1128, ControlKind::ComboBox, "", 130, 18, 61, 100, STYLE_VSCROLL},
    {1194, ControlKind::Static, "TRC ack delay time (ms)", 13, 38, 115, 8, STYLE_NONE},
    {2018, ControlKind::Edit, "", 130, 35, 52, 14, STYLE_NONE},
    {1125, ControlKind::UpDown, "", 183, 35, 11, 14, UDS_BUDDY},
    {1173, ControlKind::CheckBox, "Tone acknowledge on TRC commands", 7, 62, 190, 10, STYLE_NONE},
    {1195, ControlKind::GroupBox, "Timers", 7, 78, 190, 65, STYLE_NONE},
    {1196, ControlKind::Static, "Line fail check period (s)", 13, 93, 115, 8, STYLE_NONE},
    {2015, ControlKind::Edit, "", 130, 90, 52, 14, STYLE_NONE},
    {1122, ControlKind::UpDown, "", 183, 90, 11, 14, UDS_BUDDY},
    {1197, ControlKind::Static, "PTT max time (s)", 13, 110, 115, 8, STYLE_NONE},
    {2016, ControlKind::Edit, "", 130, 107, 52, 14, STYLE_NONE},
    {1123, ControlKind::UpDown, "", 183, 107, 11, 14, UDS_BUDDY},
    {1198, ControlKind::Static, "PTT block time (s)", 13, 127, 115, 8, STYLE_NONE},
    {2017, ControlKind::Edit, "", 130, 124, 52, 14, STYLE_NONE},
    {1124, ControlKind::UpDown, "", 183, 124, 11, 14, UDS_BUDDY},
    {IDOK, ControlKind::DefPushButton, "OK", 205, 7, 50, 14, STYLE_NONE},
    {IDCANCEL, ControlKind::PushButton, "Cancel", 205, 26, 50, 14, STYLE_NONE},
};

// The fixed labels beside the tone combo boxes are never addressed.
constexpr int IDC_STATIC = -1;

// A TRC tone row: its fixed label and its function combo box, in one of two columns.
constexpr CONTROL_TEMPLATE ToneLabel(const char* text, int column, int row) {
    return {IDC_STATIC, ControlKind::Static, text, 7 + 145 * column, 9 + 16 * row, 48,
            8,          STYLE_NONE};
}
constexpr CONTROL_TEMPLATE ToneCombo(int id, int column, int row) {
    return {id, ControlKind::ComboBox, "", 57 + 145 * column, 7 + 16 * row, 80, 100, STYLE_VSCROLL};
}

// F1 to F8 in the left column, F9 to F15 and the guard tone in the right one.
constexpr CONTROL_TEMPLATE TRC_SETUP_CONTROLS[] = {
    ToneLabel("F1 2050 Hz", 0, 0),
    ToneCombo(1012, 0, 0),
    ToneLabel("F2 1950 Hz", 0, 1),
    ToneCombo(1013, 0, 1),
    ToneLabel("F3 1850 Hz", 0, 2),
    ToneCombo(1014, 0, 2),
    ToneLabel("F4 1750 Hz", 0, 3),
    ToneCombo(1015, 0, 3),
    ToneLabel("F5 1650 Hz", 0, 4),
    ToneCombo(1016, 0, 4),
    ToneLabel("F6 1550 Hz", 0, 5),
    ToneCombo(1017, 0, 5),
    ToneLabel("F7 1450 Hz", 0, 6),
    ToneCombo(1018, 0, 6),
    ToneLabel("F8 1350 Hz", 0, 7),
    ToneCombo(1107, 0, 7),
    ToneLabel("F9 1250 Hz", 1, 0),
    ToneCombo(1108, 1, 0),
    ToneLabel("F10 1150 Hz", 1, 1),
    ToneCombo(1109, 1, 1),
    ToneLabel("F11 1050 Hz", 1, 2),
    ToneCombo(1110, 1, 2),
    ToneLabel("F12 950 Hz", 1, 3),
    ToneCombo(1111, 1, 3),
    ToneLabel("F13 850 Hz", 1, 4),
    ToneCombo(1112, 1, 4),
    ToneLabel("F14 750 Hz", 1, 5),
    ToneCombo(1113, 1, 5),
    ToneLabel("F15 650 Hz", 1, 6),
    ToneCombo(1114, 1, 6),
    {1217, ControlKind::Static, "Guard tone", 152, 121, 48, 8, STYLE_NONE},
    ToneCombo(1115, 1, 7),
    {IDOK, ControlKind::DefPushButton, "OK", 297, 7, 50, 14, STYLE_NONE},
    {IDCANCEL, ControlKind::PushButton, "Cancel", 297, 26, 50, 14, STYLE_NONE},
};

} // namespace

const DIALOG_TEMPLATE SYSTEM_SETUP_TEMPLATE = {
    131, "System Setup", 224, 81, "MS Sans Serif", 8, true, SYSTEM_SETUP_CONTROLS,
};

const DIALOG_TEMPLATE SINGLE_TONES_TEMPLATE = {
    154, "Single tones", 218, 89, "MS Sans Serif", 8, false, SINGLE_TONES_CONTROLS,
};

const DIALOG_TEMPLATE RADIO_INTERFACE_TEMPLATE = {
    148, "Radio Interface", 257, 170, "MS Sans Serif", 8, false, RADIO_INTERFACE_CONTROLS,
};

const DIALOG_TEMPLATE REPEATER_TEMPLATE = {
    149, "Repeater Operation", 297, 146, "MS Sans Serif", 8, false, REPEATER_CONTROLS,
};

const DIALOG_TEMPLATE LINE_INTERFACE_TEMPLATE = {
    150, "Line Interface", 372, 136, "MS Sans Serif", 8, false, LINE_INTERFACE_CONTROLS,
};

const DIALOG_TEMPLATE LINE_OPERATION_TEMPLATE = {
    153, "Line operation", 262, 150, "MS Sans Serif", 8, false, LINE_OPERATION_CONTROLS,
};

const DIALOG_TEMPLATE TRC_SETUP_TEMPLATE = {
    130, "TRC Setup", 354, 142, "MS Sans Serif", 8, false, TRC_SETUP_CONTROLS,
};

const DIALOG_TEMPLATE* FindDialogTemplate(int id) {
    for (const DIALOG_TEMPLATE* t :
         {&SYSTEM_SETUP_TEMPLATE, &SINGLE_TONES_TEMPLATE, &RADIO_INTERFACE_TEMPLATE,
          &REPEATER_TEMPLATE, &LINE_INTERFACE_TEMPLATE, &LINE_OPERATION_TEMPLATE,
          &TRC_SETUP_TEMPLATE, &ENCODER_TEMPLATE, &DECODER_TEMPLATE})
        if (t->id == id)
            return t;
    return nullptr;
}
