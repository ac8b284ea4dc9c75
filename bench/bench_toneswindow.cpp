// The Tones window's Listen part: from the moment the sound card hands over the sound in
// which a tone ends to the moment its line stands in the list of heard tones, in ms of
// wall time. The sound comes through a fake device at the pace a sound card delivers it
// (20 ms a piece), so the figure holds the decoder's wait for the tone's end, the window's
// 20 ms timer and the decoding. Target: under 100 ms.
#include "core/image/CE2prom.h"
#include "core/tones/ToneSynth.h"
#include "core/tones/ToneTables.h"
#include "gui/tones/CTonesWindow.h"
#include "tests/app/CFakeSoundDevice.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPrinter>
#include <QThread>
#include <algorithm>
#include <benchmark/benchmark.h>

namespace {

constexpr int RATE = DEFAULT_SAMPLE_RATE;
constexpr int PIECE_MS = 20;

void BM_ToneEndToListLine(benchmark::State& state) {
    CE2prom image;
    image.LoadSRecords(KARVO_DEFAULT_SETUP);
    const TONE_SYSTEM& system = ToneSystemOf(image);
    // Silence, one tone "1" of the setup's system, silence.
    const int toneEndMs = 200 + system.toneMs;
    const TONE_PLAN plan = {{0, 200, 0, 0, "Pause"},
                            {200, system.toneMs, system.hz[1], 0, "1"},
                            {toneEndMs, 600, 0, 0, "Pause"}};
    const std::vector<std::int16_t> sound = SynthesizePlan(plan, RATE);
    const std::size_t piece = RATE * PIECE_MS / 1000;
    const std::size_t endPiece = std::size_t(toneEndMs) * RATE / 1000 / piece;

    CFakeSoundDevice* device = nullptr;
    SetSoundDeviceFactory([&device] {
        auto made = std::make_unique<CFakeSoundDevice>(
            std::vector<SOUND_DEVICE>{{1, QStringLiteral("Line in"), false, true, true}});
        device = made.get();
        return made;
    });
    QPrinter printer;
    CTonesWindow window(image, printer, nullptr);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    int iteration = 0;
    double slowestMs = 0;
    for (auto _ : state) {
        // The card's pieces and the window's timer run apart; each round at another phase.
        const qint64 phaseMs = (iteration++ * 7) % PIECE_MS;
        window.Record();
        QElapsedTimer clock;
        clock.start();
        qint64 endHandedAt = -1;
        std::size_t next = 0;
        while (window.HeardLines().isEmpty() && clock.elapsed() < 2000) {
            // Hand over each piece once its time has come, as the sound card would.
            if (next * piece < sound.size() &&
                clock.elapsed() >= phaseMs + qint64(next * PIECE_MS)) {
                const auto begin = sound.begin() + std::ptrdiff_t(next * piece);
                device->pending.insert(
                    device->pending.end(), begin,
                    begin + std::ptrdiff_t(std::min(piece, sound.size() - next * piece)));
                if (next == endPiece)
                    endHandedAt = clock.nsecsElapsed();
                ++next;
            }
            QApplication::processEvents();
            QThread::usleep(200);
        }
        if (window.HeardLines().isEmpty() || endHandedAt < 0) {
            state.SkipWithError("the tone was not heard");
            break;
        }
        const double seconds = double(clock.nsecsElapsed() - endHandedAt) / 1e9;
        slowestMs = std::max(slowestMs, seconds * 1000);
        state.SetIterationTime(seconds);
        window.Stop();
    }
    state.counters["slowest_ms"] = slowestMs;
    SetSoundDeviceFactory({});
}
BENCHMARK(BM_ToneEndToListLine)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace
