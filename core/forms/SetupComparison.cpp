#include "core/forms/SetupComparison.h"

#include "core/forms/CSettingForm.h"
#include "core/forms/ReportSections.h"
#include "core/image/CE2prom.h"
#include "core/lang/CurrentLanguage.h"

#include <QByteArray>

namespace {

struct SHOWN_SETTING {
    QString section;
    QString label;
    QString value;
};

// Every listed setting of every dialog with its shown value, in the listing's order.
std::vector<SHOWN_SETTING> ShownSettings(CE2prom& image, int language) {
    std::vector<SHOWN_SETTING> shown;
    for (const FORM_TABLE* table : ListedForms()) {
        CSettingForm form(*table, language);
        form.Attach(&image);
        const QString section = Tr(QString::fromLatin1(table->caption), language);
        for (const SETTING_LINE& line : table->listedLines)
            shown.push_back({section, Tr(QString::fromLatin1(line.label), language),
                             line.compute ? line.compute(form) : form.ValueText(line.controlId)});
    }
    return shown;
}

bool SameValues(const std::vector<SHOWN_SETTING>& a, const std::vector<SHOWN_SETTING>& b) {
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].value != b[i].value)
            return false;
    return true;
}

QString Hex(int byte) {
    return QStringLiteral("0x%1").arg(byte, 2, 16, QLatin1Char('0'));
}

} // namespace

SETUP_DIFFERENCES CompareSetups(CE2prom& a, CE2prom& b, int language) {
    SETUP_DIFFERENCES differences;
    const std::vector<SHOWN_SETTING> shownA = ShownSettings(a, language);
    const std::vector<SHOWN_SETTING> shownB = ShownSettings(b, language);
    for (size_t i = 0; i < shownA.size(); ++i)
        if (shownA[i].value != shownB[i].value)
            differences.settings.push_back(
                {shownA[i].section, shownA[i].label, shownA[i].value, shownB[i].value});
    // A differing byte is shown when changing it alone in A changes a shown value.
    CE2prom probe;
    for (int address = 1; address < int(CE2prom::IMAGE_SIZE); ++address) {
        if (a.GetByte(address) == b.GetByte(address))
            continue;
        probe.ReplaceBytes(a.Bytes());
        probe.SetByte(address, b.GetByte(address));
        if (SameValues(shownA, ShownSettings(probe, language)))
            differences.unshownAddresses.push_back(address);
    }
    return differences;
}

QStringList DifferenceLines(const SETUP_DIFFERENCES& differences, const CE2prom& a,
                            const CE2prom& b) {
    QStringList lines;
    for (const SETTING_DIFFERENCE& setting : differences.settings)
        lines << QStringList{setting.section, setting.label, setting.valueA, setting.valueB}.join(
            QStringLiteral(" | "));
    for (const int address : differences.unshownAddresses)
        lines << QStringLiteral("address %1 | %2 | %3")
                     .arg(address)
                     .arg(Hex(a.GetByte(address)), Hex(b.GetByte(address)));
    return lines;
}

QStringList NameSetupDifferences(CE2prom& sent, CE2prom& held) {
    return DifferenceLines(CompareSetups(sent, held, GetCurrentLanguage()), sent, held);
}
