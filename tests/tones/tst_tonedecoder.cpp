// Sound from tone plans and the decoder that hears it: every tone system and symbol through
// synthesis, a faulty line (noise, detuning, stretched tones, tilt) and back.
#include "core/tones/CToneDecoder.h"
#include "core/tones/ToneSynth.h"

#include <QTest>

#include <cmath>
#include <complex>
#include <numbers>
#include <random>

Q_DECLARE_METATYPE(TONE_PLAN)

namespace {

const double FULL_AMPLITUDE = 32767 * std::pow(10.0, FULL_LEVEL_DBFS / 20);

TONE_SEGMENT Segment(int startMs, int lengthMs, double hz, double db, std::string symbol) {
    return {startMs, lengthMs, hz, db, std::move(symbol)};
}

// Every symbol but E, with one repeat (5 5 goes out as 5 E), between two silences.
TONE_PLAN AllSymbolsPlan(const TONE_SYSTEM& system, QString* expected) {
    const int symbols[] = {1, 0, 2, 3, 4, 5, 5, 6, 7, 8, 9, 10, 11, 12, 13};
    TONE_PLAN plan{Segment(0, 60, 0, 0, "Pause")};
    int previous = -1;
    for (int s : symbols) {
        const int sent = s == previous ? REPEAT_SYMBOL : s;
        previous = s;
        const std::string name(1, SymbolChar(sent));
        plan.push_back(Segment(PlanLengthMs(plan), system.toneMs, system.hz[sent], 0, name));
        *expected += QString::fromStdString(name);
    }
    plan.push_back(Segment(PlanLengthMs(plan), 60, 0, 0, "Pause"));
    return plan;
}

TONE_PLAN CommandPlan(int function, double guardHz) {
    return {Segment(0, 50, 0, 0, "Pause"), Segment(50, 120, guardHz, 0, "G"),
            Segment(170, 40, TrcFunctionHz(function), -10, "F" + std::to_string(function)),
            Segment(210, 300, guardHz, -30, "G"), Segment(510, 50, 0, 0, "Pause")};
}

// The line's faults on the plan itself: every frequency and every time scaled.
TONE_PLAN Detuned(TONE_PLAN plan, double hzFactor, double lengthFactor) {
    for (TONE_SEGMENT& s : plan) {
        const int end = int(std::lround((s.startMs + s.lengthMs) * lengthFactor));
        s.startMs = int(std::lround(s.startMs * lengthFactor));
        s.lengthMs = end - s.startMs;
        s.hz *= hzFactor;
    }
    return plan;
}

// 6 dB more at 3 kHz than at 600 Hz (y = x - b x[n-1], b found for the rate), then white
// noise 20 dB below the plan's full level.
void SpoilLine(std::vector<std::int16_t>& sound, int rate, unsigned seed) {
    auto gain = [rate](double b, double hz) {
        return std::abs(1.0 - b * std::polar(1.0, -2 * std::numbers::pi * hz / rate));
    };
    double lo = 0, hi = 1;
    for (int i = 0; i < 40; ++i) {
        const double b = (lo + hi) / 2;
        (gain(b, 3000) / gain(b, 600) < 2 ? lo : hi) = b;
    }
    const double norm = 1 / gain(lo, 1500);
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0, FULL_AMPLITUDE / std::sqrt(2.0) / 10);
    double before = 0;
    for (std::int16_t& s : sound) {
        const double x = s;
        s = std::int16_t(
            std::lround(std::clamp(norm * (x - lo * before) + noise(random), -32768.0, 32767.0)));
        before = x;
    }
}

QString Symbols(const std::vector<HEARD_TONE>& tones) {
    QString s;
    for (const HEARD_TONE& t : tones)
        s += QString::fromStdString(t.symbol) + (t.symbol.size() > 1 ? " " : "");
    return s;
}

// Each heard tone against the plan's tone segment it should be.
void CompareWithPlan(const std::vector<HEARD_TONE>& heard, const TONE_PLAN& plan, int toleranceMs) {
    std::vector<TONE_SEGMENT> tones;
    for (const TONE_SEGMENT& s : plan)
        if (s.hz > 0)
            tones.push_back(s);
    QCOMPARE(heard.size(), tones.size());
    for (std::size_t i = 0; i < heard.size(); ++i) {
        QVERIFY2(std::abs(heard[i].hz / tones[i].hz - 1) < 0.005, tones[i].symbol.c_str());
        QVERIFY2(std::abs(heard[i].startMs - tones[i].startMs) <= toleranceMs,
                 tones[i].symbol.c_str());
        QVERIFY2(std::abs(heard[i].lengthMs - tones[i].lengthMs) <= toleranceMs,
                 tones[i].symbol.c_str());
    }
}

double Rms(const std::vector<std::int16_t>& sound, std::size_t first, std::size_t end) {
    double sum = 0;
    for (std::size_t i = first; i < end; ++i)
        sum += double(sound[i]) * sound[i];
    return std::sqrt(sum / double(end - first));
}

} // namespace

class TestToneDecoder : public QObject {
    Q_OBJECT
private slots:
    void SampleCount_data();
    void SampleCount();
    void SoundIsSmooth_data();
    void SoundIsSmooth();
    void Level();
    void Telegrams_data();
    void Telegrams();
    void Commands_data();
    void Commands();
    void Streaming();
    void NothingHeard_data();
    void NothingHeard();
    void FunctionOnlyAfterGuard_data();
    void FunctionOnlyAfterGuard();
};

void TestToneDecoder::SampleCount_data() {
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("toneMs");
    QTest::addColumn<int>("tones");
    QTest::newRow("48 kHz") << 48000 << 70 << 11;
    QTest::newRow("44.1 kHz, 33 ms") << 44100 << 33 << 31;
    QTest::newRow("8 kHz, 1 ms") << 8000 << 1 << 7;
    QTest::newRow("11025 Hz, 7 ms") << 11025 << 7 << 101;
}

// Segment boundaries come from their start times, so no rounding adds up along the plan.
void TestToneDecoder::SampleCount() {
    QFETCH(int, rate);
    QFETCH(int, toneMs);
    QFETCH(int, tones);
    TONE_PLAN plan;
    for (int i = 0; i < tones; ++i)
        plan.push_back(Segment(i * toneMs, toneMs, i % 3 ? 1000 + 10 * i : 0, 0, "1"));
    const long ms = long(tones) * toneMs;
    QCOMPARE(long(SynthesizePlan(plan, rate).size()), (ms * rate + 500) / 1000);
}

void TestToneDecoder::SoundIsSmooth_data() {
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("function");
    QTest::newRow("48 kHz, F15") << 48000 << 15;
    QTest::newRow("8 kHz, F1") << 8000 << 1;
}

// A telegram and a command: tones start and stop against silence, change frequency and change
// level. Where a tone meets silence the sound is near zero (no click); where tones meet, no
// sample step is larger than the higher tone makes itself (no phase jump) and, between two
// full-level tones, every 2 ms is at full level (no dip).
void TestToneDecoder::SoundIsSmooth() {
    QFETCH(int, rate);
    QFETCH(int, function);
    QString expected;
    TONE_PLAN plan = AllSymbolsPlan(ToneSystemOfByte(1), &expected);
    for (TONE_SEGMENT s : CommandPlan(function, 3250)) {
        s.startMs += 1200;
        plan.push_back(s);
    }
    const std::vector<std::int16_t> sound = SynthesizePlan(plan, rate);
    const std::size_t span = std::size_t(rate / 500);
    for (std::size_t k = 1; k < plan.size(); ++k) {
        const TONE_SEGMENT &before = plan[k - 1], &after = plan[k];
        const std::size_t edge = std::size_t(after.startMs) * std::size_t(rate) / 1000;
        if (before.hz == 0 || after.hz == 0) {
            QVERIFY2(std::abs(sound[after.hz == 0 ? edge - 1 : edge]) < 0.02 * FULL_AMPLITUDE,
                     after.symbol.c_str());
            continue;
        }
        const double maxStep =
            2 * FULL_AMPLITUDE * std::sin(std::numbers::pi * std::max(before.hz, after.hz) / rate);
        for (std::size_t i = edge - span; i < edge + span; ++i)
            QVERIFY2(std::abs(sound[i] - sound[i - 1]) <= maxStep + 2, after.symbol.c_str());
        for (std::size_t at = edge - 2 * span;
             before.levelDb == 0 && after.levelDb == 0 && at < edge + 2 * span; at += span)
            QVERIFY2(Rms(sound, at, at + span) > 0.9 * FULL_AMPLITUDE / std::sqrt(2.0),
                     after.symbol.c_str());
    }
}

void TestToneDecoder::Level() {
    const TONE_PLAN plan{Segment(0, 100, 1000, 0, "1"), Segment(100, 100, 1000, -10, "1")};
    const std::vector<std::int16_t> sound = SynthesizePlan(plan, 8000);
    QVERIFY(std::abs(Rms(sound, 200, 600) - FULL_AMPLITUDE / std::sqrt(2.0)) < 5);
    QVERIFY(std::abs(20 * std::log10(Rms(sound, 1000, 1500) / Rms(sound, 200, 600)) + 10) < 0.05);
}

void TestToneDecoder::Telegrams_data() {
    QTest::addColumn<int>("system");
    QTest::addColumn<int>("rate");
    QTest::addColumn<double>("hzFactor");
    QTest::addColumn<double>("lengthFactor");
    for (const TONE_SYSTEM& s : ToneSystems())
        for (int rate : {48000, 8000}) {
            const QByteArray name = QByteArray(s.name) + (rate == 8000 ? " 8k" : " 48k");
            QTest::newRow(name + " high, short") << s.value << rate << 1.015 << 0.9;
            QTest::newRow(name + " low, long") << s.value << rate << 0.985 << 1.1;
        }
}

// Every symbol and the repeat tone through a line with all its faults at once.
void TestToneDecoder::Telegrams() {
    QFETCH(int, system);
    QFETCH(int, rate);
    QFETCH(double, hzFactor);
    QFETCH(double, lengthFactor);
    QString expected;
    const TONE_PLAN plan =
        Detuned(AllSymbolsPlan(ToneSystemOfByte(system), &expected), hzFactor, lengthFactor);
    std::vector<std::int16_t> sound = SynthesizePlan(plan, rate);
    SpoilLine(sound, rate, unsigned(system * 100 + rate / 1000));
    const std::vector<HEARD_TONE> heard = DecodeTones(ToneSystemOfByte(system), rate, sound);
    QCOMPARE(Symbols(heard), expected);
    CompareWithPlan(heard, plan, 6);
}

void TestToneDecoder::Commands_data() {
    QTest::addColumn<int>("function");
    QTest::addColumn<int>("guard");
    for (int f = 1; f <= TRC_FUNCTION_COUNT; ++f)
        for (int g = 0; g < 4; ++g)
            QTest::newRow(qPrintable(QString("F%1 G%2").arg(f).arg(g))) << f << g;
}

// Guard, function tone 10 dB down, and the guard held 30 dB down: that is under the noise,
// and still heard. CCIR has its repeat tone 10 Hz from the first guard tone.
void TestToneDecoder::Commands() {
    QFETCH(int, function);
    QFETCH(int, guard);
    const double hzFactor = (function + guard) % 2 ? 1.015 : 0.985;
    const TONE_PLAN plan = Detuned(CommandPlan(function, GUARD_TONES_HZ[guard]), hzFactor, 1.0);
    std::vector<std::int16_t> sound = SynthesizePlan(plan, 48000);
    SpoilLine(sound, 48000, unsigned(function * 4 + guard));
    const std::vector<HEARD_TONE> heard = DecodeTones(ToneSystemOfByte(4), 48000, sound);
    QCOMPARE(Symbols(heard), QString("GF%1 G").arg(function));
    CompareWithPlan(heard, plan, 6);
    // The tilt moves the function tone's level; the two guards share theirs.
    QVERIFY(std::abs(heard[0].levelDb - heard[2].levelDb - 30) < 1.5);
}

// Fed in odd pieces the decoder hears what it hears in one go, each tone soon after its end.
void TestToneDecoder::Streaming() {
    QString expected;
    const TONE_PLAN plan = AllSymbolsPlan(ToneSystemOfByte(6), &expected);
    std::vector<std::int16_t> sound = SynthesizePlan(plan, 48000);
    SpoilLine(sound, 48000, 7);
    const std::vector<HEARD_TONE> whole = DecodeTones(ToneSystemOfByte(6), 48000, sound);
    CToneDecoder decoder(ToneSystemOfByte(6), 48000);
    std::vector<HEARD_TONE> pieces;
    const std::size_t sizes[] = {1, 7, 331, 4801, 60};
    for (std::size_t at = 0, i = 0; at < sound.size(); ++i) {
        const std::size_t n = std::min(sizes[i % 5], sound.size() - at);
        for (const HEARD_TONE& t : decoder.Feed(sound.data() + at, n)) {
            // Not already due with the piece before.
            QVERIFY(double(at) * 1000 / 48000 < t.startMs + t.lengthMs + 50);
            pieces.push_back(t);
        }
        at += n;
    }
    QVERIFY(decoder.Finish().empty());
    QCOMPARE(pieces.size(), whole.size());
    for (std::size_t i = 0; i < whole.size(); ++i) {
        QCOMPARE(pieces[i].symbol, whole[i].symbol);
        QCOMPARE(pieces[i].startMs, whole[i].startMs);
        QCOMPARE(pieces[i].lengthMs, whole[i].lengthMs);
        QCOMPARE(pieces[i].hz, whole[i].hz);
    }
}

void TestToneDecoder::NothingHeard_data() {
    QTest::addColumn<int>("rate");
    QTest::addColumn<bool>("noise");
    QTest::newRow("silence 48k") << 48000 << false;
    QTest::newRow("noise 48k") << 48000 << true;
    QTest::newRow("noise 8k") << 8000 << true;
    QTest::newRow("noise at 320 Hz, below every tone") << 320 << true;
}

void TestToneDecoder::NothingHeard() {
    QFETCH(int, rate);
    QFETCH(bool, noise);
    std::vector<std::int16_t> sound(std::size_t(rate) * 5, 0);
    if (noise)
        SpoilLine(sound, rate, 11);
    QCOMPARE(Symbols(DecodeTones(ToneSystemOfByte(1), rate, sound)), QString());
}

// A function tone is heard only right after a guard tone: a ZVEI1 "3" (1270 Hz) cut short
// by a gap in the recording lies within 2% of F9 (1250 Hz) and is long enough for a function
// tone, but it is no command.
void TestToneDecoder::FunctionOnlyAfterGuard_data() {
    QTest::addColumn<TONE_PLAN>("plan");
    QTest::addColumn<QString>("heard");
    QTest::newRow("telegram tone cut short")
        << TONE_PLAN{Segment(0, 70, 1160, 0, "2"), Segment(70, 30, 1270, 0, "3"),
                     Segment(100, 40, 0, 0, "gap"), Segment(140, 70, 1400, 0, "4")}
        << "24";
    QTest::newRow("short tone after silence")
        << TONE_PLAN{Segment(0, 100, 0, 0, "Pause"), Segment(100, 35, 1250, 0, "?")} << "";
    QTest::newRow("after a guard tone")
        << TONE_PLAN{Segment(0, 120, 2100, 0, "G"), Segment(120, 40, 1250, -10, "F9")} << "GF9 ";
}

void TestToneDecoder::FunctionOnlyAfterGuard() {
    QFETCH(TONE_PLAN, plan);
    QFETCH(QString, heard);
    QCOMPARE(Symbols(DecodeTones(ToneSystemOfByte(1), 48000, SynthesizePlan(plan, 48000))), heard);
}

QTEST_GUILESS_MAIN(TestToneDecoder)
#include "tst_tonedecoder.moc"
