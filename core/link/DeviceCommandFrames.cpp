#include "core/link/DeviceCommandFrames.h"

#include "core/image/CBackups.h"
#include "core/image/CE2prom.h"
#include "core/lang/CFileLocations.h"
#include "core/lang/CurrentLanguage.h"
#include "core/link/CDeviceLink.h"
#include "core/link/CError.h"
#include "core/link/CHeldBoxes.h"

#include <algorithm>

namespace {

// Link settings of every device command besides the port and the attempts.
constexpr int LINE_TERMINATOR = 13;
constexpr int BAUD_RATE = 9600;
constexpr char PARITY = 'N';
constexpr int DATA_BITS = 8;
constexpr int STOP_BITS = 1;

// One outcome box of a phase: the box text for a result, or nullptr for the error text
// that a reported link failure left; the caption, or nullptr for the phase's caption.
struct OUTCOME_ROW {
    LinkOutcome result;
    const char* text;
    const char* caption;
};

const char* const CONNECT_CAPTION = "Error connecting to device";
const OUTCOME_ROW CONNECT_ROWS[] = {
    {LinkOutcome::NoReply, "No reply from device", nullptr},
    {LinkOutcome::UserAborted, "User aborted", nullptr},
    {LinkOutcome::ErrorReported, nullptr, nullptr},
};

const char* const READ_CAPTION = "Error reading device";
const OUTCOME_ROW READ_ROWS[] = {
    {LinkOutcome::ReceptionOk, "Reception OK", "Reading device"},
    {LinkOutcome::BadChecksum, "Checksum error", nullptr},
    {LinkOutcome::RecordBroken, "Damaged record in the dump", nullptr},
    {LinkOutcome::EndRecordBroken, "Damaged end record in the dump", nullptr},
    {LinkOutcome::DumpsDisagree,
     "The line is too noisy to read the unit reliably: three dumps of the unit disagree.", nullptr},
    {LinkOutcome::NoReply, "No connection", nullptr}, // the unit stopped sending
    {LinkOutcome::UserAborted, "User aborted", nullptr},
    {LinkOutcome::ErrorReported, nullptr, nullptr},
};

const char* const WRITE_CAPTION = "Error writing device";
const OUTCOME_ROW WRITE_ROWS[] = {
    {LinkOutcome::SavedOk, "Writing device OK", "Writing device"},
    {LinkOutcome::UnitTimeout, "Timeout error", nullptr},
    {LinkOutcome::UnitFormatError, "Format error", nullptr},
    {LinkOutcome::UnitAddressError, "Address error", nullptr},
    {LinkOutcome::UnitChecksumError, "Checksum error", nullptr},
    {LinkOutcome::NoReply, "No connection", nullptr},
    {LinkOutcome::UserAborted, "User aborted", nullptr},
    {LinkOutcome::ErrorReported, nullptr, nullptr},
};

SetupDifferenceNamer g_namer;

// Records the outcome box in outcome and shows it through messages.
void ShowBox(CMessageService& messages, CDeviceOutcome& outcome, const QString& text,
             const QString& caption) {
    outcome.text = text;
    outcome.caption = caption;
    messages.Show(text, caption, MsgIcon::None, MsgButtons::Ok);
}

// Addresses as a technician reads them: "33 to 48, 60".
QString AddressRanges(const QList<int>& addresses) {
    QStringList ranges;
    for (int i = 0; i < addresses.size();) {
        int j = i;
        while (j + 1 < addresses.size() && addresses[j + 1] == addresses[j] + 1)
            ++j;
        ranges << (i == j ? QString::number(addresses[i])
                          : Tr("%1 to %2").arg(addresses[i]).arg(addresses[j]));
        i = j + 1;
    }
    return ranges.join(QStringLiteral(", "));
}

// Shows the box of result from a phase's rows; "Unknown error" for a result without one.
template <std::size_t N>
void ShowOutcome(CMessageService& messages, CDeviceOutcome& outcome, const OUTCOME_ROW (&rows)[N],
                 LinkOutcome result, const char* phaseCaption, const QString& errorText) {
    for (const OUTCOME_ROW& row : rows) {
        if (row.result != result)
            continue;
        ShowBox(messages, outcome, row.text ? Tr(row.text) : errorText,
                Tr(row.caption ? row.caption : phaseCaption));
        return;
    }
    ShowBox(messages, outcome, Tr("Unknown error"), Tr(phaseCaption));
}

// The box of a dump that failed.
void ShowReadFailure(const CDeviceLink& link, CDeviceOutcome& outcome, const QString& errorText) {
    if (outcome.exchangeResult == LinkOutcome::DumpIncomplete)
        ShowBox(link.MessageService(), outcome,
                Tr("Incomplete dump: no data for addresses %1")
                    .arg(AddressRanges(link.MissingAddresses())),
                Tr(READ_CAPTION));
    else
        ShowOutcome(link.MessageService(), outcome, READ_ROWS, outcome.exchangeResult, READ_CAPTION,
                    errorText);
}

// Stores the link settings and connects. True when connected; otherwise the outcome box
// has been shown.
bool ConnectPhase(CDeviceLink& link, CE2prom& image, int portIndex, QString& errorText,
                  CDeviceOutcome& outcome) {
    image.SetLinkSettings(LINE_TERMINATOR, portIndex, BAUD_RATE, PARITY, DATA_BITS, STOP_BITS,
                          DEVICE_COMMAND_ATTEMPTS);
    outcome.connectResult = link.Connect(VERIFY_COMMAND, REPLY_MARKER, errorText, true);
    if (outcome.connectResult == LinkOutcome::Connected)
        return true;
    ShowOutcome(link.MessageService(), outcome, CONNECT_ROWS, outcome.connectResult,
                CONNECT_CAPTION, errorText);
    return false;
}

bool IsCompatibleUnit(const CE2prom& image) {
    return image.CheckDeviceIdentity(UNIT_FIRMWARE, UNIT_MAJOR_VERSION) != 0;
}

// The frame of every device command: stores the link settings and connects, checks the
// unit's firmware unless incompatibleCaption is null, and runs the exchange, which shows
// its own outcome box. Every box goes through messages (the link's MessageService()).
// The link's destructor closes the port when the frame returns, so the port is still
// open while the box is shown, whatever the outcome.
template <typename Exchange>
CDeviceOutcome RunFrame(CE2prom& image, int portIndex, CPort& port, CProgressFactory* progress,
                        CMessageService& messages, const char* incompatibleCaption,
                        Exchange exchange) {
    CDeviceOutcome outcome;
    QString errorText;
    CDeviceLink link(image, port, progress, messages);
    if (!ConnectPhase(link, image, portIndex, errorText, outcome))
        return outcome;
    if (incompatibleCaption && !IsCompatibleUnit(image)) {
        outcome.exchangeResult = LinkOutcome::OtherFirmware;
        ShowBox(messages, outcome, Tr("Software not compatible"), Tr(incompatibleCaption));
        return outcome;
    }
    exchange(link, errorText, outcome);
    return outcome;
}

// True when two dumps agree on addresses 1 to 210.
bool SameSetup(const QByteArray& a, const QByteArray& b) {
    return a.mid(1) == b.mid(1);
}

// The progress caption of the nth dump (from 0) of a read; first is the first one's.
QString DumpCaption(int n, const QString& first) {
    if (n == 1)
        return Tr("Confirming read ...");
    if (n == 2)
        return Tr("Third read ...");
    return first;
}

// Takes the unit's dumps until one can be believed: one, or with confirm until two agree
// (a third decides when the first two differ). Every dump after the first has a connection
// of its own, as the unit answers a dump after a connection. Empty, with the outcome box
// shown, when a dump or a connection fails or three dumps disagree.
QByteArray BelievedDump(CDeviceLink& link, CE2prom& image, int portIndex, bool confirm,
                        const QString& caption, QString& errorText, CDeviceOutcome& outcome) {
    QList<QByteArray> dumps;
    for (int n = 0; n < (confirm ? 3 : 1); ++n) {
        if (n > 0 && !ConnectPhase(link, image, portIndex, errorText, outcome))
            return {};
        QByteArray dump;
        outcome.exchangeResult = link.ReadDump(dump, errorText, true, DumpCaption(n, caption));
        if (outcome.exchangeResult != LinkOutcome::ReceptionOk) {
            ShowReadFailure(link, outcome, errorText);
            return {};
        }
        const bool agrees = std::any_of(dumps.begin(), dumps.end(),
                                        [&](const QByteArray& d) { return SameSetup(d, dump); });
        if (!confirm || agrees)
            return dump;
        dumps.append(dump);
    }
    outcome.exchangeResult = LinkOutcome::DumpsDisagree;
    ShowOutcome(link.MessageService(), outcome, READ_ROWS, outcome.exchangeResult, READ_CAPTION,
                errorText);
    return {};
}

// Read device with the progress display's caption given (Read device's own when empty).
CDeviceOutcome ReadFrame(CE2prom& image, int portIndex, CPort& port, CProgressFactory* progress,
                         CMessageService& messages, bool keepBackup, const QString& caption,
                         bool confirm) {
    return RunFrame(image, portIndex, port, progress, messages, CONNECT_CAPTION,
                    [&](CDeviceLink& link, QString& errorText, CDeviceOutcome& outcome) {
                        const QByteArray dump = BelievedDump(link, image, portIndex, confirm,
                                                             caption, errorText, outcome);
                        if (dump.isEmpty())
                            return;
                        const QByteArray replaced = image.Bytes();
                        image.ReplaceBytes(dump);
                        outcome.ok = true;
                        // The setup the read replaced stays within reach; an empty one held
                        // nothing.
                        if (keepBackup && replaced.count('\0') != replaced.size())
                            outcome.backupPath =
                                CBackups::Save(replaced, QStringLiteral("replaced"));
                        ShowOutcome(messages, outcome, READ_ROWS, LinkOutcome::ReceptionOk,
                                    READ_CAPTION, errorText);
                    });
}

// One line per byte of addresses 1 to 210 that held differs in from sent.
QStringList DifferingAddresses(const CE2prom& sent, const CE2prom& held) {
    QStringList lines;
    for (int a = 1; a < int(CE2prom::IMAGE_SIZE); ++a)
        if (sent.GetByte(a) != held.GetByte(a))
            lines << QStringLiteral("%1 | 0x%2 | 0x%3")
                         .arg(Tr("address %1").arg(a))
                         .arg(sent.GetByte(a), 2, 16, QLatin1Char('0'))
                         .arg(held.GetByte(a), 2, 16, QLatin1Char('0'));
    return lines;
}

// The box of a difference shows this many lines at most.
constexpr int SHOWN_DIFFERENCES = 20;

// Reads the unit back after a write that it reported stored and compares what it holds
// with what was sent; the write's outcome becomes the comparison's. The read-back's own
// outcome box is held back (its error reports pass): the write reports it.
void VerifyWrite(CE2prom& sent, int portIndex, CPort& port, CProgressFactory* progress,
                 CMessageService& messages, CDeviceOutcome& outcome) {
    CE2prom held;
    held.ReplaceBytes(sent.Bytes()); // address 0 is not in a dump
    CHeldBoxes readBoxes(messages);
    // What is compared with what was sent needs one dump: no noise turns it into that.
    const CDeviceOutcome read = ReadFrame(held, portIndex, port, progress, readBoxes, false,
                                          Tr("Verifying device ..."), false);
    outcome.ok = false;
    if (!read.ok) {
        outcome.verifyResult = VERIFY_UNREAD;
        ShowBox(messages, outcome,
                Tr("The write could not be confirmed: the unit could not be read back.") +
                    QStringLiteral("\n") + (read.text.isEmpty() ? read.caption : read.text),
                Tr(WRITE_CAPTION));
        return;
    }
    bool equal = true;
    for (int a = 1; a < int(CE2prom::IMAGE_SIZE); ++a)
        equal = equal && sent.GetByte(a) == held.GetByte(a);
    if (equal) {
        outcome.ok = true;
        outcome.verifyResult = VERIFY_MATCHED;
        ShowOutcome(messages, outcome, WRITE_ROWS, LinkOutcome::SavedOk, WRITE_CAPTION, QString());
        return;
    }
    outcome.verifyResult = VERIFY_DIFFERS;
    try {
        outcome.differences = g_namer ? g_namer(sent, held) : DifferingAddresses(sent, held);
    } catch (const CError&) { // a setting that cannot be shown leaves it to the addresses
        outcome.differences = DifferingAddresses(sent, held);
    }
    QStringList shown = outcome.differences.mid(0, SHOWN_DIFFERENCES);
    if (outcome.differences.size() > SHOWN_DIFFERENCES)
        shown << QStringLiteral("...");
    ShowBox(messages, outcome,
            Tr("The unit holds other values than were written (sent, held):") +
                QStringLiteral("\n") + shown.join(u'\n'),
            Tr(WRITE_CAPTION));
}

} // namespace

void SetSetupDifferenceNamer(SetupDifferenceNamer namer) {
    g_namer = std::move(namer);
}

CDeviceOutcome RunReadDevice(CE2prom& image, int portIndex, CPort& port, CProgressFactory* progress,
                             CMessageService& messages, bool keepBackup, bool confirm) {
    return ReadFrame(image, portIndex, port, progress, messages, keepBackup, QString(), confirm);
}

CDeviceOutcome RunWriteDevice(CE2prom& image, int portIndex, CPort& port,
                              CProgressFactory* progress, CMessageService& messages,
                              const QString& tracePath, bool verify) {
    CDeviceOutcome outcome = RunFrame(
        image, portIndex, port, progress, messages, "Writing device",
        [&](CDeviceLink& link, QString& errorText, CDeviceOutcome& outcome) {
            const QString trace = QStringLiteral("test.dat");
            link.SetTracePath(tracePath.isEmpty() ? CFileLocations::OfThisRun().WrittenFile(trace)
                                                  : tracePath);
            // What goes into the unit is kept before the first record leaves.
            outcome.backupPath = CBackups::Save(image.Bytes(), QStringLiteral("written"));
            outcome.exchangeResult =
                link.WriteDevice(PROGRAMMING_COMMAND, PROGRAMMING_PROMPT, errorText, true);
            outcome.ok = outcome.exchangeResult == LinkOutcome::SavedOk;
            if (!outcome.ok || !verify) // a verified write reports after its read-back
                ShowOutcome(messages, outcome, WRITE_ROWS, outcome.exchangeResult, WRITE_CAPTION,
                            errorText);
        });
    if (outcome.ok && verify)
        VerifyWrite(image, portIndex, port, progress, messages, outcome);
    return outcome;
}

CDeviceOutcome RunDeviceInformation(CE2prom& image, int portIndex, CPort& port,
                                    CProgressFactory* progress, CMessageService& messages) {
    // Any unit that answers is shown, whatever its firmware.
    return RunFrame(image, portIndex, port, progress, messages, nullptr,
                    [&](CDeviceLink&, QString&, CDeviceOutcome& outcome) {
                        const QString text =
                            QStringLiteral("Software : %1\nVersion : V%2.%3\nSoftware date : %4")
                                .arg(QString::fromLatin1(image.DeviceSoftwareName()),
                                     QString::number(image.DeviceMajorVersion()),
                                     QString::number(image.DeviceMinorVersion()),
                                     QString::fromLatin1(image.DeviceSoftwareDate()));
                        outcome.ok = true;
                        ShowBox(messages, outcome, text, Tr("Device information"));
                    });
}
