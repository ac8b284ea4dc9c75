// The port layer: line and buffer assembly with time-outs (on the scripted port's
// virtual clock) and the COM port names. The serial port itself: tst_serialport (Linux,
// a pseudo-terminal) and tst_winserialport (Windows, a Wine COM port).
#include "core/lang/CProfile.h"
#include "core/link/CScriptedPort.h"
#include "core/link/ComPortNames.h"

#include "UnitSettings.h"
#include <QTemporaryDir>

#include <QtTest>

namespace {

using Arrivals = QList<std::pair<int, QByteArray>>; // ms from now, bytes

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

    void comPortDefaults_data();
    void comPortDefaults();
    void comPortFromProfile();

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

QTEST_GUILESS_MAIN(TestPort)
#include "tst_port.moc"
