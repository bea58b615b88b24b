// The folder summary over 10,000 run files (half Nox, half Solvane, like the samples),
// offscreen: the time from opening it to its first rows on screen, the time until every
// row is in, and the longest time the window went without handling its events meanwhile
// (the longest gap between the ticks of a 10 ms timer).
//   build/bench/quenloft-bench-summary
#include "../SampleFolders.h"
#include "WindowBench.h"
#include "app/summary/FolderSummaryDialog.h"
#include "app/summary/FolderSummaryModel.h"
#include "app/window/frmMain.h"
#include "runfile/JournalStore.h"

#include <QElapsedTimer>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace quenloft;

namespace {

void BM_FolderSummaryOf10000Files(benchmark::State &state)
{
    const QString folder = bench::sampleRunFolder(10000);
    QTemporaryDir journals;
    SetJournalFolder(journals.path());
    frmMain window;
    window.setPrompter(std::make_unique<bench::SilentPrompter>());
    window.show();
    window.showPathFromOutside(folder); // as if named on the command line

    bench::EventGapMeter gaps;
    double firstRowsMs = 0, fillMs = 0;
    qint64 firstRowsWorstMs = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        gaps.start();
        FolderSummaryDialog *dialog = window.openFolderSummary();
        while (dialog->model()->rowCount() == 0 && !dialog->model()->isComplete())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::processEvents(); // paints them
        const qint64 first = clock.elapsed();
        while (!dialog->model()->isComplete())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const qint64 filled = clock.elapsed();
        gaps.stop();
        if (dialog->model()->rowCount() != 10000) {
            state.SkipWithError("not every file has a row");
            return;
        }
        dialog->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        firstRowsMs += double(first);
        firstRowsWorstMs = qMax(firstRowsWorstMs, first);
        fillMs += double(filled);
        state.SetIterationTime(double(filled) / 1000);
    }
    SetJournalFolder(QString());
    const double n = double(state.iterations());
    state.counters["first_rows_ms"] = firstRowsMs / n;
    state.counters["first_rows_worst_ms"] = double(firstRowsWorstMs);
    state.counters["all_rows_ms"] = fillMs / n;
    state.counters["longest_unresponsive_ms"] = double(gaps.longestMs());
}

} // namespace

BENCHMARK(BM_FolderSummaryOf10000Files)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

int main(int argc, char **argv)
{
    return quenloft::bench::RunOffscreenBenchmarks(argc, argv);
}
