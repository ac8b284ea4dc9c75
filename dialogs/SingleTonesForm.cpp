// The Single tones dialog (template 154): the frequencies of tones A to D in hertz, as
// 16-bit words at image addresses 50, 52, 54 and 56 (0 is the unit's default).
#include "dialogs/FormTable.h"

namespace {

constexpr BINDING_ENTRY BINDINGS[] = {
    {2014, SettingKind::WordSpinner, 2015}, // tone A
    {2021, SettingKind::WordSpinner, 2020}, // tone B
    {2019, SettingKind::WordSpinner, 2018}, // tone C
    {2017, SettingKind::WordSpinner, 2016}, // tone D
};

constexpr int TRANSLATED[] = {1211, 1212, 1213, 1214, 2, 1};
constexpr int VALIDATE_ORDER[] = {2017, 2019, 2021, 2014};
constexpr int COMMIT_ORDER[] = {2014, 2021, 2019, 2017};

constexpr SETTING_LINE LINES[] = {
    {"Single tone A (Hz)", 2014},
    {"Single tone B (Hz)", 2021},
    {"Single tone C (Hz)", 2019},
    {"Single tone D (Hz)", 2017},
};

} // namespace

const FORM_TABLE SINGLE_TONES_FORM = {
    154,        "Single tones", SINGLE_TONES_TABLE, BINDINGS,
    TRANSLATED, VALIDATE_ORDER, COMMIT_ORDER,       "Single tones",
    LINES,      LINES,
};
