// Tone plans: the exact sequence of tones (start, length, frequency, level, symbol) that a
// TRC command or one of the setup's seven telegrams puts on the line. Computed from the
// configuration image alone; no sound, no device.
#pragma once

#include <array>
#include <string>
#include <vector>

class CE2prom;

struct TONE_SEGMENT {
    int startMs;
    int lengthMs;
    double hz;          // 0 for silence
    double levelDb;     // relative to the plan's full level (0 dB); silence carries 0
    std::string symbol; // "G" guard, "F1".."F15", "0".."9", "A".."E", "Pause", "Preamble"
};
using TONE_PLAN = std::vector<TONE_SEGMENT>;

// The usual tone-remote sequence: guard tone at full level, the function tone below it,
// then the guard tone held low for as long as the command lasts.
struct TRC_TIMING {
    int guardMs = 120;
    int functionMs = 40;
    double functionDb = -10;
    double holdDb = -30;
    int holdMs = 2000; // 0: a pulse command, no hold segment
};

// F<function> (1 to 15) with the setup's guard tone.
TONE_PLAN TrcCommandPlan(const CE2prom& image, int function, const TRC_TIMING& timing = {});

// The seven telegrams of a setup, in the order of the report.
enum class TelegramId { Decoder1, Decoder2, Decoder3, Decoder4, Disconnect, Acknowledge, Alarm };
inline constexpr int TELEGRAM_COUNT = 7;

struct TELEGRAM_INFO {
    TelegramId id;
    const char* name; // the section caption: "Decoder 1" ... "Alarm" (English)
    bool encoder;     // sent by the unit (Disconnect, Acknowledge, Alarm)
    int base;         // first byte of its block in the image
};
const TELEGRAM_INFO& TelegramInfo(TelegramId id);
// By caption, compared without case; nullptr when no telegram has it.
const TELEGRAM_INFO* FindTelegram(const std::string& name);

// What the telegram's variable tones stand for: "Any tone" of a decoder, and the alarm
// number, status and unit ID digits of an encoder. Digits are symbols 0 to 14.
struct TELEGRAM_VALUES {
    int anyTone = 0;
    int alarmNumber = 1;
    int alarmStatus = 1;
    std::array<int, 11> id = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1}; // ID 1 .. ID 11
};

// The telegram's tone bytes as stored: the bytes before the first "End" (255), all eleven
// when there is none. Plans and meanings both read the telegram through this.
std::vector<int> TelegramBytes(const CE2prom& image, TelegramId id);

// Stored tone bytes that are not a plain symbol (0..14).
inline constexpr int TONE_PAUSE = 15;
inline constexpr int TONE_ANY = 64;
inline constexpr int TONE_ALARM_NUMBER_AND_STATUS = 112;
inline constexpr int TONE_ALARM_NUMBER_PLUS_1 = 128;
inline constexpr int TONE_ALARM_STATUS = 144;
inline constexpr int TONE_ID_1 = 177; // ID 1 .. ID 11 are 177 .. 187

// The telegram as the line carries it: the preamble's silence (encoders), each tone at the
// system's length (the prolonged one at its set length), a tone equal to the one before it
// sent as the repeat tone, "Pause" as one tone length of silence.
TONE_PLAN TelegramPlan(const CE2prom& image, TelegramId id, const TELEGRAM_VALUES& values = {});

// The plan's total length in ms.
int PlanLengthMs(const TONE_PLAN& plan);
