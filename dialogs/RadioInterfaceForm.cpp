// The Radio interface dialog (template 148): the tone system, the start-up channel, the
// single-channel flag, the radio type and the two fine-tune levels, at image addresses 24,
// 23, 22, 21, 28 and 29. The radio type decides whether the unit works full duplex.
#include "dialogs/FormTable.h"

namespace {

constexpr BINDING_ENTRY BINDINGS[] = {
    {1142, SettingKind::Spinner, 1141}, // start-up channel
    {2014, SettingKind::Spinner, 2015}, // fine tune from radio
    {1165, SettingKind::Spinner, 1163}, // fine tune to radio
    {1107, SettingKind::Combo, 0},      // tone system
    {1143, SettingKind::Combo, 0},      // radio type
    {1174, SettingKind::CheckBox, 0},   // single channel
};

constexpr int TRANSLATED[] = {1174, 1189, 1190, 1188, 1191, 1186, 1187, 2, 1};
constexpr int VALIDATE_ORDER[] = {1165, 1143, 2014, 1142, 1107};
constexpr int COMMIT_ORDER[] = {1142, 2014, 1165, 1107, 1143, 1174};

// The report names the fine-tune levels in full and leaves out the single channel.
constexpr SETTING_LINE REPORT_LINES[] = {
    {"Fine tune level from radio", 2014},
    {"Fine tune level to radio", 1165},
    {"Tone system", 1107},
    {"Radio type", 1143},
    {"Start up channel", 1142},
};

constexpr SETTING_LINE LISTED_LINES[] = {
    {"Tone system", 1107}, {"Start up channel", 1142},    {"Radio with single channel", 1174},
    {"Radio type", 1143},  {"from radio (0.1 dB)", 2014}, {"to radio (0.1 dB)", 1165},
};

} // namespace

const FORM_TABLE RADIO_INTERFACE_FORM = {
    148,          "Radio Interface", RADIO_INTERFACE_TABLE, BINDINGS,
    TRANSLATED,   VALIDATE_ORDER,    COMMIT_ORDER,          "Radio Interface",
    REPORT_LINES, LISTED_LINES,
};
