// The Single tones dialog (template 154): the frequencies of tones A to D in hertz, as
// 16-bit words at image addresses 50, 52, 54 and 56 (0 is the unit's default).
#include "core/forms/FormTable.h"

namespace {

using namespace SingleTonesIds;

constexpr BINDING_ENTRY BINDINGS[] = {
    {TONE_A, SettingKind::WordSpinner, TONE_A_EDIT},
    {TONE_B, SettingKind::WordSpinner, TONE_B_EDIT},
    {TONE_C, SettingKind::WordSpinner, TONE_C_EDIT},
    {TONE_D, SettingKind::WordSpinner, TONE_D_EDIT},
};

constexpr int TRANSLATED[] = {TONE_A_LABEL, TONE_B_LABEL,     TONE_C_LABEL,
                              TONE_D_LABEL, CANCEL_BUTTON_ID, OK_BUTTON_ID};
constexpr int VALIDATE_ORDER[] = {TONE_D, TONE_C, TONE_B, TONE_A};
constexpr int COMMIT_ORDER[] = {TONE_A, TONE_B, TONE_C, TONE_D};

constexpr SETTING_LINE LINES[] = {
    {"Single tone A (Hz)", TONE_A},
    {"Single tone B (Hz)", TONE_B},
    {"Single tone C (Hz)", TONE_C},
    {"Single tone D (Hz)", TONE_D},
};

} // namespace

const FORM_TABLE SINGLE_TONES_FORM = {
    154,        "Single tones", SINGLE_TONES_TABLE, BINDINGS,
    TRANSLATED, VALIDATE_ORDER, COMMIT_ORDER,       "Single tones",
    LINES,      LINES,
};
