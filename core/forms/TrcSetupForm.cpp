// The TRC setup dialog (template 130): the function of each TRC tone F1 (2050 Hz) to F15
// (650 Hz), at image addresses 164 to 178, and the guard tone at 34. The tone labels are
// fixed texts; the report translates them like any label.
#include "core/forms/FormTable.h"

#include <array>

namespace {

using namespace TrcSetupIds;

constexpr int TONES = int(std::size(TRC_TONE_IDS));

// The tones F1 to F15, then the guard tone: all combo boxes.
constexpr std::array<BINDING_ENTRY, TONES + 1> Bindings() {
    std::array<BINDING_ENTRY, TONES + 1> bindings{};
    for (int i = 0; i < TONES; ++i)
        bindings[std::size_t(i)] = {TRC_TONE_IDS[i], SettingKind::Combo, 0};
    bindings[TONES] = {GUARD_TONE, SettingKind::Combo, 0};
    return bindings;
}

// Forwards (F1 to F15, then the guard tone) or backwards.
constexpr std::array<int, TONES + 1> Order(bool backwards) {
    std::array<int, TONES + 1> order{};
    for (int i = 0; i <= TONES; ++i)
        order[std::size_t(i)] = Bindings()[std::size_t(backwards ? TONES - i : i)].controlId;
    return order;
}

constexpr auto BINDINGS = Bindings();
constexpr int TRANSLATED[] = {GUARD_TONE_LABEL, CANCEL_BUTTON_ID, OK_BUTTON_ID};
// Backwards: the guard tone, then F15 down to F1.
constexpr auto VALIDATE_ORDER = Order(true);
constexpr auto COMMIT_ORDER = Order(false);

constexpr SETTING_LINE LINES[] = {
    {"F1 2050 Hz", TRC_TONE_IDS[0]},   {"F2 1950 Hz", TRC_TONE_IDS[1]},
    {"F3 1850 Hz", TRC_TONE_IDS[2]},   {"F4 1750 Hz", TRC_TONE_IDS[3]},
    {"F5 1650 Hz", TRC_TONE_IDS[4]},   {"F6 1550 Hz", TRC_TONE_IDS[5]},
    {"F7 1450 Hz", TRC_TONE_IDS[6]},   {"F8 1350 Hz", TRC_TONE_IDS[7]},
    {"F9 1250 Hz", TRC_TONE_IDS[8]},   {"F10 1150 Hz", TRC_TONE_IDS[9]},
    {"F11 1050 Hz", TRC_TONE_IDS[10]}, {"F12 950 Hz", TRC_TONE_IDS[11]},
    {"F13 850 Hz", TRC_TONE_IDS[12]},  {"F14 750 Hz", TRC_TONE_IDS[13]},
    {"F15 650 Hz", TRC_TONE_IDS[14]},  {"Guard tone", GUARD_TONE},
};

} // namespace

const FORM_TABLE TRC_SETUP_FORM = {
    130,          "TRC Setup", TRC_SETUP_TABLE, BINDINGS, TRANSLATED, VALIDATE_ORDER,
    COMMIT_ORDER, "TRC Setup", LINES,           LINES,
};
