// A noisy line between Karvo and the virtual unit: what the noise model does to bytes, and
// a seeded campaign of reads and writes through it in virtual time, in which no success
// may carry wrong data.
#include "core/image/SRecords.h"
#include "core/link/CDeviceLink.h"
#include "core/link/CLineNoise.h"
#include "core/link/CScriptedPort.h"
#include "core/link/DeviceCommandFrames.h"
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
    void cancellingPair();
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

// Two flipped bits that cancel in the record's checksum: the record still reads as good.
void TestNoisyLine::cancellingPair() {
    const QByteArray sent =
        SRecordLine(0x11, QByteArray::fromHex("0123456789ABCDEF2468ACE013579BDF"));
    LINE_NOISE_RATES rates;
    rates.cancellingPair = 1;
    for (unsigned seed = 1; seed <= 20; ++seed) {
        const QByteArray arrived = CLineNoise(rates, seed).Apply(sent + '\r').chopped(1);
        QCOMPARE(arrived.size(), sent.size());
        QList<int> changed;
        for (int i = 0; i < sent.size(); ++i)
            if (arrived[i] != sent[i])
                changed << i;
        QCOMPARE(changed.size(), 2);
        QByteArray fields = QByteArray::fromHex(arrived.mid(2));
        const int checksum = quint8(fields.back());
        fields.chop(1);
        QCOMPARE(SRecordChecksum(fields), checksum);
    }
    // Only S1 records get one.
    QCOMPARE(CLineNoise(rates, 1).Apply("S9030000FC\rHELLO 1234\r"), "S9030000FC\rHELLO 1234\r");
}

// What a campaign of transfers through one noisy line ended with.
struct CAMPAIGN {
    int reads = 0, readsOk = 0, wrongReads = 0;
    int writes = 0, writesOk = 0, wrongWrites = 0, writesUnconfirmed = 0;
    QMap<LinkOutcome, int> readEndings; // result of the exchange (or of the connection) -> count
};

// 300 reads and writes, half each; reads confirmed by a second dump or not.
CAMPAIGN RunCampaign(const LINE_NOISE_RATES& rates, bool confirmReads) {
    QTemporaryDir dir;
    CRecordingMessages messages;
    QRandomGenerator random(20261208);
    CAMPAIGN c;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        NoisyLine line(rates, seed);
        const QByteArray held = RandomImage(random);
        line.unit.Image().ReplaceBytes(held);
        CE2prom image;
        const QByteArray before = RandomImage(random);
        image.ReplaceBytes(before);
        if (seed % 2) {
            ++c.reads;
            const CDeviceOutcome o =
                RunReadDevice(image, 0, line.port, nullptr, messages, false, confirmReads);
            const bool dumped = o.exchangeResult != LinkOutcome::NotRun;
            c.readEndings[dumped ? o.exchangeResult : o.connectResult]++;
            c.readsOk += o.ok;
            c.wrongReads += o.ok && !SameSetup(image.Bytes(), held);
            if (!o.ok && image.Bytes() != before)
                qFatal("seed %u: a failed read changed the setup", seed); // nothing half-stored
        } else {
            ++c.writes;
            const CDeviceOutcome o = RunWriteDevice(image, 0, line.port, nullptr, messages,
                                                    dir.filePath(QStringLiteral("test.dat")));
            c.writesUnconfirmed += o.verifyResult == VERIFY_UNREAD;
            c.writesOk += o.ok;
            c.wrongWrites += o.ok && !SameSetup(line.unit.Image().Bytes(), before);
        }
    }
    qInfo("reads %d (ok %d, wrong %d), writes %d (ok %d, wrong %d, unconfirmed %d)", c.reads,
          c.readsOk, c.wrongReads, c.writes, c.writesOk, c.wrongWrites, c.writesUnconfirmed);
    return c;
}

// A few hundred reads and writes through a line that flips bits (now and then two that
// cancel in a record's checksum), loses and doubles bytes, loses line ends and lines. Many
// fail; none may succeed with wrong data.
void TestNoisyLine::campaign() {
    LINE_NOISE_RATES rates{0.0003, 0.0003, 0.0003, 0.004, 0.004};
    rates.cancellingPair = 0.01;
    const CAMPAIGN c = RunCampaign(rates, true);
    QCOMPARE(c.wrongReads, 0);
    QCOMPARE(c.wrongWrites, 0);
    // The campaign is worth something only when the line lets some transfers through and
    // damages others in the ways the reader has to catch.
    QVERIFY(c.readsOk > c.reads / 5 && c.readsOk < c.reads);
    QVERIFY(c.writesOk > c.writes / 10 && c.writesOk < c.writes);
    for (const LinkOutcome ending :
         {LinkOutcome::BadChecksum, LinkOutcome::RecordBroken, LinkOutcome::DumpIncomplete})
        QVERIFY2(c.readEndings.value(ending) > 0, qPrintable(QString::number(int(ending))));
    // The same line read once per transfer lets the cancelling flips through: what the
    // second dump is for.
    QVERIFY(RunCampaign(rates, false).wrongReads > 0);
}

QTEST_GUILESS_MAIN(TestNoisyLine)
#include "tst_noisy_line.moc"
