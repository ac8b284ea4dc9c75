// A noisy line between Karvo and the virtual unit: what the noise model does to bytes, and
// a seeded campaign of reads and writes through it in virtual time, in which no success
// may carry wrong data.
#include "link/CDeviceLink.h"
#include "link/CLineNoise.h"
#include "link/CScriptedPort.h"
#include "link/DeviceCommandFrames.h"
#include "tests/common/CRecordingMessages.h"
#include "tools/CVirtualUnit.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The virtual unit at the other end of a scripted port, both directions damaged by noise
// of the same rates, seeded apart.
struct NoisyLine {
    CScriptedPort port;
    CVirtualUnit unit;
    qint64 last = 0; // when the unit's last output is due

    NoisyLine(const LINE_NOISE_RATES& rates, unsigned seed) {
        port.SetNoise(CLineNoise(rates, 2 * seed), CLineNoise(rates, 2 * seed + 1));
        port.OnWireWrite([this](const QByteArray& bytes) {
            // The unit answers in order, each piece after the one before.
            qint64 at = std::max(port.Now(), last);
            for (const CUnitOutput& o : unit.Receive(bytes)) {
                at += o.delayMs;
                port.Receive(o.bytes, at - port.Now());
            }
            last = at;
        });
    }
};

QByteArray RandomImage(QRandomGenerator& random) {
    QByteArray bytes(CE2prom::IMAGE_SIZE, '\0');
    for (char& b : bytes)
        b = char(random.bounded(256));
    return bytes;
}

bool SameSetup(const QByteArray& a, const QByteArray& b) {
    return a.mid(1) == b.mid(1); // address 0 is not part of a transfer
}

} // namespace

class TestNoisyLine : public QObject {
    Q_OBJECT
private slots:
    void noiseKinds_data();
    void noiseKinds();
    void noiseRates_data();
    void noiseRates();
    void campaign();
};

void TestNoisyLine::noiseKinds_data() {
    QTest::addColumn<QString>("rates");
    QTest::addColumn<QByteArray>("arrives");
    const QByteArray sent = "AB\rCD\r";
    QTest::newRow("quiet") << "" << sent;
    QTest::newRow("every byte lost") << "lose=1" << QByteArray();
    QTest::newRow("every byte doubled") << "double=1" << QByteArray("AABB\r\rCCDD\r\r");
    QTest::newRow("every line end lost") << "cr=1" << QByteArray("ABCD");
    QTest::newRow("every line lost") << "line=1" << QByteArray();
}

void TestNoisyLine::noiseKinds() {
    QFETCH(QString, rates);
    CLineNoise noise(*CLineNoise::ParseRates(rates, nullptr), 7);
    QTEST(noise.Apply("AB\rCD\r"), "arrives");
}

void TestNoisyLine::noiseRates_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("good");
    QTest::newRow("all kinds") << "flip=0.1,lose=0.2,double=0.3,cr=0.4,line=1" << true;
    QTest::newRow("unknown kind") << "fizz=0.1" << false;
    QTest::newRow("above 1") << "flip=2" << false;
    QTest::newRow("not a number") << "flip=x" << false;
    QTest::newRow("no rate") << "flip" << false;
}

void TestNoisyLine::noiseRates() {
    QFETCH(QString, text);
    QString error;
    QTEST(CLineNoise::ParseRates(text, &error).has_value(), "good");
    QCOMPARE(error.isEmpty(), CLineNoise::ParseRates(text, nullptr).has_value());
}

// A few hundred reads and writes through a line that flips bits, loses and doubles bytes,
// loses line ends and lines. Many fail; none may succeed with wrong data.
void TestNoisyLine::campaign() {
    QTemporaryDir dir;
    CRecordingMessages messages;
    const LINE_NOISE_RATES rates{0.0003, 0.0003, 0.0003, 0.004, 0.004};
    QRandomGenerator random(20261208);
    QMap<int, int> readEndings; // result of the exchange (or of the connection) -> count
    int reads = 0, readsOk = 0, writes = 0, writesOk = 0, writesUnconfirmed = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        NoisyLine line(rates, seed);
        const QByteArray held = RandomImage(random);
        line.unit.Image().ReplaceBytes(held);
        CE2prom image;
        const QByteArray before = RandomImage(random);
        image.ReplaceBytes(before);
        if (seed % 2) {
            ++reads;
            const CDeviceOutcome o = RunReadDevice(image, 0, line.port, nullptr, false);
            readEndings[o.exchangeResult < 0 ? o.connectResult : o.exchangeResult]++;
            if (o.ok) {
                ++readsOk;
                QVERIFY2(SameSetup(image.Bytes(), held), qPrintable(QString::number(seed)));
            } else {
                QCOMPARE(image.Bytes(), before); // nothing half-stored
            }
        } else {
            ++writes;
            const CDeviceOutcome o = RunWriteDevice(image, 0, line.port, nullptr,
                                                    dir.filePath(QStringLiteral("test.dat")));
            writesUnconfirmed += o.verifyResult == VERIFY_UNREAD;
            if (o.ok) {
                ++writesOk;
                QVERIFY2(SameSetup(line.unit.Image().Bytes(), before),
                         qPrintable(QString::number(seed)));
            }
        }
    }
    // The campaign is worth something only when the line lets some transfers through and
    // damages others in the ways the reader has to catch.
    qInfo("reads %d (ok %d), writes %d (ok %d, unconfirmed %d)", reads, readsOk, writes, writesOk,
          writesUnconfirmed);
    QVERIFY(readsOk > reads / 5 && readsOk < reads);
    QVERIFY(writesOk > writes / 10 && writesOk < writes);
    for (const int ending : {LINK_CHECKSUM_ERROR, LINK_RECORD_BROKEN, LINK_DUMP_INCOMPLETE})
        QVERIFY2(readEndings.value(ending) > 0, qPrintable(QString::number(ending)));
}

QTEST_GUILESS_MAIN(TestNoisyLine)
#include "tst_noisy_line.moc"
