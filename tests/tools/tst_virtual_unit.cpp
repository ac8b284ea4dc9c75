// The virtual unit's answers, line by line, with and without faults.
#include "core/image/SRecords.h"
#include "tools/CVirtualUnit.h"

#include <QtTest>

namespace {

// Everything the unit sends for the given input, joined.
QByteArray Talk(CVirtualUnit& unit, const QByteArray& input) {
    QByteArray all;
    for (const CUnitOutput& o : unit.Receive(input))
        all += o.bytes;
    return all;
}

QByteArray ProgramSession(const QByteArray& image) {
    QByteArray text = "PROGRAMMING QN4812 V2.6\r";
    for (QByteArray line : SRecordLines(image).split('\n'))
        text += line.trimmed() + '\r';
    return text;
}

} // namespace

class TestVirtualUnit : public QObject {
    Q_OBJECT
private slots:
    void verify();
    void verifyFaults();
    void dump();
    void dumpWithBadRecord();
    void program();
    void programVerdicts_data();
    void programVerdicts();
    void silence();
    void pacing();
};

void TestVirtualUnit::verify() {
    CVirtualUnit unit;
    QCOMPARE(Talk(unit, "\nVERIFY\r"), QByteArray("OK\rREPLY RM4811 V2.6 15 Jun 1999 12:00\r"));
    QCOMPARE(Talk(unit, "WHAT\r"), QByteArray("?\r")); // every line gets one answer
}

void TestVirtualUnit::verifyFaults() {
    CUnitOptions o;
    o.name = "RM9999";
    o.version = "X2Y14";
    o.echo = true;
    CVirtualUnit unit(o);
    QCOMPARE(Talk(unit, "\nVERIFY\r"),
             QByteArray("OK\rVERIFY REPLY RM9999 X2Y14 15 Jun 1999 12:00\r"));
    CUnitOptions n;
    n.nulBytes = true;
    CVirtualUnit nul(n);
    QVERIFY(Talk(nul, "\nVERIFY\r").contains('\0'));
}

void TestVirtualUnit::dump() {
    CVirtualUnit unit;
    unit.Image().SetByte(1, 0x12);
    unit.Image().SetByte(2, 0xAB);
    const QList<QByteArray> lines = Talk(unit, "DUMPING\r").split('\r');
    QCOMPARE(lines[0], QByteArray("OK"));
    QCOMPARE(lines[1], QByteArray("S00600004844521B"));
    QCOMPARE(lines[2], QByteArray("S113000112AB00000000000000000000000000002E"));
    QCOMPARE(lines[15], QByteArray("S10500D1000029"));
    QCOMPARE(lines[16], QByteArray("S9030000FC"));
}

void TestVirtualUnit::dumpWithBadRecord() {
    CUnitOptions o;
    o.badDumpRecord = 2;
    CVirtualUnit unit(o);
    const QList<QByteArray> lines = Talk(unit, "DUMPING\r").split('\r');
    QCOMPARE(lines[2], QByteArray("S113000100000000000000000000000000000000EB"));
    QCOMPARE(lines[3], QByteArray("S113001100000000000000000000000000000000DC"));
}

void TestVirtualUnit::program() {
    CUnitOptions o;
    o.corruptAddress = 30;
    CVirtualUnit unit(o);
    QByteArray image(211, '\0');
    for (int i = 1; i < 211; ++i)
        image[i] = char(i);
    const QList<QByteArray> lines = Talk(unit, ProgramSession(image)).split('\r');
    QCOMPARE(lines[0], QByteArray("OK"));
    QVERIFY(lines.contains("PROGRAMMING RM4811 V2"));
    QCOMPARE(lines.count("OK"), 1 + 15); // the command, 14 records and S9
    QCOMPARE(lines[lines.size() - 3], QByteArray("RECEIVED_OK"));
    QCOMPARE(lines[lines.size() - 2], QByteArray("SAVED_OK"));
    QCOMPARE(unit.ProgramCount(), 1);
    QByteArray expected = image;
    expected[30] = char(~30);
    QCOMPARE(unit.Image().Bytes().toHex(), expected.toHex());
}

void TestVirtualUnit::programVerdicts_data() {
    QTest::addColumn<QByteArray>("records");
    QTest::addColumn<QByteArray>("verdict");
    QTest::addColumn<int>("programmed");
    QTest::newRow("good") << QByteArray("S1040001AB4F\r") << QByteArray("SAVED_OK") << 1;
    QTest::newRow("checksum") << QByteArray("S1040001AB40\r") << QByteArray("CHECKSUM ERROR!!!")
                              << 0;
    QTest::newRow("format") << QByteArray("X1040001AB4F\r") << QByteArray("FORMAT ERROR!!!") << 0;
    QTest::newRow("short record") << QByteArray("S1100001AB\r") << QByteArray("FORMAT ERROR!!!")
                                  << 0;
    QTest::newRow("address") << QByteArray("S10400FFAB51\r") << QByteArray("ADDRESS ERROR!!!") << 0;
}

void TestVirtualUnit::programVerdicts() {
    QFETCH(QByteArray, records);
    QFETCH(QByteArray, verdict);
    QFETCH(int, programmed);
    CVirtualUnit unit;
    const QByteArray out = Talk(unit, "PROGRAMMING QN4812 V2.6\r" + records + "S9030000FC\r");
    QVERIFY2(out.endsWith("RECEIVED_OK\r" + verdict + "\r"), out.constData());
    QCOMPARE(unit.ProgramCount(), programmed);
    QCOMPARE(int(unit.Image().GetByte(1)), programmed ? 0xAB : 0);
}

void TestVirtualUnit::silence() {
    CUnitOptions o;
    o.silentAfterLines = 2;
    CVirtualUnit unit(o);
    QCOMPARE(Talk(unit, "\nVERIFY\r").left(3), QByteArray("OK\r"));
    QCOMPARE(Talk(unit, "PROGRAMMING QN4812 V2.6\r").left(3), QByteArray("OK\r"));
    QCOMPARE(Talk(unit, "S1040001AB4F\r"), QByteArray());
    CUnitOptions s;
    s.silent = true;
    CVirtualUnit silent(s);
    QCOMPARE(Talk(silent, "\nVERIFY\r"), QByteArray());
}

// At 9600 baud every byte takes a little over a millisecond on the wire, both ways.
void TestVirtualUnit::pacing() {
    CUnitOptions o;
    o.pacing = true;
    o.saveDelayMs = 50000;
    o.receivedOk = false;
    CVirtualUnit unit(o);
    const QList<CUnitOutput> out = unit.Receive("\nVERIFY\r");
    QCOMPARE(out.size(), 2);
    QCOMPARE(out[0].delayMs, 4 + 9); // "OK\r" and "\nVERIFY\r", rounded up
    const QList<CUnitOutput> end =
        unit.Receive("PROGRAMMING QN4812 V2.6\rS1040001AB4F\rS9030000FC\r");
    QCOMPARE(end.last().bytes, QByteArray("SAVED_OK\r"));
    QVERIFY(end.last().delayMs >= 50000);
}

QTEST_APPLESS_MAIN(TestVirtualUnit)
#include "tst_virtual_unit.moc"
