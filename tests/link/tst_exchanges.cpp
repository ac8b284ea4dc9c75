// The exchanges with the unit on a scripted port: Connect, ReadDevice, WriteDevice and
// ClassifyReply, against good units and misbehaving ones, in virtual time.
#include "CFakeUnit.h"
#include "CRecordingProgress.h"

#include "core/image/SRecords.h"
#include "core/lang/CTranslator.h"
#include "core/lang/CurrentLanguage.h"
#include "core/link/CDeviceLink.h"
#include "core/link/CError.h"
#include "tests/common/CRecordingMessages.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// Records, with each box, whether a progress display was still alive when it was shown.
class CCheckingMessages : public CRecordingMessages {
public:
    explicit CCheckingMessages(const CRecordingProgress& progress) : m_progress(progress) {}
    MsgAnswer Show(const QString& text, const QString& caption, MsgIcon icon,
                   MsgButtons buttons) override {
        progressAliveAtBox.append(m_progress.alive);
        return CRecordingMessages::Show(text, caption, icon, buttons);
    }
    QList<int> progressAliveAtBox;

private:
    const CRecordingProgress& m_progress;
};

// A scripted port, a unit on it, an image and a link with recorded progress and boxes.
struct Rig {
    CScriptedPort port;
    CFakeUnit unit{port};
    CE2prom image;
    CRecordingProgress progress;
    CCheckingMessages messages{progress};
    QTemporaryDir dir;
    CDeviceLink link{image, port, &progress, messages};
    QString errorText;

    Rig() {
        image.SetLinkSettings(13, 1, 9600, 'N', 8, 1, 9);
        link.SetTracePath(TracePath());
    }
    QString TracePath() const { return dir.filePath(QStringLiteral("test.dat")); }
    LinkOutcome Connect() { return link.Connect(VERIFY_COMMAND, REPLY_MARKER, errorText, true); }
    // Connects, then forgets what the connection did to the progress log.
    void Connected() {
        QCOMPARE(Connect(), LinkOutcome::Connected);
        progress.log.clear();
        progress.percents.clear();
        progress.polls = 0;
    }
    LinkOutcome Read() { return link.ReadDevice(errorText, true); }
    LinkOutcome Write() {
        return link.WriteDevice(PROGRAMMING_COMMAND, PROGRAMMING_PROMPT, errorText, true);
    }
};

// An S1 record line with a correct checksum.
QByteArray Record(int address, const QByteArray& data) {
    QByteArray fields;
    fields.append(char(data.size() + 3));
    fields.append(char((address >> 8) & 0xFF));
    fields.append(char(address & 0xFF));
    fields.append(data);
    fields.append(char(SRecordChecksum(fields.left(fields.size()))));
    return "S1" + fields.toHex().toUpper();
}

QByteArray Pattern() {
    QByteArray bytes(CE2prom::IMAGE_SIZE, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 7 + 3);
    return bytes;
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QString Composed(const CError& error) {
    return error.ComposeText();
}

using Verdicts = QList<std::pair<int, QByteArray>>;

} // namespace

class TestExchanges : public QObject {
    Q_OBJECT
private slots:
    void init() { SetCurrentLanguage(0); }

    void classifyReply_data();
    void classifyReply();

    void connectWire();
    void connectIdentity_data();
    void connectIdentity();
    void connectMarkerRules_data();
    void connectMarkerRules();
    void connectFullChunksAreListenedTo();
    void connectFloodCanBeCancelled();
    void phaseDeadlines_data();
    void phaseDeadlines();
    void cancelEndsAWaitAtOnce();
    void endingStopsTheVerdictWait();
    void connectNoReply();
    void connectFailures_data();
    void connectFailures();
    void connectCancel();

    void readFullDump();
    void readRecords_data();
    void readRecords();
    void readBrokenRecords_data();
    void readBrokenRecords();
    void readNoLine();
    void readCancelBetweenRecords();
    void readChatterCanBeCancelled();
    void readMissingAnswer();
    void readWithoutConnection();

    void writeRecords();
    void writeRecordBytes();
    void writeVerdicts_data();
    void writeVerdicts();
    void writeVerdictTiming_data();
    void writeVerdictTiming();
    void writeTraceHoldsLinesBeforePrompt();
    void writePromptWithZeroByte();
    void writeNoPrompt();
    void writeTraceCannotBeCreated();
    void writeMissingRecordAnswer();
    void writeCancel_data();
    void writeCancel();
    void writeChatterCanBeCancelled();
    void writeWaitsForTransmitter();
};

void TestExchanges::classifyReply_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<LinkOutcome>("code");
    QTest::newRow("saved") << QByteArray("SAVED_OK") << LinkOutcome::SavedOk;
    QTest::newRow("received") << QByteArray("RECEIVED_OK") << LinkOutcome::ReceivedOk;
    QTest::newRow("timeout") << QByteArray("TIMEOUT!!!") << LinkOutcome::UnitTimeout;
    QTest::newRow("format") << QByteArray("FORMAT ERROR!!!") << LinkOutcome::UnitFormatError;
    QTest::newRow("address") << QByteArray("ADDRESS ERROR!!!") << LinkOutcome::UnitAddressError;
    QTest::newRow("checksum") << QByteArray("CHECKSUM ERROR!!!") << LinkOutcome::UnitChecksumError;
    QTest::newRow("none") << QByteArray("HELLO") << LinkOutcome::UnknownVerdict;
    QTest::newRow("empty") << QByteArray() << LinkOutcome::UnknownVerdict;
    QTest::newRow("inside a line") << QByteArray("xxSAVED_OKyy") << LinkOutcome::SavedOk;
    QTest::newRow("saved wins over checksum")
        << QByteArray("CHECKSUM ERROR!!! SAVED_OK") << LinkOutcome::SavedOk;
    QTest::newRow("received wins over timeout")
        << QByteArray("TIMEOUT!!! RECEIVED_OK") << LinkOutcome::ReceivedOk;
    QTest::newRow("timeout wins over format")
        << QByteArray("FORMAT ERROR!!! TIMEOUT!!!") << LinkOutcome::UnitTimeout;
    QTest::newRow("case matters") << QByteArray("saved_ok") << LinkOutcome::UnknownVerdict;
    QTest::newRow("two marks short") << QByteArray("TIMEOUT!!") << LinkOutcome::UnknownVerdict;
}

void TestExchanges::classifyReply() {
    QFETCH(QByteArray, line);
    QFETCH(LinkOutcome, code);
    QCOMPARE(ClassifyReply(line), code);
}

void TestExchanges::connectWire() {
    Rig rig;
    QCOMPARE(rig.Connect(), LinkOutcome::Connected);
    QCOMPARE(rig.port.WrittenBytes(), QByteArray("\x0A\x56\x45\x52\x49\x46\x59\x0D"));
    QCOMPARE(rig.port.BufferSizes(), (QList<int>{20000, 20000}));
    QCOMPARE(rig.port.OpenedWith().portIndex, 1);
    QCOMPARE(rig.port.OpenedWith().baudRate, 9600);
    QVERIFY(rig.port.IsOpen());
    QVERIFY(rig.link.IsPortOpen());
    QCOMPARE(rig.progress.log.mid(0, 5),
             (QStringList{"create", "range 0 10", "step 1", "caption Connecting to device ...",
                          "percent 10%"}));
    QCOMPARE(rig.progress.log.last(), QStringLiteral("destroy"));
    QCOMPARE(rig.progress.alive, 0);
    QVERIFY(rig.messages.boxes.isEmpty());
    QVERIFY(rig.errorText.isEmpty());
}

void TestExchanges::connectIdentity_data() {
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("date");
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<bool>("compatible");
    // Before the connection the image holds "OLD", "OLD DATE", 7, 8.
    QTest::newRow("V2.6") << QByteArray("REPLY RM4811 V2.6 a b c d\r") << QByteArray("RM4811")
                          << QByteArray("a b c d") << 2 << 6 << true;
    QTest::newRow("V3.0") << QByteArray("REPLY RM4811 V3.0 a b c d\r") << QByteArray("RM4811")
                          << QByteArray("a b c d") << 3 << 0 << false;
    QTest::newRow("X2Y14") << QByteArray("REPLY RM4811 X2Y14 a b c d\r") << QByteArray("RM4811")
                           << QByteArray("a b c d") << 2 << 14 << true;
    QTest::newRow("other firmware")
        << QByteArray("REPLY QN4812 V2.6 15 Jun 1999 12:00\r") << QByteArray("QN4812")
        << QByteArray("15 Jun 1999 12:00") << 2 << 6 << false;
    QTest::newRow("no minor") << QByteArray("REPLY RM4811 V2 a b c d\r") << QByteArray("RM4811")
                              << QByteArray("a b c d") << 2 << 8 << true;
    QTest::newRow("no numbers") << QByteArray("REPLY RM4811 Vx.y a b c d\r") << QByteArray("RM4811")
                                << QByteArray("a b c d") << 7 << 8 << false;
    QTest::newRow("missing tokens") << QByteArray("REPLY RM4811\r") << QByteArray("RM4811")
                                    << QByteArray("   ") << 7 << 8 << false;
    QTest::newRow("long tokens are cut, not split")
        << QByteArray("REPLY ABCDEFGHIJKLMNOPQRSTUVWXY V2.6 1234567890ABCDEF b c d\r")
        << QByteArray("ABCDEFGHIJKLMNOPQRS") << QByteArray("1234567890A b c d") << 2 << 6 << false;
    QTest::newRow("tabs and runs of blanks")
        << QByteArray("REPLY\tRM4811   V2.6\ta  b\tc d\r") << QByteArray("RM4811")
        << QByteArray("a b c d") << 2 << 6 << true;
    QTest::newRow("zero byte between tokens")
        << QByteArray("REPLY RM4811\0V2.6 a b c d\r", 26) << QByteArray("RM4811")
        << QByteArray("a b c d") << 2 << 6 << true;
    QTest::newRow("zero byte before the marker")
        << QByteArray("\0REPLY RM4811 V2.6 a b c d\r", 27) << QByteArray("RM4811")
        << QByteArray("a b c d") << 2 << 6 << true;
    QTest::newRow("text without R before the marker")
        << QByteArray("OK> REPLY RM4811 V2.6 a b c d\r") << QByteArray("RM4811")
        << QByteArray("a b c d") << 2 << 6 << true;
}

void TestExchanges::connectIdentity() {
    QFETCH(QByteArray, reply);
    Rig rig;
    rig.image.SetDeviceIdentity("OLD", "OLD DATE", 7, 8);
    rig.unit.replies = {reply};
    QCOMPARE(rig.Connect(), LinkOutcome::Connected);
    QTEST(rig.image.DeviceSoftwareName(), "name");
    QTEST(rig.image.DeviceSoftwareDate(), "date");
    QTEST(rig.image.DeviceMajorVersion(), "major");
    QTEST(rig.image.DeviceMinorVersion(), "minor");
    QTEST(rig.image.CheckDeviceIdentity(UNIT_FIRMWARE, UNIT_MAJOR_VERSION) == 1, "compatible");
}

void TestExchanges::connectMarkerRules_data() {
    const QByteArray reply = "REPLY RM4811 V2.6 a b c d\r";
    const QByteArray echoed = "VERIFY " + reply;
    // 98 characters without an R, so that a full chunk ends in "RE".
    const QByteArray split = QByteArray(98, 'x') + reply;
    QTest::addColumn<QList<QByteArray>>("replies");
    QTest::addColumn<LinkOutcome>("result");
    QTest::addColumn<int>("verifies");
    QTest::newRow("at once") << QList<QByteArray>{reply} << LinkOutcome::Connected << 1;
    QTest::newRow("at the third attempt")
        << QList<QByteArray>{"", "", reply} << LinkOutcome::Connected << 3;
    QTest::newRow("an earlier R hides the marker")
        << QList<QByteArray>{echoed, reply} << LinkOutcome::Connected << 2;
    QTest::newRow("an earlier R every time")
        << QList<QByteArray>(10, echoed) << LinkOutcome::NoReply << 10;
    QTest::newRow("marker split across chunks")
        << QList<QByteArray>{split, reply} << LinkOutcome::Connected << 2;
    QTest::newRow("marker split every time")
        << QList<QByteArray>(10, split) << LinkOutcome::NoReply << 10;
    QTest::newRow("a lowercase marker is no marker")
        << QList<QByteArray>(10, "reply RM4811 V2.6 a b c d\r") << LinkOutcome::NoReply << 10;
}

void TestExchanges::connectMarkerRules() {
    QFETCH(QList<QByteArray>, replies);
    Rig rig;
    rig.unit.replies = replies;
    QTEST(rig.Connect(), "result");
    QTEST(rig.unit.verifies, "verifies");
    if (rig.unit.verifies > 1)
        QCOMPARE(rig.image.DeviceSoftwareName().isEmpty(), rig.unit.verifies == 10);
}

void TestExchanges::connectFullChunksAreListenedTo() {
    Rig rig;
    rig.unit.replies = {};
    // Twenty full chunks, one every 100 ms (longer than four attempts), then the reply.
    for (int i = 0; i < 20; ++i)
        rig.port.Receive(QByteArray(100, 'x'), 30 + 100 * i);
    rig.port.Receive("REPLY RM4811 V2.6 a b c d\r", 2100);
    QCOMPARE(rig.Connect(), LinkOutcome::Connected);
    QCOMPARE(rig.unit.verifies, 1); // nothing sent again while the unit talks
    QCOMPARE(rig.progress.percents, (QStringList{"10%", "20%"}));
    QCOMPARE(rig.progress.log.count(QStringLiteral("poll 0")), 21);
}

void TestExchanges::connectFloodCanBeCancelled() {
    Rig rig;
    rig.unit.replies = {};
    for (int i = 0; i < 1000; ++i)
        rig.port.Receive(QByteArray(100, 'x'), 30 + 100 * i);
    rig.port.After(3000, [&] { rig.progress.current->RequestCancel(); });
    QCOMPARE(rig.Connect(), LinkOutcome::UserAborted);
    QVERIFY(rig.port.Now() >= 3000 && rig.port.Now() < 3100);
    QCOMPARE(rig.unit.verifies, 1);
    QVERIFY(!rig.port.IsOpen());
    QVERIFY(!rig.link.IsPortOpen());
}

// Whatever a port or a unit keeps sending, each phase ends by its deadline with the outcome
// of a silent unit.
enum Phase { CONNECT_STREAM, DUMP_CHATTER, PROMPT_CHATTER, VERDICT_REPEATED };

void TestExchanges::phaseDeadlines_data() {
    QTest::addColumn<int>("phase");
    QTest::addColumn<LinkOutcome>("result");
    QTest::addColumn<int>("endsBy"); // ms after the phase began
    // A GPS: 100 characters every half second, so no slice of the connection is quiet.
    QTest::newRow("connect: a port that streams")
        << int(CONNECT_STREAM) << LinkOutcome::NoReply << 9600;
    QTest::newRow("dump: BUSY every second")
        << int(DUMP_CHATTER) << LinkOutcome::NoReply << CDeviceLink::DUMP_DEADLINE + 100;
    QTest::newRow("prompt: BUSY every second")
        << int(PROMPT_CHATTER) << LinkOutcome::NoReply << CDeviceLink::PROMPT_DEADLINE + 100;
    QTest::newRow("verdict: RECEIVED_OK every second")
        << int(VERDICT_REPEATED) << LinkOutcome::NoReply
        << 5000 + CDeviceLink::SAVING_DEADLINE + 2000;
}

void TestExchanges::phaseDeadlines() {
    QFETCH(int, phase);
    Rig rig;
    const QList<QByteArray> busy(1000, "BUSY\r");
    rig.unit.lineGap = 1000;
    if (phase == VERDICT_REPEATED) {
        rig.unit.verdicts.clear();
        for (int i = 0; i < 1000; ++i)
            rig.unit.verdicts.append({1000 * i, "RECEIVED_OK\r"});
    }
    LinkOutcome result = LinkOutcome::NotRun;
    qint64 start = 0;
    if (phase == CONNECT_STREAM) {
        rig.unit.replies = {};
        for (int i = 0; i < 1000; ++i)
            rig.port.Receive(QByteArray(98, 'x') + "\r\n", 30 + 500 * i);
        result = rig.Connect();
    } else {
        rig.unit.dumpLines = busy;
        if (phase == PROMPT_CHATTER)
            rig.unit.promptLines = busy;
        rig.Connected();
        start = rig.port.Now();
        result = phase == DUMP_CHATTER ? rig.Read() : rig.Write();
    }
    QTEST(result, "result");
    QFETCH(int, endsBy);
    QVERIFY2(rig.port.Now() - start <= endsBy, qPrintable(QString::number(rig.port.Now() - start)));
    if (phase == VERDICT_REPEATED)
        QVERIFY(rig.port.Now() - start >= CDeviceLink::SAVING_DEADLINE);
}

// Cancel ends the wait for the unit when it is pressed, not when the wait would have ended.
void TestExchanges::cancelEndsAWaitAtOnce() {
    Rig rig;
    rig.unit.promptLines = {}; // the unit never prompts: a 20 s wait
    rig.Connected();
    const qint64 start = rig.port.Now();
    rig.port.After(1000, [&] { rig.progress.current->RequestCancel(); });
    QCOMPARE(rig.Write(), LinkOutcome::UserAborted);
    QVERIFY(rig.port.Now() - start < 1100);
    QVERIFY(rig.messages.boxes.isEmpty());
    QVERIFY(!rig.port.IsOpen());
}

// Once the end record is out Cancel is off, but the program ending still stops the wait.
void TestExchanges::endingStopsTheVerdictWait() {
    Rig rig;
    rig.unit.verdicts = {{100, "RECEIVED_OK\r"}, {50000, "SAVED_OK\r"}};
    rig.Connected();
    const qint64 start = rig.port.Now();
    rig.port.After(3000, [&] {
        rig.progress.current->RequestCancel(); // not taken here
        rig.port.After(2000, [&] { rig.progress.ending = true; });
    });
    QCOMPARE(rig.Write(), LinkOutcome::UserAborted);
    QVERIFY(rig.unit.gotEndRecord);
    QVERIFY(rig.port.Now() - start >= 5000 && rig.port.Now() - start < 5100);
    QVERIFY(!rig.port.IsOpen());
}

void TestExchanges::connectNoReply() {
    Rig rig;
    rig.unit.replies = {};
    int outsideRuns = 0; // a handler of the port's owner, set aside during the exchange
    rig.port.SetIdleHandler([&] { ++outsideRuns; });
    QCOMPARE(rig.Connect(), LinkOutcome::NoReply);
    QCOMPARE(outsideRuns, 0);
    QCOMPARE(rig.unit.verifies, 10); // the first and one after each of the nine attempts
    QCOMPARE(rig.progress.percents,
             (QStringList{"10%", "20%", "30%", "40%", "50%", "60%", "70%", "80%", "90%", "100%"}));
    QVERIFY(rig.port.Now() >= 9 * CDeviceLink::CHUNK_TIMEOUT);
    // Every wait of the port let window events run, besides every step and poll.
    QVERIFY(rig.port.IdleRuns() >= 9);
    QCOMPARE(rig.progress.pumps,
             rig.port.IdleRuns() + 10 + int(rig.progress.log.count(QStringLiteral("poll 0"))));
    const int pumps = rig.progress.pumps;
    rig.port.Pause(100); // the exchange is over: its display no longer pumps
    QCOMPARE(rig.progress.pumps, pumps);
    QVERIFY(outsideRuns > 0);
    QVERIFY(rig.port.IsOpen()); // the command closes it
    QVERIFY(rig.messages.boxes.isEmpty());
    rig.link.ClosePort();
    QVERIFY(!rig.port.IsOpen());
    QCOMPARE(rig.port.CloseCount(), 1);
    rig.link.ClosePort(); // a second close does nothing
    QCOMPARE(rig.port.CloseCount(), 1);
}

void TestExchanges::connectFailures_data() {
    QTest::addColumn<int>("openResult");
    QTest::addColumn<int>("failCall"); // PortCall, or -1
    QTest::addColumn<int>("failNth");
    QTest::addColumn<int>("failCode");
    QTest::addColumn<int>("silentAfter");
    QTest::addColumn<QString>("errorText");
    QTest::addColumn<QString>("report");
    const int write = int(PortCall::Write);
    const int buffer = int(PortCall::ReadBuffer);
    QTest::newRow("port in use") << -3 << -1 << 0 << 0 << -1 << "Port in use"
                                 << "CComProm :  AS IN USE";
    QTest::newRow("invalid port") << -2 << -1 << 0 << 0 << -1 << "Invalid port"
                                  << "CComProm :  AS INV PORT";
    QTest::newRow("no unit attached") << 0 << -1 << 0 << 0 << 0 << "" << Composed(CComErr(6));
    QTest::newRow("first write fails") << 0 << write << 1 << -1 << -1 << "General error"
                                       << "CComProm :  AS GENERAL ERROR";
    QTest::newRow("write after an attempt fails") << 0 << write << 2 << -11 << -1 << "No CTS"
                                                  << "CComProm :  AS NO CTS";
    QTest::newRow("answer after an attempt times out") << 0 << -1 << 0 << 0 << 1 << "Buffer empty"
                                                       << "CComProm :  AS BUFR EMPTY";
    QTest::newRow("buffer read fails") << 0 << buffer << 1 << -12 << -1 << "No CD"
                                       << "CComProm :  AS NO CD";
}

void TestExchanges::connectFailures() {
    QFETCH(int, openResult);
    QFETCH(int, failCall);
    QFETCH(int, failNth);
    QFETCH(int, failCode);
    QFETCH(int, silentAfter);
    Rig rig;
    rig.unit.replies = {};
    rig.unit.silentAfter = silentAfter;
    rig.port.SetOpenResult(openResult);
    if (failCall >= 0)
        rig.port.FailCall(PortCall(failCall), failNth, failCode);
    QCOMPARE(rig.Connect(), LinkOutcome::ErrorReported);
    QTEST(rig.errorText, "errorText");
    QCOMPARE(rig.messages.boxes.size(), 1);
    QTEST(rig.messages.boxes[0].text, "report");
    QCOMPARE(rig.messages.boxes[0].caption, QStringLiteral("ERROR"));
    QCOMPARE(rig.messages.boxes[0].icon, MsgIcon::Stop);
    QCOMPARE(rig.messages.progressAliveAtBox, QList<int>{0});
    QVERIFY(!rig.port.IsOpen());
    QVERIFY(!rig.link.IsPortOpen());
    QCOMPARE(rig.port.CloseCount(), 1);
}

void TestExchanges::connectCancel() {
    Rig rig;
    rig.progress.cancelAtPoll = 1;
    QCOMPARE(rig.Connect(), LinkOutcome::UserAborted);
    QVERIFY(!rig.port.IsOpen());
    QVERIFY(rig.messages.boxes.isEmpty());
    QCOMPARE(rig.progress.alive, 0);
}

void TestExchanges::readFullDump() {
    Rig rig;
    QByteArray before(CE2prom::IMAGE_SIZE, '\0');
    before[0] = char(0x55);
    rig.image.ReplaceBytes(before);
    rig.unit.dumpLines = CFakeUnit::DumpOf(Pattern());
    rig.Connected();

    QCOMPARE(rig.Read(), LinkOutcome::ReceptionOk);
    QByteArray expected = Pattern();
    expected[0] = char(0x55); // no record covers address 0
    QCOMPARE(rig.image.Bytes(), expected);
    QVERIFY(!rig.image.IsModified());
    QVERIFY(rig.port.WrittenBytes().endsWith("\x44\x55\x4D\x50\x49\x4E\x47\x0D"));
    QCOMPARE(rig.progress.log.mid(0, 4),
             (QStringList{"create", "range 0 211", "step 1", "caption Reading device ..."}));
    QCOMPARE(rig.progress.percents.size(), 14);
    QCOMPARE(rig.progress.percents.last(), QStringLiteral("99%"));
    QVERIFY(rig.progress.log.contains(QStringLiteral("step 16")));
    QVERIFY(rig.progress.log.contains(QStringLiteral("step 2")));
    QVERIFY(rig.link.IsPortOpen()); // the command closes it
}

void TestExchanges::readRecords_data() {
    QTest::addColumn<QList<QByteArray>>("lines");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("value"); // -1: the case's line is not taken, so address is missing
    const QByteArray rec5 = Record(5, "\xAB");
    QTest::newRow("address 0x2010 lands at 16")
        << QList<QByteArray>{Record(0x2010, "\xAB")} << 16 << 0xAB;
    QTest::newRow("lowercase digits")
        << QList<QByteArray>{"S1" + rec5.mid(2).toLower()} << 5 << 0xAB;
    QTest::newRow("lowercase record type is no record")
        << QList<QByteArray>{rec5.toLower()} << 5 << -1;
    QTest::newRow("records above the image are dropped")
        << QList<QByteArray>{Record(211, QByteArray(16, '\x11')), Record(0x1FF0, "\x22"), rec5} << 5
        << 0xAB;
    QTest::newRow("only the first word counts") << QList<QByteArray>{"HELLO " + rec5} << 5 << -1;
    QTest::newRow("header and text lines are skipped")
        << QList<QByteArray>{"S00600004844521B", "", "  ", "# a comment", rec5} << 5 << 0xAB;
    QTest::newRow("leading blanks") << QList<QByteArray>{"   " + rec5} << 5 << 0xAB;
    QTest::newRow("zero byte before the record")
        << QList<QByteArray>{QByteArray(1, '\0') + rec5} << 5 << 0xAB;
    QTest::newRow("zero bytes and blanks after the record")
        << QList<QByteArray>{rec5 + QByteArray(1, '\0') + " \t"} << 5 << 0xAB;
    QTest::newRow("line feed ahead of the line") << QList<QByteArray>{"\n" + rec5} << 5 << 0xAB;
    QTest::newRow("count 3 carries no data") << QList<QByteArray>{Record(5, "")} << 5 << -1;
    QTest::newRow("a record repeated with the same bytes")
        << QList<QByteArray>{rec5, rec5} << 5 << 0xAB;
}

void TestExchanges::readRecords() {
    QFETCH(QList<QByteArray>, lines);
    QFETCH(int, address);
    QFETCH(int, value);
    Rig rig;
    // A whole dump of zeros in one-byte records but for the case's address, which only the
    // case's lines may bring, then the end record.
    rig.unit.dumpLines = {"S00600004844521B\r"};
    for (int a = 1; a < int(CE2prom::IMAGE_SIZE); ++a)
        if (a != address)
            rig.unit.dumpLines.append(Record(a, QByteArray(1, '\0')) + '\r');
    for (const QByteArray& line : lines)
        rig.unit.dumpLines.append(line + '\r');
    rig.unit.dumpLines.append("S9030000FC\r");
    rig.Connected();
    if (value < 0) {
        QCOMPARE(rig.Read(), LinkOutcome::DumpIncomplete);
        QCOMPARE(rig.link.MissingAddresses(), QList<int>{address});
        return;
    }
    QCOMPARE(rig.Read(), LinkOutcome::ReceptionOk);
    QCOMPARE(int(rig.image.GetByte(address)), value);
}

void TestExchanges::readBrokenRecords_data() {
    QTest::addColumn<QList<QByteArray>>("dump");
    QTest::addColumn<LinkOutcome>("result");
    QTest::addColumn<QList<int>>("missing");
    const QList<QByteArray> good = CFakeUnit::DumpOf(QByteArray(CE2prom::IMAGE_SIZE, '\x11'));
    // The dump with line 3 (the record of addresses 33 to 48) replaced by the lines given.
    const auto with = [&good](const QList<QByteArray>& lines) {
        return good.mid(0, 3) + lines + good.mid(4);
    };
    const QByteArray third = good[3].chopped(1);
    const QByteArray fourth = good[4].chopped(1);
    const QList<int> none;
    QList<int> thirdAddresses;
    for (int a = 33; a <= 48; ++a)
        thirdAddresses.append(a);

    QByteArray bad = third;
    bad[bad.size() - 1] = bad.endsWith('0') ? '1' : '0';
    QTest::newRow("wrong checksum") << with({bad + '\r'}) << LinkOutcome::BadChecksum << none;
    // Records that are not whole: each is broken, whatever its checksum would say.
    const QList<std::pair<const char*, QByteArray>> broken = {
        {"count below 3", "S1020005F8"},
        {"count claims more than the line holds", "S1130001AABB"},
        {"checksum missing", third.chopped(2)},
        {"record type alone", "S1"},
        {"count alone", "S113"},
        {"non-hex count", "S1ZZ0005AB4C"},
        {"non-hex data digit", third.left(12) + 'G' + third.mid(13)},
        // Count 4, address 0x40BB (image address 187): were the missing data byte and
        // checksum read as zeros, the checksum would match.
        {"data and checksum missing", "S10440BB"},
        {"longer than its count", third + "11"},
        {"two lines merged by a lost line end", third + fourth},
        {"line end damaged to 0x0C", third + '\x0C' + fourth},
        {"line end damaged to 0x8D", third + '\x8D' + fourth},
        {"text after the record", third + QByteArray(1, '\0') + "junk"},
    };
    for (const auto& [name, line] : broken)
        QTest::newRow(name) << with({line + '\r'}) << LinkOutcome::RecordBroken << none;
    // Two records that give one address different bytes: the last must not simply win.
    QTest::newRow("a record repeated with another byte")
        << with({third + '\r', Record(33, QByteArray(16, '\x11').replace(15, 1, "\x12")) + '\r'})
        << LinkOutcome::RecordBroken << none;
    QTest::newRow("a record overlapping others with another byte")
        << with({third + '\r', Record(40, "\x11\x13") + '\r'}) << LinkOutcome::RecordBroken << none;
    // Records lost or unrecognised leave a gap that the end record finds.
    QTest::newRow("record line lost") << with({}) << LinkOutcome::DumpIncomplete << thirdAddresses;
    for (const char* type : {"Q1", "S5", "SS1", "1"})
        QTest::newRow(QByteArray("record type damaged to ").append(type).constData())
            << with({type + third.mid(2) + '\r'}) << LinkOutcome::DumpIncomplete << thirdAddresses;
    QTest::newRow("no records at all")
        << QList<QByteArray>{good.first(), good.last()} << LinkOutcome::DumpIncomplete << [] {
               QList<int> all;
               for (int a = 1; a < int(CE2prom::IMAGE_SIZE); ++a)
                   all.append(a);
               return all;
           }();
    // A damaged end record, or a record damaged into one, ends nothing.
    QTest::newRow("record type damaged to S9")
        << with({"S9" + third.mid(2) + '\r'}) << LinkOutcome::EndRecordBroken << none;
    QTest::newRow("end record checksum wrong")
        << good.mid(0, 15) + QList<QByteArray>{"S9030000FD\r"} << LinkOutcome::EndRecordBroken
        << none;
    QTest::newRow("end record count wrong") << good.mid(0, 15) + QList<QByteArray>{"S9040000FB\r"}
                                            << LinkOutcome::EndRecordBroken << none;
}

void TestExchanges::readBrokenRecords() {
    QFETCH(QList<QByteArray>, dump);
    Rig rig;
    const QByteArray before = Pattern();
    rig.image.ReplaceBytes(before);
    rig.unit.dumpLines = dump;
    rig.Connected();
    QTEST(rig.Read(), "result");
    QTEST(rig.link.MissingAddresses(), "missing");
    QCOMPARE(rig.image.Bytes(), before);
    QVERIFY(!rig.port.IsOpen());
    QVERIFY(!rig.link.IsPortOpen());
    QVERIFY(rig.messages.boxes.isEmpty());
}

void TestExchanges::readNoLine() {
    Rig rig;
    const QByteArray before = Pattern();
    rig.image.ReplaceBytes(before);
    rig.unit.dumpLines = CFakeUnit::DumpOf(QByteArray(CE2prom::IMAGE_SIZE, '\0')).mid(0, 5);
    rig.Connected();
    const qint64 start = rig.port.Now();
    QCOMPARE(rig.Read(), LinkOutcome::NoReply);
    QVERIFY(rig.port.Now() - start >= CDeviceLink::RECORD_TIMEOUT);
    QCOMPARE(rig.image.Bytes(), before);
    QVERIFY(rig.link.IsPortOpen()); // the command closes it
}

void TestExchanges::readCancelBetweenRecords() {
    Rig rig;
    const QByteArray before = Pattern();
    rig.image.ReplaceBytes(before);
    rig.unit.dumpLines = CFakeUnit::DumpOf(QByteArray(CE2prom::IMAGE_SIZE, '\0'));
    rig.Connected();
    rig.progress.cancelAtPoll = 4; // at the start, after the header, then after two records
    QCOMPARE(rig.Read(), LinkOutcome::UserAborted);
    QCOMPARE(rig.progress.percents, (QStringList{"7%", "15%"}));
    QCOMPARE(rig.image.Bytes(), before);
    QVERIFY(!rig.port.IsOpen());
}

void TestExchanges::readChatterCanBeCancelled() {
    Rig rig;
    rig.unit.dumpLines = QList<QByteArray>(500, "BUSY\r");
    rig.Connected();
    rig.progress.cancelAtPoll = 20;
    QCOMPARE(rig.Read(), LinkOutcome::UserAborted);
    QVERIFY(!rig.port.IsOpen());
}

void TestExchanges::readMissingAnswer() {
    Rig rig;
    rig.unit.silentAfter = 1; // answers the connection only
    rig.Connected();
    QCOMPARE(rig.Read(), LinkOutcome::ErrorReported);
    QCOMPARE(rig.errorText, QStringLiteral("Buffer empty"));
    QCOMPARE(rig.messages.boxes.size(), 1);
    QCOMPARE(rig.messages.boxes[0].text, QStringLiteral("CComProm :  AS BUFR EMPTY"));
    QCOMPARE(rig.messages.progressAliveAtBox, QList<int>{0});
    QVERIFY(!rig.port.IsOpen());
}

void TestExchanges::readWithoutConnection() {
    Rig rig;
    QCOMPARE(rig.Read(), LinkOutcome::ErrorReported);
    QCOMPARE(rig.errorText, QStringLiteral("Not setup"));
    QCOMPARE(rig.port.Written().size(), 0);
}

void TestExchanges::writeRecords() {
    Rig rig;
    rig.Connected();
    QCOMPARE(rig.Write(), LinkOutcome::SavedOk);
    const QList<QByteArray> written = rig.port.Written();
    QCOMPARE(written.size(), 1 + 1 + 14 + 1);
    QCOMPARE(written[1], QByteArray("PROGRAMMING QN4812 V2.6"));
    QCOMPARE(written[2], QByteArray("S113000100000000000000000000000000000000EB"));
    QCOMPARE(written[3], QByteArray("S113001100000000000000000000000000000000DB"));
    QCOMPARE(written[15], QByteArray("S10500D1000029"));
    QCOMPARE(written[16], QByteArray("S9030000FC"));
    for (int i = 0; i < 14; ++i)
        QCOMPARE(written[2 + i].mid(4, 4),
                 QByteArray::number(1 + 16 * i, 16).rightJustified(4, '0').toUpper());
    QVERIFY(!rig.port.IsOpen());
    QVERIFY(!rig.link.IsPortOpen());
    QCOMPARE(rig.progress.log.mid(0, 4),
             (QStringList{"create", "range 0 210", "step 1", "caption Writing device ..."}));
    QCOMPARE(rig.progress.percents.size(), 14);
    QCOMPARE(rig.progress.percents.last(), QStringLiteral("100%"));
    QVERIFY(rig.progress.log.contains(QStringLiteral("message Device saving data ...")));
    QVERIFY(!rig.image.IsModified());
}

void TestExchanges::writeRecordBytes() {
    Rig rig;
    rig.image.SetByte(1, 0x12);
    rig.image.SetByte(2, 0xAB);
    rig.image.SetByte(0, 0x77); // address 0 is never sent
    rig.Connected();
    QCOMPARE(rig.Write(), LinkOutcome::SavedOk);
    QCOMPARE(rig.unit.records.first(), QByteArray("S113000112AB00000000000000000000000000002E"));
    QVERIFY(!rig.port.WrittenBytes().contains("S1130000"));
    // The records carry exactly the image from address 1 on.
    QByteArray sent;
    for (const QByteArray& record : rig.unit.records)
        sent += QByteArray::fromHex(record.mid(8, record.size() - 10));
    QCOMPARE(sent, rig.image.Bytes().mid(1));
}

void TestExchanges::writeVerdicts_data() {
    QTest::addColumn<QList<QByteArray>>("lines");
    QTest::addColumn<LinkOutcome>("result");
    using L = QList<QByteArray>;
    QTest::newRow("saved") << L{"SAVED_OK\r"} << LinkOutcome::SavedOk;
    QTest::newRow("received then saved")
        << L{"RECEIVED_OK\r", "SAVED_OK\r"} << LinkOutcome::SavedOk;
    QTest::newRow("timeout") << L{"RECEIVED_OK\r", "TIMEOUT!!!\r"} << LinkOutcome::UnitTimeout;
    QTest::newRow("format") << L{"FORMAT ERROR!!!\r"} << LinkOutcome::UnitFormatError;
    QTest::newRow("address") << L{"ADDRESS ERROR!!!\r"} << LinkOutcome::UnitAddressError;
    QTest::newRow("checksum") << L{"RECEIVED_OK\r", "CHECKSUM ERROR!!!\r"}
                              << LinkOutcome::UnitChecksumError;
    QTest::newRow("unknown line ends at once")
        << L{"HELLO\r", "SAVED_OK\r"} << LinkOutcome::UnknownVerdict;
    QTest::newRow("saved and checksum")
        << L{"SAVED_OK CHECKSUM ERROR!!!\r"} << LinkOutcome::SavedOk;
    QTest::newRow("zero byte ahead") << L{QByteArray("\0SAVED_OK\r", 10)} << LinkOutcome::SavedOk;
    QTest::newRow("zero byte inside")
        << L{QByteArray("SAVED\0OK\r", 9)} << LinkOutcome::UnknownVerdict;
}

void TestExchanges::writeVerdicts() {
    QFETCH(QList<QByteArray>, lines);
    Rig rig;
    rig.unit.verdicts.clear();
    for (int i = 0; i < lines.size(); ++i)
        rig.unit.verdicts.append({100 * (i + 1), lines[i]});
    rig.Connected();
    QTEST(rig.Write(), "result");
    QVERIFY(!rig.port.IsOpen());
}

void TestExchanges::writeVerdictTiming_data() {
    using V = Verdicts;
    QTest::addColumn<Verdicts>("verdicts"); // ms after the S9 record's answer
    QTest::addColumn<LinkOutcome>("result");
    QTest::newRow("RECEIVED_OK, SAVED_OK 50 s later")
        << V{{100, "RECEIVED_OK\r"}, {50100, "SAVED_OK\r"}} << LinkOutcome::SavedOk;
    QTest::newRow("SAVED_OK 50 s later without RECEIVED_OK")
        << V{{50100, "SAVED_OK\r"}} << LinkOutcome::NoReply;
    QTest::newRow("first verdict just within 5 s")
        << V{{4990, "SAVED_OK\r"}} << LinkOutcome::SavedOk;
    QTest::newRow("first verdict just after 5 s")
        << V{{5010, "SAVED_OK\r"}} << LinkOutcome::NoReply;
    QTest::newRow("saving for just under a minute")
        << V{{100, "RECEIVED_OK\r"}, {60090, "SAVED_OK\r"}} << LinkOutcome::SavedOk;
    QTest::newRow("saving for over a minute")
        << V{{100, "RECEIVED_OK\r"}, {60110, "SAVED_OK\r"}} << LinkOutcome::NoReply;
    QTest::newRow("each RECEIVED_OK gives another minute")
        << V{{100, "RECEIVED_OK\r"}, {50000, "RECEIVED_OK\r"}, {100000, "SAVED_OK\r"}}
        << LinkOutcome::SavedOk;
    QTest::newRow("but two minutes in all") << V{{100, "RECEIVED_OK\r"},
                                                 {50000, "RECEIVED_OK\r"},
                                                 {100000, "RECEIVED_OK\r"},
                                                 {120110, "SAVED_OK\r"}}
                                            << LinkOutcome::NoReply;
    QTest::newRow("silence") << V{} << LinkOutcome::NoReply;
}

void TestExchanges::writeVerdictTiming() {
    QFETCH(Verdicts, verdicts);
    Rig rig;
    // The verdict delays here count from the S9 answer, which comes 5 ms after S9.
    rig.unit.verdicts = verdicts;
    rig.Connected();
    QTEST(rig.Write(), "result");
    QVERIFY(!rig.port.IsOpen());
}

void TestExchanges::writeTraceHoldsLinesBeforePrompt() {
    Rig rig;
    {
        QFile old(rig.TracePath());
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("AN OLDER AND LONGER TRACE OF ANOTHER WRITE TO THE UNIT");
    }
    rig.unit.promptLines = {"HELLO\r", QByteArray("WOR\0LD\r", 7), "PROGRAMMING RM4811 V2.6\r"};
    rig.Connected();
    QCOMPARE(rig.Write(), LinkOutcome::SavedOk);
    QCOMPARE(ReadFile(rig.TracePath()), QByteArray("HELLOWOR\0LDPROGRAMMING RM4811 V2.6", 34));
}

void TestExchanges::writePromptWithZeroByte() {
    Rig rig;
    rig.unit.promptLines = {QByteArray("PROGRAMMING\0RM4811 V2\r", 22)};
    rig.Connected();
    QCOMPARE(rig.Write(), LinkOutcome::SavedOk);
    QCOMPARE(rig.unit.records.size(), 14);
}

void TestExchanges::writeNoPrompt() {
    Rig rig;
    rig.unit.promptLines = {"HELLO\r", "PROGRAMM"};
    rig.Connected();
    const qint64 start = rig.port.Now();
    QCOMPARE(rig.Write(), LinkOutcome::NoReply);
    QVERIFY(rig.port.Now() - start >= CDeviceLink::PROMPT_TIMEOUT);
    QCOMPARE(ReadFile(rig.TracePath()), QByteArray("HELLOPROGRAMM"));
    QVERIFY(rig.unit.records.isEmpty());
    QVERIFY(rig.link.IsPortOpen()); // the command closes it
}

void TestExchanges::writeTraceCannotBeCreated() {
    Rig rig;
    rig.link.SetTracePath(rig.dir.filePath(QStringLiteral("no/such/folder/test.dat")));
    rig.Connected();
    QCOMPARE(rig.Write(), LinkOutcome::SavedOk);
    QCOMPARE(rig.unit.records.size(), 14);
}

void TestExchanges::writeMissingRecordAnswer() {
    Rig rig;
    rig.unit.silentAfter = 3; // the connection, the command and the first record
    rig.Connected();
    QCOMPARE(rig.Write(), LinkOutcome::ErrorReported);
    QCOMPARE(rig.errorText, QStringLiteral("Buffer empty"));
    QCOMPARE(rig.messages.boxes.size(), 1);
    QCOMPARE(rig.messages.boxes[0].text, QStringLiteral("CComProm :  AS BUFR EMPTY"));
    QCOMPARE(rig.messages.progressAliveAtBox, QList<int>{0});
    QCOMPARE(rig.unit.records.size(), 1);
    QVERIFY(!rig.unit.gotEndRecord);
    QVERIFY(!rig.port.IsOpen());
}

void TestExchanges::writeCancel_data() {
    QTest::addColumn<int>("cancelAtPoll");
    QTest::addColumn<LinkOutcome>("result");
    QTest::addColumn<int>("records");
    // Polls come at the start and after each of the 14 records; none after the end record,
    // so a Cancel raised after it (while "RECEIVED_OK" is awaited) gives the unit's verdict.
    QTest::newRow("between records") << 4 << LinkOutcome::UserAborted << 3;
    QTest::newRow("after the end record") << 16 << LinkOutcome::SavedOk << 14;
}

void TestExchanges::writeCancel() {
    QFETCH(int, cancelAtPoll);
    QFETCH(int, records);
    Rig rig;
    rig.Connected();
    rig.progress.cancelAtPoll = cancelAtPoll;
    QTEST(rig.Write(), "result");
    QCOMPARE(rig.unit.records.size(), records);
    QCOMPARE(rig.unit.gotEndRecord, records == 14);
    // The display is told Cancel is off once the end record is out, and only then.
    QCOMPARE(rig.progress.log.contains("cancel off"), records == 14);
    QVERIFY(!rig.port.IsOpen());
}

void TestExchanges::writeChatterCanBeCancelled() {
    Rig rig;
    rig.unit.promptLines = QList<QByteArray>(500, "BUSY\r");
    rig.Connected();
    rig.progress.cancelAtPoll = 10;
    QCOMPARE(rig.Write(), LinkOutcome::UserAborted);
    QVERIFY(rig.unit.records.isEmpty());
    QVERIFY(!rig.port.IsOpen());
}

void TestExchanges::writeWaitsForTransmitter() {
    Rig rig;
    rig.port.SetBusyAnswers(2);
    rig.Connected();
    QCOMPARE(rig.Write(), LinkOutcome::SavedOk);
    QCOMPARE(rig.port.BusyQueries(), 14 * 3);
}

QTEST_GUILESS_MAIN(TestExchanges)
#include "tst_exchanges.moc"
