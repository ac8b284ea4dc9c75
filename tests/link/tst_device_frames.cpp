// The frames of Read device, Write device and Device information: link settings, the
// outcome box of every result, the firmware check and the closing of the port.
#include "CFakeUnit.h"
#include "CRecordingProgress.h"

#include "core/lang/CTranslator.h"
#include "core/lang/CurrentLanguage.h"
#include "core/link/CDeviceLink.h"
#include "core/link/DeviceCommandFrames.h"
#include "tests/common/CRecordingMessages.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

enum Command { READ, READ_SINGLE, WRITE, WRITE_UNVERIFIED, INFO };

// How the unit or the user misbehaves in a scenario.
enum Scenario {
    GOOD,
    NO_REPLY,
    CANCEL_CONNECT,
    BUSY_PORT,
    NO_UNIT,
    VERSION_3,
    OTHER_FIRMWARE,
    X2Y14,
    BAD_RECORD,
    DUMP_STOPS,
    CANCEL_EXCHANGE,
    LOST_ANSWER,
    VERDICT_TIMEOUT,
    VERDICT_FORMAT,
    VERDICT_ADDRESS,
    VERDICT_CHECKSUM,
    VERDICT_UNKNOWN,
    NO_VERDICT,
    STORES_OTHER,
    RECORD_LOST_BEHIND_DOUBLED_CR,
    GONE_AFTER_WRITE,
    CANCEL_VERIFY,
    DIFFERS_AT_210, // the read-back differs from what was sent in these bytes only
    DIFFERS_IN_20,
    DIFFERS_IN_21,
};

// The lines of a dump of 0x5A with record n's bytes i and i + 1 one up and one down: a
// damage that its checksum cannot see. Without a record the dump stays whole.
QList<QByteArray> CancellingDump(int n = -1, int i = 0) {
    QByteArray bytes(CE2prom::IMAGE_SIZE, '\x5A');
    if (n >= 0) {
        bytes[1 + 16 * n + i] = '\x5B';
        bytes[2 + 16 * n + i] = '\x59';
    }
    return CFakeUnit::DumpOf(bytes);
}

struct Rig {
    CScriptedPort port;
    CFakeUnit unit{port};
    CE2prom image;
    CRecordingProgress progress;
    CRecordingMessages messages;
    QTemporaryDir dir;

    void Configure(Scenario scenario) {
        unit.dumpLines = CFakeUnit::DumpOf(QByteArray(CE2prom::IMAGE_SIZE, '\x5A'));
        switch (scenario) {
        case GOOD:
            break;
        case NO_REPLY:
            unit.replies = {};
            break;
        case CANCEL_CONNECT:
            progress.cancelAtPoll = 1;
            break;
        case BUSY_PORT:
            port.SetOpenResult(-3);
            break;
        case NO_UNIT:
            unit.silentAfter = 0;
            break;
        case VERSION_3:
            unit.replies = {"REPLY RM4811 V3.0 a b c d\r"};
            break;
        case OTHER_FIRMWARE:
            unit.replies = {"REPLY QN4812 V2.6 a b c d\r"};
            break;
        case X2Y14:
            unit.replies = {"REPLY RM4811 X2Y14 a b c d\r"};
            break;
        case BAD_RECORD:
            unit.dumpLines.insert(2, "S105000100AAAA\r");
            break;
        case DUMP_STOPS:
            unit.dumpLines = unit.dumpLines.mid(0, 4);
            break;
        case CANCEL_EXCHANGE:
            progress.cancelAtPoll = 3;
            break;
        case LOST_ANSWER:
            unit.silentAfter = 1;
            break;
        case VERDICT_TIMEOUT:
            unit.verdicts = {{100, "TIMEOUT!!!\r"}};
            break;
        case VERDICT_FORMAT:
            unit.verdicts = {{100, "FORMAT ERROR!!!\r"}};
            break;
        case VERDICT_ADDRESS:
            unit.verdicts = {{100, "ADDRESS ERROR!!!\r"}};
            break;
        case VERDICT_CHECKSUM:
            unit.verdicts = {{100, "CHECKSUM ERROR!!!\r"}};
            break;
        case VERDICT_UNKNOWN:
            unit.verdicts = {{100, "WHAT?\r"}};
            break;
        case NO_VERDICT:
            unit.verdicts = {};
            break;
        case STORES_OTHER: // says SAVED_OK but keeps what it held
            unit.storesWrites = false;
            image.SetByte(40, 0x5A);
            break;
        case RECORD_LOST_BEHIND_DOUBLED_CR: // a spare empty line before a lost record
            unit.doubledAnswerRecord = 4;
            unit.lostRecord = 5;
            break;
        case GONE_AFTER_WRITE: // 17 lines: connection, programming, 14 records, end record
            unit.silentAfter = 17;
            break;
        case CANCEL_VERIFY: // in the read-back, after its connection and two records
            progress.cancelAtPoll = 1 + 14 + 1 + 3;
            break;
        case DIFFERS_AT_210:
        case DIFFERS_IN_20:
        case DIFFERS_IN_21: { // says SAVED_OK but keeps its 0x5A
            unit.storesWrites = false;
            const int first = scenario == DIFFERS_AT_210 ? 210 : scenario == DIFFERS_IN_20 ? 191 : 190;
            for (int a = 1; a < first; ++a)
                image.SetByte(a, 0x5A);
            break;
        }
        }
    }

    CDeviceOutcome Run(Command command, int portIndex = 2) {
        switch (command) {
        case READ:
        case READ_SINGLE:
            return RunReadDevice(image, portIndex, port, &progress, messages, true,
                                 command == READ);
        case WRITE:
        case WRITE_UNVERIFIED:
            return RunWriteDevice(image, portIndex, port, &progress, messages,
                                  dir.filePath(QStringLiteral("test.dat")), command == WRITE);
        default:
            return RunDeviceInformation(image, portIndex, port, &progress, messages);
        }
    }

    // The boxes as "text | caption".
    QStringList Boxes() const {
        QStringList shown;
        for (const RecordedBox& box : messages.boxes)
            shown << box.text + QStringLiteral(" | ") + box.caption;
        return shown;
    }
};

const char* const CONNECT = "Error connecting to device";
const char* const READING = "Error reading device";
const char* const WRITING = "Error writing device";

QString Box(const QString& text, const QString& caption) {
    return text + " | " + caption;
}

} // namespace

Q_DECLARE_METATYPE(Command)
Q_DECLARE_METATYPE(Scenario)

class TestDeviceFrames : public QObject {
    Q_OBJECT
private slots:
    void init() { SetCurrentLanguage(0); }
    void outcomes_data();
    void outcomes();
    void outcomesTranslated();
    void linkSettingsAndClosing_data();
    void linkSettingsAndClosing();
    void readReplacesImageOnly();
    void backups_data();
    void backups();
    void confirmedRead_data();
    void confirmedRead();
};

void TestDeviceFrames::outcomes_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<Scenario>("scenario");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<bool>("ok");
    const QString info = "Software : RM4811\nVersion : V2.6\nSoftware date : a b c d";
    const QString inUse = Box("CComProm :  AS IN USE", "ERROR");
    const QString notConnected = Box("CComProm :  Device is not connected.", "ERROR");
    const QString lost = Box("CComProm :  AS BUFR EMPTY", "ERROR");
    const QString unconfirmed =
        "The write could not be confirmed: the unit could not be read back.\n";
    // The image is zeros but for address 40; the unit holds 0x5A everywhere: 20 lines, then "...".
    QStringList lines;
    for (int a = 1; lines.size() < 20; ++a)
        if (a != 40)
            lines << QStringLiteral("address %1 | 0x00 | 0x5a").arg(a);
    const QString differing = lines.join('\n') + "\n...";
    // The lines from address first on: 20 at most, then "..." when there are more.
    const auto tail = [](int first, bool more) {
        QStringList shown;
        for (int a = first; a < first + 20; ++a)
            shown << QStringLiteral("address %1 | 0x00 | 0x5a").arg(a);
        return shown.join('\n') + (more ? "\n..." : "");
    };
    using S = QStringList;

    struct Row {
        const char* name;
        Command command;
        Scenario scenario;
        QStringList boxes;
        bool ok;
    };
    const Row rows[] = {
        // The connection phase, the same for the three commands.
        {"read: no reply", READ, NO_REPLY, S{Box("No reply from device", CONNECT)}, false},
        {"write: no reply", WRITE, NO_REPLY, S{Box("No reply from device", CONNECT)}, false},
        {"info: no reply", INFO, NO_REPLY, S{Box("No reply from device", CONNECT)}, false},
        {"read: cancel", READ, CANCEL_CONNECT, S{Box("User aborted", CONNECT)}, false},
        {"write: cancel", WRITE, CANCEL_CONNECT, S{Box("User aborted", CONNECT)}, false},
        {"info: cancel", INFO, CANCEL_CONNECT, S{Box("User aborted", CONNECT)}, false},
        {"read: port in use", READ, BUSY_PORT, S{inUse, Box("Port in use", CONNECT)}, false},
        {"write: port in use", WRITE, BUSY_PORT, S{inUse, Box("Port in use", CONNECT)}, false},
        {"info: port in use", INFO, BUSY_PORT, S{inUse, Box("Port in use", CONNECT)}, false},
        {"read: no unit", READ, NO_UNIT, S{notConnected, Box("", CONNECT)}, false},
        {"info: no unit", INFO, NO_UNIT, S{notConnected, Box("", CONNECT)}, false},
        // The firmware check.
        {"read: version 3", READ, VERSION_3, S{Box("Software not compatible", CONNECT)}, false},
        {"write: version 3", WRITE, VERSION_3, S{Box("Software not compatible", "Writing device")},
         false},
        {"read: other firmware", READ, OTHER_FIRMWARE, S{Box("Software not compatible", CONNECT)},
         false},
        {"write: X2Y14 passes", WRITE, X2Y14, S{Box("Writing device OK", "Writing device")}, true},
        // Device information shows whatever answers.
        {"info: good", INFO, GOOD, S{Box(info, "Device information")}, true},
        {"info: X2Y14", INFO, X2Y14,
         S{Box("Software : RM4811\nVersion : V2.14\nSoftware date : a b c d",
               "Device information")},
         true},
        {"info: other firmware", INFO, OTHER_FIRMWARE,
         S{Box("Software : QN4812\nVersion : V2.6\nSoftware date : a b c d", "Device information")},
         true},
        {"info: version 3", INFO, VERSION_3,
         S{Box("Software : RM4811\nVersion : V3.0\nSoftware date : a b c d", "Device information")},
         true},
        // Reading.
        {"read: good", READ, GOOD, S{Box("Reception OK", "Reading device")}, true},
        {"read: bad record", READ, BAD_RECORD, S{Box("Checksum error", READING)}, false},
        {"read: dump stops", READ, DUMP_STOPS, S{Box("No connection", READING)}, false},
        {"read: cancel between records", READ, CANCEL_EXCHANGE, S{Box("User aborted", READING)},
         false},
        {"read: answer lost", READ, LOST_ANSWER, S{lost, Box("Buffer empty", READING)}, false},
        // Writing.
        {"write: good", WRITE, GOOD, S{Box("Writing device OK", "Writing device")}, true},
        {"write: unit timeout", WRITE, VERDICT_TIMEOUT, S{Box("Timeout error", WRITING)}, false},
        {"write: format", WRITE, VERDICT_FORMAT, S{Box("Format error", WRITING)}, false},
        {"write: address", WRITE, VERDICT_ADDRESS, S{Box("Address error", WRITING)}, false},
        {"write: checksum", WRITE, VERDICT_CHECKSUM, S{Box("Checksum error", WRITING)}, false},
        {"write: unknown verdict", WRITE, VERDICT_UNKNOWN, S{Box("Unknown error", WRITING)}, false},
        {"write: no verdict", WRITE, NO_VERDICT, S{Box("No connection", WRITING)}, false},
        {"write: cancel between records", WRITE, CANCEL_EXCHANGE, S{Box("User aborted", WRITING)},
         false},
        {"write: answer lost", WRITE, LOST_ANSWER, S{lost, Box("Buffer empty", WRITING)}, false},
        // The read-back after SAVED_OK.
        {"write: unit holds other values", WRITE, STORES_OTHER,
         S{Box("The unit holds other values than were written (sent, held):\n" + differing,
               WRITING)},
         false},
        {"write: record lost behind a doubled line end", WRITE_UNVERIFIED,
         RECORD_LOST_BEHIND_DOUBLED_CR, S{lost, Box("Buffer empty", WRITING)}, false},
        {"write: not verified", WRITE_UNVERIFIED, STORES_OTHER,
         S{Box("Writing device OK", "Writing device")}, true},
        {"write: unit gone before the read-back", WRITE, GONE_AFTER_WRITE,
         S{notConnected, Box(unconfirmed + CONNECT, WRITING)}, false},
        {"write: read-back cancelled", WRITE, CANCEL_VERIFY,
         S{Box(unconfirmed + "User aborted", WRITING)}, false},
        // The box's lines: every address compared, at most 20 lines, then "...".
        {"write: read-back differs at 210", WRITE, DIFFERS_AT_210,
         S{Box("The unit holds other values than were written (sent, held):\n"
               "address 210 | 0x00 | 0x5a",
               WRITING)},
         false},
        {"write: 20 differences", WRITE, DIFFERS_IN_20,
         S{Box("The unit holds other values than were written (sent, held):\n" + tail(191, false),
               WRITING)},
         false},
        {"write: 21 differences", WRITE, DIFFERS_IN_21,
         S{Box("The unit holds other values than were written (sent, held):\n" + tail(190, true),
               WRITING)},
         false},
    };
    for (const Row& row : rows)
        QTest::newRow(row.name) << row.command << row.scenario << row.boxes << row.ok;
}

void TestDeviceFrames::outcomes() {
    QFETCH(Command, command);
    QFETCH(Scenario, scenario);
    Rig rig;
    rig.Configure(scenario);
    const CDeviceOutcome outcome = rig.Run(command);
    QTEST(rig.Boxes(), "boxes");
    QTEST(outcome.ok, "ok");
    QCOMPARE(Box(outcome.text, outcome.caption), rig.Boxes().last());
    for (const RecordedBox& box : rig.messages.boxes) {
        if (box.caption != QStringLiteral("ERROR")) {
            QCOMPARE(box.icon, MsgIcon::None);
            QCOMPARE(box.buttons, MsgButtons::Ok);
        }
    }
    QVERIFY(!rig.port.IsOpen());
    QCOMPARE(rig.progress.alive, 0);
}

void TestDeviceFrames::outcomesTranslated() {
    const CTranslator translator;
    const auto t = [&](const char* text) { return translator.Translated(2, text); };
    SetCurrentLanguage(2);
    {
        Rig rig;
        rig.Configure(NO_REPLY);
        rig.Run(WRITE);
        QCOMPARE(rig.Boxes(), QStringList{Box(t("No reply from device"), t(CONNECT))});
    }
    {
        Rig rig;
        rig.Configure(GOOD);
        rig.Run(WRITE);
        QCOMPARE(rig.Boxes(), QStringList{Box(t("Writing device OK"), t("Writing device"))});
        QVERIFY(rig.progress.log.contains("caption " + t("Writing device ...")));
        QVERIFY(rig.progress.log.contains("message " + t("Device saving data ...")));
    }
    {
        Rig rig;
        rig.Configure(GOOD);
        rig.Run(INFO);
        // The three labels stay English.
        QCOMPARE(rig.Boxes(),
                 QStringList{Box("Software : RM4811\nVersion : V2.6\nSoftware date : a b c d",
                                 t("Device information"))});
    }
    {
        Rig rig;
        rig.Configure(LOST_ANSWER);
        rig.Run(READ);
        // The library's plain text is not translated.
        QCOMPARE(rig.Boxes().last(), Box("Buffer empty", t(READING)));
        QVERIFY(rig.progress.log.contains("caption " + t("Reading device ...")));
    }
}

void TestDeviceFrames::linkSettingsAndClosing_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<Scenario>("scenario");
    QTest::addColumn<int>("opens");
    QTest::newRow("read, a connection for each of two dumps") << READ << GOOD << 2;
    QTest::newRow("read, a single dump") << READ_SINGLE << GOOD << 1;
    QTest::newRow("write, then its read-back") << WRITE << GOOD << 2;
    QTest::newRow("write without read-back") << WRITE_UNVERIFIED << GOOD << 1;
    QTest::newRow("info") << INFO << GOOD << 1;
    QTest::newRow("read, dump stops") << READ << DUMP_STOPS << 1;
}

void TestDeviceFrames::linkSettingsAndClosing() {
    QFETCH(Command, command);
    QFETCH(Scenario, scenario);
    Rig rig;
    rig.Configure(scenario);
    rig.image.SetLinkSettings(10, 0, 1200, 'E', 7, 2, 4);
    rig.Run(command, 3);
    const CLinkSettings used = rig.port.OpenedWith();
    QCOMPARE(used.lineTerminator, 13);
    QCOMPARE(used.portIndex, 3);
    QCOMPARE(used.baudRate, 9600);
    QCOMPARE(used.parity, 'N');
    QCOMPARE(used.dataBits, 8);
    QCOMPARE(used.stopBits, 1);
    QCOMPARE(used.attemptLimit, 9);
    QTEST(rig.port.OpenCount(), "opens");
    QTEST(rig.port.CloseCount(), "opens");
    QVERIFY(!rig.port.IsOpen());
}

void TestDeviceFrames::readReplacesImageOnly() {
    Rig rig;
    rig.Configure(GOOD);
    rig.image.SetByte(0, 0x33);
    QVERIFY(rig.image.IsModified());
    rig.Run(READ);
    QCOMPARE(rig.image.GetByte(0), 0x33);
    QCOMPARE(rig.image.GetByte(1), 0x5A);
    QCOMPARE(rig.image.GetByte(210), 0x5A);
    QVERIFY(rig.image.IsModified()); // a read neither sets nor clears the flag
}

// A write keeps what it sends even when the unit fails it; a read keeps what it replaced
// only when it replaced something.
void TestDeviceFrames::backups_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<Scenario>("scenario");
    QTest::addColumn<QString>("kind"); // empty: no backup
    QTest::newRow("write") << WRITE << GOOD << "written";
    QTest::newRow("write failed by the unit") << WRITE << VERDICT_CHECKSUM << "written";
    QTest::newRow("write to other firmware") << WRITE << OTHER_FIRMWARE << "";
    QTest::newRow("write without a unit") << WRITE << NO_UNIT << "";
    QTest::newRow("read") << READ << GOOD << "replaced";
    QTest::newRow("read with a bad record") << READ << BAD_RECORD << "";
    QTest::newRow("information") << INFO << GOOD << "";
}

void TestDeviceFrames::backups() {
    QFETCH(Command, command);
    QFETCH(Scenario, scenario);
    QFETCH(QString, kind);
    Rig rig;
    qputenv("KARVO_BACKUP_DIR", rig.dir.filePath("backups").toLocal8Bit());
    rig.Configure(scenario);
    for (int a = 1; a < 211; ++a)
        rig.image.SetByte(a, std::uint8_t(a));
    const QByteArray before = rig.image.Bytes();
    const CDeviceOutcome outcome = rig.Run(command);
    const QStringList files = QDir(rig.dir.filePath("backups")).entryList(QDir::Files);
    if (kind.isEmpty()) {
        QVERIFY(files.isEmpty());
        QVERIFY(outcome.backupPath.isEmpty());
        return;
    }
    QCOMPARE(files.size(), 1);
    QVERIFY(files[0].endsWith("-" + kind + ".s19"));
    QCOMPARE(outcome.backupPath, rig.dir.filePath("backups/" + files[0]));
    CE2prom saved;
    QCOMPARE(saved.LoadSRecords(outcome.backupPath), 1);
    QCOMPARE(saved.Bytes().mid(1), before.mid(1));
    // An all-zero image holds no setup worth keeping.
    Rig empty;
    qputenv("KARVO_BACKUP_DIR", empty.dir.filePath("backups").toLocal8Bit());
    empty.Configure(scenario);
    if (command == READ) {
        empty.Run(READ);
        QVERIFY(QDir(empty.dir.filePath("backups")).entryList(QDir::Files).isEmpty());
    }
}

// Two dumps must agree before a read is believed; when they differ a third decides.
void TestDeviceFrames::confirmedRead_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<QList<QList<QByteArray>>>("dumps");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("opens");
    using D = QList<QList<QByteArray>>;
    const QList<QByteArray> good = CancellingDump();
    const QString ok = Box("Reception OK", "Reading device");
    QTest::newRow("two agree") << READ << D{good, good} << ok << 2;
    QTest::newRow("cancelling flips in the first, the third decides")
        << READ << D{CancellingDump(3), good, good} << ok << 3;
    QTest::newRow("cancelling flips in the second, the third decides")
        << READ << D{good, CancellingDump(12, 5), good} << ok << 3;
    QTest::newRow("three that differ")
        << READ << D{CancellingDump(0), CancellingDump(1), CancellingDump(2)}
        << Box("The line is too noisy to read the unit reliably: three dumps of the unit disagree.",
               READING)
        << 3;
    QList<QByteArray> broken = good;
    broken[4] = "S1" + broken[4].mid(3);
    QTest::newRow("the second dump damaged")
        << READ << D{good, broken} << Box("Damaged record in the dump", READING) << 2;
    QTest::newRow("single read: flips that cancel are not seen")
        << READ_SINGLE << D{CancellingDump(3), good} << ok << 1;
}

void TestDeviceFrames::confirmedRead() {
    QFETCH(Command, command);
    QFETCH(QString, box);
    Rig rig;
    rig.Configure(GOOD);
    QFETCH(QList<QList<QByteArray>>, dumps);
    rig.unit.dumps = dumps;
    const QByteArray before = rig.image.Bytes();
    const CDeviceOutcome outcome = rig.Run(command);
    QCOMPARE(rig.Boxes(), QStringList{box});
    QTEST(rig.port.OpenCount(), "opens");
    if (!outcome.ok) {
        QCOMPARE(rig.image.Bytes(), before);
        return;
    }
    const QByteArray taken = command == READ_SINGLE ? QByteArray() : QByteArray(210, '\x5A');
    if (!taken.isEmpty())
        QCOMPARE(rig.image.Bytes().mid(1), taken);
    // Each dump shows its own caption.
    const QStringList captions = {"caption Reading device ...",
                                  "caption Confirming read ...",
                                  "caption Third read ..."};
    for (int n = 0; n < 3; ++n)
        QCOMPARE(rig.progress.log.contains(captions[n]), n < rig.port.OpenCount());
}

QTEST_GUILESS_MAIN(TestDeviceFrames)
#include "tst_device_frames.moc"
