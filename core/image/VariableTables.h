// The static tables that tie each dialog control to its image address and its legal
// values: one VARIABLE_STRUCT table per dialog, each entry pointing at a VALUE_STRUCT list.
//
// A table ends at the entry whose control ID is 0. A value list ends at the first entry
// whose low, high, step and scale are all 0 (an entry 0 "DISABLED" with scale 1 is a real
// entry). Lists are shared between variables and may be entered at any entry: the radio
// buttons of one group point at successive entries of one list.
//
// Stored readings the lists imply:
// - signed levels ("-30" ... "30", "-13" ... "0") are one byte in two's complement:
//   226 is -30, 255 is -1;
// - long times (1..127 step 1, then 130..1270 step 10) are one byte: below 128 the value
//   itself, with bit 7 set (byte AND 127) x 10.
#pragma once

#include "core/image/SettingIds.h"

#include <cstdint>

class CE2prom;

struct VALUE_STRUCT {
    int low;          // first stored value of the entry
    int high;         // last stored value; equal to low for a single value
    int step;         // increment between low and high
    int scale;        // shown value = stored value x scale; 1 everywhere
    const char* text; // English text of a single value; empty for a plain numeric range
};

struct VARIABLE_STRUCT {
    int address;   // image address of the variable
    int controlId; // dialog control that edits it; 0 only in the end entry
    char name[32]; // the variable's object ID, for reference only
    const VALUE_STRUCT* values;
};

// True for the entry that ends a value list.
bool IsEndEntry(const VALUE_STRUCT& entry);
// True for an entry shown by its text (a single value); the end entry never is.
bool IsTextEntry(const VALUE_STRUCT& entry);
// Number of entries before the end entry.
int CountEntries(const VALUE_STRUCT* list);

// Long-time byte conversions: 0x8D <-> 130, 0xFF <-> 1270, 127 <-> 127.
// Values 128 and 129 are stored as 120 (integer division by 10).
int LongTimeToValue(std::uint8_t stored);
std::uint8_t ValueToLongTime(int value);

// The variable of controlId in table: the first entry with that control ID.
// Raises CCtrlErr(objectName, 2) without an image, 3 without a table, 1 when the table's
// end entry is reached.
const VARIABLE_STRUCT& FindVariable(const CE2prom* image, const VARIABLE_STRUCT* table,
                                    int controlId, const char* objectName);

// The value lists.
extern const VALUE_STRUCT COUNTRY_LIST[];
extern const VALUE_STRUCT OPTIONS_LIST[]; // 0 "DISABLED"; 1..99
extern const VALUE_STRUCT FALSE_TRUE_LIST[];
extern const VALUE_STRUCT ON_OFF_LIST[]; // 0 "DISABLED", 1 "ENABLED"
extern const VALUE_STRUCT RADIO_TYPE_LIST[];
extern const VALUE_STRUCT CHANNEL_LIST[]; // 1..8
extern const VALUE_STRUCT TONE_SYSTEM_LIST[];
extern const VALUE_STRUCT FINE_TUNE_LIST[]; // "-30" ... "30", two's complement bytes
extern const VALUE_STRUCT REPEATER_TYPE_LIST[];
extern const VALUE_STRUCT HANG_TIME_LIST[];     // 0 "DISABLED"; 1..30
extern const VALUE_STRUCT BLOCK_TIME_LIST[];    // 0 "DISABLED"; 1..15
extern const VALUE_STRUCT TX_MAX_TIME_LIST[];   // 0 "DISABLED"; 1..240 step 2
extern const VALUE_STRUCT MODE_MAX_TIME_LIST[]; // 0 "DISABLED"; 1..30
extern const VALUE_STRUCT GUARD_TONE_LIST[];
extern const VALUE_STRUCT TRC_FUNCTION_LIST[];
extern const VALUE_STRUCT PL_ACTION_LIST[];
extern const VALUE_STRUCT WIRE_LIST[];             // 0 "TWO_WIRE", 1 "FOUR_WIRE"
extern const VALUE_STRUCT LINE_LEVEL_LIST[];       // "-13" ... "0", two's complement bytes
extern const VALUE_STRUCT GAIN_LIST[];             // 0..20; 255 "AUTO"
extern const VALUE_STRUCT EQUALIZER_LIST[];        // 0..9 step 3; 255 "AUTO"
extern const VALUE_STRUCT LINE_LONG_TIME_LIST[];   // 0 "DISABLED"; 1..127; 130..1270 step 10
extern const VALUE_STRUCT PTT_MAX_LIST[];          // 0 "DISABLED"; 1..240 step 2
extern const VALUE_STRUCT PTT_BLOCK_LIST[];        // 0 "DISABLED"; 1..15
extern const VALUE_STRUCT TRC_TONE_LIST[];         // "F1 2050" ... "F15  650", 255 "NONE"
extern const VALUE_STRUCT SINGLE_TONE_LIST[];      // 0 "DEFAULT"; 300..2800 Hz
extern const VALUE_STRUCT PROLONGED_LENGTH_LIST[]; // 0..127; 130..1270 step 10
extern const VALUE_STRUCT PROLONGED_TONE_LIST[];   // "prol 0" ... "prol 11", one per radio
extern const VALUE_STRUCT DECODER_FUNCTION_LIST[];
extern const VALUE_STRUCT DECODER_TONE_LIST[];
extern const VALUE_STRUCT ENCODER_TONE_LIST[];

// The tables of the ten dialogs.
extern const VARIABLE_STRUCT SYSTEM_SETUP_TABLE[];
extern const VARIABLE_STRUCT RADIO_INTERFACE_TABLE[];
extern const VARIABLE_STRUCT REPEATER_TABLE[];
extern const VARIABLE_STRUCT SINGLE_TONES_TABLE[];
extern const VARIABLE_STRUCT LINE_INTERFACE_TABLE[];
extern const VARIABLE_STRUCT LINE_OPERATION_TABLE[];
extern const VARIABLE_STRUCT TRC_SETUP_TABLE[];

// Encoders 0 Disconnect, 1 Acknowledge, 2 Alarm; decoders 0 to 3. nullptr out of range.
const VARIABLE_STRUCT* EncoderTable(int index);
const VARIABLE_STRUCT* DecoderTable(int index);

// Base addresses of the tone-sequence blocks.
inline constexpr int ENCODER_BASE[3] = {122, 136, 150};
inline constexpr int DECODER_BASE[4] = {58, 74, 90, 106};
