// The Repeater operation dialog (template 149): hang, block, time-out and knock-down
// timers, the repeater type and the confidence beeps, at image addresses 30, 31, 32, 33,
// 27 and 26. Read-only for the simplex and semi-duplex radio types, except the beeps.
#include "core/forms/FormTable.h"

namespace {

using namespace RepeaterIds;

constexpr BINDING_ENTRY BINDINGS[] = {
    {MODE_MAX_TIME, SettingKind::Spinner, MODE_MAX_TIME_EDIT},
    {TX_MAX_TIME, SettingKind::Spinner, TX_MAX_TIME_EDIT},
    {HANG_TIME, SettingKind::Spinner, HANG_TIME_EDIT},
    {BLOCK_TIME, SettingKind::Spinner, BLOCK_TIME_EDIT},
    {CONFIDENCE_BEEPS, SettingKind::CheckBox, 0},
    {REPEATER_TYPE, SettingKind::Combo, 0},
};

constexpr int TRANSLATED[] = {CONFIDENCE_BEEPS,    TIMERS_GROUP,        BLOCK_TIME_LABEL,
                              HANG_TIME_LABEL,     MODE_MAX_TIME_LABEL, TX_MAX_TIME_LABEL,
                              REPEATER_TYPE_LABEL, CANCEL_BUTTON_ID,    OK_BUTTON_ID};
// The repeater type is not checked: a text matching no row keeps the last selection.
constexpr int VALIDATE_ORDER[] = {TX_MAX_TIME, MODE_MAX_TIME, HANG_TIME, BLOCK_TIME};
constexpr int COMMIT_ORDER[] = {HANG_TIME,   BLOCK_TIME,       MODE_MAX_TIME,
                                TX_MAX_TIME, CONFIDENCE_BEEPS, REPEATER_TYPE};

// Labels and edits of hang, block, time-out and knock-down, then their up-downs, the type
// and the group box; the confidence-beep box stays editable.
constexpr int READ_ONLY[] = {
    HANG_TIME_LABEL,  HANG_TIME_EDIT,      BLOCK_TIME_LABEL,    BLOCK_TIME_EDIT, TX_MAX_TIME_LABEL,
    TX_MAX_TIME_EDIT, MODE_MAX_TIME_LABEL, MODE_MAX_TIME_EDIT,  MODE_MAX_TIME,   TX_MAX_TIME,
    HANG_TIME,        BLOCK_TIME,          REPEATER_TYPE_LABEL, REPEATER_TYPE,   TIMERS_GROUP,
};

// The report names three settings differently from the dialog.
constexpr SETTING_LINE REPORT_LINES[] = {
    {"Repeater hang time (s)", HANG_TIME},     {"Repeater block time (s)", BLOCK_TIME},
    {"Repeater TX max time (s)", TX_MAX_TIME}, {"Repeater mode max time (min)", MODE_MAX_TIME},
    {"Repeater type", REPEATER_TYPE},          {"Confidence beeps", CONFIDENCE_BEEPS},
};

constexpr SETTING_LINE LISTED_LINES[] = {
    {"Repeater hang time (s)", HANG_TIME},
    {"Repeater block time (s)", BLOCK_TIME},
    {"Repeater time out timer (s)", TX_MAX_TIME},
    {"Repeater Knock-Down timer (min)", MODE_MAX_TIME},
    {"Repeater type", REPEATER_TYPE},
    {"Confidence beeps in hang time", CONFIDENCE_BEEPS},
};

} // namespace

const FORM_TABLE REPEATER_FORM = {
    149,          "Repeater Operation", REPEATER_TABLE, BINDINGS,     TRANSLATED, VALIDATE_ORDER,
    COMMIT_ORDER, "Repeater operation", REPORT_LINES,   LISTED_LINES, {},         READ_ONLY,
};
