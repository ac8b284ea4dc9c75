// The Line operation dialog (template 153): the TRC acknowledge tone and its delay, the
// tone acknowledge on TRC commands, the line failure check period and the PTT limits, at
// image addresses 44, 45, 43, 46, 47 and 48. The delay and the check period are long-time
// bytes (up to 1270).
#include "dialogs/FormTable.h"

namespace {

constexpr BINDING_ENTRY BINDINGS[] = {
    {1122, SettingKind::Spinner10, 2015}, // line fail check period
    {1123, SettingKind::Spinner, 2016},   // PTT max time
    {1124, SettingKind::Spinner, 2017},   // PTT block time
    {1125, SettingKind::Spinner10, 2018}, // TRC ack delay
    {1128, SettingKind::Combo, 0},        // TRC tone
    {1173, SettingKind::CheckBox, 0},     // tone acknowledge
};

constexpr int TRANSLATED[] = {1173, 1196, 1198, 1197, 1195, 1193, 1192, 1194, 2, 1};
constexpr int VALIDATE_ORDER[] = {1128, 1125, 1123, 1124, 1122};
constexpr int COMMIT_ORDER[] = {1122, 1123, 1124, 1125, 1128, 1173};

// The report names the delay and the tone acknowledge differently from the dialog.
constexpr SETTING_LINE REPORT_LINES[] = {
    {"TRC tone", 1128},
    {"Wait for ack time (ms)", 1125},
    {"Tone ack on TRC commands", 1173},
    {"Line fail check period (s)", 1122},
    {"PTT max time (s)", 1123},
    {"PTT block time (s)", 1124},
};

constexpr SETTING_LINE LISTED_LINES[] = {
    {"TRC tone", 1128},
    {"TRC ack delay time (ms)", 1125},
    {"Tone acknowledge on TRC commands", 1173},
    {"Line fail check period (s)", 1122},
    {"PTT max time (s)", 1123},
    {"PTT block time (s)", 1124},
};

} // namespace

const FORM_TABLE LINE_OPERATION_FORM = {
    153,          "Line operation", LINE_OPERATION_TABLE, BINDINGS,     TRANSLATED, VALIDATE_ORDER,
    COMMIT_ORDER, "Line operation", REPORT_LINES,         LISTED_LINES,
};
