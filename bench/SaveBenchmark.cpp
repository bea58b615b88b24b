// What the rollback journal costs a save: a Nox save of the weight and the run name with
// the journal, against the same save without it (a switch kept for this measurement only).
//   build/bench/quenloft-bench-save [--benchmark_filter=...]
// Counters per save: bytes handed to write calls (the file's and the journal's) and the
// number of those calls, read from /proc/self/io. The files live on the disk of the
// temporary folder; every save syncs, so the time is mostly the disk's.
#include "fixtures/RunFileBuilder.h"
#include "runfile/JournalStore.h"
#include "runfile/PatchWriter.h"
#include "runfile/RunFileLayout.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace quenloft;

namespace {

struct IoCounters
{
    qint64 bytes = 0; // wchar
    qint64 calls = 0; // syscw
};

IoCounters ioCounters()
{
    QFile io(QStringLiteral("/proc/self/io"));
    IoCounters counters;
    if (!io.open(QIODevice::ReadOnly))
        return counters;
    for (const QByteArray &line : io.readAll().split('\n')) {
        if (line.startsWith("wchar: "))
            counters.bytes = line.mid(7).toLongLong();
        else if (line.startsWith("syscw: "))
            counters.calls = line.mid(7).toLongLong();
    }
    return counters;
}

void BM_Save(benchmark::State &state)
{
    const bool journal = state.range(0) != 0;
    QTemporaryDir dir;
    SetJournalFolder(dir.filePath(QStringLiteral("journals")));
    const QString path = dir.filePath(QStringLiteral("bench.kvp"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot create the benchmark file");
        file.write(
            fixtures::NoxFileBuilder().version("2.0").records(112, 40).notes("notes").build());
    }
    SaveOptions options;
    options.journal = journal;
    FileStamp stamp = StampOfPath(path).value();
    qint64 saves = 0;
    const IoCounters before = ioCounters();
    for (auto _ : state) {
        // A different weight and run name each time, so every save changes bytes.
        const quint16 weight = quint16(1000 + saves % 2);
        const QList<Patch> patches{{NoxLayout::RunName.offset,
                                    fixtures::textField(saves % 2 ? "Odd pass" : "Even pass", 48),
                                    QStringLiteral("run name")},
                                   {NoxLayout::Weight.offset,
                                    QByteArray{char(weight >> 8), char(weight & 0xFF)},
                                    QStringLiteral("weight")}};
        const auto saved = WritePatchesToFile(path, stamp, patches, options);
        if (!saved) {
            state.SkipWithError(saved.failure().description.toStdString().c_str());
            break;
        }
        stamp = saved.value();
        ++saves;
    }
    const IoCounters after = ioCounters();
    if (saves > 0) {
        state.counters["bytes_written"] = double(after.bytes - before.bytes) / double(saves);
        state.counters["write_calls"] = double(after.calls - before.calls) / double(saves);
    }
    SetJournalFolder(QString());
}

} // namespace

BENCHMARK(BM_Save)->ArgName("journal")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_MAIN();
