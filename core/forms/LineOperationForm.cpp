// The Line operation dialog (template 153): the TRC acknowledge tone and its delay, the
// tone acknowledge on TRC commands, the line failure check period and the PTT limits, at
// image addresses 44, 45, 43, 46, 47 and 48. The delay and the check period are long-time
// bytes (up to 1270).
#include "core/forms/FormTable.h"

namespace {

using namespace LineOperationIds;

constexpr BINDING_ENTRY BINDINGS[] = {
    {LINE_FAIL_PERIOD, SettingKind::Spinner10, LINE_FAIL_PERIOD_EDIT},
    {PTT_MAX_TIME, SettingKind::Spinner, PTT_MAX_TIME_EDIT},
    {PTT_BLOCK_TIME, SettingKind::Spinner, PTT_BLOCK_TIME_EDIT},
    {ACK_DELAY, SettingKind::Spinner10, ACK_DELAY_EDIT},
    {TRC_TONE, SettingKind::Combo, 0},
    {TONE_ACK, SettingKind::CheckBox, 0},
};

constexpr int TRANSLATED[] = {TONE_ACK,         LINE_FAIL_LABEL, PTT_BLOCK_LABEL, PTT_MAX_LABEL,
                              TIMERS_GROUP,     TRC_TONE_LABEL,  ACK_GROUP,       ACK_DELAY_LABEL,
                              CANCEL_BUTTON_ID, OK_BUTTON_ID};
constexpr int VALIDATE_ORDER[] = {TRC_TONE, ACK_DELAY, PTT_MAX_TIME, PTT_BLOCK_TIME,
                                  LINE_FAIL_PERIOD};
constexpr int COMMIT_ORDER[] = {LINE_FAIL_PERIOD, PTT_MAX_TIME, PTT_BLOCK_TIME,
                                ACK_DELAY,        TRC_TONE,     TONE_ACK};

// The report names the delay and the tone acknowledge differently from the dialog.
constexpr SETTING_LINE REPORT_LINES[] = {
    {"TRC tone", TRC_TONE},
    {"Wait for ack time (ms)", ACK_DELAY},
    {"Tone ack on TRC commands", TONE_ACK},
    {"Line fail check period (s)", LINE_FAIL_PERIOD},
    {"PTT max time (s)", PTT_MAX_TIME},
    {"PTT block time (s)", PTT_BLOCK_TIME},
};

constexpr SETTING_LINE LISTED_LINES[] = {
    {"TRC tone", TRC_TONE},
    {"TRC ack delay time (ms)", ACK_DELAY},
    {"Tone acknowledge on TRC commands", TONE_ACK},
    {"Line fail check period (s)", LINE_FAIL_PERIOD},
    {"PTT max time (s)", PTT_MAX_TIME},
    {"PTT block time (s)", PTT_BLOCK_TIME},
};

} // namespace

const FORM_TABLE LINE_OPERATION_FORM = {
    153,          "Line operation", LINE_OPERATION_TABLE, BINDINGS,     TRANSLATED, VALIDATE_ORDER,
    COMMIT_ORDER, "Line operation", REPORT_LINES,         LISTED_LINES,
};
