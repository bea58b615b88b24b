// Time from a file selection to the window's display being filled, for a sample file and
// for a 256 MiB Nox file, and the longest time the window went without handling its
// events during the load. Runs offscreen.
//   build/bench/quenloft-bench-window
#include "WindowBench.h"
#include "app/window/frmMain.h"
#include "fixtures/RunFileBuilder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace quenloft;

namespace {

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

void writeSample()
{
    QFile file(folder().filePath(QStringLiteral("sample.kvp")));
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write the sample");
    file.write(fixtures::NoxFileBuilder().version("2.0.3").records(112, 40).notes("n").build());
}

void writeLarge()
{
    QFile file(folder().filePath(QStringLiteral("large.kvp")));
    if (file.exists())
        return;
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write the large file");
    file.write(fixtures::NoxFileBuilder().version("2.0").build().left(311));
    QByteArray record(44, '\0');
    record[0] = 40;
    QByteArray chunk;
    while (chunk.size() < (1 << 20))
        chunk.append(record);
    for (int i = 0; i < 256; ++i)
        file.write(chunk);
    file.write(QByteArray("\x05notes\0", 7));
}

void loadInWindow(benchmark::State &state, const QString &name)
{
    frmMain window;
    window.setPrompter(std::make_unique<bench::SilentPrompter>());
    window.show();
    bench::EventGapMeter gaps;
    for (auto _ : state) {
        gaps.start();
        if (!window.showRunFile(folder().filePath(name)))
            state.SkipWithError("load failed");
        gaps.stop();
    }
    state.counters["longest_unresponsive_ms"] = double(gaps.longestMs());
}

void BM_SelectSampleFile(benchmark::State &state)
{
    writeSample();
    loadInWindow(state, QStringLiteral("sample.kvp"));
}

void BM_Select256MiBFile(benchmark::State &state)
{
    writeLarge();
    loadInWindow(state, QStringLiteral("large.kvp"));
}

} // namespace

BENCHMARK(BM_SelectSampleFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Select256MiBFile)->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char **argv)
{
    return quenloft::bench::RunOffscreenBenchmarks(argc, argv);
}
