// Micro-benchmarks of the core: building a translator, translating, and loading and
// saving a setup file.
#include "core/image/CE2prom.h"
#include "core/lang/CTranslator.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_TranslatorConstruction(benchmark::State& state) {
    for (auto _ : state) {
        CTranslator tr;
        benchmark::DoNotOptimize(&tr);
    }
}
BENCHMARK(BM_TranslatorConstruction);

// The first row, a row in the middle, the last row, and a text with no row (full scan).
void BM_Translate(benchmark::State& state) {
    static const char* const texts[] = {"OK", "Reception OK", "Are you sure?", "no such text"};
    const CTranslator tr;
    const QString text = QString::fromLatin1(texts[state.range(0)]);
    for (auto _ : state) {
        QString t = text;
        tr.Translate(2, t);
        benchmark::DoNotOptimize(t);
    }
}
BENCHMARK(BM_Translate)->DenseRange(0, 3);

QString SampleFile(const QTemporaryDir& dir) {
    CE2prom image;
    for (int a = 1; a < 211; ++a)
        image.SetByte(a, std::uint8_t(a * 13));
    const QString path = dir.filePath("sample.s19");
    image.SaveSRecords(path);
    return path;
}

void BM_LoadSRecords(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = SampleFile(dir);
    CE2prom image;
    for (auto _ : state)
        benchmark::DoNotOptimize(image.LoadSRecords(path));
}
BENCHMARK(BM_LoadSRecords);

void BM_SaveSRecords(benchmark::State& state) {
    QTemporaryDir dir;
    CE2prom image;
    const QString path = dir.filePath("out.s19");
    for (auto _ : state)
        benchmark::DoNotOptimize(image.SaveSRecords(path));
}
BENCHMARK(BM_SaveSRecords);

} // namespace

BENCHMARK_MAIN();
