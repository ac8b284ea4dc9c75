#include "tools/CliDevice.h"

#include "core/forms/SetupComparison.h"
#include "core/image/CBackups.h"
#include "core/image/CE2prom.h"
#include "core/link/CError.h"
#include "core/link/CMessages.h"
#include "core/link/CProgress.h"
#include "core/link/ComPortNames.h"
#include "core/link/DeviceCommandFrames.h"
#include "core/link/PortFactory.h"
#include "tools/CliArguments.h"
#include "tools/CliCommon.h"

#include <QDir>
#include <csignal>
#include <cstdio>
#include <span>

namespace {

// Set by SIGINT or SIGTERM: the exchange under way stops at its next wait, the port is
// closed, nothing is written and the command ends with DEV_USER_ABORTED. The handler then
// gives the signal back its default action, so a second one ends the program at once.
volatile std::sig_atomic_t g_stopSignal = 0;

extern "C" void OnStopSignal(int signal) {
    g_stopSignal = 1;
    std::signal(signal, SIG_DFL);
}

// Exit statuses of the device commands, one per way a command can end.
enum DeviceStatus {
    DEV_NO_REPLY = 10,         // no unit answered the connection
    DEV_USER_ABORTED = 11,     // stopped by the user
    DEV_LINK_ERROR = 12,       // the port failed (missing, in use, unit not connected)
    DEV_NOT_COMPATIBLE = 13,   // the unit's firmware is not RM4811 version 2
    DEV_READ_CHECKSUM = 14,    // read: a damaged record in the dump
    DEV_READ_NO_LINE = 15,     // read: the unit stopped sending
    DEV_WRITE_TIMEOUT = 16,    // write: the unit answered "TIMEOUT!!!"
    DEV_WRITE_FORMAT = 17,     // write: the unit answered "FORMAT ERROR!!!"
    DEV_WRITE_ADDRESS = 18,    // write: the unit answered "ADDRESS ERROR!!!"
    DEV_WRITE_CHECKSUM = 19,   // write: the unit answered "CHECKSUM ERROR!!!"
    DEV_WRITE_UNKNOWN = 20,    // write: the unit answered something else
    DEV_WRITE_NO_VERDICT = 21, // write: no prompt or no verdict in time
    DEV_VERIFY_DIFFERS = 22,   // write: the read-back shows the unit holds something else
    DEV_VERIFY_UNREAD = 23,    // write: the unit could not be read back
    DEV_UNKNOWN = 24,
};

// Error reports (stop boxes) go to stderr at once; outcome boxes are printed by the
// command, on stdout when it succeeded.
class CCliMessages : public CMessageService {
public:
    CCliMessages() { SetMessageService(this); }
    ~CCliMessages() override { SetMessageService(nullptr); }
    MsgAnswer Show(const QString& text, const QString& caption, MsgIcon icon, MsgButtons) override {
        if (icon == MsgIcon::Stop)
            std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
        return MsgAnswer::Yes;
    }
};

// A one-line progress display on stderr: "Reading device ... 42%"; quiet, it shows nothing
// (apply, ports --probe). Either way a stop signal is its Cancel.
class CTextProgress : public CProgress {
public:
    explicit CTextProgress(bool shown) : m_showing(shown) {}
    ~CTextProgress() override {
        if (m_shown)
            std::fputc('\n', stderr);
    }
    void SetCaption(const QString& caption) override { m_caption = caption; }
    void SetMessage(const QString& message) override { m_caption = message; }
    bool PollCancel() override { return CProgress::PollCancel() || CliStopRequested(); }
    bool CancelPending() const override { return CProgress::CancelPending() || CliStopRequested(); }
    bool Ending() const override { return CliStopRequested(); }

protected:
    void ShowRange(int, int) override {}
    void ShowPosition(int, const QString& percentText) override {
        if (!m_showing)
            return;
        std::fprintf(stderr, "\r%s %s   ", qPrintable(m_caption), qPrintable(percentText));
        m_shown = true;
    }

private:
    bool m_showing;
    QString m_caption;
    bool m_shown = false;
};

class CTextProgressFactory : public CProgressFactory {
public:
    explicit CTextProgressFactory(bool shown = true) : m_shown(shown) {}
    std::unique_ptr<CProgress> CreateProgress() override {
        return std::make_unique<CTextProgress>(m_shown);
    }

private:
    bool m_shown;
};

// The exit status of each result code, per phase of a command.
struct STATUS_ROW {
    LinkOutcome result;
    int status;
};

const STATUS_ROW CONNECT_STATUSES[] = {
    {LinkOutcome::NoReply, DEV_NO_REPLY},
    {LinkOutcome::UserAborted, DEV_USER_ABORTED},
    {LinkOutcome::ErrorReported, DEV_LINK_ERROR},
};

// After a connection.
const STATUS_ROW READ_STATUSES[] = {
    {LinkOutcome::OtherFirmware, DEV_NOT_COMPATIBLE},
    {LinkOutcome::UserAborted, DEV_USER_ABORTED},
    {LinkOutcome::ErrorReported, DEV_LINK_ERROR},
    {LinkOutcome::BadChecksum, DEV_READ_CHECKSUM},
    {LinkOutcome::RecordBroken, DEV_READ_CHECKSUM},
    {LinkOutcome::DumpIncomplete, DEV_READ_CHECKSUM},
    {LinkOutcome::EndRecordBroken, DEV_READ_CHECKSUM},
    {LinkOutcome::DumpsDisagree, DEV_READ_CHECKSUM},
    {LinkOutcome::NoReply, DEV_READ_NO_LINE},
};

const STATUS_ROW WRITE_STATUSES[] = {
    {LinkOutcome::OtherFirmware, DEV_NOT_COMPATIBLE},
    {LinkOutcome::UserAborted, DEV_USER_ABORTED},
    {LinkOutcome::ErrorReported, DEV_LINK_ERROR},
    {LinkOutcome::UnitTimeout, DEV_WRITE_TIMEOUT},
    {LinkOutcome::UnitFormatError, DEV_WRITE_FORMAT},
    {LinkOutcome::UnitAddressError, DEV_WRITE_ADDRESS},
    {LinkOutcome::UnitChecksumError, DEV_WRITE_CHECKSUM},
    {LinkOutcome::UnknownVerdict, DEV_WRITE_UNKNOWN},
    {LinkOutcome::NoReply, DEV_WRITE_NO_VERDICT},
};

// The status of result in rows; DEV_UNKNOWN for a result the rows do not name.
int StatusIn(std::span<const STATUS_ROW> rows, LinkOutcome result) {
    for (const STATUS_ROW& row : rows)
        if (row.result == result)
            return row.status;
    return DEV_UNKNOWN;
}

int StatusOf(const CDeviceOutcome& o, bool writing) {
    if (o.ok)
        return CLI_OK;
    if (CliStopRequested())
        return DEV_USER_ABORTED;
    if (o.verifyResult == VERIFY_DIFFERS)
        return DEV_VERIFY_DIFFERS;
    if (o.verifyResult == VERIFY_UNREAD)
        return DEV_VERIFY_UNREAD;
    if (o.connectResult != LinkOutcome::Connected)
        return StatusIn(CONNECT_STATUSES, o.connectResult);
    return StatusIn(writing ? std::span<const STATUS_ROW>(WRITE_STATUSES)
                            : std::span<const STATUS_ROW>(READ_STATUSES),
                    o.exchangeResult);
}

// Prints the outcome box: on stdout when the command succeeded, else on stderr.
int Finish(const CDeviceOutcome& o, bool writing) {
    const int status = StatusOf(o, writing);
    const QString line = o.text.isEmpty() ? o.caption : o.caption + QStringLiteral(": ") + o.text;
    std::fprintf(status == CLI_OK ? stdout : stderr, "%s\n", qPrintable(line));
    return status;
}

// The port index of the command's --com, else the COM port chosen in the main window.
int PortIndexOf(const CCliCommand& command) {
    return command.comPort >= 0 ? command.comPort : StoredComPortIndex();
}

// The port of that index; --port names the device outright.
std::unique_ptr<CPort> PortOf(const CCliCommand& command) {
    return CreateDevicePort(DeviceForPort(PortIndexOf(command), command.deviceName));
}

} // namespace

void InstallCliStopSignals() {
    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
}

bool CliStopRequested() {
    return g_stopSignal != 0;
}

std::unique_ptr<CProgressFactory> CliProgress(bool shown) {
    return std::make_unique<CTextProgressFactory>(shown);
}

int CliInfo(const CCliCommand& command) {
    CCliMessages messages;
    CTextProgressFactory progress;
    const int portIndex = PortIndexOf(command);
    const auto portObject = PortOf(command);
    CPort& port = *portObject;
    CE2prom image;
    return Finish(RunDeviceInformation(image, portIndex, port, &progress, messages), false);
}

int CliRead(const CCliCommand& command) {
    const QString& out = command.files[0];
    CCliMessages messages;
    CTextProgressFactory progress;
    const int portIndex = PortIndexOf(command);
    const auto portObject = PortOf(command);
    CPort& port = *portObject;
    CE2prom image;
    const int status = Finish(
        RunReadDevice(image, portIndex, port, &progress, messages, true, command.confirmRead),
        false);
    if (status != CLI_OK)
        return status;
    if (CliStopRequested())
        return DEV_USER_ABORTED;
    // Whatever OUT holds (a setup, a text setup, anything) is kept as it was before the
    // read replaces it; a file that cannot be kept is not replaced.
    bool kept = false;
    CBackups::SaveFile(out, QStringLiteral("replaced"), kept);
    if (!kept) {
        CliError(
            QStringLiteral("cannot keep a backup of %1 in %2; %1 is left as it was")
                .arg(QDir::toNativeSeparators(out), QDir::toNativeSeparators(CBackups::Folder())));
        return CLI_CANNOT_WRITE;
    }
    return CliSave(image, out);
}

int CliWrite(const CCliCommand& command) {
    CE2prom image;
    if (const int status = CliLoad(image, command.files[0]); status != CLI_OK)
        return status;
    CCliMessages messages;
    CTextProgressFactory progress;
    const int portIndex = PortIndexOf(command);
    const auto portObject = PortOf(command);
    SetSetupDifferenceNamer(NameSetupDifferences);
    const CDeviceOutcome outcome = RunWriteDevice(image, portIndex, *portObject, &progress,
                                                  messages, QString(), command.verify);
    const int status = Finish(outcome, true);
    if (outcome.verifyResult == VERIFY_MATCHED)
        std::printf("Verify: addresses 1 to 210 match\n");
    return status;
}

int CliDeviceStatus(const CDeviceOutcome& outcome, bool writing) {
    return StatusOf(outcome, writing);
}

std::unique_ptr<CMessageService> CliDeviceMessages() {
    return std::make_unique<CCliMessages>();
}
