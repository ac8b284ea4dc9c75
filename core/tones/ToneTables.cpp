// The six tone systems as data. Where published tables disagree (ZVEI2's B, ZVEI3's C,
// EEA's C) the README's "Tone tables and their sources" says which value was taken and why.
#include "core/tones/ToneTables.h"

#include "core/image/CE2prom.h"
#include "core/image/SettingIds.h"
#include "core/image/VariableTables.h"

namespace {

// Symbols 0..9, then A, B, C, D, E (E is the repeat tone everywhere).
constexpr std::array<double, 10> ZVEI_DIGITS = {2400, 1060, 1160, 1270, 1400,
                                                1530, 1670, 1830, 2000, 2200};
constexpr std::array<double, 10> CCIR_DIGITS = {1981, 1124, 1197, 1275, 1358,
                                                1446, 1540, 1640, 1747, 1860};

constexpr std::array<double, TONE_SYMBOL_COUNT> Join(const std::array<double, 10>& digits, double a,
                                                     double b, double c, double d, double e) {
    std::array<double, TONE_SYMBOL_COUNT> hz{};
    for (int i = 0; i < 10; ++i)
        hz[i] = digits[i];
    hz[10] = a;
    hz[11] = b;
    hz[12] = c;
    hz[13] = d;
    hz[14] = e;
    return hz;
}

constexpr TONE_SYSTEM SYSTEMS[] = {
    {1, "ZVEI1", 70, Join(ZVEI_DIGITS, 2800, 810, 970, 885, 2600)},
    {2, "ZVEI2", 70, Join(ZVEI_DIGITS, 885, 810, 740, 680, 970)},
    {3, "ZVEI3", 70, Join(ZVEI_DIGITS, 885, 810, 2800, 680, 970)},
    {4, "CCIR", 100, Join(CCIR_DIGITS, 2400, 930, 2247, 991, 2110)},
    {5, "CCIR 70", 70, Join(CCIR_DIGITS, 2400, 930, 2247, 991, 2110)},
    {6, "EEA", 40, Join(CCIR_DIGITS, 1055, 930, 2247, 991, 2110)},
};

// The image address of a setting, from the dialog table that edits it.
int AddressOf(const CE2prom& image, const VARIABLE_STRUCT* table, int controlId, const char* name) {
    return FindVariable(&image, table, controlId, name).address;
}

} // namespace

std::span<const TONE_SYSTEM> ToneSystems() {
    return SYSTEMS;
}

const TONE_SYSTEM& ToneSystemOfByte(int value) {
    for (const TONE_SYSTEM& system : SYSTEMS)
        if (system.value == value)
            return system;
    return SYSTEMS[0];
}

const TONE_SYSTEM& ToneSystemOf(const CE2prom& image) {
    const int address =
        AddressOf(image, RADIO_INTERFACE_TABLE, RadioInterfaceIds::TONE_SYSTEM, "ToneSystemOf");
    return ToneSystemOfByte(image.GetByte(address));
}

char SymbolChar(int symbol) {
    if (symbol < 0 || symbol >= TONE_SYMBOL_COUNT)
        return '?';
    return symbol < 10 ? char('0' + symbol) : char('A' + symbol - 10);
}

double GuardToneHz(const CE2prom& image) {
    const int address = AddressOf(image, TRC_SETUP_TABLE, TrcSetupIds::GUARD_TONE, "GuardToneHz");
    const int value = image.GetByte(address);
    return value < int(GUARD_TONES_HZ.size()) ? GUARD_TONES_HZ[value] : GUARD_TONES_HZ[0];
}
