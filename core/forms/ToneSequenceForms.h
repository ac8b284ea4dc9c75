// The tone telegram dialogs as data: three encoders (the telegrams the unit sends:
// Disconnect, Acknowledge, Alarm) and four decoders (the telegrams it recognises,
// Decoder 1 to 4). One form per kind is written once and instantiated per index; each
// index brings its own descriptor table (so its own bytes of the image) and its name,
// which is the dialog's caption and the report's title.
//
// A telegram is up to eleven tones, one byte each; the telegram ends before the first
// byte 255 ("End"). One of the tones may be prolonged: a radio group of twelve buttons
// (0 "No", 1 to 11) shares the prolonged-tone index byte.
#pragma once

#include "core/forms/FormTable.h"

#include <array>

class CComboLogic;

inline constexpr int ENCODER_COUNT = 3;
inline constexpr int DECODER_COUNT = 4;
inline constexpr int MAX_TONES = 11;
inline constexpr int TONE_END = 255;

// Controls both dialog templates share (the tone combos, the prolonged-tone radios and
// edit are named with the variable tables).
static_assert(std::size(TONE_COMBO_IDS) == MAX_TONES);
inline constexpr int TONE_LABEL_IDS[MAX_TONES] = {2033, 2058, 2059, 2060, 2061, 2062,
                                                  2063, 2064, 2065, 2066, 2067};
inline constexpr int TELEGRAM_SLIDER_ID = 1030;
inline constexpr int PROLONGED_LABEL_ID = 2048;
inline constexpr int NO_LABEL_ID = 2034;

// The form of encoder or decoder index; std::out_of_range for an index that has none.
const FORM_TABLE& EncoderForm(int index);
const FORM_TABLE& DecoderForm(int index);

// The telegram length the tone bindings hold: the number of tones before the first
// value 255, 11 when there is none.
int TelegramLength(const CSettingSource& source);
// The prolonged tone the radio group holds: the first checked button (0 "No", 1 to 11),
// or -1 when none is (a stored index above 11).
int CheckedProlongedTone(const CSettingSource& source);

// OK's end of the telegram at length tones: every tone after it is to be stored as "End",
// while its row keeps showing its text. tones are tone 1 to 11; a null one is skipped.
void EndTelegram(const std::array<CComboLogic*, MAX_TONES>& tones, int length);
// Whether the prolonged tone checked (0 "No", 1 to 11; above 11 none) gives way to "No"
// when the telegram becomes length tones long: it does when it lies beyond the telegram.
bool ProlongedToneGivesWay(int checked, int length);
