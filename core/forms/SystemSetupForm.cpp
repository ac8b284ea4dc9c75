// The System setup dialog (template 131): the country, the options value and the power
// supply alarm supervision, at image addresses 18, 20 and 19.
#include "core/forms/FormTable.h"

namespace {

using namespace SystemSetupIds;

constexpr BINDING_ENTRY BINDINGS[] = {
    {COUNTRY, SettingKind::Combo, 0},
    {OPTIONS, SettingKind::Spinner, OPTIONS_EDIT},
    {SUPERVISE_ALARMS, SettingKind::CheckBox, 0},
};

constexpr int TRANSLATED[] = {SUPERVISE_ALARMS, COUNTRY_LABEL, OPTIONS_LABEL, CANCEL_BUTTON_ID,
                              OK_BUTTON_ID};
constexpr int VALIDATE_ORDER[] = {OPTIONS, COUNTRY};
constexpr int COMMIT_ORDER[] = {COUNTRY, OPTIONS, SUPERVISE_ALARMS};

// The report names the alarm supervision differently from the check box.
constexpr SETTING_LINE REPORT_LINES[] = {
    {"Country", COUNTRY},
    {"Options", OPTIONS},
    {"Supervise alarms", SUPERVISE_ALARMS},
};

constexpr SETTING_LINE LISTED_LINES[] = {
    {"Country", COUNTRY},
    {"Options", OPTIONS},
    {"Monitor power supply alarms", SUPERVISE_ALARMS},
};

} // namespace

const FORM_TABLE SYSTEM_SETUP_FORM = {
    131,          "System Setup", SYSTEM_SETUP_TABLE, BINDINGS,     TRANSLATED, VALIDATE_ORDER,
    COMMIT_ORDER, "System Setup", REPORT_LINES,       LISTED_LINES,
};
