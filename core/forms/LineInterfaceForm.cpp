// The Line interface dialog (template 150): two- or four-wire connection, the PL-tone
// detect action, TRC to line, the nominal levels to and from the line and the line
// compensation, at image addresses 37, 36, 35, 42, 41, 40, 38 and 39.
//
// The PL-tone action has no control of its own: a windowless CGenDigit keeps the table's
// first entry (address 36) and three plain radio buttons show it. The line connection is
// two radio buttons sharing address 37; with a byte other than 0 or 1 neither is checked.
#include "core/forms/FormTable.h"
#include "core/lang/CurrentLanguage.h"
#include "core/settings/CDigitLogic.h"

namespace {

using namespace LineInterfaceIds;

constexpr BINDING_ENTRY BINDINGS[] = {
    {TWO_WIRE, SettingKind::RadioButton, 0},
    {FOUR_WIRE, SettingKind::RadioButton, 0},
    {LEVEL_FROM_LINE, SettingKind::Spinner, LEVEL_FROM_LINE_EDIT},
    {LEVEL_TO_LINE, SettingKind::Spinner, LEVEL_TO_LINE_EDIT},
    {GAIN, SettingKind::Spinner, GAIN_EDIT},
    {EQUALIZER, SettingKind::Spinner, EQUALIZER_EDIT},
    {CENTRO_PLUS, SettingKind::Combo, 0},
    {TRC_TO_LINE, SettingKind::CheckBox, 0},
};

constexpr RADIO_CHOICE PL_RADIOS[] = {
    {PL_OFF, "OFF"},
    {PL_RX_AUDIO_INHIBIT, "RX audio inhibit"},
    {PL_SEND_GUARD_TONE, "Send guard tone"},
};

constexpr WINDOWLESS_BINDING WINDOWLESS[] = {{0, PL_RADIOS}};

constexpr int TRANSLATED[] = {
    PL_OFF,           PL_RX_AUDIO_INHIBIT, PL_SEND_GUARD_TONE, TRC_TO_LINE,      TWO_WIRE,
    FOUR_WIRE,        CENTRO_PLUS_LABEL,   EQUALIZER_LABEL,    FROM_LINE_LABEL,  GAIN_LABEL,
    TO_LINE_LABEL,    COMPENSATION_GROUP,  PL_ACTION_GROUP,    CONNECTION_GROUP, LEVEL_GROUP,
    CANCEL_BUTTON_ID, OK_BUTTON_ID,
};
// The level to the line is checked twice, first and last.
constexpr int VALIDATE_ORDER[] = {LEVEL_TO_LINE, LEVEL_FROM_LINE, EQUALIZER, GAIN, LEVEL_TO_LINE};
constexpr int COMMIT_ORDER[] = {TWO_WIRE,  FOUR_WIRE,   LEVEL_FROM_LINE, LEVEL_TO_LINE, GAIN,
                                EQUALIZER, CENTRO_PLUS, TRC_TO_LINE,     PL_ACTION};

const CDigitLogic* PlAction(const CSettingSource& source) {
    return dynamic_cast<const CDigitLogic*>(source.Logic(PL_ACTION));
}

// "Two wire" when its radio button is the chosen one, else "Four wire" (also when neither
// is, for a stored byte other than 0 and 1).
QString LineConnection(const CSettingSource& source) {
    const CSettingLogic* twoWire = source.Logic(TWO_WIRE);
    return Tr(QString::fromLatin1(twoWire && twoWire->IsChecked() ? "Two wire" : "Four wire"),
              source.Language());
}

// The report names the PL-tone action by its list text ("RX AUDIO INHIBIT").
QString PlActionEntryText(const CSettingSource& source) {
    const CDigitLogic* action = PlAction(source);
    return action ? action->EntryText() : QString();
}

// The listing names it as the dialog does, by its radio button ("RX audio inhibit").
QString PlActionRadioText(const CSettingSource& source) {
    const CDigitLogic* action = PlAction(source);
    if (action == nullptr)
        return QString();
    const int value = action->Value();
    if (value < 0 || value >= int(std::size(PL_RADIOS)))
        return action->ShownText();
    return Tr(QString::fromLatin1(PL_RADIOS[value].text), source.Language());
}

constexpr SETTING_LINE REPORT_LINES[] = {
    {"Line connection", TWO_WIRE, LineConnection},
    {"PL tone detect action", PL_ACTION, PlActionEntryText},
    {"Nominal level to line (dBm)", LEVEL_TO_LINE},
    {"Nominal level from line (dBm)", LEVEL_FROM_LINE},
    {"Centro Plus", CENTRO_PLUS},
    {"Gain (dB)", GAIN},
    {"Equalizer (dB)", EQUALIZER},
    {"TRC to line", TRC_TO_LINE},
};

// Each line-connection radio button shows YES when it is the checked one, so that a
// stored byte that checks neither lists as it shows.
constexpr SETTING_LINE LISTED_LINES[] = {
    {"Two wire", TWO_WIRE},
    {"Four wire", FOUR_WIRE},
    {"PL-tone detect action", PL_ACTION, PlActionRadioText},
    {"TRC to line", TRC_TO_LINE},
    {"to line (dBm)", LEVEL_TO_LINE},
    {"from line (dBm)", LEVEL_FROM_LINE},
    {"Centro Plus", CENTRO_PLUS},
    {"Gain (dB)", GAIN},
    {"Equalizer (dB)", EQUALIZER},
};

} // namespace

const FORM_TABLE LINE_INTERFACE_FORM = {
    150,          "Line Interface", LINE_INTERFACE_TABLE, BINDINGS,     TRANSLATED, VALIDATE_ORDER,
    COMMIT_ORDER, "Line interface", REPORT_LINES,         LISTED_LINES, WINDOWLESS,
};
