// The tone tables: which frequency each selective-calling symbol has in each tone system,
// how long a tone lasts there, the four guard tones and the fifteen TRC function tones.
// Data only, in one place (ToneTables.cpp); the README names the published source of each.
#pragma once

#include <array>
#include <span>

class CE2prom;

// Symbols of a telegram: 0 to 9 are the digits, 10 to 14 the tones A to E (E is the repeat
// tone that replaces a tone equal to the one before it).
inline constexpr int TONE_SYMBOL_COUNT = 15;
inline constexpr int REPEAT_SYMBOL = 14;

struct TONE_SYSTEM {
    int value;        // the tone system byte (address 24): 1 ZVEI1 ... 6 EEA
    const char* name; // "ZVEI1", "ZVEI2", "ZVEI3", "CCIR", "CCIR 70", "EEA"
    int toneMs;       // nominal length of one tone
    std::array<double, TONE_SYMBOL_COUNT> hz; // symbol 0..9, A..E
};

// The six systems, in the order of their byte values 1 to 6.
std::span<const TONE_SYSTEM> ToneSystems();
// The system of a tone system byte; a byte no system has gives ZVEI1, as the dialog shows it.
const TONE_SYSTEM& ToneSystemOfByte(int value);
// The system the setup uses (address 24).
const TONE_SYSTEM& ToneSystemOf(const CE2prom& image);

// "0".."9", "A".."E" for symbols 0 to 14.
char SymbolChar(int symbol);

// The guard tones by the guard tone byte (address 34): 2100, 2175, 2325, 3250 Hz.
inline constexpr std::array<double, 4> GUARD_TONES_HZ = {2100, 2175, 2325, 3250};
// The setup's guard tone; a byte above 3 gives 2100 Hz, as the dialog shows it.
double GuardToneHz(const CE2prom& image);

// F1 (2050 Hz) to F15 (650 Hz), 100 Hz apart.
inline constexpr int TRC_FUNCTION_COUNT = 15;
constexpr double TrcFunctionHz(int n) {
    return 2150.0 - 100.0 * n;
}
