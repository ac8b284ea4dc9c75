// The frames of the three device commands (Read device, Write device, Device
// information), free of widgets so that the GUI and the command line run the same code:
// store the link settings with the chosen port and 9 attempts, connect, check the
// unit's firmware, run the exchange, show one outcome box through the message service
// the command is given (which also shows the link's error reports), and close the port
// whatever happened.
//
// Outcome boxes have one OK button and no icon; their texts and captions are English
// here and translated when shown, except the error text of a reported link failure.
#pragma once

#include "core/link/LinkOutcome.h"

#include <QString>
#include <QStringList>
#include <functional>

class CE2prom;
class CMessageService;
class CPort;
class CProgressFactory;

// How the read-back after a write ended.
enum VerifyResult {
    VERIFY_NOT_RUN, // not asked for, or the write itself failed
    VERIFY_MATCHED, // the unit holds addresses 1 to 210 as sent
    VERIFY_DIFFERS, // the unit holds something else (differences names it)
    VERIFY_UNREAD,  // the unit could not be read back: the write is not confirmed
};

// What a device command ended with.
struct CDeviceOutcome {
    LinkOutcome connectResult = LinkOutcome::NotRun; // the result of Connect
    // The result of the dump or WriteDevice; OtherFirmware when the unit's firmware kept
    // the exchange from running.
    LinkOutcome exchangeResult = LinkOutcome::NotRun;
    bool ok = false; // the unit was read, written or identified
    QString text;    // the outcome box as shown
    QString caption;
    QString backupPath; // the backup taken (written setup, or the one a read replaced)
    int verifyResult = VERIFY_NOT_RUN;
    QStringList differences; // what the unit holds differently, one line per difference
};

// Connection attempts of every device command.
constexpr int DEVICE_COMMAND_ATTEMPTS = 9;

// Reads the unit into image. The image's modified flag is left as it was. After a
// successful read the setup it replaced is saved as a backup (see image/CBackups.h).
// keepBackup false leaves the backup out (a read that only checks what the unit holds).
//
// A dump's records are guarded by an 8-bit checksum that two flipped bits can cancel, so
// with confirm the unit is dumped twice (a connection each) and the setup taken only when
// both agree on addresses 1 to 210; when they differ a third dump decides, and three that
// all differ fail the read with DumpsDisagree. Nothing changes before that.
CDeviceOutcome RunReadDevice(CE2prom& image, int portIndex, CPort& port, CProgressFactory* progress,
                             CMessageService& messages, bool keepBackup = true,
                             bool confirm = true);

// Writes image to the unit, tracing the unit's lines before its prompt to tracePath;
// without one, to "test.dat" where Karvo keeps the files it writes (CFileLocations).
// The setup is saved as a backup just before its first record is sent.
//
// With verify, the unit's "SAVED_OK" is not taken as proof: the unit is connected again
// and read back as Read device reads (a whole, checked dump), and the write succeeds only
// when it holds addresses 1 to 210 as sent. Otherwise the box names what differs, or says
// the write could not be confirmed when the read-back itself failed. The read-back's own
// outcome box is not shown (its error reports are): the write's box tells it.
CDeviceOutcome RunWriteDevice(CE2prom& image, int portIndex, CPort& port,
                              CProgressFactory* progress, CMessageService& messages,
                              const QString& tracePath = QString(), bool verify = true);

// Names the settings in which held (what the unit holds) differs from sent, one line each,
// with the bytes no setting shows. The programs set one built on the setup dialogs' setting
// logic; without one, a verify names the differing addresses.
using SetupDifferenceNamer = std::function<QStringList(CE2prom& sent, CE2prom& held)>;
void SetSetupDifferenceNamer(SetupDifferenceNamer namer);

// Connects and shows the unit's software name, version and date.
CDeviceOutcome RunDeviceInformation(CE2prom& image, int portIndex, CPort& port,
                                    CProgressFactory* progress, CMessageService& messages);
