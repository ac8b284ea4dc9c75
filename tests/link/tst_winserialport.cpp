// The serial port on Windows (Win32 communications API) between two COM ports whose
// devices are joined (under Wine: dosdevices/comN linked to the two ends of a socat pair
// of pseudo-terminals, set up by tools/windows/build.sh, which names the ports in
// KARVO_TEST_COM_A and KARVO_TEST_COM_B). Lines, time-outs with the idle handler
// running, buffers, clearing, a port in use (not under Wine), a missing port, the
// profile's device, the ports the registry lists.
#include "core/lang/CProfile.h"
#include "core/link/CWinSerialPort.h"
#include "core/link/SerialBackend.h"
#include "tests/common/RunsUnderWine.h"

#include "UnitSettings.h"
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <QtTest>

class TestWinSerialPort : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void lines();
    void timeoutKeepsEventsRunning();
    void bufferAndClear();
    void portInUse();
    void missingPort();
    void opensProfileDevice();
    void listsPorts();

private:
    // What the far end received within timeoutMs, exactly count characters expected.
    QByteArray Take(int count, int timeoutMs = 2000);

    QTemporaryDir m_dir;
    QString m_nameA;
    QString m_nameB;
    std::unique_ptr<CWinSerialPort> m_port;
    std::unique_ptr<CWinSerialPort> m_peer;
};

void TestWinSerialPort::initTestCase() {
    QVERIFY(m_dir.isValid());
    CProfile::SetPath(m_dir.filePath(QStringLiteral("karvo.ini")));
    m_nameA = qEnvironmentVariable("KARVO_TEST_COM_A");
    m_nameB = qEnvironmentVariable("KARVO_TEST_COM_B");
    if (m_nameA.isEmpty() || m_nameB.isEmpty())
        QSKIP("no joined COM ports (KARVO_TEST_COM_A, KARVO_TEST_COM_B)");
}

void TestWinSerialPort::init() {
    m_port = std::make_unique<CWinSerialPort>();
    m_port->SetDeviceName(m_nameA);
    m_peer = std::make_unique<CWinSerialPort>();
    m_peer->SetDeviceName(m_nameB);
    QCOMPARE(m_peer->Open(UnitSettings()), 0);
    m_peer->ClearRXBuffer();
}

void TestWinSerialPort::cleanup() {
    m_port.reset();
    m_peer.reset();
}

QByteArray TestWinSerialPort::Take(int count, int timeoutMs) {
    QByteArray got;
    m_peer->ReadBufferTimed(got, count, timeoutMs);
    return got;
}

void TestWinSerialPort::lines() {
    QCOMPARE(m_port->Open(UnitSettings()), 0);
    QCOMPARE(m_port->OpenStatus(), 0);
    QCOMPARE(m_peer->WriteStringTimed("HELLO", 13, 500), 0);
    QCOMPARE(m_peer->WriteStringTimed("WOR", 'L', 500), 0);
    QByteArray line;
    QCOMPARE(m_port->ReadStringTimed(line, 80, 13, 2000), 0);
    QCOMPARE(line, QByteArray("HELLO"));
    QCOMPARE(m_peer->WriteStringTimed(QByteArray("\0D", 2), 13, 500), 0);
    QCOMPARE(m_port->ReadStringTimed(line, 80, 13, 2000), 0);
    QCOMPARE(line, QByteArray("WORL\0D", 6));

    QCOMPARE(m_port->WriteStringTimed("\nVERIFY", 13, 500), 0);
    QCOMPARE(Take(8), QByteArray("\nVERIFY\r"));
    QCOMPARE(m_port->IsTXBusy(), 0);
    m_port->Close();
    QCOMPARE(m_port->OpenStatus(), PORT_NOT_SETUP);
}

void TestWinSerialPort::timeoutKeepsEventsRunning() {
    QCOMPARE(m_port->Open(UnitSettings()), 0);
    int idleRuns = 0;
    m_port->SetIdleHandler([&] { ++idleRuns; });
    QCOMPARE(m_peer->WriteStringTimed("PAR", 'T', 500), 0);
    QElapsedTimer timer;
    timer.start();
    QByteArray line;
    QCOMPARE(m_port->ReadStringTimed(line, 80, 13, 300), PORT_BUFFER_EMPTY);
    const qint64 waited = timer.elapsed();
    QCOMPARE(line, QByteArray("PART"));
    QVERIFY2(waited >= 290 && waited < 3000, qPrintable(QString::number(waited)));
    QVERIFY2(idleRuns >= 3, qPrintable(QString::number(idleRuns))); // waits in short slices
}

void TestWinSerialPort::bufferAndClear() {
    QCOMPARE(m_port->Open(UnitSettings()), 0);
    QCOMPARE(m_peer->WriteStringTimed(QByteArray(129, 'q'), 'q', 2000), 0);
    QByteArray chunk;
    QCOMPARE(m_port->ReadBufferTimed(chunk, 100, 2000), 0);
    QCOMPARE(chunk, QByteArray(100, 'q'));
    QCOMPARE(m_port->ReadBufferTimed(chunk, 100, 200), PORT_BUFFER_EMPTY);
    QCOMPARE(chunk.size(), 30);

    QCOMPARE(m_peer->WriteStringTimed("JUNK", 13, 500), 0);
    m_port->Pause(200);
    QVERIFY(!m_port->IsRXEmpty());
    m_port->ClearRXBuffer();
    QVERIFY(m_port->IsRXEmpty());
    QByteArray line;
    QCOMPARE(m_port->ReadStringTimed(line, 80, 13, 100), PORT_BUFFER_EMPTY);
    QVERIFY(line.isEmpty());
    // The port still receives after the clear.
    QCOMPARE(m_peer->WriteStringTimed("NEXT", 13, 500), 0);
    QCOMPARE(m_port->ReadStringTimed(line, 80, 13, 2000), 0);
    QCOMPARE(line, QByteArray("NEXT"));
}

void TestWinSerialPort::portInUse() {
    // Wine opens a COM port for a second handle although the first asked for it alone.
    if (RunsUnderWine())
        QSKIP("Wine does not keep a COM port to the program that opened it");
    QCOMPARE(m_port->Open(UnitSettings()), 0);
    CWinSerialPort second;
    second.SetDeviceName(m_nameA);
    QCOMPARE(second.Open(UnitSettings()), PORT_IN_USE);
    QCOMPARE(second.OpenStatus(), PORT_IN_USE);
    QByteArray line;
    QCOMPARE(second.ReadStringTimed(line, 80, 13, 100), PORT_IN_USE);
    second.Close();
    m_port->Close();
    QCOMPARE(second.Open(UnitSettings()), 0); // free again
}

void TestWinSerialPort::missingPort() {
    CWinSerialPort port;
    port.SetDeviceName(QStringLiteral("COM199"));
    QCOMPARE(port.Open(UnitSettings()), PORT_INVALID_PORT);
    QCOMPARE(port.WriteStringTimed("X", 13, 500), PORT_INVALID_PORT);
    port.Close();
}

void TestWinSerialPort::opensProfileDevice() {
    CProfile::WriteString("Communication", "Port3", m_nameA);
    CWinSerialPort port;
    QCOMPARE(port.Open(UnitSettings(2)), 0);
    QCOMPARE(port.WriteStringTimed("DUMPING", 13, 500), 0);
    QCOMPARE(Take(8), QByteArray("DUMPING\r"));
}

void TestWinSerialPort::listsPorts() {
    QStringList names;
    for (const SERIAL_PORT_ENTRY& entry : ListSerialPorts())
        names.append(entry.location);
    QVERIFY2(names.contains(m_nameA) && names.contains(m_nameB), qPrintable(names.join(' ')));
}

QTEST_GUILESS_MAIN(TestWinSerialPort)
#include "tst_winserialport.moc"
