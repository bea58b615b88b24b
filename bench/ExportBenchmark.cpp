// `quenloft-cli export --csv` over 10,000 run files (half Nox, half Solvane, like the
// samples) against reading the same files' bytes raw, in the same iteration, warm cache;
// and the peak resident memory of the real program exporting 1,000 and 10,000 files.
//   build/bench/quenloft-bench-export
#include "Cli.h"
#include "SampleFolders.h"
#include "runfile/JournalStore.h"
#include "support/FolderWalk.h"
#include "support/NativePath.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QIODevice>
#include <QTemporaryDir>
#include <QTextStream>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kFiles = 10000;

// Takes the CSV and throws it away, counting it.
class Discard final : public QIODevice
{
public:
    Discard() { open(QIODevice::WriteOnly); }
    qint64 written = 0;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 length) override
    {
        written += length;
        return length;
    }
};

// The same walk of the folder, then every file read whole through a 64 KiB buffer.
qint64 readRaw(const QString &folder)
{
    static char buffer[64 * 1024];
    qint64 total = 0;
    for (const QString &path : quenloft::WalkFolder(folder).files) {
        const int fd = ::open(quenloft::NativeBytesOfPath(path)->constData(), O_RDONLY);
        if (fd < 0)
            qFatal("cannot open a benchmark file");
        for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
            total += n;
        ::close(fd);
    }
    return total;
}

qint64 exportCsv(const QString &folder)
{
    Discard sink;
    QString errors;
    QTextStream out(&sink);
    QTextStream err(&errors);
    const int code = quenloft::cli::RunCli(
        {QStringLiteral("quenloft-cli"), QStringLiteral("export"), QStringLiteral("--csv"), folder},
        out, err);
    out.flush();
    if (code != 0)
        qFatal("export failed: %s", qPrintable(errors));
    return sink.written;
}

void BM_ExportCsvAgainstRawRead(benchmark::State &state)
{
    const QString folder = quenloft::bench::sampleRunFolder(kFiles);
    // An existing, empty journal folder, as a user who has saved once has: each file's
    // load looks for a pending journal in it.
    QTemporaryDir journals;
    quenloft::SetJournalFolder(journals.path());
    (void)readRaw(folder); // warm the cache
    double rawMs = 0, exportMs = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        benchmark::DoNotOptimize(readRaw(folder));
        const qint64 raw = clock.nsecsElapsed();
        clock.restart();
        benchmark::DoNotOptimize(exportCsv(folder));
        const qint64 exported = clock.nsecsElapsed();
        rawMs += raw / 1e6;
        exportMs += exported / 1e6;
        state.SetIterationTime(exported / 1e9);
    }
    quenloft::SetJournalFolder(QString());
    const double n = double(state.iterations());
    state.counters["raw_ms"] = rawMs / n;
    state.counters["x_raw"] = exportMs / rawMs;
}

// The child's peak resident set, in MiB: the program run as a user runs it.
double peakMiBOf(const QStringList &arguments)
{
    QByteArrayList bytes;
    for (const QString &a : arguments)
        bytes.append(*quenloft::NativeBytesOfPath(a));
    std::vector<char *> argv;
    for (QByteArray &b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDOUT_FILENO);
        ::execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return usage.ru_maxrss / 1024.0; // KiB on Linux
}

void BM_ExportPeakMemory(benchmark::State &state)
{
    const QString folder = quenloft::bench::sampleRunFolder(int(state.range(0)));
    QTemporaryDir journals;
    qputenv("QUENLOFT_JOURNAL_DIR", journals.path().toLocal8Bit());
    const QString program = QStringLiteral(QUENLOFT_CLI_BINARY);
    double peak = 0, baseline = 0;
    for (auto _ : state) {
        const double exported =
            peakMiBOf({program, QStringLiteral("export"), QStringLiteral("--csv"), folder});
        const double idle = peakMiBOf({program, QStringLiteral("--version")});
        if (exported < 0 || idle < 0) {
            state.SkipWithError("the program failed");
            return;
        }
        peak = qMax(peak, exported);
        baseline = qMax(baseline, idle);
    }
    state.counters["peak_rss_mib"] = peak;
    state.counters["version_only_rss_mib"] = baseline;
}

} // namespace

BENCHMARK(BM_ExportCsvAgainstRawRead)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);
BENCHMARK(BM_ExportPeakMemory)
    ->Arg(1000)
    ->Arg(kFiles)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
