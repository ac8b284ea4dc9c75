// The port layer: line and buffer assembly with time-outs (on the scripted port's
// virtual clock), the serial port on a pseudo-terminal, and the COM port names.
#include "lang/CProfile.h"
#include "link/CScriptedPort.h"
#include "link/CSerialPort.h"
#include "link/ComPortNames.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Arrivals = QList<std::pair<int, QByteArray>>; // ms from now, bytes

CLinkSettings UnitSettings(int portIndex = 0) {
    CLinkSettings settings;
    settings.lineTerminator = 13;
    settings.portIndex = portIndex;
    settings.baudRate = 9600;
    settings.parity = 'N';
    settings.dataBits = 8;
    settings.stopBits = 1;
    settings.attemptLimit = 9;
    return settings;
}

// The master side of a pseudo-terminal; its slave is the device the serial port opens.
class CPseudoTerminal {
public:
    CPseudoTerminal() {
        m_master = posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master >= 0 && (grantpt(m_master) != 0 || unlockpt(m_master) != 0)) {
            ::close(m_master);
            m_master = -1;
        }
    }
    ~CPseudoTerminal() { Close(); }
    bool IsOpen() const { return m_master >= 0; }
    QString SlaveName() const { return QString::fromLocal8Bit(ptsname(m_master)); }
    void Send(const QByteArray& bytes) {
        QCOMPARE(::write(m_master, bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size()));
    }
    // What the program sent, waiting up to timeoutMs for the first byte.
    QByteArray Take(int timeoutMs = 1000) {
        QByteArray got;
        pollfd fd{m_master, POLLIN, 0};
        while (::poll(&fd, 1, got.isEmpty() ? timeoutMs : 50) > 0) {
            char buffer[256];
            const ssize_t n = ::read(m_master, buffer, sizeof buffer);
            if (n <= 0)
                break;
            got.append(buffer, int(n));
        }
        return got;
    }
    void Close() {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }

private:
    int m_master = -1;
};

} // namespace

class TestPort : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    void readString_data();
    void readString();
    void readBuffer_data();
    void readBuffer();
    void clearKeepsWhatComesLater();
    void closedPortAnswersNotSetup();

    void serialLines();
    void serialTimeoutKeepsEventsRunning();
    void serialBufferAndClear();
    void serialPortInUse();
    void serialPortWithoutPermission();
    void serialMissingPort();
    void serialUnitDisappears();

    void comPortDefaults_data();
    void comPortDefaults();
    void comPortFromProfile();
    void serialOpensProfileDevice();

private:
    QTemporaryDir m_dir;
};

void TestPort::initTestCase() {
    QVERIFY(m_dir.isValid());
    CProfile::SetPath(m_dir.filePath(QStringLiteral("karvo.ini")));
}

void TestPort::readString_data() {
    QTest::addColumn<Arrivals>("arrivals");
    QTest::addColumn<int>("result");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("elapsed");
    QTest::addColumn<QByteArray>("next"); // the following line, or what arrives before 500 ms
    const QByteArray x85(85, 'x');
    const QByteArray y80(80, 'y');
    QTest::newRow("at once") << Arrivals{{0, "ABC\r"}} << 0 << QByteArray("ABC") << 0
                             << QByteArray();
    QTest::newRow("later") << Arrivals{{120, "ABC\r"}} << 0 << QByteArray("ABC") << 120
                           << QByteArray();
    QTest::newRow("in pieces") << Arrivals{{10, "AB"}, {50, "C\rDE\r"}} << 0 << QByteArray("ABC")
                               << 50 << QByteArray("DE");
    QTest::newRow("part, then time-out")
        << Arrivals{{10, "AB"}} << -8 << QByteArray("AB") << 500 << QByteArray();
    QTest::newRow("nothing") << Arrivals{} << -8 << QByteArray() << 500 << QByteArray();
    QTest::newRow("too late") << Arrivals{{501, "ABC\r"}} << -8 << QByteArray() << 500
                              << QByteArray("ABC");
    QTest::newRow("at the deadline")
        << Arrivals{{500, "ABC\r"}} << 0 << QByteArray("ABC") << 500 << QByteArray();
    QTest::newRow("long line in pieces of 80")
        << Arrivals{{0, x85 + "\r"}} << 0 << x85.left(80) << 0 << QByteArray("xxxxx");
    QTest::newRow("80 characters and the terminator")
        << Arrivals{{0, y80 + "\rZ\r"}} << 0 << y80 << 0 << QByteArray("Z");
    QTest::newRow("zero byte kept") << Arrivals{{0, QByteArray("A\0B\r", 4)}} << 0
                                    << QByteArray("A\0B", 3) << 0 << QByteArray();
    QTest::newRow("empty line") << Arrivals{{0, "\rNEXT\r"}} << 0 << QByteArray() << 0
                                << QByteArray("NEXT");
    QTest::newRow("other terminators are text")
        << Arrivals{{0, "A\nB\r"}} << 0 << QByteArray("A\nB") << 0 << QByteArray();
}

void TestPort::readString() {
    QFETCH(Arrivals, arrivals);
    CScriptedPort port;
    QCOMPARE(port.Open(UnitSettings()), 0);
    for (const auto& [delay, bytes] : arrivals)
        port.Receive(bytes, delay);
    QByteArray line = "stale";
    const int result = port.ReadStringTimed(line, 80, 13, 500);
    QTEST(result, "result");
    QTEST(line, "line");
    QTEST(int(port.Now()), "elapsed");
    QByteArray next;
    port.ReadStringTimed(next, 80, 13, 500);
    QTEST(next, "next");
}

void TestPort::readBuffer_data() {
    QTest::addColumn<Arrivals>("arrivals");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("elapsed");
    QTest::newRow("full at once") << Arrivals{{0, QByteArray(150, 'a')}} << 0 << 100 << 0;
    QTest::newRow("full in pieces")
        << Arrivals{{10, QByteArray(60, 'a')}, {90, QByteArray(60, 'b')}} << 0 << 100 << 90;
    QTest::newRow("short") << Arrivals{{10, QByteArray(30, 'a')}} << -8 << 30 << 500;
    QTest::newRow("terminators do not end it") << Arrivals{{0, "AB\rCD\r"}} << -8 << 6 << 500;
    QTest::newRow("nothing") << Arrivals{} << -8 << 0 << 500;
}

void TestPort::readBuffer() {
    QFETCH(Arrivals, arrivals);
    CScriptedPort port;
    port.Open(UnitSettings());
    for (const auto& [delay, bytes] : arrivals)
        port.Receive(bytes, delay);
    QByteArray chunk;
    QTEST(port.ReadBufferTimed(chunk, 100, 500), "result");
    QTEST(int(chunk.size()), "count");
    QTEST(int(port.Now()), "elapsed");
}

void TestPort::clearKeepsWhatComesLater() {
    CScriptedPort port;
    port.Open(UnitSettings());
    port.Receive("OLD\r");
    port.Receive("NEW\r", 100);
    QVERIFY(!port.IsRXEmpty());
    port.ClearRXBuffer();
    QVERIFY(port.IsRXEmpty());
    port.Pause(50);
    QCOMPARE(port.Now(), 50);
    QVERIFY(port.IsRXEmpty());
    port.Pause(60);
    QVERIFY(!port.IsRXEmpty()); // what arrives during a pause is kept
    QByteArray line;
    QCOMPARE(port.ReadStringTimed(line, 80, 13, 500), 0);
    QCOMPARE(line, QByteArray("NEW"));
}

void TestPort::closedPortAnswersNotSetup() {
    CScriptedPort port;
    QByteArray line;
    QCOMPARE(port.ReadStringTimed(line, 80, 13, 500), PORT_NOT_SETUP);
    QCOMPARE(port.WriteStringTimed("X", 13, 500), PORT_NOT_SETUP);
    QCOMPARE(port.Now(), 0);
    port.SetOpenResult(PORT_IN_USE);
    QCOMPARE(port.Open(UnitSettings()), PORT_IN_USE);
    QCOMPARE(port.OpenStatus(), PORT_IN_USE);
    QCOMPARE(port.ReadBufferTimed(line, 100, 500), PORT_IN_USE);
    port.Close();
    QCOMPARE(port.OpenStatus(), PORT_NOT_SETUP);
}

void TestPort::serialLines() {
    CPseudoTerminal pty;
    if (!pty.IsOpen())
        QSKIP("no pseudo-terminal");
    CSerialPort port;
    port.SetDeviceName(pty.SlaveName());
    QCOMPARE(port.Open(UnitSettings()), 0);
    QCOMPARE(port.OpenStatus(), 0);

    pty.Send("HELLO\rWOR");
    QByteArray line;
    QCOMPARE(port.ReadStringTimed(line, 80, 13, 2000), 0);
    QCOMPARE(line, QByteArray("HELLO"));
    pty.Send(QByteArray("L\0D\r", 4));
    QCOMPARE(port.ReadStringTimed(line, 80, 13, 2000), 0);
    QCOMPARE(line, QByteArray("WORL\0D", 6));

    QCOMPARE(port.WriteStringTimed("\nVERIFY", 13, 500), 0);
    QCOMPARE(pty.Take(), QByteArray("\nVERIFY\r"));
    QCOMPARE(port.IsTXBusy(), 0);
    port.Close();
    QCOMPARE(port.OpenStatus(), PORT_NOT_SETUP);
}

void TestPort::serialTimeoutKeepsEventsRunning() {
    CPseudoTerminal pty;
    if (!pty.IsOpen())
        QSKIP("no pseudo-terminal");
    CSerialPort port;
    port.SetDeviceName(pty.SlaveName());
    QCOMPARE(port.Open(UnitSettings()), 0);
    int idleRuns = 0;
    port.SetIdleHandler([&] { ++idleRuns; });
    pty.Send("PART");
    QElapsedTimer timer;
    timer.start();
    QByteArray line;
    QCOMPARE(port.ReadStringTimed(line, 80, 13, 300), PORT_BUFFER_EMPTY);
    const qint64 waited = timer.elapsed();
    QCOMPARE(line, QByteArray("PART"));
    QVERIFY2(waited >= 290 && waited < 3000, qPrintable(QString::number(waited)));
    QVERIFY2(idleRuns >= 3, qPrintable(QString::number(idleRuns))); // waits in short slices
}

void TestPort::serialBufferAndClear() {
    CPseudoTerminal pty;
    if (!pty.IsOpen())
        QSKIP("no pseudo-terminal");
    CSerialPort port;
    port.SetDeviceName(pty.SlaveName());
    QCOMPARE(port.Open(UnitSettings()), 0);
    pty.Send(QByteArray(130, 'q'));
    QByteArray chunk;
    QCOMPARE(port.ReadBufferTimed(chunk, 100, 2000), 0);
    QCOMPARE(chunk, QByteArray(100, 'q'));
    QCOMPARE(port.ReadBufferTimed(chunk, 100, 200), PORT_BUFFER_EMPTY);
    QCOMPARE(chunk.size(), 30);

    pty.Send("JUNK\r");
    port.Pause(100);
    QVERIFY(!port.IsRXEmpty());
    port.ClearRXBuffer();
    QVERIFY(port.IsRXEmpty());
    QByteArray line;
    QCOMPARE(port.ReadStringTimed(line, 80, 13, 100), PORT_BUFFER_EMPTY);
    QVERIFY(line.isEmpty());
}

void TestPort::serialPortInUse() {
    CPseudoTerminal pty;
    if (!pty.IsOpen())
        QSKIP("no pseudo-terminal");
    CSerialPort first;
    first.SetDeviceName(pty.SlaveName());
    QCOMPARE(first.Open(UnitSettings()), 0);
    CSerialPort second;
    second.SetDeviceName(pty.SlaveName());
    QCOMPARE(second.Open(UnitSettings()), PORT_IN_USE);
    QCOMPARE(second.OpenStatus(), PORT_IN_USE);
    QByteArray line;
    QCOMPARE(second.ReadStringTimed(line, 80, 13, 100), PORT_IN_USE);
    second.Close();
    first.Close();
    QCOMPARE(second.Open(UnitSettings()), 0); // free again
}

// A device this user may not open is not "in use". The open runs in a child process,
// which gives up the super-user's rights first where it has them.
void TestPort::serialPortWithoutPermission() {
    CPseudoTerminal pty;
    if (!pty.IsOpen())
        QSKIP("no pseudo-terminal");
    QCOMPARE(::chmod(QFile::encodeName(pty.SlaveName()).constData(), 0), 0);
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(100);
        CSerialPort port;
        port.SetDeviceName(pty.SlaveName());
        _exit(-port.Open(UnitSettings()));
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(-WEXITSTATUS(status), PORT_NO_PERMISSION);
}

void TestPort::serialMissingPort() {
    CSerialPort port;
    port.SetDeviceName(m_dir.filePath(QStringLiteral("no-such-port")));
    QCOMPARE(port.Open(UnitSettings()), PORT_INVALID_PORT);
    QCOMPARE(port.WriteStringTimed("X", 13, 500), PORT_INVALID_PORT);
    port.Close();
}

void TestPort::serialUnitDisappears() {
    CPseudoTerminal pty;
    if (!pty.IsOpen())
        QSKIP("no pseudo-terminal");
    CSerialPort port;
    port.SetDeviceName(pty.SlaveName());
    QCOMPARE(port.Open(UnitSettings()), 0);
    pty.Close(); // the adapter is pulled out
    QElapsedTimer timer;
    timer.start();
    QByteArray line;
    const int result = port.ReadStringTimed(line, 80, 13, 500);
    QCOMPARE(result, PORT_LOST);
    QVERIFY(timer.elapsed() < 3000); // no hang, whatever the code
}

void TestPort::comPortDefaults_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
#ifdef Q_OS_WIN
    QTest::newRow("COM 1") << 0 << "COM1";
    QTest::newRow("COM 4") << 3 << "COM4";
    QTest::newRow("below") << -1 << "COM1";
    QTest::newRow("above") << 4 << "COM1";
#else
    QTest::newRow("COM 1") << 0 << "/dev/ttyS0";
    QTest::newRow("COM 2") << 1 << "/dev/ttyS1";
    QTest::newRow("COM 4") << 3 << "/dev/ttyS3";
    QTest::newRow("below") << -1 << "/dev/ttyS0";
    QTest::newRow("above") << 4 << "/dev/ttyS0";
#endif
}

void TestPort::comPortDefaults() {
    QFile::remove(CProfile::Path());
    QFETCH(int, index);
    QTEST(DefaultComPortDeviceName(index), "name");
    QTEST(ComPortDeviceName(index), "name");
    // The entry is now in the profile for the technician to change.
    const int entry = (index >= 0 && index < 4) ? index + 1 : 1;
    QTEST(CProfile::GetString("Communication", QStringLiteral("Port%1").arg(entry)), "name");
}

void TestPort::comPortFromProfile() {
    QFile::remove(CProfile::Path());
    CProfile::WriteString("Communication", "Port1", "/dev/ttyUSB0");
    CProfile::WriteString("Communication", "Port2", "  ");
    CProfile::WriteString("Communication", "Port4", " /dev/ttyACM1 ");
    QCOMPARE(ComPortDeviceName(0), QStringLiteral("/dev/ttyUSB0"));
    QCOMPARE(ComPortDeviceName(1), DefaultComPortDeviceName(1));
    QCOMPARE(ComPortDeviceName(3), QStringLiteral("/dev/ttyACM1"));
    QCOMPARE(CProfile::GetString("Communication", "Port1"), QStringLiteral("/dev/ttyUSB0"));
    // The environment points a port elsewhere for one run and leaves the profile alone.
    qputenv("KARVO_COM4", "/tmp/virtual-unit");
    QCOMPARE(ComPortDeviceName(3), QStringLiteral("/tmp/virtual-unit"));
    QCOMPARE(ComPortDeviceName(0), QStringLiteral("/dev/ttyUSB0"));
    qunsetenv("KARVO_COM4");
    QCOMPARE(CProfile::GetString("Communication", "Port4"), QStringLiteral(" /dev/ttyACM1 "));
    QCOMPARE(ComPortDeviceName(3), QStringLiteral("/dev/ttyACM1"));
}

void TestPort::serialOpensProfileDevice() {
    CPseudoTerminal pty;
    if (!pty.IsOpen())
        QSKIP("no pseudo-terminal");
    CProfile::WriteString("Communication", "Port3", pty.SlaveName());
    CSerialPort port;
    QCOMPARE(port.Open(UnitSettings(2)), 0);
    QCOMPARE(port.WriteStringTimed("DUMPING", 13, 500), 0);
    QCOMPARE(pty.Take(), QByteArray("DUMPING\r"));
}

QTEST_GUILESS_MAIN(TestPort)
#include "tst_port.moc"
