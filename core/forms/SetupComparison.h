// The comparison of two setups as a technician reads them: every setting whose shown value
// differs (through the dialogs' setting logic), then every differing byte that no setting
// shows. karvo-cli diff prints it; write --verify names what the unit holds differently.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class CE2prom;

struct SETTING_DIFFERENCE {
    QString section; // the dialog's caption, translated
    QString label;   // the setting's dialog label, translated
    QString valueA;
    QString valueB;
};

struct SETUP_DIFFERENCES {
    std::vector<SETTING_DIFFERENCE> settings;
    std::vector<int> unshownAddresses; // differing bytes whose change alone no setting shows
    bool Equal() const { return settings.empty() && unshownAddresses.empty(); }
};

// Compares a with b, the texts in language (an index, as GetCurrentLanguage gives).
// Raises CError as the dialogs would.
SETUP_DIFFERENCES CompareSetups(CE2prom& a, CE2prom& b, int language);

// One line per difference: "section | label | value in A | value in B", then
// "address N | 0xAA | 0xBB" for each byte no setting shows.
QStringList DifferenceLines(const SETUP_DIFFERENCES& differences, const CE2prom& a,
                            const CE2prom& b);

// The lines of DifferenceLines for what held holds differently from sent (a write's
// read-back), in the interface language: the namer of the device commands' verify.
QStringList NameSetupDifferences(CE2prom& sent, CE2prom& held);
