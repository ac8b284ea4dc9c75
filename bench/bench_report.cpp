// The whole setup report (four pages, fourteen sections from the setting logic) drawn into
// a PDF file and into text, as karvo-cli report does. Target: under 150 ms a report.
#include "core/forms/ReportText.h"
#include "core/image/CE2prom.h"
#include "print/ReportPainter.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

CE2prom& DefaultSetup() {
    static CE2prom image;
    static const bool loaded = image.LoadSRecords(KARVO_DEFAULT_SETUP) == 1;
    (void)loaded;
    return image;
}

void BM_ReportPdf(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("report.pdf");
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteReportPdf(path, DefaultSetup(), 0));
}
BENCHMARK(BM_ReportPdf)->Unit(benchmark::kMillisecond);

void BM_ReportText(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(ReportText(DefaultSetup(), 0));
}
BENCHMARK(BM_ReportText)->Unit(benchmark::kMillisecond);

} // namespace
