// The control IDs of the setup dialogs, each named once. A setting's ID ties its row of the
// variable tables (its image address and value list) to its binding, its orders and its
// report lines in the dialog's form table; the dialog templates place the controls by the
// same numbers. A spinner's setting is its up-down control; its edit box is named *_EDIT.
//
// The numbers clash between dialogs (2014 is a fine-tune level, a single tone and a line
// level), so each dialog's names live in a namespace of their own.
#pragma once

// The buttons every dialog has.
inline constexpr int OK_BUTTON_ID = 1;
inline constexpr int CANCEL_BUTTON_ID = 2;

namespace SystemSetupIds {
inline constexpr int COUNTRY = 1006;
inline constexpr int OPTIONS = 1145, OPTIONS_EDIT = 1144;
inline constexpr int SUPERVISE_ALARMS = 1164;
inline constexpr int COUNTRY_LABEL = 1215, OPTIONS_LABEL = 1216;
} // namespace SystemSetupIds

namespace SingleTonesIds {
inline constexpr int TONE_A = 2014, TONE_A_EDIT = 2015;
inline constexpr int TONE_B = 2021, TONE_B_EDIT = 2020;
inline constexpr int TONE_C = 2019, TONE_C_EDIT = 2018;
inline constexpr int TONE_D = 2017, TONE_D_EDIT = 2016;
inline constexpr int TONE_A_LABEL = 1211, TONE_B_LABEL = 1212, TONE_C_LABEL = 1213,
                     TONE_D_LABEL = 1214;
} // namespace SingleTonesIds

namespace RadioInterfaceIds {
inline constexpr int TONE_SYSTEM = 1107;
inline constexpr int STARTUP_CHANNEL = 1142, STARTUP_CHANNEL_EDIT = 1141;
inline constexpr int SINGLE_CHANNEL = 1174;
inline constexpr int RADIO_TYPE = 1143;
inline constexpr int FINE_TUNE_FROM_RADIO = 2014, FINE_TUNE_FROM_RADIO_EDIT = 2015;
inline constexpr int FINE_TUNE_TO_RADIO = 1165, FINE_TUNE_TO_RADIO_EDIT = 1163;
inline constexpr int TONE_SYSTEM_LABEL = 1186, RADIO_TYPE_LABEL = 1187,
                     STARTUP_CHANNEL_LABEL = 1188, FINE_TUNE_GROUP = 1189, FROM_RADIO_LABEL = 1190,
                     TO_RADIO_LABEL = 1191;
} // namespace RadioInterfaceIds

namespace RepeaterIds {
inline constexpr int HANG_TIME = 1113, HANG_TIME_EDIT = 1112;
inline constexpr int BLOCK_TIME = 1115, BLOCK_TIME_EDIT = 1114;
inline constexpr int TX_MAX_TIME = 1134, TX_MAX_TIME_EDIT = 1131;     // the time-out timer
inline constexpr int MODE_MAX_TIME = 1135, MODE_MAX_TIME_EDIT = 1132; // knock-down, minutes
inline constexpr int REPEATER_TYPE = 1179;
inline constexpr int CONFIDENCE_BEEPS = 1139;
inline constexpr int HANG_TIME_LABEL = 1168, BLOCK_TIME_LABEL = 1167, TX_MAX_TIME_LABEL = 1169,
                     MODE_MAX_TIME_LABEL = 1170, TIMERS_GROUP = 1171, REPEATER_TYPE_LABEL = 1180;
} // namespace RepeaterIds

namespace LineInterfaceIds {
// Two radio buttons sharing one byte.
inline constexpr int TWO_WIRE = 1121, FOUR_WIRE = 1122;
// The PL-tone action's radio buttons; the first is also the ID of its table entry.
inline constexpr int PL_ACTION = 1123, PL_OFF = 1123, PL_RX_AUDIO_INHIBIT = 1124,
                     PL_SEND_GUARD_TONE = 1218;
inline constexpr int TRC_TO_LINE = 1166;
inline constexpr int LEVEL_TO_LINE = 2014, LEVEL_TO_LINE_EDIT = 2015;
inline constexpr int LEVEL_FROM_LINE = 1126, LEVEL_FROM_LINE_EDIT = 1125;
inline constexpr int CENTRO_PLUS = 1146;
inline constexpr int GAIN = 2017, GAIN_EDIT = 2016;
inline constexpr int EQUALIZER = 2019, EQUALIZER_EDIT = 2018;
inline constexpr int CONNECTION_GROUP = 1192, PL_ACTION_GROUP = 1193, LEVEL_GROUP = 1194,
                     TO_LINE_LABEL = 1195, FROM_LINE_LABEL = 1196, COMPENSATION_GROUP = 1197,
                     CENTRO_PLUS_LABEL = 1198, GAIN_LABEL = 1199, EQUALIZER_LABEL = 1200;
} // namespace LineInterfaceIds

namespace LineOperationIds {
inline constexpr int TRC_TONE = 1128;
inline constexpr int ACK_DELAY = 1125, ACK_DELAY_EDIT = 2018; // long-time byte
inline constexpr int TONE_ACK = 1173;
inline constexpr int LINE_FAIL_PERIOD = 1122, LINE_FAIL_PERIOD_EDIT = 2015; // long-time byte
inline constexpr int PTT_MAX_TIME = 1123, PTT_MAX_TIME_EDIT = 2016;
inline constexpr int PTT_BLOCK_TIME = 1124, PTT_BLOCK_TIME_EDIT = 2017;
inline constexpr int ACK_GROUP = 1192, TRC_TONE_LABEL = 1193, ACK_DELAY_LABEL = 1194,
                     TIMERS_GROUP = 1195, LINE_FAIL_LABEL = 1196, PTT_MAX_LABEL = 1197,
                     PTT_BLOCK_LABEL = 1198;
} // namespace LineOperationIds

namespace TrcSetupIds {
// The function combo boxes of the TRC tones F1 (2050 Hz) to F15 (650 Hz).
inline constexpr int TRC_TONE_IDS[15] = {1012, 1013, 1014, 1015, 1016, 1017, 1018, 1107,
                                         1108, 1109, 1110, 1111, 1112, 1113, 1114};
inline constexpr int GUARD_TONE = 1115;
inline constexpr int GUARD_TONE_LABEL = 1217;
} // namespace TrcSetupIds

// The tone telegram dialogs: the encoders' and decoders' templates share their tone rows,
// so these names are shared too.
inline constexpr int TONE_COMBO_IDS[11] = {2078, 2079, 2080, 2081, 2082, 2083,
                                           2084, 2085, 2086, 2087, 2088};
// The twelve prolonged-tone radio buttons, for the values 0 to 11.
inline constexpr int PROLONGED_RADIO_IDS[12] = {2042, 2043, 2044, 2045, 2046, 2057,
                                                2068, 2069, 2070, 2072, 2073, 2074};
// The up-down control of the prolonged tone length on each template, and its edit box.
inline constexpr int ENCODER_PROLONGED_ID = 2047;
inline constexpr int DECODER_PROLONGED_ID = 1149;
inline constexpr int PROLONGED_EDIT_ID = 2041;
inline constexpr int PREAMBLE_ID = 2039, PREAMBLE_EDIT_ID = 2038;    // encoders only
inline constexpr int SEND_ACK_ID = 1147, DECODER_FUNCTION_ID = 1101; // decoders only
