// Loading a 256 MiB Nox file against reading the same bytes raw, in one run.
//   build/bench/quenloft-bench [--benchmark_filter=...]
// Set QUENLOFT_BENCH_MIB to change the size.
#include "fixtures/RunFileBuilder.h"
#include "runfile/RunFileReader.h"
#include "support/NativeFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

using namespace quenloft;

namespace {

constexpr quint8 kRecordLength = 40;

qint64 benchBytes()
{
    const qint64 mib = qEnvironmentVariableIntValue("QUENLOFT_BENCH_MIB");
    return (mib > 0 ? mib : 256) * 1024 * 1024;
}

// Written once per run, a chunk at a time, so making it does not swell the process.
const QString &benchFile()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("bench.kvp"));
        QFile file(p);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot create the benchmark file");
        file.write(fixtures::NoxFileBuilder().version("2.0").build().left(311));
        QByteArray record(1 + kRecordLength + 3, '\0');
        record[0] = char(kRecordLength);
        for (int i = 1; i <= kRecordLength; ++i)
            record[i] = char(i * 7);
        QByteArray chunk;
        while (chunk.size() < (1 << 20))
            chunk.append(record);
        for (qint64 written = 0; written < benchBytes(); written += chunk.size())
            file.write(chunk);
        file.write(QByteArray("\x05notes\0", 7));
        return p;
    }();
    return path;
}

double peakRssMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void BM_RawRead(benchmark::State &state)
{
    const QString &path = benchFile();
    QByteArray buffer(ScanBufferSize, Qt::Uninitialized);
    qint64 total = 0;
    for (auto _ : state) {
        auto file = NativeFile::open(path, NativeFile::Mode::Read);
        qint64 offset = 0;
        for (;;) {
            const auto n = file->readAt(offset, buffer.data(), buffer.size());
            if (!n || n.value() == 0)
                break;
            offset += n.value();
        }
        total = offset;
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(state.iterations() * total);
    state.counters["peak_rss_MiB"] = peakRssMiB();
}

void BM_LoadRunFile(benchmark::State &state)
{
    const QString &path = benchFile();
    qint64 records = 0;
    qint64 size = 0;
    for (auto _ : state) {
        const auto contents = ReadRunFileAt(path, Model::Nox);
        if (!contents)
            state.SkipWithError("load failed");
        records = contents->nox.numRecords;
        size = contents->stamp.size;
    }
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["records"] = double(records);
    state.counters["peak_rss_MiB"] = peakRssMiB();
}

} // namespace

BENCHMARK(BM_RawRead)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_LoadRunFile)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_MAIN();
