// Micro-benchmarks of the tones: the plan and sound of the longest telegram a setup can hold,
// decoding a minute of sound, and how soon the decoder reports a tone after it has ended.
#include "core/image/CE2prom.h"
#include "core/tones/CToneDecoder.h"
#include "core/tones/TonePlan.h"
#include "core/tones/ToneSynth.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

namespace {

// The Alarm telegram in CCIR: a 1270 ms preamble, eleven tones, the first prolonged to
// 1270 ms (an encoder counts both in tens of ms: 127).
void SetUpLongestTelegram(CE2prom& image) {
    image.SetByte(24, 4); // CCIR, 100 ms tones
    const int base = TelegramInfo(TelegramId::Alarm).base;
    image.SetByte(base + 0, 127);
    image.SetByte(base + 1, 1);
    image.SetByte(base + 2, 127);
    for (int i = 0; i < 11; ++i)
        image.SetByte(base + 3 + i, std::uint8_t(i % 10));
}

void BM_LongestTelegramSound(benchmark::State& state) {
    CE2prom image;
    SetUpLongestTelegram(image);
    for (auto _ : state) {
        const TONE_PLAN plan = TelegramPlan(image, TelegramId::Alarm);
        benchmark::DoNotOptimize(SynthesizePlan(plan, DEFAULT_SAMPLE_RATE));
    }
    state.counters["sound_ms"] = PlanLengthMs(TelegramPlan(image, TelegramId::Alarm));
}
BENCHMARK(BM_LongestTelegramSound)->Unit(benchmark::kMicrosecond);

// CCIR telegrams and tone-remote commands one after another, with noise 20 dB down.
std::vector<std::int16_t> BusyLine(int seconds) {
    const TONE_SYSTEM& ccir = ToneSystemOfByte(4);
    TONE_PLAN plan;
    int at = 0;
    for (int n = 0; at < seconds * 1000; ++n) {
        for (int i = 0; i < 5; ++i, at += 100)
            plan.push_back({at, 100, ccir.hz[std::size_t((n + 3 * i) % 10)], 0, "0"});
        at += 200;
        plan.push_back({at, 120, GUARD_TONES_HZ[std::size_t(n % 4)], 0, "G"});
        plan.push_back({at + 120, 40, TrcFunctionHz(1 + n % 15), -10, "F"});
        plan.push_back({at + 160, 500, GUARD_TONES_HZ[std::size_t(n % 4)], -30, "G"});
        at += 900;
    }
    std::vector<std::int16_t> sound = SynthesizePlan(plan, DEFAULT_SAMPLE_RATE);
    sound.resize(std::size_t(seconds) * DEFAULT_SAMPLE_RATE);
    std::mt19937 random(1);
    std::normal_distribution<double> noise(0, 1160);
    for (std::int16_t& s : sound)
        s = std::int16_t(std::clamp(s + noise(random), -32768.0, 32767.0));
    return sound;
}

void BM_DecodeMinute(benchmark::State& state) {
    const std::vector<std::int16_t> sound = BusyLine(60);
    std::size_t tones = 0;
    for (auto _ : state)
        tones = DecodeTones(ToneSystemOfByte(4), DEFAULT_SAMPLE_RATE, sound).size();
    state.counters["tones"] = double(tones);
}
BENCHMARK(BM_DecodeMinute)->Unit(benchmark::kMillisecond);

// Fed in 10 ms pieces as the sound card delivers them: audio time from a tone's end to the
// end of the piece whose Feed returns it.
void BM_DecoderLatency(benchmark::State& state) {
    const std::vector<std::int16_t> sound = BusyLine(20);
    const std::size_t piece = DEFAULT_SAMPLE_RATE / 100;
    double worst = 0, sum = 0;
    int count = 0;
    for (auto _ : state) {
        CToneDecoder decoder(ToneSystemOfByte(4), DEFAULT_SAMPLE_RATE);
        worst = sum = 0;
        count = 0;
        for (std::size_t at = 0; at + piece <= sound.size(); at += piece)
            for (const HEARD_TONE& t : decoder.Feed(sound.data() + at, piece)) {
                const double late =
                    double(at + piece) * 1000 / DEFAULT_SAMPLE_RATE - (t.startMs + t.lengthMs);
                worst = std::max(worst, late);
                sum += late;
                ++count;
            }
    }
    state.counters["latency_ms_mean"] = count ? sum / count : 0;
    state.counters["latency_ms_max"] = worst;
    state.counters["tones"] = count;
}
BENCHMARK(BM_DecoderLatency)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
