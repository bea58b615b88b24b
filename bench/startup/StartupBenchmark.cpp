// Time from starting the window program to its first paint, against a minimal Qt Widgets
// window started in the same run, and what a folder of 10,000 run files adds to it.
//   build/bench/quenloft-bench-startup
// The goals: the window at most 1.35 times the minimal window (`ratio` of BM_EmptyFolder
// and BM_Samples), and at most 50 ms more with 10,000 run files (`extra_ms`).
// Each measurement starts a fresh process (this program, as a child) on the offscreen
// platform and stops the clock when the child reports its first paint, so loading the
// libraries and the platform counts as it does for a user. Each iteration starts the two
// programs it compares one after the other, so a busy machine slows both alike; the CPU
// time the child had used by its first paint is reported too, as it varies less than the
// time on the clock when other programs share the processors.
// A third program shows only the text the window shows at its first paint, each caption
// a plain label in its font at its place: what that text costs with nothing else of the
// window, and so the least any window with these captions can take.
#include "ShownCaptions.h"
#include "app/program/Desktop.h"
#include "app/program/Preferences.h"
#include "app/window/frmMain.h"
#include "fixtures/Samples.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>

#include <sys/resource.h>

using quenloft::frmMain;

namespace {

constexpr int kManyFiles = 10000;

// --- The child: starts one window and says when it has painted.

class FirstPaint : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // After the paint has been done and handed to the platform.
            QTimer::singleShot(0, [] {
                rusage used{};
                getrusage(RUSAGE_SELF, &used);
                const double cpuMs = (used.ru_utime.tv_sec + used.ru_stime.tv_sec) * 1e3 +
                                     (used.ru_utime.tv_usec + used.ru_stime.tv_usec) / 1e3;
                std::printf("painted %.3f\n", cpuMs);
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool m_seen = false;
};

int runChild(int argc, char *argv[])
{
    const bool minimal = std::strcmp(argv[2], "minimal") == 0;
    QApplication app(argc, argv);
    FirstPaint watch;
    if (minimal) {
        QWidget window;
        window.resize(778, 489);
        auto *label = new QLabel(QStringLiteral("Quenloft"), &window);
        label->move(10, 10);
        window.installEventFilter(&watch);
        window.show();
        return QApplication::exec();
    }
    if (std::strcmp(argv[2], "captions") == 0) {
        QWidget window;
        quenloft::bench::ShowAsLabels(
            quenloft::bench::ReadShownText(QString::fromLocal8Bit(argv[3])), window);
        window.installEventFilter(&watch);
        window.show();
        return QApplication::exec();
    }
    // As main() starts the program, with the folder stored as the last one shown.
    quenloft::SetUpWindowProgram();
    frmMain window;
    window.Form_Load(std::make_unique<quenloft::Preferences>(QString::fromLocal8Bit(argv[3])));
    if (std::strcmp(argv[2], "captions-of") == 0) {
        window.show();
        return quenloft::bench::WriteShownText(quenloft::bench::ShownTextOf(window),
                                               QString::fromLocal8Bit(argv[4]))
                   ? 0
                   : 1;
    }
    window.installEventFilter(&watch);
    window.show();
    return QApplication::exec();
}

// --- The parent: the folders, the preferences and the clock.

QTemporaryDir &scratch()
{
    static QTemporaryDir dir;
    return dir;
}

QString folderOf(const QString &name)
{
    const QString path = scratch().filePath(name);
    QDir().mkpath(path);
    return path;
}

QString emptyFolder()
{
    return folderOf(QStringLiteral("empty"));
}

QString samplesFolder()
{
    const QString folder = folderOf(QStringLiteral("samples"));
    for (const auto &sample : quenloft::fixtures::bundledSamples()) {
        QFile file(QDir(folder).filePath(sample.name));
        if (file.open(QIODevice::WriteOnly))
            file.write(sample.bytes);
    }
    return folder;
}

// Kept from run to run (creating 10,000 files is slow on some file systems); set
// QUENLOFT_BENCH_FOLDER to put it elsewhere.
QString manyFilesFolder()
{
    QString folder = qEnvironmentVariable("QUENLOFT_BENCH_FOLDER");
    if (folder.isEmpty())
        folder = QDir::temp().filePath(QStringLiteral("quenloft-bench-10000-runs"));
    QDir dir(folder);
    dir.mkpath(QStringLiteral("."));
    if (dir.entryList(QDir::Files).size() != kManyFiles) {
        for (int i = 0; i < kManyFiles; ++i) {
            const QString name =
                QStringLiteral("run%1.%2")
                    .arg(i, 5, 10, QLatin1Char('0'))
                    .arg(i % 4 == 0 ? QStringLiteral("kvs") : QStringLiteral("kvp"));
            QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
        }
    }
    return folder;
}

QString preferencesFor(const QString &folder)
{
    const QString ini = scratch().filePath(QFileInfo(folder).fileName() + QStringLiteral(".ini"));
    quenloft::Preferences(ini).setValue(QStringLiteral("Options"), QStringLiteral("LastDirectory"),
                                        folder);
    return ini;
}

struct Start
{
    double wallMs = -1; // from starting the child to its report of the first paint
    double cpuMs = -1;  // the processor time the child had used by then
};

// A child of this program on the offscreen platform, started in the empty folder.
void prepareChild(QProcess &child)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    if (!environment.contains(QStringLiteral("XDG_RUNTIME_DIR"))) {
        const QString runtime = folderOf(QStringLiteral("runtime"));
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    }
    child.setProcessEnvironment(environment);
    child.setWorkingDirectory(emptyFolder());
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

Start startToFirstPaint(const QStringList &arguments)
{
    QProcess child;
    prepareChild(child);
    QElapsedTimer clock;
    clock.start();
    child.start(QCoreApplication::applicationFilePath(),
                QStringList{QStringLiteral("--child")} + arguments);
    while (child.canReadLine() || child.waitForReadyRead(10000)) {
        const QByteArray line = child.readLine();
        if (line.startsWith("painted ")) {
            const Start start{double(clock.nsecsElapsed()) / 1e6, line.mid(8).trimmed().toDouble()};
            child.waitForFinished();
            return start;
        }
    }
    child.kill();
    child.waitForFinished();
    return {};
}

QStringList minimalWindow()
{
    return {QStringLiteral("minimal")};
}

QStringList quenloftWindow(const QString &folder)
{
    return {QStringLiteral("window"), preferencesFor(folder)};
}

// The captions the window shows with `folder`, written out by one run of it; empty when
// that run could not write them.
QStringList captionsOf(const QString &folder)
{
    const QString file =
        scratch().filePath(QFileInfo(folder).fileName() + QStringLiteral("-captions.json"));
    if (!QFileInfo::exists(file)) {
        QProcess child;
        prepareChild(child);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--child"), QStringLiteral("captions-of"),
                     preferencesFor(folder), file});
        if (!child.waitForFinished() || child.exitCode() != 0)
            return {};
    }
    return {QStringLiteral("captions"), file};
}

// Starts the two programs one after the other in each iteration and reports both: the
// time on the clock to the first paint (`<name>_ms`) and the CPU time used by then
// (`<name>_cpu_ms`), averaged, and the second against the first, as a ratio or as the
// time it adds. The benchmark's own time is the second program's.
void compare(benchmark::State &state, const char *firstName, const QStringList &first,
             const char *secondName, const QStringList &second, bool ratio)
{
    Start firstTotal{0, 0}, secondTotal{0, 0};
    for (auto _ : state) {
        const Start a = startToFirstPaint(first);
        const Start b = startToFirstPaint(second);
        if (a.wallMs < 0 || b.wallMs < 0) {
            state.SkipWithError("a child did not paint");
            return;
        }
        firstTotal.wallMs += a.wallMs;
        firstTotal.cpuMs += a.cpuMs;
        secondTotal.wallMs += b.wallMs;
        secondTotal.cpuMs += b.cpuMs;
        state.SetIterationTime(b.wallMs / 1000);
    }
    const double n = double(state.iterations());
    const std::string a = firstName, b = secondName;
    state.counters[a + "_ms"] = firstTotal.wallMs / n;
    state.counters[a + "_cpu_ms"] = firstTotal.cpuMs / n;
    state.counters[b + "_ms"] = secondTotal.wallMs / n;
    state.counters[b + "_cpu_ms"] = secondTotal.cpuMs / n;
    if (ratio) {
        state.counters["ratio"] = secondTotal.wallMs / firstTotal.wallMs;
        state.counters["ratio_cpu"] = secondTotal.cpuMs / firstTotal.cpuMs;
    } else {
        state.counters["extra_ms"] = (secondTotal.wallMs - firstTotal.wallMs) / n;
        state.counters["extra_cpu_ms"] = (secondTotal.cpuMs - firstTotal.cpuMs) / n;
    }
}

void BM_EmptyFolder(benchmark::State &state)
{
    compare(state, "minimal", minimalWindow(), "window", quenloftWindow(emptyFolder()), true);
}

void BM_Samples(benchmark::State &state)
{
    compare(state, "minimal", minimalWindow(), "window", quenloftWindow(samplesFolder()), true);
}

void BM_CaptionsAloneOfTheEmptyFolder(benchmark::State &state)
{
    const QStringList captions = captionsOf(emptyFolder());
    if (captions.isEmpty()) {
        state.SkipWithError("the window's captions could not be written out");
        return;
    }
    compare(state, "minimal", minimalWindow(), "captions", captions, true);
}

void BM_TenThousandFilesOverEmptyFolder(benchmark::State &state)
{
    compare(state, "empty_folder", quenloftWindow(emptyFolder()), "many_files",
            quenloftWindow(manyFilesFolder()), false);
}

} // namespace

BENCHMARK(BM_EmptyFolder)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_Samples)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_CaptionsAloneOfTheEmptyFolder)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
BENCHMARK(BM_TenThousandFilesOverEmptyFolder)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

int main(int argc, char **argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--child") == 0)
        return runChild(argc, argv);
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
