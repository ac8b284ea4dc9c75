// The System setup dialog (template 131): the country, the options value and the power
// supply alarm supervision, at image addresses 18, 20 and 19.
#include "dialogs/FormTable.h"

namespace {

constexpr BINDING_ENTRY BINDINGS[] = {
    {1006, SettingKind::Combo, 0},
    {1145, SettingKind::Spinner, 1144},
    {1164, SettingKind::CheckBox, 0},
};

constexpr int TRANSLATED[] = {1164, 1215, 1216, 2, 1};
constexpr int VALIDATE_ORDER[] = {1145, 1006};
constexpr int COMMIT_ORDER[] = {1006, 1145, 1164};

// The report names the alarm supervision differently from the check box.
constexpr SETTING_LINE REPORT_LINES[] = {
    {"Country", 1006},
    {"Options", 1145},
    {"Supervise alarms", 1164},
};

constexpr SETTING_LINE LISTED_LINES[] = {
    {"Country", 1006},
    {"Options", 1145},
    {"Monitor power supply alarms", 1164},
};

} // namespace

const FORM_TABLE SYSTEM_SETUP_FORM = {
    131,          "System Setup", SYSTEM_SETUP_TABLE, BINDINGS,     TRANSLATED, VALIDATE_ORDER,
    COMMIT_ORDER, "System Setup", REPORT_LINES,       LISTED_LINES,
};
