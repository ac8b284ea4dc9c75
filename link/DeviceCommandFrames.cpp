#include "link/DeviceCommandFrames.h"

#include "image/CBackups.h"
#include "image/CE2prom.h"
#include "lang/CFileLocations.h"
#include "lang/CurrentLanguage.h"
#include "link/CDeviceLink.h"
#include "link/CMessages.h"

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
    int result;
    const char* text;
    const char* caption;
};

const char* const CONNECT_CAPTION = "Error connecting to device";
const OUTCOME_ROW CONNECT_ROWS[] = {
    {LINK_NO_REPLY, "No reply from device", nullptr},
    {LINK_USER_ABORTED, "User aborted", nullptr},
    {LINK_ERROR_REPORTED, nullptr, nullptr},
};

const char* const READ_CAPTION = "Error reading device";
const OUTCOME_ROW READ_ROWS[] = {
    {LINK_RECEPTION_OK, "Reception OK", "Reading device"},
    {LINK_CHECKSUM_ERROR, "Checksum error", nullptr},
    {LINK_NO_REPLY, "No connection", nullptr}, // the unit stopped sending
    {LINK_USER_ABORTED, "User aborted", nullptr},
    {LINK_ERROR_REPORTED, nullptr, nullptr},
};

const char* const WRITE_CAPTION = "Error writing device";
const OUTCOME_ROW WRITE_ROWS[] = {
    {REPLY_SAVED_OK, "Writing device OK", "Writing device"},
    {REPLY_TIMEOUT, "Timeout error", nullptr},
    {REPLY_FORMAT_ERROR, "Format error", nullptr},
    {REPLY_ADDRESS_ERROR, "Address error", nullptr},
    {REPLY_CHECKSUM_ERROR, "Checksum error", nullptr},
    {LINK_NO_REPLY, "No connection", nullptr},
    {LINK_USER_ABORTED, "User aborted", nullptr},
    {LINK_ERROR_REPORTED, nullptr, nullptr},
};

void ShowBox(CDeviceOutcome& outcome, const QString& text, const QString& caption) {
    outcome.text = text;
    outcome.caption = caption;
    Messages().Show(text, caption, MsgIcon::None, MsgButtons::Ok);
}

// Shows the box of result from a phase's rows; "Unknown error" for a result without one.
template <std::size_t N>
void ShowOutcome(CDeviceOutcome& outcome, const OUTCOME_ROW (&rows)[N], int result,
                 const char* phaseCaption, const QString& errorText) {
    for (const OUTCOME_ROW& row : rows) {
        if (row.result != result)
            continue;
        ShowBox(outcome, row.text ? Tr(row.text) : errorText,
                Tr(row.caption ? row.caption : phaseCaption));
        return;
    }
    ShowBox(outcome, Tr("Unknown error"), Tr(phaseCaption));
}

// Stores the link settings and connects. True when connected; otherwise the outcome box
// has been shown.
bool ConnectPhase(CDeviceLink& link, CE2prom& image, int portIndex, QString& errorText,
                  CDeviceOutcome& outcome) {
    image.SetLinkSettings(LINE_TERMINATOR, portIndex, BAUD_RATE, PARITY, DATA_BITS, STOP_BITS,
                          DEVICE_COMMAND_ATTEMPTS);
    outcome.connectResult = link.Connect(VERIFY_COMMAND, REPLY_MARKER, errorText, true);
    if (outcome.connectResult == LINK_CONNECTED)
        return true;
    ShowOutcome(outcome, CONNECT_ROWS, outcome.connectResult, CONNECT_CAPTION, errorText);
    return false;
}

bool IsCompatibleUnit(const CE2prom& image) {
    return image.CheckDeviceIdentity(UNIT_FIRMWARE, UNIT_MAJOR_VERSION) != 0;
}

// The frame of every device command: stores the link settings and connects, checks the
// unit's firmware unless incompatibleCaption is null, and runs the exchange, which shows
// its own outcome box. The link's destructor closes the port when the frame returns, so
// the port is still open while the box is shown, whatever the outcome.
template <typename Exchange>
CDeviceOutcome RunFrame(CE2prom& image, int portIndex, CPort& port, CProgressFactory* progress,
                        const char* incompatibleCaption, Exchange exchange) {
    CDeviceOutcome outcome;
    QString errorText;
    CDeviceLink link(image, port, progress);
    if (!ConnectPhase(link, image, portIndex, errorText, outcome))
        return outcome;
    if (incompatibleCaption && !IsCompatibleUnit(image)) {
        ShowBox(outcome, Tr("Software not compatible"), Tr(incompatibleCaption));
        return outcome;
    }
    exchange(link, errorText, outcome);
    return outcome;
}

} // namespace

CDeviceOutcome RunReadDevice(CE2prom& image, int portIndex, CPort& port, CProgressFactory* progress,
                             bool keepBackup) {
    return RunFrame(
        image, portIndex, port, progress, CONNECT_CAPTION,
        [&](CDeviceLink& link, QString& errorText, CDeviceOutcome& outcome) {
            const QByteArray replaced = image.Bytes();
            outcome.exchangeResult = link.ReadDevice(errorText, true);
            outcome.ok = outcome.exchangeResult == LINK_RECEPTION_OK;
            // The setup the read replaced stays within reach; an empty one held nothing.
            if (outcome.ok && keepBackup && replaced.count('\0') != replaced.size())
                outcome.backupPath = CBackups::Save(replaced, QStringLiteral("replaced"));
            ShowOutcome(outcome, READ_ROWS, outcome.exchangeResult, READ_CAPTION, errorText);
        });
}

CDeviceOutcome RunWriteDevice(CE2prom& image, int portIndex, CPort& port,
                              CProgressFactory* progress, const QString& tracePath) {
    return RunFrame(
        image, portIndex, port, progress, "Writing device",
        [&](CDeviceLink& link, QString& errorText, CDeviceOutcome& outcome) {
            const QString trace = QStringLiteral("test.dat");
            link.SetTracePath(tracePath.isEmpty() ? CFileLocations::OfThisRun().WrittenFile(trace)
                                                  : tracePath);
            // What goes into the unit is kept before the first record leaves.
            outcome.backupPath = CBackups::Save(image.Bytes(), QStringLiteral("written"));
            outcome.exchangeResult =
                link.WriteDevice(PROGRAMMING_COMMAND, PROGRAMMING_PROMPT, errorText, true);
            outcome.ok = outcome.exchangeResult == REPLY_SAVED_OK;
            ShowOutcome(outcome, WRITE_ROWS, outcome.exchangeResult, WRITE_CAPTION, errorText);
        });
}

CDeviceOutcome RunDeviceInformation(CE2prom& image, int portIndex, CPort& port,
                                    CProgressFactory* progress) {
    // Any unit that answers is shown, whatever its firmware.
    return RunFrame(image, portIndex, port, progress, nullptr,
                    [&](CDeviceLink&, QString&, CDeviceOutcome& outcome) {
                        const QString text =
                            QStringLiteral("Software : %1\nVersion : V%2.%3\nSoftware date : %4")
                                .arg(QString::fromLatin1(image.DeviceSoftwareName()),
                                     QString::number(image.DeviceMajorVersion()),
                                     QString::number(image.DeviceMinorVersion()),
                                     QString::fromLatin1(image.DeviceSoftwareDate()));
                        outcome.ok = true;
                        ShowBox(outcome, text, Tr("Device information"));
                    });
}
