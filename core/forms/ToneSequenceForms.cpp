// The encoder (template 135) and decoder (template 138) forms. Encoder index i edits the
// 14 bytes from 122 + 14 i: preamble length, prolonged tone index, prolonged tone length,
// tones 1 to 11. Decoder index i edits 15 of the 16 bytes from 58 + 16 i: prolonged tone
// index, prolonged tone length, send acknowledge, decoder function, tones 1 to 11; its
// sixteenth byte belongs to no setting.
#include "core/forms/ToneSequenceForms.h"

#include "core/settings/CComboLogic.h"
#include "core/settings/CRadioLogic.h"
#include "core/settings/EntryRules.h"

#include <array>

namespace {

constexpr int ENCODER_TEMPLATE_ID = 135;
constexpr int DECODER_TEMPLATE_ID = 138;
// Texts of one kind only: the captions over the radio group and the slider, and the labels
// of the preamble and the decoder function.
constexpr int PROLONGED_CAPTION_ID = 1194, LENGTH_CAPTION_ID = 1195;
constexpr int PREAMBLE_LABEL_ID = 2040, FUNCTION_LABEL_ID = 1100;

// a, then b.
template <class T, std::size_t N, std::size_t M>
constexpr std::array<T, N + M> Concat(const std::array<T, N>& a, const std::array<T, M>& b) {
    std::array<T, N + M> both{};
    for (std::size_t i = 0; i < N; ++i)
        both[i] = a[i];
    for (std::size_t i = 0; i < M; ++i)
        both[N + i] = b[i];
    return both;
}

template <std::size_t N>
constexpr std::array<int, N> IdsOf(const std::array<BINDING_ENTRY, N>& bindings) {
    std::array<int, N> ids{};
    for (std::size_t i = 0; i < N; ++i)
        ids[i] = bindings[i].controlId;
    return ids;
}

// Attached and stored first: the tone combos, then the radios.
constexpr std::array<BINDING_ENTRY, MAX_TONES + 12> ToneRowBindings() {
    std::array<BINDING_ENTRY, MAX_TONES + 12> bindings{};
    std::size_t n = 0;
    for (const int id : TONE_COMBO_IDS)
        bindings[n++] = {id, SettingKind::Combo, 0};
    for (const int id : PROLONGED_RADIO_IDS)
        bindings[n++] = {id, SettingKind::RadioButton, 0};
    return bindings;
}

QString ProlongedToneText(const CSettingSource& source) {
    const int tone = CheckedProlongedTone(source);
    if (tone == 0)
        return YesNoText(false, source.Language());
    if (tone > 0)
        return QString::number(tone);
    // No button stands for the stored index: show the unit's number as it is.
    const auto* group = dynamic_cast<const CRadioLogic*>(source.Logic(PROLONGED_RADIO_IDS[0]));
    return group && group->IsAttached() ? QString::number(group->GroupByte()) : QString();
}

QString TelegramLengthText(const CSettingSource& source) {
    return QString::number(TelegramLength(source));
}

// The prolonged tone and the count (labelled countLabel), then the eleven tones.
constexpr std::array<SETTING_LINE, 2 + MAX_TONES> ToneLines(const char* countLabel) {
    constexpr const char* LABELS[MAX_TONES] = {"Tone 1", "Tone 2",  "Tone 3", "Tone 4",
                                               "Tone 5", "Tone 6",  "Tone 7", "Tone 8",
                                               "Tone 9", "Tone 10", "Tone 11"};
    std::array<SETTING_LINE, 2 + MAX_TONES> lines{};
    lines[0] = {"Prolonged tone", PROLONGED_RADIO_IDS[0], ProlongedToneText};
    lines[1] = {countLabel, 0, TelegramLengthText};
    for (int i = 0; i < MAX_TONES; ++i)
        lines[2 + i] = {LABELS[i], TONE_COMBO_IDS[i]};
    return lines;
}

constexpr auto TONE_ROW_BINDINGS = ToneRowBindings();
// OK checks the kind's own settings first, then the tones 1, 9 down to 2, 11, 10.
constexpr std::array<int, MAX_TONES> TONE_VALIDATE_ORDER = {
    TONE_COMBO_IDS[0], TONE_COMBO_IDS[8],  TONE_COMBO_IDS[7], TONE_COMBO_IDS[6],
    TONE_COMBO_IDS[5], TONE_COMBO_IDS[4],  TONE_COMBO_IDS[3], TONE_COMBO_IDS[2],
    TONE_COMBO_IDS[1], TONE_COMBO_IDS[10], TONE_COMBO_IDS[9]};
// Translated after the kind's own texts: the two captions, the tone labels 1, 10, 11, 9
// down to 2, the "No" label, then Cancel and OK.
constexpr std::array<int, 16> SHARED_TEXTS = {
    PROLONGED_CAPTION_ID, LENGTH_CAPTION_ID, TONE_LABEL_IDS[0], TONE_LABEL_IDS[9],
    TONE_LABEL_IDS[10],   TONE_LABEL_IDS[8], TONE_LABEL_IDS[7], TONE_LABEL_IDS[6],
    TONE_LABEL_IDS[5],    TONE_LABEL_IDS[4], TONE_LABEL_IDS[3], TONE_LABEL_IDS[2],
    TONE_LABEL_IDS[1],    NO_LABEL_ID,       CANCEL_BUTTON_ID,  OK_BUTTON_ID};
constexpr auto REPORT_TONE_LINES = ToneLines("Number of tones");
constexpr auto LISTED_TONE_LINES = ToneLines("Telegram length");

// The encoders: the preamble before the first tone, and the prolonged tone length.
constexpr auto ENCODER_BINDINGS =
    Concat(TONE_ROW_BINDINGS, std::array<BINDING_ENTRY, 2>{{
                                  {PREAMBLE_ID, SettingKind::Spinner10, PREAMBLE_EDIT_ID},
                                  {ENCODER_PROLONGED_ID, SettingKind::Spinner10, PROLONGED_EDIT_ID},
                              }});
constexpr auto ENCODER_STORE_ORDER = IdsOf(ENCODER_BINDINGS);
constexpr auto ENCODER_VALIDATE_ORDER =
    Concat(std::array{PREAMBLE_ID, ENCODER_PROLONGED_ID}, TONE_VALIDATE_ORDER);
constexpr auto ENCODER_TEXTS =
    Concat(std::array{PREAMBLE_LABEL_ID, PROLONGED_LABEL_ID}, SHARED_TEXTS);
// The report says "(ms)" where the dialog says "(10ms)"; both show the edit's number.
constexpr auto ENCODER_REPORT =
    Concat(REPORT_TONE_LINES, std::array<SETTING_LINE, 2>{{
                                  {"Preamble length (ms)", PREAMBLE_ID},
                                  {"Prolonged tone length (ms)", ENCODER_PROLONGED_ID},
                              }});
constexpr auto ENCODER_LISTED =
    Concat(LISTED_TONE_LINES, std::array<SETTING_LINE, 2>{{
                                  {"Preamble length (10ms)", PREAMBLE_ID},
                                  {"Prolonged tone (10ms)", ENCODER_PROLONGED_ID},
                              }});

// The decoders: the prolonged tone length, the acknowledge and the repeater function.
constexpr auto DECODER_BINDINGS =
    Concat(TONE_ROW_BINDINGS, std::array<BINDING_ENTRY, 3>{{
                                  {DECODER_PROLONGED_ID, SettingKind::Spinner10, PROLONGED_EDIT_ID},
                                  {SEND_ACK_ID, SettingKind::CheckBox, 0},
                                  {DECODER_FUNCTION_ID, SettingKind::Combo, 0},
                              }});
constexpr auto DECODER_STORE_ORDER = IdsOf(DECODER_BINDINGS);
constexpr auto DECODER_VALIDATE_ORDER =
    Concat(std::array{DECODER_FUNCTION_ID, DECODER_PROLONGED_ID}, TONE_VALIDATE_ORDER);
constexpr auto DECODER_TEXTS =
    Concat(std::array{SEND_ACK_ID, FUNCTION_LABEL_ID, PROLONGED_LABEL_ID}, SHARED_TEXTS);
constexpr auto DECODER_REPORT =
    Concat(REPORT_TONE_LINES, std::array<SETTING_LINE, 3>{{
                                  {"Send acknowledge", SEND_ACK_ID},
                                  {"Decoder function", DECODER_FUNCTION_ID},
                                  {"Prolonged tone length (ms)", DECODER_PROLONGED_ID},
                              }});
constexpr auto DECODER_LISTED =
    Concat(LISTED_TONE_LINES, std::array<SETTING_LINE, 3>{{
                                  {"Prolonged tone length (ms)", DECODER_PROLONGED_ID},
                                  {"Send acknowledge", SEND_ACK_ID},
                                  {"Decoder function", DECODER_FUNCTION_ID},
                              }});

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
        const CSettingLogic* radio = source.Logic(PROLONGED_RADIO_IDS[k]);
        if (radio && radio->IsChecked())
            return k;
    }
    return -1;
}

void EndTelegram(const std::array<CComboLogic*, MAX_TONES>& tones, int length) {
    for (int tone = length + 1; tone <= MAX_TONES; ++tone)
        if (CComboLogic* logic = tones[std::size_t(tone - 1)])
            logic->TakeValue(TONE_END);
}

bool ProlongedToneGivesWay(int checked, int length) {
    return checked <= MAX_TONES && checked > length;
}
