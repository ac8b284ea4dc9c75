#include "tools/CliApply.h"

#include "core/forms/SetupComparison.h"
#include "core/image/CE2prom.h"
#include "core/lang/CurrentLanguage.h"
#include "core/link/CError.h"
#include "core/link/CMessages.h"
#include "core/link/CProgress.h"
#include "core/link/ComPortNames.h"
#include "core/link/DeviceCommandFrames.h"
#include "core/link/PortFactory.h"
#include "tools/CliArguments.h"
#include "tools/CliCommon.h"
#include "tools/CliDevice.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace {

// What one apply did, as the --json line and the plain lines report it.
struct APPLY_REPORT {
    QString port;
    QString setup;
    QJsonValue identity;  // null until the unit answered
    QString result;       // "unchanged", "changed", "failed"
    QStringList settings; // "Section | Setting: unit VALUE, setup VALUE"
    QJsonArray settingsJson;
    QString error;
    int status = CLI_OK;
};

QJsonValue IdentityOf(const CE2prom& unit) {
    return QJsonObject{
        {"software", QString::fromLatin1(unit.DeviceSoftwareName())},
        {"version",
         QStringLiteral("V%1.%2").arg(unit.DeviceMajorVersion()).arg(unit.DeviceMinorVersion())},
        {"date", QString::fromLatin1(unit.DeviceSoftwareDate())},
    };
}

// The settings whose shown value differs between what the unit held and the setup, and
// the bytes no setting shows.
void NameDifferences(CE2prom& unit, CE2prom& wanted, APPLY_REPORT& report) {
    try {
        const SETUP_DIFFERENCES differences = CompareSetups(unit, wanted, GetCurrentLanguage());
        for (const SETTING_DIFFERENCE& s : differences.settings) {
            report.settings << QStringLiteral("%1 | %2: unit %3, setup %4")
                                   .arg(s.section, s.label, s.valueA, s.valueB);
            report.settingsJson.append(QJsonObject{{"section", s.section},
                                                   {"setting", s.label},
                                                   {"unit", s.valueA},
                                                   {"setup", s.valueB}});
        }
        for (const int address : differences.unshownAddresses) {
            report.settings << QStringLiteral("address %1: unit 0x%2, setup 0x%3")
                                   .arg(address)
                                   .arg(unit.GetByte(address), 2, 16, QLatin1Char('0'))
                                   .arg(wanted.GetByte(address), 2, 16, QLatin1Char('0'));
            report.settingsJson.append(QJsonObject{{"address", address}});
        }
    } catch (const CError&) {
        // A setting that cannot be shown leaves the naming out; the write goes on.
    }
}

void Fail(APPLY_REPORT& report, const CDeviceOutcome& outcome, bool writing) {
    report.result = QStringLiteral("failed");
    report.status = CliDeviceStatus(outcome, writing);
    report.error = outcome.text.isEmpty() ? outcome.caption : outcome.caption + ": " + outcome.text;
}

// Brings the unit on port to wanted; fills report. progress shows nothing; it takes a stop
// signal as Cancel.
void Apply(CE2prom& wanted, int portIndex, CPort& port, CMessageService& messages, bool confirmRead,
           APPLY_REPORT& report) {
    const auto progress = CliProgress(false);
    // Bytes the dump does not cover must not read as equal.
    CE2prom unit;
    for (int a = 1; a < int(CE2prom::IMAGE_SIZE); ++a)
        unit.SetByte(a, std::uint8_t(~wanted.GetByte(a)));
    const CDeviceOutcome read =
        RunReadDevice(unit, portIndex, port, progress.get(), messages, false, confirmRead);
    if (read.connectResult == LinkOutcome::Connected)
        report.identity = IdentityOf(unit);
    if (!read.ok)
        return Fail(report, read, false);
    if (CliStopRequested()) { // read, but stopped before anything is written
        CDeviceOutcome stopped;
        stopped.caption = QStringLiteral("User aborted");
        return Fail(report, stopped, false);
    }
    if (unit.Bytes().mid(1) == wanted.Bytes().mid(1)) {
        report.result = QStringLiteral("unchanged");
        return;
    }
    NameDifferences(unit, wanted, report);
    // The write reads the unit back: ok means the unit now holds the setup.
    SetSetupDifferenceNamer(NameSetupDifferences);
    const CDeviceOutcome write = RunWriteDevice(wanted, portIndex, port, progress.get(), messages);
    if (!write.ok)
        return Fail(report, write, true);
    report.result = QStringLiteral("changed");
    report.status = CLI_CHANGED;
}

void Print(const APPLY_REPORT& report, bool json, double seconds) {
    if (json) {
        const QJsonObject line{
            {"port", report.port},
            {"setup", report.setup},
            {"identity", report.identity},
            {"result", report.result},
            {"status", report.status},
            {"settings", report.settingsJson},
            {"error", report.error.isEmpty() ? QJsonValue() : QJsonValue(report.error)},
            {"seconds", qRound(seconds * 100) / 100.0},
        };
        std::printf("%s\n", QJsonDocument(line).toJson(QJsonDocument::Compact).constData());
        return;
    }
    if (report.result == QLatin1String("failed")) {
        std::fprintf(stderr, "%s: failed: %s\n", qPrintable(report.port), qPrintable(report.error));
        return;
    }
    std::printf("%s: %s (%.1f s)\n", qPrintable(report.port), qPrintable(report.result), seconds);
    for (const QString& setting : report.settings)
        std::printf("  %s\n", qPrintable(setting));
}

} // namespace

int CliApply(const CCliCommand& command) {
    QElapsedTimer timer;
    timer.start();
    const int portIndex = command.comPort >= 0 ? command.comPort : StoredComPortIndex();
    APPLY_REPORT report;
    report.port = DeviceForPort(portIndex, command.deviceName);
    report.setup = command.files[0];
    CE2prom wanted;
    if (const int status = CliLoad(wanted, report.setup); status != CLI_OK) {
        report.result = QStringLiteral("failed");
        report.status = status;
        report.error = (status == CLI_CANNOT_OPEN ? QStringLiteral("%1 cannot be opened")
                                                  : QStringLiteral("%1 is not a usable setup"))
                           .arg(report.setup);
    } else {
        const auto messages = CliDeviceMessages();
        const auto port = CreateDevicePort(report.port);
        Apply(wanted, portIndex, *port, *messages, command.confirmRead, report);
    }
    Print(report, command.json, timer.elapsed() / 1000.0);
    return report.status;
}
