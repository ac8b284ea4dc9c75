// The serial port on Linux (Qt Serial Port) against a pseudo-terminal: lines, time-outs,
// buffers, a port in use, without permission, missing or vanishing, the profile's device.
#include "core/lang/CProfile.h"
#include "core/link/CSerialPort.h"

#include "UnitSettings.h"
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

class TestSerialPort : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void serialLines();
    void serialTimeoutKeepsEventsRunning();
    void serialBufferAndClear();
    void serialPortInUse();
    void serialPortWithoutPermission();
    void serialMissingPort();
    void serialUnitDisappears();
    void serialOpensProfileDevice();

private:
    QTemporaryDir m_dir;
};

void TestSerialPort::initTestCase() {
    QVERIFY(m_dir.isValid());
    CProfile::SetPath(m_dir.filePath(QStringLiteral("karvo.ini")));
}

void TestSerialPort::serialLines() {
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

void TestSerialPort::serialTimeoutKeepsEventsRunning() {
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

void TestSerialPort::serialBufferAndClear() {
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

void TestSerialPort::serialPortInUse() {
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
void TestSerialPort::serialPortWithoutPermission() {
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

void TestSerialPort::serialMissingPort() {
    CSerialPort port;
    port.SetDeviceName(m_dir.filePath(QStringLiteral("no-such-port")));
    QCOMPARE(port.Open(UnitSettings()), PORT_INVALID_PORT);
    QCOMPARE(port.WriteStringTimed("X", 13, 500), PORT_INVALID_PORT);
    port.Close();
}

void TestSerialPort::serialUnitDisappears() {
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

void TestSerialPort::serialOpensProfileDevice() {
    CPseudoTerminal pty;
    if (!pty.IsOpen())
        QSKIP("no pseudo-terminal");
    CProfile::WriteString("Communication", "Port3", pty.SlaveName());
    CSerialPort port;
    QCOMPARE(port.Open(UnitSettings(2)), 0);
    QCOMPARE(port.WriteStringTimed("DUMPING", 13, 500), 0);
    QCOMPARE(pty.Take(), QByteArray("DUMPING\r"));
}

QTEST_GUILESS_MAIN(TestSerialPort)
#include "tst_serialport.moc"
