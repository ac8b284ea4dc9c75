// The tone tables against their published sources, tone plans segment by segment, WAV
// files byte by byte, and what heard tones mean in a setup.
#include "core/image/CE2prom.h"
#include "core/tones/ToneTables.h"

#include <QtTest>

class TestTones : public QObject {
    Q_OBJECT
private slots:
    void systems_data();
    void systems();
    void setupBytes_data();
    void setupBytes();
};

using Hz15 = std::array<double, TONE_SYMBOL_COUNT>;
Q_DECLARE_METATYPE(Hz15)

// Typed from the sources the README names: 0..9, A, B, C, D, E.
void TestTones::systems_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("toneMs");
    QTest::addColumn<Hz15>("hz");
    const Hz15 ccir = {1981, 1124, 1197, 1275, 1358, 1446, 1540, 1640,
                       1747, 1860, 2400, 930,  2247, 991,  2110};
    QTest::newRow("ZVEI1") << 1 << "ZVEI1" << 70
                           << Hz15{2400, 1060, 1160, 1270, 1400, 1530, 1670, 1830,
                                   2000, 2200, 2800, 810,  970,  885,  2600};
    QTest::newRow("ZVEI2") << 2 << "ZVEI2" << 70
                           << Hz15{2400, 1060, 1160, 1270, 1400, 1530, 1670, 1830,
                                   2000, 2200, 885,  810,  740,  680,  970};
    QTest::newRow("ZVEI3") << 3 << "ZVEI3" << 70
                           << Hz15{2400, 1060, 1160, 1270, 1400, 1530, 1670, 1830,
                                   2000, 2200, 885,  810,  2800, 680,  970};
    QTest::newRow("CCIR") << 4 << "CCIR" << 100 << ccir;
    QTest::newRow("CCIR 70") << 5 << "CCIR 70" << 70 << ccir;
    QTest::newRow("EEA") << 6 << "EEA" << 40 << Hz15{1981, 1124, 1197, 1275, 1358, 1446, 1540, 1640,
                                                     1747, 1860, 1055, 930,  2247, 991,  2110};
}

void TestTones::systems() {
    QFETCH(int, value);
    QFETCH(QString, name);
    QFETCH(int, toneMs);
    QFETCH(Hz15, hz);
    const TONE_SYSTEM& system = ToneSystemOfByte(value);
    QCOMPARE(system.value, value);
    QCOMPARE(QString(system.name), name);
    QCOMPARE(system.toneMs, toneMs);
    for (int symbol = 0; symbol < TONE_SYMBOL_COUNT; ++symbol)
        QVERIFY2(system.hz[symbol] == hz[symbol], qPrintable(QString(SymbolChar(symbol))));
    QCOMPARE(&ToneSystems()[value - 1], &system);
}

// The system and guard tone a setup's bytes give, out-of-range bytes as the dialogs show them.
void TestTones::setupBytes_data() {
    QTest::addColumn<int>("systemByte");
    QTest::addColumn<int>("guardByte");
    QTest::addColumn<QString>("system");
    QTest::addColumn<double>("guardHz");
    QTest::newRow("EEA, 2175") << 6 << 1 << "EEA" << 2175.0;
    QTest::newRow("CCIR 70, 3250") << 5 << 3 << "CCIR 70" << 3250.0;
    QTest::newRow("byte 0 and 4") << 0 << 4 << "ZVEI1" << 2100.0;
    QTest::newRow("byte 7 and 255") << 7 << 255 << "ZVEI1" << 2100.0;
}

void TestTones::setupBytes() {
    QFETCH(int, systemByte);
    QFETCH(int, guardByte);
    QFETCH(QString, system);
    QFETCH(double, guardHz);
    CE2prom image;
    image.SetByte(24, std::uint8_t(systemByte));
    image.SetByte(34, std::uint8_t(guardByte));
    QCOMPARE(QString(ToneSystemOf(image).name), system);
    QCOMPARE(GuardToneHz(image), guardHz);
    QCOMPARE(TrcFunctionHz(1), 2050.0);
    QCOMPARE(TrcFunctionHz(15), 650.0);
    QCOMPARE(SymbolChar(14), 'E');
}

QTEST_GUILESS_MAIN(TestTones)
#include "tst_tones.moc"
