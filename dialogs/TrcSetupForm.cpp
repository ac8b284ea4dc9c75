// The TRC setup dialog (template 130): the function of each TRC tone F1 (2050 Hz) to F15
// (650 Hz), at image addresses 164 to 178, and the guard tone at 34. The tone labels are
// fixed texts; the report translates them like any label.
#include "dialogs/FormTable.h"

namespace {

constexpr BINDING_ENTRY BINDINGS[] = {
    {1012, SettingKind::Combo, 0}, {1013, SettingKind::Combo, 0}, {1014, SettingKind::Combo, 0},
    {1015, SettingKind::Combo, 0}, {1016, SettingKind::Combo, 0}, {1017, SettingKind::Combo, 0},
    {1018, SettingKind::Combo, 0}, {1107, SettingKind::Combo, 0}, {1108, SettingKind::Combo, 0},
    {1109, SettingKind::Combo, 0}, {1110, SettingKind::Combo, 0}, {1111, SettingKind::Combo, 0},
    {1112, SettingKind::Combo, 0}, {1113, SettingKind::Combo, 0}, {1114, SettingKind::Combo, 0},
    {1115, SettingKind::Combo, 0}, // guard tone
};

constexpr int TRANSLATED[] = {1217, 2, 1};
// Backwards: the guard tone, then F15 down to F1.
constexpr int VALIDATE_ORDER[] = {1115, 1114, 1113, 1112, 1111, 1110, 1109, 1108,
                                  1107, 1018, 1017, 1016, 1015, 1014, 1013, 1012};
constexpr int COMMIT_ORDER[] = {1012, 1013, 1014, 1015, 1016, 1017, 1018, 1107,
                                1108, 1109, 1110, 1111, 1112, 1113, 1114, 1115};

constexpr SETTING_LINE LINES[] = {
    {"F1 2050 Hz", 1012}, {"F2 1950 Hz", 1013},  {"F3 1850 Hz", 1014},  {"F4 1750 Hz", 1015},
    {"F5 1650 Hz", 1016}, {"F6 1550 Hz", 1017},  {"F7 1450 Hz", 1018},  {"F8 1350 Hz", 1107},
    {"F9 1250 Hz", 1108}, {"F10 1150 Hz", 1109}, {"F11 1050 Hz", 1110}, {"F12 950 Hz", 1111},
    {"F13 850 Hz", 1112}, {"F14 750 Hz", 1113},  {"F15 650 Hz", 1114},  {"Guard tone", 1115},
};

} // namespace

const FORM_TABLE TRC_SETUP_FORM = {
    130,          "TRC Setup", TRC_SETUP_TABLE, BINDINGS, TRANSLATED, VALIDATE_ORDER,
    COMMIT_ORDER, "TRC Setup", LINES,           LINES,
};
