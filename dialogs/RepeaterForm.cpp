// The Repeater operation dialog (template 149): hang, block, time-out and knock-down
// timers, the repeater type and the confidence beeps, at image addresses 30, 31, 32, 33,
// 27 and 26. Read-only for the simplex and semi-duplex radio types, except the beeps.
#include "dialogs/FormTable.h"

namespace {

constexpr BINDING_ENTRY BINDINGS[] = {
    {1135, SettingKind::Spinner, 1132}, // knock-down (min)
    {1134, SettingKind::Spinner, 1131}, // time-out
    {1113, SettingKind::Spinner, 1112}, // hang time
    {1115, SettingKind::Spinner, 1114}, // block time
    {1139, SettingKind::CheckBox, 0},   // confidence beeps
    {1179, SettingKind::Combo, 0},      // repeater type
};

constexpr int TRANSLATED[] = {1139, 1171, 1167, 1168, 1170, 1169, 1180, 2, 1};
// The repeater type is not checked: a text matching no row keeps the last selection.
constexpr int VALIDATE_ORDER[] = {1134, 1135, 1113, 1115};
constexpr int COMMIT_ORDER[] = {1113, 1115, 1135, 1134, 1139, 1179};

// Labels and edits of hang, block, time-out and knock-down, then their up-downs, the type
// and the group box; the confidence-beep box stays editable.
constexpr int READ_ONLY[] = {1168, 1112, 1167, 1114, 1169, 1131, 1170, 1132,
                             1135, 1134, 1113, 1115, 1180, 1179, 1171};

// The report names three settings differently from the dialog.
constexpr SETTING_LINE REPORT_LINES[] = {
    {"Repeater hang time (s)", 1113},
    {"Repeater block time (s)", 1115},
    {"Repeater TX max time (s)", 1134},
    {"Repeater mode max time (min)", 1135},
    {"Repeater type", 1179},
    {"Confidence beeps", 1139},
};

constexpr SETTING_LINE LISTED_LINES[] = {
    {"Repeater hang time (s)", 1113},
    {"Repeater block time (s)", 1115},
    {"Repeater time out timer (s)", 1134},
    {"Repeater Knock-Down timer (min)", 1135},
    {"Repeater type", 1179},
    {"Confidence beeps in hang time", 1139},
};

} // namespace

const FORM_TABLE REPEATER_FORM = {
    149,          "Repeater Operation", REPEATER_TABLE, BINDINGS,     TRANSLATED, VALIDATE_ORDER,
    COMMIT_ORDER, "Repeater operation", REPORT_LINES,   LISTED_LINES, {},         READ_ONLY,
};
