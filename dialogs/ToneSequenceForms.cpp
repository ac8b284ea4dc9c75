// The encoder (template 135) and decoder (template 138) forms. Encoder index i edits the
// 14 bytes from 122 + 14 i: preamble length, prolonged tone index, prolonged tone length,
// tones 1 to 11. Decoder index i edits 15 of the 16 bytes from 58 + 16 i: prolonged tone
// index, prolonged tone length, send acknowledge, decoder function, tones 1 to 11; its
// sixteenth byte belongs to no setting.
#include "dialogs/ToneSequenceForms.h"

#include "controls/CComboLogic.h"
#include "controls/CRadioLogic.h"
#include "controls/EntryRules.h"

#include <array>

namespace {

constexpr int ENCODER_TEMPLATE_ID = 135;
constexpr int DECODER_TEMPLATE_ID = 138;
constexpr int PREAMBLE = 2039, PREAMBLE_EDIT = 2038;
constexpr int SEND_ACK = 1147, DECODER_FUNCTION = 1101;
constexpr int ROW_BINDINGS = MAX_TONES + 12; // the tone combos and the radios

constexpr const char* TONE_LABELS[MAX_TONES] = {"Tone 1", "Tone 2",  "Tone 3", "Tone 4",
                                                "Tone 5", "Tone 6",  "Tone 7", "Tone 8",
                                                "Tone 9", "Tone 10", "Tone 11"};

// Attached and stored in this order: the tone combos, the radios, then the kind's own.
template <std::size_t N>
constexpr std::array<BINDING_ENTRY, ROW_BINDINGS + N> WithToneRows(const BINDING_ENTRY (&own)[N]) {
    std::array<BINDING_ENTRY, ROW_BINDINGS + N> bindings{};
    std::size_t n = 0;
    for (const int id : TONE_COMBO_IDS)
        bindings[n++] = {id, SettingKind::Combo, 0};
    for (const int id : PROLONGED_RADIO_IDS)
        bindings[n++] = {id, SettingKind::RadioButton, 0};
    for (const BINDING_ENTRY& entry : own)
        bindings[n++] = entry;
    return bindings;
}

template <std::size_t N>
constexpr std::array<int, N> IdsOf(const std::array<BINDING_ENTRY, N>& bindings) {
    std::array<int, N> ids{};
    for (std::size_t i = 0; i < N; ++i)
        ids[i] = bindings[i].controlId;
    return ids;
}

// OK checks the kind's own spinners or combo first, then the tones 1, 9 down to 2, 11, 10.
template <std::size_t N> constexpr std::array<int, N + MAX_TONES> ThenTones(const int (&own)[N]) {
    constexpr int TONE_ORDER[MAX_TONES] = {1, 9, 8, 7, 6, 5, 4, 3, 2, 11, 10};
    std::array<int, N + MAX_TONES> order{};
    std::size_t n = 0;
    for (const int id : own)
        order[n++] = id;
    for (const int tone : TONE_ORDER)
        order[n++] = TONE_COMBO_IDS[tone - 1];
    return order;
}

QString ProlongedToneText(const CSettingSource& source) {
    const int tone = CheckedProlongedTone(source);
    if (tone == 0)
        return YesNoText(false);
    if (tone > 0)
        return QString::number(tone);
    // No button stands for the stored index: show the unit's number as it is.
    const auto* group = dynamic_cast<const CRadioLogic*>(source.Logic(PROLONGED_RADIO_IDS[0]));
    return group && group->IsAttached() ? QString::number(group->GroupByte()) : QString();
}

QString TelegramLengthText(const CSettingSource& source) {
    return QString::number(TelegramLength(source));
}

// The prolonged tone and the count, the eleven tones, then the kind's own lines.
template <std::size_t N>
constexpr std::array<SETTING_LINE, 2 + MAX_TONES + N> ToneLines(const char* countLabel,
                                                                const SETTING_LINE (&own)[N]) {
    std::array<SETTING_LINE, 2 + MAX_TONES + N> lines{};
    std::size_t n = 0;
    lines[n++] = {"Prolonged tone", PROLONGED_RADIO_IDS[0], ProlongedToneText};
    lines[n++] = {countLabel, 0, TelegramLengthText};
    for (int i = 0; i < MAX_TONES; ++i)
        lines[n++] = {TONE_LABELS[i], TONE_COMBO_IDS[i]};
    for (const SETTING_LINE& line : own)
        lines[n++] = line;
    return lines;
}

// Translated: the kind's own texts, the two captions, the tone labels in the order 1,
// 10, 11, 9 down to 2, the "No" label, then Cancel and OK.
template <std::size_t N> constexpr std::array<int, N + 16> WithSharedTexts(const int (&own)[N]) {
    constexpr int SHARED[] = {1194, 1195, 2033, 2066, 2067, 2065,        2064, 2063,
                              2062, 2061, 2060, 2059, 2058, NO_LABEL_ID, 2,    1};
    std::array<int, N + 16> ids{};
    std::size_t n = 0;
    for (const int id : own)
        ids[n++] = id;
    for (const int id : SHARED)
        ids[n++] = id;
    return ids;
}

// The encoders: the preamble before the first tone, and the prolonged tone length.
constexpr auto ENCODER_BINDINGS = WithToneRows<2>({
    {PREAMBLE, SettingKind::Spinner10, PREAMBLE_EDIT},
    {ENCODER_PROLONGED_ID, SettingKind::Spinner10, PROLONGED_EDIT_ID},
});
constexpr auto ENCODER_STORE_ORDER = IdsOf(ENCODER_BINDINGS);
constexpr auto ENCODER_VALIDATE_ORDER = ThenTones<2>({PREAMBLE, ENCODER_PROLONGED_ID});
constexpr auto ENCODER_TEXTS = WithSharedTexts<2>({2040, PROLONGED_LABEL_ID});
// The report says "(ms)" where the dialog says "(10ms)"; both show the edit's number.
constexpr auto ENCODER_REPORT =
    ToneLines<2>("Number of tones", {
                                        {"Preamble length (ms)", PREAMBLE},
                                        {"Prolonged tone length (ms)", ENCODER_PROLONGED_ID},
                                    });
constexpr auto ENCODER_LISTED =
    ToneLines<2>("Telegram length", {
                                        {"Preamble length (10ms)", PREAMBLE},
                                        {"Prolonged tone (10ms)", ENCODER_PROLONGED_ID},
                                    });

// The decoders: the prolonged tone length, the acknowledge and the repeater function.
constexpr auto DECODER_BINDINGS = WithToneRows<3>({
    {DECODER_PROLONGED_ID, SettingKind::Spinner10, PROLONGED_EDIT_ID},
    {SEND_ACK, SettingKind::CheckBox, 0},
    {DECODER_FUNCTION, SettingKind::Combo, 0},
});
constexpr auto DECODER_STORE_ORDER = IdsOf(DECODER_BINDINGS);
constexpr auto DECODER_VALIDATE_ORDER = ThenTones<2>({DECODER_FUNCTION, DECODER_PROLONGED_ID});
constexpr auto DECODER_TEXTS = WithSharedTexts<3>({SEND_ACK, 1100, PROLONGED_LABEL_ID});
constexpr auto DECODER_REPORT =
    ToneLines<3>("Number of tones", {
                                        {"Send acknowledge", SEND_ACK},
                                        {"Decoder function", DECODER_FUNCTION},
                                        {"Prolonged tone length (ms)", DECODER_PROLONGED_ID},
                                    });
constexpr auto DECODER_LISTED =
    ToneLines<3>("Telegram length", {
                                        {"Prolonged tone length (ms)", DECODER_PROLONGED_ID},
                                        {"Send acknowledge", SEND_ACK},
                                        {"Decoder function", DECODER_FUNCTION},
                                    });

constexpr const char* ENCODER_NAMES[ENCODER_COUNT] = {"Disconnect", "Acknowledge", "Alarm"};
constexpr const char* DECODER_NAMES[DECODER_COUNT] = {"Decoder 1", "Decoder 2", "Decoder 3",
                                                      "Decoder 4"};

FORM_TABLE MakeEncoderForm(int index) {
    return {ENCODER_TEMPLATE_ID, ENCODER_NAMES[index],   EncoderTable(index), ENCODER_BINDINGS,
            ENCODER_TEXTS,       ENCODER_VALIDATE_ORDER, ENCODER_STORE_ORDER, ENCODER_NAMES[index],
            ENCODER_REPORT,      ENCODER_LISTED};
}

FORM_TABLE MakeDecoderForm(int index) {
    return {DECODER_TEMPLATE_ID, DECODER_NAMES[index],   DecoderTable(index), DECODER_BINDINGS,
            DECODER_TEXTS,       DECODER_VALIDATE_ORDER, DECODER_STORE_ORDER, DECODER_NAMES[index],
            DECODER_REPORT,      DECODER_LISTED};
}

} // namespace

const FORM_TABLE& EncoderForm(int index) {
    static const std::array<FORM_TABLE, ENCODER_COUNT> forms = {
        MakeEncoderForm(0), MakeEncoderForm(1), MakeEncoderForm(2)};
    return forms.at(std::size_t(index));
}

const FORM_TABLE& DecoderForm(int index) {
    static const std::array<FORM_TABLE, DECODER_COUNT> forms = {
        MakeDecoderForm(0), MakeDecoderForm(1), MakeDecoderForm(2), MakeDecoderForm(3)};
    return forms.at(std::size_t(index));
}

int TelegramLength(const CSettingSource& source) {
    for (int i = 0; i < MAX_TONES; ++i) {
        const auto* tone = dynamic_cast<const CComboLogic*>(source.Logic(TONE_COMBO_IDS[i]));
        if (tone && tone->Value() == TONE_END)
            return i;
    }
    return MAX_TONES;
}

int CheckedProlongedTone(const CSettingSource& source) {
    for (int k = 0; k < int(std::size(PROLONGED_RADIO_IDS)); ++k) {
        const auto* radio = dynamic_cast<const CRadioLogic*>(source.Logic(PROLONGED_RADIO_IDS[k]));
        if (radio && radio->IsChecked())
            return k;
    }
    return -1;
}
