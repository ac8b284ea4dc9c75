// The tone tables against their published sources, tone plans segment by segment, WAV
// files byte by byte, and what heard tones mean in a setup.
#include "core/image/CE2prom.h"
#include "core/tones/ToneMeaning.h"
#include "core/tones/TonePlan.h"
#include "core/tones/ToneTables.h"
#include "core/tones/WavFile.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

class TestTones : public QObject {
    Q_OBJECT
private slots:
    void systems_data();
    void systems();
    void trcPlan_data();
    void trcPlan();
    void telegramPlan_data();
    void telegramPlan();
    void wavFiles();
    void wavRead_data();
    void wavRead();
    void meanings_data();
    void meanings();
};

namespace {

// "symbol start+length hz level; ..."; silence shows its symbol and times only.
QString Describe(const TONE_PLAN& plan) {
    QStringList parts;
    for (const TONE_SEGMENT& s : plan)
        parts << QStringLiteral("%1 %2+%3").arg(s.symbol.c_str()).arg(s.startMs).arg(s.lengthMs) +
                     (s.hz == 0 ? QString() : QStringLiteral(" %1 %2").arg(s.hz).arg(s.levelDb));
    return parts.join("; ");
}

// A telegram's block from base; the tones (from tonesAt on) end with "End" when fewer than 11.
void SetBlock(CE2prom& image, int base, const QList<int>& block, int tonesAt) {
    for (int i = 0; i < tonesAt + 11; ++i)
        image.SetByte(base + i, std::uint8_t(i < block.size() ? block[i] : i < tonesAt ? 0 : 255));
}

QByteArray Le(std::uint32_t value, int bytes) {
    QByteArray out;
    for (int i = 0; i < bytes; ++i)
        out.append(char(value >> (8 * i)));
    return out;
}

QByteArray Chunk(const char* id, const QByteArray& body) {
    const QByteArray out = id + Le(std::uint32_t(body.size()), 4) + body;
    return body.size() % 2 ? out + '\0' : out;
}

QByteArray Fmt(int code, int channels, int rate, int bits) {
    const int frame = channels * bits / 8;
    return Chunk("fmt ", Le(code, 2) + Le(channels, 2) + Le(rate, 4) + Le(rate * frame, 4) +
                             Le(frame, 2) + Le(bits, 2));
}

QByteArray Riff(const QByteArray& chunks) {
    return "RIFF" + Le(4 + chunks.size(), 4) + "WAVE" + chunks;
}

QByteArray Floats(std::initializer_list<float> values) {
    QByteArray out;
    for (float v : values) {
        std::uint32_t bits;
        std::memcpy(&bits, &v, 4);
        out += Le(bits, 4);
    }
    return out;
}

// Heard tones as text, abutting: telegram symbols at the tone length, "G2175" a guard
// tone, "F3" a function tone, "-" a gap of one tone, "~" a gap of a second.
std::vector<HEARD_TONE> Heard(const QString& text, int toneMs) {
    std::vector<HEARD_TONE> heard;
    int at = 0;
    for (const QString& word : text.split(' ')) {
        if (word == "-" || word == "~") {
            at += word == "-" ? toneMs : 1000;
            continue;
        }
        HEARD_TONE tone{at, toneMs, 0, -10, ToneSet::Telegram, word.toStdString()};
        if (word.startsWith('G'))
            tone = {at, 120, word.mid(1).toDouble(), -6, ToneSet::Guard, "G"};
        else if (word.startsWith('F')) // meanings go by the symbol, not the frequency
            tone = {at, 40, 0, -16, ToneSet::Function, tone.symbol};
        heard.push_back(tone);
        at += tone.lengthMs;
    }
    return heard;
}

} // namespace

// Typed from the sources the README names: 0..9, A..E; then a byte no system has.
void TestTones::systems_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("toneMs");
    QTest::addColumn<QString>("hz");
    const QString zvei = "2400 1060 1160 1270 1400 1530 1670 1830 2000 2200 ";
    const QString ccir = "1981 1124 1197 1275 1358 1446 1540 1640 1747 1860 ";
    QTest::newRow("ZVEI1") << 1 << "ZVEI1" << 70 << zvei + "2800 810 970 885 2600";
    QTest::newRow("ZVEI2") << 2 << "ZVEI2" << 70 << zvei + "885 810 740 680 970";
    QTest::newRow("ZVEI3") << 3 << "ZVEI3" << 70 << zvei + "885 810 2800 680 970";
    QTest::newRow("CCIR") << 4 << "CCIR" << 100 << ccir + "2400 930 2247 991 2110";
    QTest::newRow("CCIR 70") << 5 << "CCIR 70" << 70 << ccir + "2400 930 2247 991 2110";
    QTest::newRow("EEA") << 6 << "EEA" << 40 << ccir + "1055 930 2247 991 2110";
    QTest::newRow("byte 7 shows ZVEI1") << 7 << "ZVEI1" << 70 << zvei + "2800 810 970 885 2600";
}

void TestTones::systems() {
    QFETCH(int, value);
    QFETCH(QString, name);
    QFETCH(int, toneMs);
    QFETCH(QString, hz);
    CE2prom image;
    image.SetByte(24, std::uint8_t(value));
    const TONE_SYSTEM& system = ToneSystemOf(image);
    QCOMPARE(system.name, name);
    QCOMPARE(system.toneMs, toneMs);
    QStringList all;
    for (double f : system.hz)
        all << QString::number(f);
    QCOMPARE(all.join(' '), hz);
}

void TestTones::trcPlan_data() {
    QTest::addColumn<int>("function");
    QTest::addColumn<int>("guardByte");
    QTest::addColumn<int>("holdMs");
    QTest::addColumn<QString>("plan");
    QTest::addColumn<int>("lengthMs");
    QTest::newRow("F3, default timing")
        << 3 << 1 << 2000 << "G 0+120 2175 0; F3 120+40 1850 -10; G 160+2000 2175 -30" << 2160;
    QTest::newRow("F15 pulse, guard byte 4")
        << 15 << 4 << 0 << "G 0+120 2100 0; F15 120+40 650 -10" << 160;
}

void TestTones::trcPlan() {
    QFETCH(int, function);
    QFETCH(int, guardByte);
    QFETCH(int, holdMs);
    QFETCH(QString, plan);
    QFETCH(int, lengthMs);
    CE2prom image;
    image.SetByte(34, std::uint8_t(guardByte));
    TRC_TIMING timing;
    timing.holdMs = holdMs;
    const TONE_PLAN result = TrcCommandPlan(image, function, timing);
    QCOMPARE(Describe(result), plan);
    QCOMPARE(PlanLengthMs(result), lengthMs);
}

// A telegram's block from its first byte (a decoder: prolonged tone, its length, acknowledge,
// function, tones; an encoder: preamble, prolonged tone, its length, tones); "End" follows
// fewer than eleven tones. ZVEI1 (70 ms) unless said; any tone 7, alarm 9, status 3.
void TestTones::telegramPlan_data() {
    QTest::addColumn<int>("system");
    QTest::addColumn<QString>("telegram");
    QTest::addColumn<QList<int>>("block");
    QTest::addColumn<QString>("plan");
    QTest::newRow("repeat") << 1 << "Decoder 1" << QList<int>{0, 0, 0, 1, 1, 2, 2, 3}
                            << "1 0+70 1060 0; 2 70+70 1160 0; E 140+70 2600 0; 3 210+70 1270 0";
    QTest::newRow("triple repeat, CCIR") << 4 << "decoder 4" << QList<int>{0, 0, 0, 1, 2, 2, 2}
                                         << "2 0+100 1197 0; E 100+100 2110 0; 2 200+100 1197 0";
    QTest::newRow("a pause breaks a repeat") << 1 << "Decoder 1" << QList<int>{0, 0, 0, 1, 1, 15, 1}
                                             << "1 0+70 1060 0; Pause 70+70; 1 140+70 1060 0";
    QTest::newRow("EEA, second prolonged 130 ms")
        << 6 << "Decoder 2" << QList<int>{2, 0x8D, 0, 1, 1, 2, 3}
        << "1 0+40 1124 0; 2 40+130 1197 0; 3 170+40 1275 0";
    QTest::newRow("prolonged length 0 keeps 70 ms")
        << 1 << "Decoder 3" << QList<int>{1, 0, 0, 1, 10} << "A 0+70 2800 0";
    QTest::newRow("preamble 200 ms, prolonged 100 ms")
        << 1 << "DISCONNECT" << QList<int>{0x94, 2, 100, 4, 5}
        << "Preamble 0+200; 4 200+70 1400 0; 5 270+100 1530 0";
    QTest::newRow("any tone") << 1 << "Decoder 1" << QList<int>{0, 0, 0, 1, 64, 64}
                              << "7 0+70 1830 0; E 70+70 2600 0";
    QTest::newRow("alarm number and status, number + 1 after 9")
        << 1 << "Alarm" << QList<int>{0, 0, 0, 112, 128, 144}
        << "9 0+70 2200 0; 3 70+70 1270 0; 0 140+70 2400 0; 3 210+70 1270 0";
    QTest::newRow("IDs 1, 3, 10") << 1 << "Acknowledge" << QList<int>{0, 0, 0, 177, 179, 186}
                                  << "1 0+70 1060 0; 3 70+70 1270 0; 0 140+70 2400 0";
    QTest::newRow("end marker") << 1 << "Decoder 1" << QList<int>{0, 0, 0, 1, 5, 255, 6}
                                << "5 0+70 1530 0";
    QTest::newRow("eleven tones, no end")
        << 1 << "Decoder 1" << QList<int>{0, 0, 0, 1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11}
        << "0 0+70 2400 0; 1 70+70 1060 0; 2 140+70 1160 0; 3 210+70 1270 0; "
           "4 280+70 1400 0; 5 350+70 1530 0; 6 420+70 1670 0; 7 490+70 1830 0; "
           "8 560+70 2000 0; 9 630+70 2200 0; B 700+70 810 0";
}

void TestTones::telegramPlan() {
    QFETCH(int, system);
    QFETCH(QString, telegram);
    QFETCH(QList<int>, block);
    QFETCH(QString, plan);
    CE2prom image;
    image.SetByte(24, std::uint8_t(system));
    const TELEGRAM_INFO* info = FindTelegram(telegram.toStdString());
    QVERIFY(info);
    SetBlock(image, info->base, block, info->encoder ? 3 : 4);
    TELEGRAM_VALUES values;
    values.anyTone = 7;
    values.alarmNumber = 9;
    values.alarmStatus = 3;
    QCOMPARE(Describe(TelegramPlan(image, info->id, values)), plan);
}

void TestTones::wavFiles() {
    const QByteArray header =
        "52494646280000005741564566"
        "6d74201000000001000100401f0000803e00000200100064617461040000000100feff";
    QCOMPARE(WavBytes({8000, {1, -2}}).toHex(), header);
    QTemporaryDir dir;
    QString error;
    QVERIFY(WriteWav(dir.filePath("t.wav"), {48000, {0, 32767, -32768}}, &error));
    WAV_SOUND sound;
    QVERIFY2(ReadWav(dir.filePath("t.wav"), &sound, &error), qPrintable(error));
    QCOMPARE(sound.sampleRate, 48000);
    QCOMPARE(sound.samples, (std::vector<std::int16_t>{0, 32767, -32768}));
    QVERIFY(!WriteWav(dir.filePath("none/t.wav"), sound, &error));
    QVERIFY(error.startsWith("cannot write"));
}

// What a file gives: its samples, or the reason it is refused.
void TestTones::wavRead_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("result");
    const QByteArray data = Chunk("data", Le(0, 2));
    const QByteArray guid = QByteArray::fromHex("000000001000800000aa00389b71");
    const QByteArray extensible = Le(0xFFFE, 2) + Le(1, 2) + Le(8000, 4) + Le(32000, 4) + Le(4, 2) +
                                  Le(32, 2) + Le(22, 2) + Le(32, 2) + Le(4, 4) + Le(3, 2) + guid;
    QTest::newRow("8-bit") << Riff(Fmt(1, 1, 8000, 8) +
                                   Chunk("data", QByteArray::fromHex("80ff00")))
                           << "0 32512 -32768";
    QTest::newRow("24-bit") << Riff(Fmt(1, 1, 8000, 24) +
                                    Chunk("data", QByteArray::fromHex("000100000080")))
                            << "1 -32768";
    QTest::newRow("32-bit") << Riff(Fmt(1, 1, 8000, 32) + Chunk("data", Le(0x00018000, 4))) << "2";
    QTest::newRow("float, clipped")
        << Riff(Fmt(3, 1, 8000, 32) + Chunk("data", Floats({0.5f, -1.0f, 2.0f})))
        << "16384 -32768 32767";
    QTest::newRow("extensible float")
        << Riff(Chunk("fmt ", extensible) + Chunk("data", Floats({0.25f}))) << "8192";
    QTest::newRow("stereo mixed") << Riff(Fmt(1, 2, 8000, 16) +
                                          Chunk("data",
                                                Le(100, 2) + Le(300, 2) + Le(0xFFF0, 2) + Le(0, 2)))
                                  << "200 -8";
    QTest::newRow("data first, odd chunk padded")
        << Riff(Chunk("data", Le(7, 2)) + Chunk("LIST", "abc") + Fmt(1, 1, 8000, 16)) << "7";
    QTest::newRow("data longer than the file: the whole frames there")
        << Riff(Fmt(1, 1, 8000, 16) + "data" + Le(100, 4) + Le(5, 2) + Le(6, 2) + "x") << "5 6";
    QTest::newRow("RIFX") << "RIFX" + Riff(Fmt(1, 1, 8000, 16) + data).mid(4)
                          << "not a RIFF WAVE file";
    QTest::newRow("MPEG layer 3") << Riff(Fmt(0x55, 1, 8000, 16) + data)
                                  << "WAV format 85 is compressed and cannot be read";
    QTest::newRow("12-bit") << Riff(Fmt(1, 1, 8000, 12) + data)
                            << "12-bit WAV samples cannot be read";
    QTest::newRow("64-bit float") << Riff(Fmt(3, 1, 8000, 64) + data)
                                  << "64-bit WAV samples cannot be read";
    QTest::newRow("rate 0") << Riff(Fmt(1, 1, 0, 16) + data)
                            << "the WAV sample rate 0 Hz is out of range";
    QTest::newRow("rate 384001") << Riff(Fmt(1, 1, 384001, 16) + data)
                                 << "the WAV sample rate 384001 Hz is out of range";
    QTest::newRow("no fmt") << Riff(data) << "the WAV file has no format chunk";
    QTest::newRow("no data") << Riff(Fmt(1, 1, 8000, 16)) << "the WAV file has no data chunk";
    QTest::newRow("fmt cut short")
        << Riff(Fmt(1, 1, 8000, 16)).left(30) << "the WAV file is cut short";
}

void TestTones::wavRead() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, result);
    WAV_SOUND sound;
    QString error;
    QStringList samples;
    if (ParseWav(bytes, &sound, &error)) {
        QCOMPARE(sound.sampleRate, 8000);
        for (std::int16_t sample : sound.samples)
            samples << QString::number(sample);
    }
    QCOMPARE(error.isEmpty() ? samples.join(' ') : error, result);
}

// The setup: ZVEI1, guard 2175 Hz, F3 "CHN1 KEY"; Decoder 1 "1 2 3 4 5", Decoder 2
// "1 2 2 Pause 3", Decoder 3 "9 Any 9", Decoder 4 "6 7 E", Disconnect "4 4 4 4",
// Acknowledge "5 6 ID1 ID2", Alarm "8, number and status, number + 1".
void TestTones::meanings_data() {
    QTest::addColumn<QString>("heard");
    QTest::addColumn<QStringList>("meanings"); // "?" marks no match
    QTest::newRow("TRC command") << "G2175 F3 G2175" << QStringList{"F3: CHN1 KEY"};
    QTest::newRow("TRC, other guard")
        << "G2100 F3" << QStringList{"? no match (nearest: F3: CHN1 KEY)"};
    QTest::newRow("Decoder 1") << "1 2 3 4 5" << QStringList{"Decoder 1"};
    QTest::newRow("Decoder 2: repeat, pause") << "1 2 E - 3" << QStringList{"Decoder 2"};
    QTest::newRow("Decoder 3: any tone") << "9 4 9" << QStringList{"Decoder 3"};
    QTest::newRow("Decoder 4: tone E") << "6 7 E" << QStringList{"Decoder 4"};
    QTest::newRow("Disconnect") << "4 E 4 E" << QStringList{"Disconnect"};
    QTest::newRow("Acknowledge: any ID") << "5 6 3 8" << QStringList{"Acknowledge"};
    QTest::newRow("Alarm") << "8 3 1 4" << QStringList{"Alarm: alarm 3, status 1"};
    QTest::newRow("Alarm 9: number + 1 is 0")
        << "8 9 2 0" << QStringList{"Alarm: alarm 9, status 2"};
    QTest::newRow("Alarm: number + 1 disagrees")
        << "8 3 1 5" << QStringList{"? no match (nearest: Alarm)"};
    QTest::newRow("a pause missing") << "1 2 E 3" << QStringList{"? no match (nearest: Decoder 2)"};
    QTest::newRow("two telegrams, a guard tone alone between")
        << "1 2 3 4 5 ~ G2175 ~ 4 E 4 E" << QStringList{"Decoder 1", "Disconnect"};
}

void TestTones::meanings() {
    QFETCH(QString, heard);
    QFETCH(QStringList, meanings);
    CE2prom image;
    image.SetByte(24, 1);
    image.SetByte(34, 1);
    image.SetByte(166, 4);
    SetBlock(image, 58, {0, 0, 0, 1, 1, 2, 3, 4, 5}, 4);
    SetBlock(image, 74, {0, 0, 0, 1, 1, 2, 2, 15, 3}, 4);
    SetBlock(image, 90, {0, 0, 0, 1, 9, 64, 9}, 4);
    SetBlock(image, 106, {0, 0, 0, 1, 6, 7, 14}, 4);
    SetBlock(image, 122, {0, 0, 0, 4, 4, 4, 4}, 3);
    SetBlock(image, 136, {0, 0, 0, 5, 6, 177, 178}, 3);
    SetBlock(image, 150, {0, 0, 0, 8, 112, 128}, 3);
    QStringList texts;
    for (const TONE_MEANING& meaning : MeaningsOf(image, Heard(heard, 70), 0))
        texts << (meaning.matched ? "" : "? ") + meaning.text;
    QCOMPARE(texts, meanings);
}

QTEST_GUILESS_MAIN(TestTones)
#include "tst_tones.moc"
