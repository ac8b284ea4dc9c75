// The value lists and the variable tables of the ten setup dialogs, entry for entry and
// in table order. The order of a table matters: a binding takes the first entry with its
// control ID, and the line interface's windowless PL-action binding takes entry 0.
#include "core/image/VariableTables.h"

#include "core/image/CE2prom.h"
#include "core/link/CError.h"

#include <array>

namespace {
constexpr VALUE_STRUCT END_OF_LIST = {0, 0, 0, 0, ""};
} // namespace

const VALUE_STRUCT COUNTRY_LIST[] = {
    {0, 0, 0, 1, "SWEDEN"},
    {1, 1, 1, 1, "FRANCE"},
    {2, 2, 2, 1, "GERMANY"},
    {3, 3, 3, 1, "GREAT_BRITAIN"},
    {4, 4, 4, 1, "SPAIN"},
    {5, 5, 5, 1, "PORTUGAL"},
    {6, 6, 6, 1, "ITALY"},
    {7, 7, 7, 1, "NETHERLANDS"},
    {8, 8, 8, 1, "SWITZERLAND"},
    {9, 9, 9, 1, "RUSSIA"},
    END_OF_LIST,
};

const VALUE_STRUCT OPTIONS_LIST[] = {
    {0, 0, 1, 1, "DISABLED"},
    {1, 99, 1, 1, ""},
    END_OF_LIST,
};

const VALUE_STRUCT FALSE_TRUE_LIST[] = {
    {0, 0, 0, 1, "FALSE"},
    {1, 1, 1, 1, "TRUE"},
    END_OF_LIST,
};

const VALUE_STRUCT ON_OFF_LIST[] = {
    {0, 0, 0, 1, "DISABLED"},
    {1, 1, 1, 1, "ENABLED"},
    END_OF_LIST,
};

const VALUE_STRUCT RADIO_TYPE_LIST[] = {
    {0, 0, 0, 1, "GM300 SIMPLEX"},
    {1, 1, 1, 1, "GM300 SEMI DUPLEX"},
    {2, 2, 2, 1, "GM300 RPT"},
    {3, 3, 3, 1, "GM350 SIMPLEX"},
    {4, 4, 4, 1, "GM350 SEMI DUPLEX"},
    {5, 5, 5, 1, "GM350 RPT"},
    {6, 6, 6, 1, "GM350 SIMPLEX, SBEP"},
    {7, 7, 7, 1, "GM350 SEMI DUPLEX, SBEP"},
    {8, 8, 8, 1, "GM350 RPT, SBEP"},
    {9, 9, 9, 1, "GM950 SIMPLEX"},
    {10, 10, 10, 1, "GM950 SEMI DUPLEX"},
    {11, 11, 11, 1, "GM950 RPT"},
    {12, 12, 12, 1, "GM950 SIMPLEX, SBEP, NO PTT UPDATE"},
    {13, 13, 13, 1, "GM950 SEMI DUPLEX, SBEP, NO PTT UPDATE"},
    {14, 14, 14, 1, "GM950 RPT, SBEP, NO PTT UPDATE"},
    {15, 15, 15, 1, "GENERAL SIMPLEX"},
    {16, 16, 16, 1, "GENERAL SEMI DUPLEX"},
    {17, 17, 17, 1, "GENERAL RPT"},
    END_OF_LIST,
};

const VALUE_STRUCT CHANNEL_LIST[] = {
    {1, 8, 1, 1, ""},
    END_OF_LIST,
};

const VALUE_STRUCT TONE_SYSTEM_LIST[] = {
    {1, 1, 1, 1, "ZVEI1"},   {2, 2, 2, 1, "ZVEI2"}, {3, 3, 3, 1, "ZVEI3"}, {4, 4, 4, 1, "CCIR"},
    {5, 5, 5, 1, "CCIR 70"}, {6, 6, 6, 1, "EEA"},   END_OF_LIST,
};

// Tenths of a decibel, -3.0 dB to +3.0 dB, as two's complement bytes: 226 is "-30".
const VALUE_STRUCT FINE_TUNE_LIST[] = {
    {226, 226, 1, 1, "-30"}, {227, 227, 1, 1, "-29"},
    {228, 228, 1, 1, "-28"}, {229, 229, 1, 1, "-27"},
    {230, 230, 1, 1, "-26"}, {231, 231, 1, 1, "-25"},
    {232, 232, 1, 1, "-24"}, {233, 233, 1, 1, "-23"},
    {234, 234, 1, 1, "-22"}, {235, 235, 1, 1, "-21"},
    {236, 236, 1, 1, "-20"}, {237, 237, 1, 1, "-19"},
    {238, 238, 1, 1, "-18"}, {239, 239, 1, 1, "-17"},
    {240, 240, 1, 1, "-16"}, {241, 241, 1, 1, "-15"},
    {242, 242, 1, 1, "-14"}, {243, 243, 1, 1, "-13"},
    {244, 244, 1, 1, "-12"}, {245, 245, 1, 1, "-11"},
    {246, 246, 1, 1, "-10"}, {247, 247, 1, 1, "-9"},
    {248, 248, 1, 1, "-8"},  {249, 249, 1, 1, "-7"},
    {250, 250, 1, 1, "-6"},  {251, 251, 1, 1, "-5"},
    {252, 252, 1, 1, "-4"},  {253, 253, 1, 1, "-3"},
    {254, 254, 1, 1, "-2"},  {255, 255, 1, 1, "-1"},
    {0, 0, 1, 1, "0"},       {1, 1, 1, 1, "1"},
    {2, 2, 1, 1, "2"},       {3, 3, 1, 1, "3"},
    {4, 4, 1, 1, "4"},       {5, 5, 1, 1, "5"},
    {6, 6, 1, 1, "6"},       {7, 7, 1, 1, "7"},
    {8, 8, 1, 1, "8"},       {9, 9, 1, 1, "9"},
    {10, 10, 1, 1, "10"},    {11, 11, 1, 1, "11"},
    {12, 12, 1, 1, "12"},    {13, 13, 1, 1, "13"},
    {14, 14, 1, 1, "14"},    {15, 15, 1, 1, "15"},
    {16, 16, 1, 1, "16"},    {17, 17, 1, 1, "17"},
    {18, 18, 1, 1, "18"},    {19, 19, 1, 1, "19"},
    {20, 20, 1, 1, "20"},    {21, 21, 1, 1, "21"},
    {22, 22, 1, 1, "22"},    {23, 23, 1, 1, "23"},
    {24, 24, 1, 1, "24"},    {25, 25, 1, 1, "25"},
    {26, 26, 1, 1, "26"},    {27, 27, 1, 1, "27"},
    {28, 28, 1, 1, "28"},    {29, 29, 1, 1, "29"},
    {30, 30, 1, 1, "30"},    END_OF_LIST,
};

const VALUE_STRUCT REPEATER_TYPE_LIST[] = {
    {0, 0, 0, 1, "Repeater unconditional"},
    {1, 1, 1, 1, "Repeater type 1"},
    {2, 2, 2, 1, "Repeater type 2"},
    END_OF_LIST,
};

// Seconds.
const VALUE_STRUCT HANG_TIME_LIST[] = {
    {0, 0, 1, 1, "DISABLED"},
    {1, 30, 1, 1, ""},
    END_OF_LIST,
};

// Seconds.
const VALUE_STRUCT BLOCK_TIME_LIST[] = {
    {0, 0, 1, 1, "DISABLED"},
    {1, 15, 1, 1, ""},
    END_OF_LIST,
};

// Seconds; the arrows move by 2 and round down to even numbers.
const VALUE_STRUCT TX_MAX_TIME_LIST[] = {
    {0, 0, 1, 1, "DISABLED"},
    {1, 240, 2, 1, ""},
    END_OF_LIST,
};

// Minutes.
const VALUE_STRUCT MODE_MAX_TIME_LIST[] = {
    {0, 0, 1, 1, "DISABLED"},
    {1, 30, 1, 1, ""},
    END_OF_LIST,
};

// Guard tone frequencies in Hz.
const VALUE_STRUCT GUARD_TONE_LIST[] = {
    {0, 0, 0, 1, "2100"}, {1, 1, 1, 1, "2175"}, {2, 2, 2, 1, "2325"},
    {3, 3, 3, 1, "3250"}, END_OF_LIST,
};

// What a TRC tone frequency does when it arrives from the line.
const VALUE_STRUCT TRC_FUNCTION_LIST[] = {
    {0, 0, 0, 1, "NULL"},
    {1, 1, 1, 1, "MON"},
    {2, 2, 2, 1, "RPT SET UP"},
    {3, 3, 3, 1, "RPT KNOCK DOWN"},
    {4, 4, 4, 1, "CHN1 KEY"},
    {5, 5, 5, 1, "CHN2 KEY"},
    {6, 6, 6, 1, "CHN3 KEY"},
    {7, 7, 7, 1, "CHN4 KEY"},
    {8, 8, 8, 1, "CHN5 KEY"},
    {9, 9, 9, 1, "CHN6 KEY"},
    {10, 10, 10, 1, "CHN7 KEY"},
    {11, 11, 11, 1, "CHN8 KEY"},
    {12, 12, 12, 1, "WC1 ON"},
    {13, 13, 13, 1, "WC1 OFF"},
    {14, 14, 14, 1, "WC2 ON"},
    {15, 15, 15, 1, "WC2 OFF"},
    {16, 16, 16, 1, "RPT ENABLE"},
    {17, 17, 17, 1, "LINE TEST"},
    END_OF_LIST,
};

const VALUE_STRUCT PL_ACTION_LIST[] = {
    {0, 0, 0, 1, "OFF"},
    {1, 1, 1, 1, "RX AUDIO INHIBIT"},
    {2, 2, 2, 1, "SEND GUARD TONE"},
    END_OF_LIST,
};

// The two line-connection radio buttons enter this list at entries 0 and 1.
const VALUE_STRUCT WIRE_LIST[] = {
    {0, 0, 0, 1, "TWO_WIRE"},
    {1, 1, 1, 1, "FOUR_WIRE"},
    END_OF_LIST,
};

// dBm as two's complement bytes: 243 is "-13".
const VALUE_STRUCT LINE_LEVEL_LIST[] = {
    {243, 243, 1, 1, "-13"}, {244, 244, 1, 1, "-12"}, {245, 245, 1, 1, "-11"},
    {246, 246, 1, 1, "-10"}, {247, 247, 1, 1, "-9"},  {248, 248, 1, 1, "-8"},
    {249, 249, 1, 1, "-7"},  {250, 250, 1, 1, "-6"},  {251, 251, 1, 1, "-5"},
    {252, 252, 1, 1, "-4"},  {253, 253, 1, 1, "-3"},  {254, 254, 1, 1, "-2"},
    {255, 255, 1, 1, "-1"},  {0, 0, 1, 1, "0"},       END_OF_LIST,
};

// dB.
const VALUE_STRUCT GAIN_LIST[] = {
    {0, 20, 1, 1, ""},
    {255, 255, 1, 1, "AUTO"},
    END_OF_LIST,
};

// dB.
const VALUE_STRUCT EQUALIZER_LIST[] = {
    {0, 9, 3, 1, ""},
    {255, 255, 1, 1, "AUTO"},
    END_OF_LIST,
};

// Long-time bytes.
const VALUE_STRUCT LINE_LONG_TIME_LIST[] = {
    {0, 0, 1, 1, "DISABLED"},
    {1, 127, 1, 1, ""},
    {130, 1270, 10, 1, ""},
    END_OF_LIST,
};

// Seconds.
const VALUE_STRUCT PTT_MAX_LIST[] = {
    {0, 0, 1, 1, "DISABLED"},
    {1, 240, 2, 1, ""},
    END_OF_LIST,
};

// Seconds.
const VALUE_STRUCT PTT_BLOCK_LIST[] = {
    {0, 0, 1, 1, "DISABLED"},
    {1, 15, 1, 1, ""},
    END_OF_LIST,
};

// TRC tone numbers; the texts of F12 to F15 carry two blanks.
const VALUE_STRUCT TRC_TONE_LIST[] = {
    {1, 1, 1, 1, "F1 2050"},
    {2, 2, 2, 1, "F2 1950"},
    {3, 3, 3, 1, "F3 1850"},
    {4, 4, 4, 1, "F4 1750"},
    {5, 5, 5, 1, "F5 1650"},
    {6, 6, 6, 1, "F6 1550"},
    {7, 7, 7, 1, "F7 1450"},
    {8, 8, 8, 1, "F8 1350"},
    {9, 9, 9, 1, "F9 1250"},
    {10, 10, 10, 1, "F10 1150"},
    {11, 11, 11, 1, "F11 1050"},
    {12, 12, 12, 1, "F12  950"},
    {13, 13, 13, 1, "F13  850"},
    {14, 14, 14, 1, "F14  750"},
    {15, 15, 15, 1, "F15  650"},
    {255, 255, 255, 1, "NONE"},
    END_OF_LIST,
};

// Hz, stored as big-endian words.
const VALUE_STRUCT SINGLE_TONE_LIST[] = {
    {0, 0, 1, 1, "DEFAULT"},
    {300, 2800, 1, 1, ""},
    END_OF_LIST,
};

// Long-time bytes.
const VALUE_STRUCT PROLONGED_LENGTH_LIST[] = {
    {0, 127, 1, 1, ""},
    {130, 1270, 10, 1, ""},
    END_OF_LIST,
};

// Radio button k of the prolonged-tone group points at entry k; its value is k.
const VALUE_STRUCT PROLONGED_TONE_LIST[] = {
    {0, 0, 0, 1, "prol 0"},
    {1, 1, 1, 1, "prol 1"},
    {2, 2, 2, 1, "prol 2"},
    {3, 3, 3, 1, "prol 3"},
    {4, 4, 4, 1, "prol 4"},
    {5, 5, 5, 1, "prol 5"},
    {6, 6, 6, 1, "prol 6"},
    {7, 7, 7, 1, "prol 7"},
    {8, 8, 8, 1, "prol 8"},
    {9, 9, 9, 1, "prol 9"},
    {10, 10, 10, 1, "prol 10"},
    {11, 11, 11, 1, "prol 11"},
    END_OF_LIST,
};

const VALUE_STRUCT DECODER_FUNCTION_LIST[] = {
    {1, 1, 1, 1, "Repeater Set-Up"},  {2, 2, 2, 1, "Repeater Knock Down"},
    {3, 3, 3, 1, "Repeater SU / KD"}, {4, 4, 4, 1, "Repeater Disable"},
    {5, 5, 5, 1, "Repeater Enable"},  END_OF_LIST,
};

const VALUE_STRUCT DECODER_TONE_LIST[] = {
    {0, 0, 0, 1, "Tone 0"},
    {1, 1, 1, 1, "Tone 1"},
    {2, 2, 2, 1, "Tone 2"},
    {3, 3, 3, 1, "Tone 3"},
    {4, 4, 4, 1, "Tone 4"},
    {5, 5, 5, 1, "Tone 5"},
    {6, 6, 6, 1, "Tone 6"},
    {7, 7, 7, 1, "Tone 7"},
    {8, 8, 8, 1, "Tone 8"},
    {9, 9, 9, 1, "Tone 9"},
    {10, 10, 10, 1, "Tone A"},
    {11, 11, 11, 1, "Tone B"},
    {12, 12, 12, 1, "Tone C"},
    {13, 13, 13, 1, "Tone D"},
    {14, 14, 14, 1, "Tone E"},
    {15, 15, 15, 1, "Pause"},
    {64, 64, 64, 1, "Any tone"},
    {255, 255, 255, 1, "End"},
    END_OF_LIST,
};

const VALUE_STRUCT ENCODER_TONE_LIST[] = {
    {0, 0, 0, 1, "Tone 0"},
    {1, 1, 1, 1, "Tone 1"},
    {2, 2, 2, 1, "Tone 2"},
    {3, 3, 3, 1, "Tone 3"},
    {4, 4, 4, 1, "Tone 4"},
    {5, 5, 5, 1, "Tone 5"},
    {6, 6, 6, 1, "Tone 6"},
    {7, 7, 7, 1, "Tone 7"},
    {8, 8, 8, 1, "Tone 8"},
    {9, 9, 9, 1, "Tone 9"},
    {10, 10, 10, 1, "Tone A"},
    {11, 11, 11, 1, "Tone B"},
    {12, 12, 12, 1, "Tone C"},
    {13, 13, 13, 1, "Tone D"},
    {14, 14, 14, 1, "Tone E"},
    {15, 15, 15, 1, "Pause"},
    {112, 112, 112, 1, "Alarm no. and status"},
    {128, 128, 128, 1, "Alarm no. + 1"},
    {144, 144, 144, 1, "Alarm status"},
    {177, 177, 177, 1, "ID 1"},
    {178, 178, 178, 1, "ID 2"},
    {179, 179, 179, 1, "ID 3"},
    {180, 180, 180, 1, "ID 4"},
    {181, 181, 181, 1, "ID 5"},
    {182, 182, 182, 1, "ID 6"},
    {183, 183, 183, 1, "ID 7"},
    {184, 184, 184, 1, "ID 8"},
    {185, 185, 185, 1, "ID 9"},
    {186, 186, 186, 1, "ID 10"},
    {187, 187, 187, 1, "ID 11"},
    {255, 255, 255, 1, "End"},
    END_OF_LIST,
};

namespace {

constexpr VARIABLE_STRUCT Var(int address, int controlId, const char* name,
                              const VALUE_STRUCT* values) {
    VARIABLE_STRUCT v{address, controlId, {}, values};
    for (int i = 0; i < 31 && name[i] != '\0'; ++i)
        v.name[i] = name[i];
    return v;
}

constexpr VARIABLE_STRUCT END_OF_TABLE = {0, 0, {}, nullptr};

constexpr const char* TONE_NAMES[11] = {"Tone 1", "Tone 2", "Tone 3", "Tone 4",  "Tone 5", "Tone 6",
                                        "Tone 7", "Tone 8", "Tone 9", "Tone 10", "Tone 11"};

// Encoder at base e: prolonged length (e+2), preamble (e), the twelve prolonged-tone
// radios sharing e+1, then tones 1 to 11 at e+3 to e+13.
constexpr std::array<VARIABLE_STRUCT, 26> MakeEncoderTable(int e) {
    std::array<VARIABLE_STRUCT, 26> t{};
    int n = 0;
    t[n++] = Var(e + 2, ENCODER_PROLONGED_ID, "prollen", PROLONGED_LENGTH_LIST);
    t[n++] = Var(e, PREAMBLE_ID, "preamble", PROLONGED_LENGTH_LIST);
    for (int k = 0; k < 12; ++k)
        t[n++] = Var(e + 1, PROLONGED_RADIO_IDS[k], "test", &PROLONGED_TONE_LIST[k]);
    for (int i = 0; i < 11; ++i)
        t[n++] = Var(e + 3 + i, TONE_COMBO_IDS[i], TONE_NAMES[i], ENCODER_TONE_LIST);
    t[n] = END_OF_TABLE;
    return t;
}

// Decoder at base d: prolonged length (d+1), send acknowledge (d+2), function (d+3),
// the twelve prolonged-tone radios sharing d, then tones 1 to 11 at d+4 to d+14.
constexpr std::array<VARIABLE_STRUCT, 27> MakeDecoderTable(int d) {
    std::array<VARIABLE_STRUCT, 27> t{};
    int n = 0;
    t[n++] = Var(d + 1, DECODER_PROLONGED_ID, "prollen", PROLONGED_LENGTH_LIST);
    t[n++] = Var(d + 2, SEND_ACK_ID, "send ack", FALSE_TRUE_LIST);
    t[n++] = Var(d + 3, DECODER_FUNCTION_ID, "decoder function", DECODER_FUNCTION_LIST);
    for (int k = 0; k < 12; ++k)
        t[n++] = Var(d, PROLONGED_RADIO_IDS[k], "test", &PROLONGED_TONE_LIST[k]);
    for (int i = 0; i < 11; ++i)
        t[n++] = Var(d + 4 + i, TONE_COMBO_IDS[i], TONE_NAMES[i], DECODER_TONE_LIST);
    t[n] = END_OF_TABLE;
    return t;
}

const std::array<VARIABLE_STRUCT, 26> ENCODER_TABLES[3] = {MakeEncoderTable(ENCODER_BASE[0]),
                                                           MakeEncoderTable(ENCODER_BASE[1]),
                                                           MakeEncoderTable(ENCODER_BASE[2])};

const std::array<VARIABLE_STRUCT, 27> DECODER_TABLES[4] = {
    MakeDecoderTable(DECODER_BASE[0]), MakeDecoderTable(DECODER_BASE[1]),
    MakeDecoderTable(DECODER_BASE[2]), MakeDecoderTable(DECODER_BASE[3])};

} // namespace

const VARIABLE_STRUCT SYSTEM_SETUP_TABLE[] = {
    Var(18, SystemSetupIds::COUNTRY, "slask", COUNTRY_LIST),
    Var(20, SystemSetupIds::OPTIONS, "short spinner", OPTIONS_LIST),
    Var(19, SystemSetupIds::SUPERVISE_ALARMS, "", FALSE_TRUE_LIST),
    END_OF_TABLE,
};

const VARIABLE_STRUCT RADIO_INTERFACE_TABLE[] = {
    Var(22, RadioInterfaceIds::SINGLE_CHANNEL, "_RADIO_WITH_SINGLE_CHANNEL", FALSE_TRUE_LIST),
    Var(24, RadioInterfaceIds::TONE_SYSTEM, "_RADIO_TONE_SYSTEM", TONE_SYSTEM_LIST),
    Var(28, RadioInterfaceIds::FINE_TUNE_FROM_RADIO, "_RPT_LEVEL", FINE_TUNE_LIST),
    Var(29, RadioInterfaceIds::FINE_TUNE_TO_RADIO, "_FINE_TUNE_LEVEL_TO_RADIO", FINE_TUNE_LIST),
    Var(23, RadioInterfaceIds::STARTUP_CHANNEL, "_RADIO_STARTUP_CHANNEL", CHANNEL_LIST),
    Var(21, RadioInterfaceIds::RADIO_TYPE, "_RADIO_TYPE", RADIO_TYPE_LIST),
    END_OF_TABLE,
};

const VARIABLE_STRUCT REPEATER_TABLE[] = {
    Var(27, RepeaterIds::REPEATER_TYPE, "_RPT_TYPE", REPEATER_TYPE_LIST),
    Var(26, RepeaterIds::CONFIDENCE_BEEPS, "_RADIO_CONFIDENCE_BEEPS", ON_OFF_LIST),
    Var(32, RepeaterIds::TX_MAX_TIME, "_RPT_TX_MAX_TIME", TX_MAX_TIME_LIST),
    Var(33, RepeaterIds::MODE_MAX_TIME, "_RPT_MODE_MAX_TIME", MODE_MAX_TIME_LIST),
    Var(30, RepeaterIds::HANG_TIME, "_RPT_HANG_TIME", HANG_TIME_LIST),
    Var(31, RepeaterIds::BLOCK_TIME, "_RPT_BLOCK_TIME", BLOCK_TIME_LIST),
    END_OF_TABLE,
};

const VARIABLE_STRUCT SINGLE_TONES_TABLE[] = {
    Var(50, SingleTonesIds::TONE_A, "single tone 1", SINGLE_TONE_LIST),
    Var(52, SingleTonesIds::TONE_B, "single tone 2", SINGLE_TONE_LIST),
    Var(54, SingleTonesIds::TONE_C, "single tone 3", SINGLE_TONE_LIST),
    Var(56, SingleTonesIds::TONE_D, "single tone 4", SINGLE_TONE_LIST),
    END_OF_TABLE,
};

const VARIABLE_STRUCT LINE_INTERFACE_TABLE[] = {
    Var(36, LineInterfaceIds::PL_ACTION, "_LINE_ACTION_WHEN_PL", PL_ACTION_LIST),
    Var(37, LineInterfaceIds::TWO_WIRE, "_LINE_FOUR_WIRE", &WIRE_LIST[0]),
    Var(37, LineInterfaceIds::FOUR_WIRE, "_LINE_FOUR_WIRE", &WIRE_LIST[1]),
    Var(41, LineInterfaceIds::LEVEL_FROM_LINE, "_NOM_LEVEL_FROM_LINE", LINE_LEVEL_LIST),
    Var(42, LineInterfaceIds::LEVEL_TO_LINE, "_NOM_LEVEL_TO_LINE", LINE_LEVEL_LIST),
    Var(38, LineInterfaceIds::GAIN, "_LINE_LEVEL_COMP", GAIN_LIST),
    Var(39, LineInterfaceIds::EQUALIZER, "_LINE_LEVEL_EQU", EQUALIZER_LIST),
    Var(40, LineInterfaceIds::CENTRO_PLUS, "_LINE_CENTRO_COMP", ON_OFF_LIST),
    Var(35, LineInterfaceIds::TRC_TO_LINE, "_TRC_TO_LINE", ON_OFF_LIST),
    END_OF_TABLE,
};

const VARIABLE_STRUCT LINE_OPERATION_TABLE[] = {
    Var(43, LineOperationIds::TONE_ACK, "_LINE_AUDIO_ACK", ON_OFF_LIST),
    Var(46, LineOperationIds::LINE_FAIL_PERIOD, "_LINE_FAILURE_TIME", LINE_LONG_TIME_LIST),
    Var(45, LineOperationIds::ACK_DELAY, "_LINE_TRC_WAIT_ACK_TIME", LINE_LONG_TIME_LIST),
    Var(47, LineOperationIds::PTT_MAX_TIME, "_LINE_PTT_MAX_TIME", PTT_MAX_LIST),
    Var(48, LineOperationIds::PTT_BLOCK_TIME, "_LINE_PTT_BLOCK_TIME", PTT_BLOCK_LIST),
    Var(44, LineOperationIds::TRC_TONE, "_LINE_TRC_ACK", TRC_TONE_LIST),
    END_OF_TABLE,
};

// Tones F1 to F15 at 164 to 178 (the names repeat: they are labels only), then the
// guard tone at 34 on control 1115.
const VARIABLE_STRUCT TRC_SETUP_TABLE[] = {
    Var(164, TrcSetupIds::TRC_TONE_IDS[0], "combo1", TRC_FUNCTION_LIST),
    Var(165, TrcSetupIds::TRC_TONE_IDS[1], "combo2", TRC_FUNCTION_LIST),
    Var(166, TrcSetupIds::TRC_TONE_IDS[2], "combo3", TRC_FUNCTION_LIST),
    Var(167, TrcSetupIds::TRC_TONE_IDS[3], "combo4", TRC_FUNCTION_LIST),
    Var(168, TrcSetupIds::TRC_TONE_IDS[4], "combo5", TRC_FUNCTION_LIST),
    Var(169, TrcSetupIds::TRC_TONE_IDS[5], "combo6", TRC_FUNCTION_LIST),
    Var(170, TrcSetupIds::TRC_TONE_IDS[6], "combo7", TRC_FUNCTION_LIST),
    Var(171, TrcSetupIds::TRC_TONE_IDS[7], "combo0", TRC_FUNCTION_LIST),
    Var(172, TrcSetupIds::TRC_TONE_IDS[8], "combo1", TRC_FUNCTION_LIST),
    Var(173, TrcSetupIds::TRC_TONE_IDS[9], "combo2", TRC_FUNCTION_LIST),
    Var(174, TrcSetupIds::TRC_TONE_IDS[10], "combo3", TRC_FUNCTION_LIST),
    Var(175, TrcSetupIds::TRC_TONE_IDS[11], "combo4", TRC_FUNCTION_LIST),
    Var(176, TrcSetupIds::TRC_TONE_IDS[12], "combo5", TRC_FUNCTION_LIST),
    Var(177, TrcSetupIds::TRC_TONE_IDS[13], "combo6", TRC_FUNCTION_LIST),
    Var(178, TrcSetupIds::TRC_TONE_IDS[14], "combo7", TRC_FUNCTION_LIST),
    Var(34, TrcSetupIds::GUARD_TONE, "_GUARD_TONE_USED", GUARD_TONE_LIST),
    END_OF_TABLE,
};

const VARIABLE_STRUCT* EncoderTable(int index) {
    if (index < 0 || index >= 3)
        return nullptr;
    return ENCODER_TABLES[index].data();
}

const VARIABLE_STRUCT* DecoderTable(int index) {
    if (index < 0 || index >= 4)
        return nullptr;
    return DECODER_TABLES[index].data();
}

bool IsEndEntry(const VALUE_STRUCT& e) {
    return e.low == 0 && e.high == 0 && e.step == 0 && e.scale == 0;
}

bool IsTextEntry(const VALUE_STRUCT& e) {
    return !IsEndEntry(e) && e.text != nullptr && e.text[0] != '\0';
}

int CountEntries(const VALUE_STRUCT* list) {
    int n = 0;
    while (list && !IsEndEntry(list[n]))
        ++n;
    return n;
}

int LongTimeToValue(std::uint8_t stored) {
    return (stored & 0x80) ? (stored & 0x7F) * 10 : stored;
}

std::uint8_t ValueToLongTime(int value) {
    const unsigned v = unsigned(value);
    if (v <= 127)
        return std::uint8_t(v);
    return std::uint8_t((v / 10) | 0x80);
}

const VARIABLE_STRUCT& FindVariable(const CE2prom* image, const VARIABLE_STRUCT* table,
                                    int controlId, const char* objectName) {
    if (image == nullptr)
        throw CCtrlErr(objectName, 2);
    if (table == nullptr)
        throw CCtrlErr(objectName, 3);
    for (const VARIABLE_STRUCT* entry = table; entry->controlId != 0; ++entry)
        if (entry->controlId == controlId)
            return *entry;
    throw CCtrlErr(objectName, 1);
}
