// The main window's overview: rebuilding it from a whole new image (every section read
// again, as after Open, Read device or an undo of either), and start-up to a shown main
// window with its overview. Targets: under 5 ms a rebuild, under 150 ms a start-up.
#include "core/image/CE2prom.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CSetupOverviewModel.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_OverviewRebuild(benchmark::State& state) {
    CE2prom image;
    image.LoadSRecords(KARVO_DEFAULT_SETUP);
    const QByteArray shipped = image.Bytes();
    QByteArray other = shipped;
    for (int a = 1; a < other.size(); ++a)
        other[a] = char(other[a] ^ 1);
    CSetupOverviewModel model(image, CMainFrame::SetupCommands(), nullptr);
    bool flip = false;
    for (auto _ : state) {
        // Every byte differs from the last reading, so every section is read again.
        image.ReplaceBytes((flip = !flip) ? other : shipped);
        model.Refresh();
        benchmark::DoNotOptimize(model.ChangedCount());
    }
}
BENCHMARK(BM_OverviewRebuild)->Unit(benchmark::kMillisecond);

void BM_MainWindowStartUp(benchmark::State& state) {
    // The default setup is loaded from the working folder, as karvo does.
    QTemporaryDir dir;
    QFile::copy(KARVO_DEFAULT_SETUP, dir.filePath("karvo.def"));
    qputenv("KARVO_PROFILE", dir.filePath("karvo.ini").toLocal8Bit());
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    for (auto _ : state) {
        CMainFrame frame;
        frame.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(frame.isVisible());
    }
    QDir::setCurrent(previous);
}
BENCHMARK(BM_MainWindowStartUp)->Unit(benchmark::kMillisecond);

} // namespace
