// The Radio interface dialog (template 148): the tone system, the start-up channel, the
// single-channel flag, the radio type and the two fine-tune levels, at image addresses 24,
// 23, 22, 21, 28 and 29. The radio type decides whether the unit works full duplex.
#include "core/forms/FormTable.h"

namespace {

using namespace RadioInterfaceIds;

constexpr BINDING_ENTRY BINDINGS[] = {
    {STARTUP_CHANNEL, SettingKind::Spinner, STARTUP_CHANNEL_EDIT},
    {FINE_TUNE_FROM_RADIO, SettingKind::Spinner, FINE_TUNE_FROM_RADIO_EDIT},
    {FINE_TUNE_TO_RADIO, SettingKind::Spinner, FINE_TUNE_TO_RADIO_EDIT},
    {TONE_SYSTEM, SettingKind::Combo, 0},
    {RADIO_TYPE, SettingKind::Combo, 0},
    {SINGLE_CHANNEL, SettingKind::CheckBox, 0},
};

constexpr int TRANSLATED[] = {SINGLE_CHANNEL,        FINE_TUNE_GROUP,  FROM_RADIO_LABEL,
                              STARTUP_CHANNEL_LABEL, TO_RADIO_LABEL,   TONE_SYSTEM_LABEL,
                              RADIO_TYPE_LABEL,      CANCEL_BUTTON_ID, OK_BUTTON_ID};
constexpr int VALIDATE_ORDER[] = {FINE_TUNE_TO_RADIO, RADIO_TYPE, FINE_TUNE_FROM_RADIO,
                                  STARTUP_CHANNEL, TONE_SYSTEM};
constexpr int COMMIT_ORDER[] = {STARTUP_CHANNEL, FINE_TUNE_FROM_RADIO, FINE_TUNE_TO_RADIO,
                                TONE_SYSTEM,     RADIO_TYPE,           SINGLE_CHANNEL};

// The report names the fine-tune levels in full and leaves out the single channel.
constexpr SETTING_LINE REPORT_LINES[] = {
    {"Fine tune level from radio", FINE_TUNE_FROM_RADIO},
    {"Fine tune level to radio", FINE_TUNE_TO_RADIO},
    {"Tone system", TONE_SYSTEM},
    {"Radio type", RADIO_TYPE},
    {"Start up channel", STARTUP_CHANNEL},
};

constexpr SETTING_LINE LISTED_LINES[] = {
    {"Tone system", TONE_SYSTEM},
    {"Start up channel", STARTUP_CHANNEL},
    {"Radio with single channel", SINGLE_CHANNEL},
    {"Radio type", RADIO_TYPE},
    {"from radio (0.1 dB)", FINE_TUNE_FROM_RADIO},
    {"to radio (0.1 dB)", FINE_TUNE_TO_RADIO},
};

} // namespace

const FORM_TABLE RADIO_INTERFACE_FORM = {
    148,          "Radio Interface", RADIO_INTERFACE_TABLE, BINDINGS,
    TRANSLATED,   VALIDATE_ORDER,    COMMIT_ORDER,          "Radio Interface",
    REPORT_LINES, LISTED_LINES,
};
