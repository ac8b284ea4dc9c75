// The Line interface dialog (template 150): two- or four-wire connection, the PL-tone
// detect action, TRC to line, the nominal levels to and from the line and the line
// compensation, at image addresses 37, 36, 35, 42, 41, 40, 38 and 39.
//
// The PL-tone action has no control of its own: a windowless CGenDigit keeps the table's
// first entry (address 36) and three plain radio buttons show it. The line connection is
// two radio buttons sharing address 37; with a byte other than 0 or 1 neither is checked.
#include "controls/CDigitLogic.h"
#include "controls/CRadioLogic.h"
#include "dialogs/FormTable.h"
#include "lang/CurrentLanguage.h"

namespace {

constexpr int TWO_WIRE = 1121;
constexpr int PL_ACTION = 1123; // the control ID of the table's first entry

constexpr BINDING_ENTRY BINDINGS[] = {
    {TWO_WIRE, SettingKind::RadioButton, 0}, {1122, SettingKind::RadioButton, 0}, // four wire
    {1126, SettingKind::Spinner, 1125},                                           // from line
    {2014, SettingKind::Spinner, 2015},                                           // to line
    {2017, SettingKind::Spinner, 2016},                                           // gain
    {2019, SettingKind::Spinner, 2018},                                           // equalizer
    {1146, SettingKind::Combo, 0},                                                // Centro Plus
    {1166, SettingKind::CheckBox, 0},                                             // TRC to line
};

constexpr RADIO_CHOICE PL_RADIOS[] = {
    {1123, "OFF"},
    {1124, "RX audio inhibit"},
    {1218, "Send guard tone"},
};

constexpr WINDOWLESS_BINDING WINDOWLESS[] = {{0, PL_RADIOS}};

constexpr int TRANSLATED[] = {1123, 1124, 1218, 1166, 1121, 1122, 1198, 1200, 1196,
                              1199, 1195, 1197, 1193, 1192, 1194, 2,    1};
// The level to the line is checked twice, first and last.
constexpr int VALIDATE_ORDER[] = {2014, 1126, 2019, 2017, 2014};
constexpr int COMMIT_ORDER[] = {TWO_WIRE, 1122, 1126, 2014, 2017, 2019, 1146, 1166, PL_ACTION};

const CDigitLogic* PlAction(const CSettingSource& source) {
    return dynamic_cast<const CDigitLogic*>(source.Logic(PL_ACTION));
}

// "Two wire" when its radio button is the chosen one, else "Four wire" (also when neither
// is, for a stored byte other than 0 and 1).
QString LineConnection(const CSettingSource& source) {
    const auto* twoWire = dynamic_cast<const CRadioLogic*>(source.Logic(TWO_WIRE));
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
    {"Nominal level to line (dBm)", 2014},
    {"Nominal level from line (dBm)", 1126},
    {"Centro Plus", 1146},
    {"Gain (dB)", 2017},
    {"Equalizer (dB)", 2019},
    {"TRC to line", 1166},
};

// Each line-connection radio button shows YES when it is the checked one, so that a
// stored byte that checks neither lists as it shows.
constexpr SETTING_LINE LISTED_LINES[] = {
    {"Two wire", TWO_WIRE},
    {"Four wire", 1122},
    {"PL-tone detect action", PL_ACTION, PlActionRadioText},
    {"TRC to line", 1166},
    {"to line (dBm)", 2014},
    {"from line (dBm)", 1126},
    {"Centro Plus", 1146},
    {"Gain (dB)", 2017},
    {"Equalizer (dB)", 2019},
};

} // namespace

const FORM_TABLE LINE_INTERFACE_FORM = {
    150,          "Line Interface", LINE_INTERFACE_TABLE, BINDINGS,     TRANSLATED, VALIDATE_ORDER,
    COMMIT_ORDER, "Line interface", REPORT_LINES,         LISTED_LINES, WINDOWLESS,
};
