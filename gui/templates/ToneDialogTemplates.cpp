// The tone telegram dialogs' templates: the encoder (135) and the decoder (138). Both
// show the eleven tone rows (label, combo box, and in a column of their own the radio
// buttons that choose the prolonged tone, "No" on top) with the vertical telegram-length
// slider beside them; below the rows each has its own settings.
#include "gui/templates/DialogTemplate.h"

#include <array>

namespace {

constexpr unsigned UDS_BUDDY = UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;

constexpr int ROW_TOP = 18;   // the "No" row; tone i is i rows further down
constexpr int ROW_PITCH = 16; // a combo box and a little air
constexpr int RADIO_X = 160;
constexpr int SHARED_CONTROLS = 2 * 11 + 1 + 12 + 1 + 2 + 2; // rows, "No", radios, slider...
constexpr int ROW_CONTROLS_END = ROW_TOP + 12 * ROW_PITCH;

constexpr int RowY(int row) {
    return ROW_TOP + row * ROW_PITCH;
}

constexpr const char* TONE_TEXTS[11] = {"Tone 1", "Tone 2", "Tone 3", "Tone 4",  "Tone 5", "Tone 6",
                                        "Tone 7", "Tone 8", "Tone 9", "Tone 10", "Tone 11"};
constexpr int LABEL_IDS[11] = {2033, 2058, 2059, 2060, 2061, 2062, 2063, 2064, 2065, 2066, 2067};
constexpr int RADIO_IDS[12] = {2042, 2043, 2044, 2045, 2046, 2057,
                               2068, 2069, 2070, 2072, 2073, 2074};

// In tab order: each tone's label and combo box, the "No" label and the twelve radios
// (one group), the slider with the two captions, then the dialog's own controls, then
// OK and Cancel.
template <std::size_t N>
constexpr std::array<CONTROL_TEMPLATE, SHARED_CONTROLS + N>
ToneDialog(const CONTROL_TEMPLATE (&own)[N]) {
    std::array<CONTROL_TEMPLATE, SHARED_CONTROLS + N> c{};
    std::size_t n = 0;
    for (int i = 0; i < 11; ++i) {
        const int y = RowY(i + 1);
        c[n++] = {LABEL_IDS[i], ControlKind::Static, TONE_TEXTS[i], 5, y + 3, 36, 8, STYLE_NONE};
        c[n++] = {2078 + i, ControlKind::ComboBox, "", 44, y, 100, 100, STYLE_VSCROLL};
    }
    c[n++] = {2034, ControlKind::Static, "No", 5, RowY(0) + 3, 36, 8, STYLE_NONE};
    for (int k = 0; k < 12; ++k)
        c[n++] = {RADIO_IDS[k], ControlKind::RadioButton,         "", RADIO_X, RowY(k) + 2, 10,
                  10,           k == 0 ? STYLE_GROUP : STYLE_NONE};
    c[n++] = {1194, ControlKind::Static, "Prolonged tone", 140, 5, 64, 8, STYLE_NONE};
    c[n++] = {1195, ControlKind::Static, "Telegram length", 208, 5, 72, 8, STYLE_NONE};
    c[n++] = {1030,          ControlKind::Trackbar, "", 214, RowY(1), 18, RowY(11) - RowY(1) + 12,
              STYLE_VERTICAL};
    for (const CONTROL_TEMPLATE& control : own)
        c[n++] = control;
    c[n++] = {IDOK, ControlKind::DefPushButton, "OK", 285, 7, 50, 14, STYLE_NONE};
    c[n++] = {IDCANCEL, ControlKind::PushButton, "Cancel", 285, 25, 50, 14, STYLE_NONE};
    return c;
}

constexpr int LINE_1 = ROW_CONTROLS_END + 9;
constexpr int LINE_2 = LINE_1 + 18;
constexpr int LINE_3 = LINE_2 + 18;

constexpr auto ENCODER_CONTROLS = ToneDialog<6>({
    {2040, ControlKind::Static, "Preamble length (10ms)", 5, LINE_1 + 2, 112, 8, STYLE_NONE},
    {2038, ControlKind::Edit, "", 120, LINE_1, 36, 14, STYLE_NONE},
    {2039, ControlKind::UpDown, "", 157, LINE_1, 10, 14, UDS_BUDDY},
    {2048, ControlKind::Static, "Prolonged tone (10ms)", 5, LINE_2 + 2, 112, 8, STYLE_NONE},
    {2041, ControlKind::Edit, "", 120, LINE_2, 36, 14, STYLE_NONE},
    {2047, ControlKind::UpDown, "", 157, LINE_2, 10, 14, UDS_BUDDY},
});

constexpr auto DECODER_CONTROLS = ToneDialog<6>({
    {2048, ControlKind::Static, "Prolonged tone length (ms)", 5, LINE_1 + 2, 112, 8, STYLE_NONE},
    {2041, ControlKind::Edit, "", 120, LINE_1, 36, 14, STYLE_NONE},
    {1149, ControlKind::UpDown, "", 157, LINE_1, 10, 14, UDS_BUDDY},
    {1100, ControlKind::Static, "Decoder function", 5, LINE_2 + 2, 112, 8, STYLE_NONE},
    {1101, ControlKind::ComboBox, "", 120, LINE_2, 100, 70, STYLE_VSCROLL},
    {1147, ControlKind::CheckBox, "Send acknowledge", 5, LINE_3, 150, 10, STYLE_NONE},
});

} // namespace

const DIALOG_TEMPLATE ENCODER_TEMPLATE = {
    135, "Encoder", 343, LINE_2 + 22, "MS Sans Serif", 8, false, ENCODER_CONTROLS,
};

const DIALOG_TEMPLATE DECODER_TEMPLATE = {
    138, "Decoder", 343, LINE_3 + 18, "MS Sans Serif", 8, false, DECODER_CONTROLS,
};
