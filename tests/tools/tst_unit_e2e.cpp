// karvo-cli against karvo-unit on a pseudo-terminal: the real serial port code, the real
// exchanges, a unit that behaves or misbehaves.
#include "core/image/CE2prom.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <signal.h>

namespace {

struct Run {
    int status;
    QByteArray out;
    QByteArray err;
    qint64 ms;      // how long the command ran
    qint64 peakKiB; // the most memory it held, sampled while it ran
};

// The resident memory of a running process in KiB; 0 once it is gone.
qint64 ResidentKiB(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return 0;
}

} // namespace

class TestUnitEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void info();
    void infoOfOtherFirmware();
    void readUnit();
    void writeAndVerify();
    void verifyFindsWrongStore();
    void noisyReadsNeverLie();
    void refusals_data();
    void refusals();
    void missingPort();
    void unitFaults_data();
    void unitFaults();
    void stopSignals();

private:
    void StartUnit(const QStringList& options);
    Run Cli(QStringList args);
    QString Path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    std::unique_ptr<QProcess> m_unit;
};

void TestUnitEndToEnd::init() {
    QVERIFY(m_dir.isValid());
    qputenv("KARVO_PROFILE", Path("profile.ini").toLocal8Bit());
    qputenv("KARVO_BACKUP_DIR", Path("backups").toLocal8Bit());
    QDir(Path("backups")).removeRecursively(); // each case counts its own backups
}

void TestUnitEndToEnd::cleanup() {
    if (m_unit) {
        m_unit->terminate();
        m_unit->waitForFinished(3000);
        m_unit.reset();
    }
}

void TestUnitEndToEnd::StartUnit(const QStringList& options) {
    m_unit = std::make_unique<QProcess>();
    m_unit->start(KARVO_UNIT, QStringList{"--image", KARVO_DEFAULT_SETUP, "--link", Path("com1"),
                                          "--save", Path("unit.s19")} +
                                  options);
    QVERIFY(m_unit->waitForStarted(5000));
    QVERIFY(m_unit->waitForReadyRead(5000));
    QVERIFY(m_unit->readLine().startsWith("/dev/"));
}

Run TestUnitEndToEnd::Cli(QStringList args) {
    if (QStringList{"info", "read", "write"}.contains(args.first()))
        args << "--port" << Path("com1");
    QProcess p;
    p.setWorkingDirectory(m_dir.path());
    QElapsedTimer timer;
    timer.start();
    p.start(KARVO_CLI, args);
    qint64 peak = 0;
    while (!p.waitForFinished(20) && timer.elapsed() < 60000)
        peak = std::max(peak, ResidentKiB(p.processId()));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError(), timer.elapsed(), peak};
}

void TestUnitEndToEnd::info() {
    StartUnit({});
    const Run r = Cli({"info"});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QByteArray("Device information: Software : RM4811\nVersion : V2.6\n"
                               "Software date : 15 Jun 1999 12:00\n"));
}

void TestUnitEndToEnd::infoOfOtherFirmware() {
    StartUnit({"--name", "RM5000", "--firmware-version", "X2Y14"});
    const Run r = Cli({"info"});
    QCOMPARE(r.status, 0);
    QVERIFY(r.out.contains("Software : RM5000\nVersion : V2.14\n"));
    // Reading and writing refuse a unit with other firmware.
    const Run read = Cli({"read", Path("out.s19")});
    QCOMPARE(read.status, 13);
    QVERIFY(read.err.contains("Software not compatible"));
    QVERIFY(!QFile::exists(Path("out.s19")));
    QCOMPARE(Cli({"write", KARVO_DEFAULT_SETUP}).status, 13);
}

void TestUnitEndToEnd::readUnit() {
    StartUnit({"--nul-bytes", "--long-line"});
    const Run r = Cli({"read", Path("read.s19")});
    QCOMPARE(r.status, 0);
    QVERIFY(r.out.contains("Reception OK"));
    CE2prom expected, got;
    QCOMPARE(expected.LoadSRecords(KARVO_DEFAULT_SETUP), 1);
    QCOMPARE(got.LoadSRecords(Path("read.s19")), 1);
    QCOMPARE(got.Bytes().toHex(), expected.Bytes().toHex());
    QVERIFY(QDir(Path("backups")).entryList(QDir::Files).isEmpty());
    // Reading over an existing setup file keeps the old one as a backup.
    QCOMPARE(Cli({"poke", Path("read.s19"), Path("read.s19"), "30=9"}).status, 0);
    QCOMPARE(Cli({"read", Path("read.s19")}).status, 0);
    const QStringList backups = QDir(Path("backups")).entryList({"*-replaced.s19"});
    QCOMPARE(backups.size(), 1);
    CE2prom old;
    QCOMPARE(old.LoadSRecords(Path("backups/") + backups[0]), 1);
    QCOMPARE(int(old.GetByte(30)), 9);
    // Whatever the file held is kept byte for byte, a text setup too.
    QFile text(Path("site.yaml"));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("# site 7\nSystem Setup:\n  Options: 1\n");
    text.close();
    QCOMPARE(Cli({"read", Path("site.yaml")}).status, 0);
    const QStringList kept = QDir(Path("backups")).entryList({"*-replaced.yaml"});
    QCOMPARE(kept.size(), 1);
    QFile keptFile(Path("backups/") + kept[0]);
    QVERIFY(keptFile.open(QIODevice::ReadOnly));
    QCOMPARE(keptFile.readAll(), QByteArray("# site 7\nSystem Setup:\n  Options: 1\n"));
}

void TestUnitEndToEnd::writeAndVerify() {
    StartUnit({});
    CE2prom image;
    for (int a = 1; a < 211; ++a)
        image.SetByte(a, std::uint8_t(a * 7));
    image.SaveSRecords(Path("mine.s19"));
    const Run r = Cli({"write", Path("mine.s19"), "--verify"});
    QCOMPARE(r.status, 0);
    QVERIFY(r.out.contains("Writing device OK"));
    QVERIFY(r.out.contains("addresses 1 to 210 match"));
    QVERIFY(QFile::exists(Path("test.dat")));
    // The unit now holds the setup, and a backup of what was written exists.
    CE2prom unit;
    QCOMPARE(unit.LoadSRecords(Path("unit.s19")), 1);
    QCOMPARE(unit.Bytes().mid(1), image.Bytes().mid(1));
    // One backup: the setup written; the read that checked it keeps nothing.
    const QStringList backups = QDir(Path("backups")).entryList(QDir::Files);
    QCOMPARE(backups.size(), 1);
    QVERIFY(backups[0].endsWith("-written.s19"));
}

void TestUnitEndToEnd::verifyFindsWrongStore() {
    StartUnit({"--corrupt", "77"});
    const Run r = Cli({"write", KARVO_DEFAULT_SETUP}); // verified without being asked
    QCOMPARE(r.status, 22);
    QCOMPARE(r.out, QByteArray()); // nothing on stdout reads as a success
    QVERIFY2(!r.err.contains("Writing device OK"), r.err.constData());
    QVERIFY2(r.err.contains("Error writing device: The unit holds other values"), r.err.constData());
    QVERIFY2(r.err.contains("\nDecoder 2 | Decoder function | "), r.err.constData());
    // Without the read-back only the unit's own verdict counts.
    const Run trusted = Cli({"write", KARVO_DEFAULT_SETUP, "--no-verify"});
    QCOMPARE(trusted.status, 0);
    QVERIFY(!trusted.out.contains("Verify:"));
}

// Through a line that damages what the unit sends, a read either brings the unit's setup
// whole or ends in an error and writes nothing.
void TestUnitEndToEnd::noisyReadsNeverLie() {
    StartUnit({"--noise-to-pc", "flip=0.0005,lose=0.0005,cr=0.01,line=0.01,pair=0.05",
               "--noise-seed", "3"});
    CE2prom held;
    QCOMPARE(held.LoadSRecords(KARVO_DEFAULT_SETUP), 1);
    int good = 0;
    for (int i = 0; i < 6; ++i) {
        const QString out = Path(QStringLiteral("noisy%1.s19").arg(i));
        const Run r = Cli({"read", out});
        QVERIFY2(r.status == 0 || r.status >= 10, r.err.constData());
        if (r.status != 0) {
            QVERIFY(!QFile::exists(out));
            continue;
        }
        ++good;
        CE2prom got;
        QCOMPARE(got.LoadSRecords(out), 1);
        QCOMPARE(got.Bytes().mid(1).toHex(), held.Bytes().mid(1).toHex());
    }
    QVERIFY(good > 0);
}

void TestUnitEndToEnd::refusals_data() {
    QTest::addColumn<QStringList>("unitOptions");
    QTest::addColumn<QStringList>("command");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    const QStringList write = {"write", KARVO_DEFAULT_SETUP};
    QTest::newRow("no unit answering")
        << QStringList{"--silent"} << QStringList{"info"} << 12 << " Device is not connected.";
    QTest::newRow("checksum error in the dump")
        << QStringList{"--bad-dump-record", "5"} << QStringList{"read", "@/out.s19"} << 14
        << "Checksum error";
    QTest::newRow("verdict timeout")
        << QStringList{"--verdict", "TIMEOUT!!!"} << write << 16 << "Timeout error";
    QTest::newRow("verdict format")
        << QStringList{"--verdict", "FORMAT ERROR!!!"} << write << 17 << "Format error";
    QTest::newRow("verdict address")
        << QStringList{"--verdict", "ADDRESS ERROR!!!"} << write << 18 << "Address error";
    QTest::newRow("verdict checksum")
        << QStringList{"--verdict", "CHECKSUM ERROR!!!"} << write << 19 << "Checksum error";
    QTest::newRow("verdict unknown")
        << QStringList{"--verdict", "WHATEVER"} << write << 20 << "Unknown error";
    QTest::newRow("unit stops in the middle of a write")
        << QStringList{"--silent-after", "8"} << write << 12 << "CComProm :  AS BUFR EMPTY";
    QTest::newRow("echo before REPLY")
        << QStringList{"--echo"} << QStringList{"info"} << 10 << "No reply from device";
}

void TestUnitEndToEnd::refusals() {
    QFETCH(QStringList, unitOptions);
    QFETCH(QStringList, command);
    QFETCH(int, status);
    QFETCH(QString, message);
    StartUnit(unitOptions);
    for (QString& a : command)
        a.replace("@", m_dir.path());
    const Run r = Cli(command);
    QCOMPARE(r.status, status);
    QVERIFY2(QString::fromLocal8Bit(r.err).contains(message), r.err.constData());
    QVERIFY(!QFile::exists(Path("out.s19")));
}

void TestUnitEndToEnd::missingPort() {
    const Run r = Cli({"info"}); // no unit started: the link does not exist
    QCOMPARE(r.status, 12);
    QVERIFY2(r.err.contains("CComProm :  AS INV PORT"), r.err.constData());
}

// A unit that fails from outside: each command ends within its time-out with the right
// message and bounded memory, writes no file, and the next command, with a sound unit
// behind the same port name, works.
void TestUnitEndToEnd::unitFaults_data() {
    QTest::addColumn<QStringList>("unitOptions");
    QTest::addColumn<QStringList>("command");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("withinMs");
    const QStringList read = {"read", "@/out.s19"};
    const QStringList write = {"write", "@/mine.s19"};
    // The unit sends 2 lines to connect, then OK, a header and 14 records of the dump, or
    // 4 lines before its prompt and one per record of a write.
    QTest::newRow("killed in the middle of a read")
        << QStringList{"--vanish-after", "8"} << read << 12 << "CComProm :  AS PORT LOST" << 5000;
    QTest::newRow("killed in the middle of a write")
        << QStringList{"--vanish-after", "12"} << write << 12 << "CComProm :  AS PORT LOST" << 5000;
    QTest::newRow("a megabyte without a line end")
        << QStringList{"--flood", "1048576"} << read << 15 << "No connection" << 20000;
    QTest::newRow("every other line answered: read")
        << QStringList{"--every-other-line"} << read << 12 << "CComProm :  AS BUFR EMPTY" << 5000;
    QTest::newRow("every other line answered: write")
        << QStringList{"--every-other-line"} << write << 12 << "CComProm :  AS BUFR EMPTY" << 5000;
    // Ports and units that never stop sending end by the phase's deadline.
    QTest::newRow("a device that streams text")
        << QStringList{"--stream"} << QStringList{"info"} << 10 << "No reply from device" << 12000;
    QTest::newRow("BUSY instead of the dump")
        << QStringList{"--busy"} << read << 15 << "No connection" << 12500;
    QTest::newRow("three dumps that disagree")
        << QStringList{"--vary-every-dump", "1"} << read << 14 << "three dumps of the unit disagree"
        << 8000;
    QTest::newRow("a second record for one address")
        << QStringList{"--doubled-dump-record", "3"} << read << 14 << "Damaged record in the dump"
        << 5000;
}

// Ctrl+C or a time-out's SIGTERM: the command stops at once, closes the port, writes no
// setup and still writes its trace.
void TestUnitEndToEnd::stopSignals() {
    for (const int signal : {SIGINT, SIGTERM}) {
        StartUnit({"--busy"});
        QFile::remove(Path("trace.txt"));
        QFile::remove(Path("out.s19"));
        QProcess p;
        p.start(KARVO_CLI, {"read", Path("out.s19"), "--port", Path("com1"), "--trace",
                            Path("trace.txt")});
        QVERIFY(p.waitForStarted(5000));
        QTest::qWait(2000); // connected, waiting for a dump that never comes
        QElapsedTimer timer;
        timer.start();
        ::kill(pid_t(p.processId()), signal);
        QVERIFY(p.waitForFinished(5000));
        QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 11);
        QVERIFY(p.readAllStandardError().contains("User aborted"));
        QVERIFY(!QFile::exists(Path("out.s19")));
        QFile trace(Path("trace.txt"));
        QVERIFY(trace.open(QIODevice::ReadOnly));
        QVERIFY(trace.readAll().contains("->  DUMPING"));
        cleanup();
    }
}

void TestUnitEndToEnd::unitFaults() {
    QFETCH(QStringList, unitOptions);
    QFETCH(QStringList, command);
    QFETCH(QString, message);
    QFETCH(int, withinMs);
    for (const char* name : {"mine.s19", "out.s19", "unit.s19"})
        QFile::remove(Path(name));
    QVERIFY(QFile::copy(KARVO_DEFAULT_SETUP, Path("mine.s19")));
    const QByteArray mine = [&] {
        QFile f(Path("mine.s19"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    StartUnit(unitOptions);
    command.replaceInStrings("@", m_dir.path());
    const Run r = Cli(command);
    QFETCH(int, status);
    QVERIFY2(r.status == status, qPrintable(QString::number(r.status) + ": " + r.err));
    QVERIFY2(QString::fromLocal8Bit(r.err).contains(message), r.err.constData());
    QVERIFY2(r.ms < withinMs, qPrintable(QString::number(r.ms)));
    // karvo-cli holds about 10 MiB (more under the sanitizers); what the unit sent is not
    // kept.
#ifdef __SANITIZE_ADDRESS__
    const qint64 boundKiB = 512 * 1024;
#else
    const qint64 boundKiB = 64 * 1024;
#endif
    QVERIFY2(r.peakKiB < boundKiB, qPrintable(QString::number(r.peakKiB)));
    QVERIFY(!QFile::exists(Path("out.s19")));
    QVERIFY(!QFile::exists(Path("unit.s19")));
    QFile kept(Path("mine.s19"));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), mine);

    cleanup();
    StartUnit({});
    QCOMPARE(Cli({"read", Path("out.s19")}).status, 0);
    QVERIFY(QFile::exists(Path("out.s19")));
}

QTEST_GUILESS_MAIN(TestUnitEndToEnd)
#include "tst_unit_e2e.moc"
