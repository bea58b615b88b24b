#include "browser/DesktopOpener.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QList>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <memory>
#include <optional>

#ifdef Q_OS_WIN
// shellapi.h needs the types windows.h declares, so it must come second.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on
#ifdef _MSC_VER
#pragma comment(lib, "shell32")
#endif
#endif

namespace quenloft {
namespace {

using namespace std::chrono_literals;

// A generic xdg-open runs the program it chose in the foreground, so a successful open can
// take the whole wait; the openers of the desktops exit as soon as they have handed over.
constexpr auto kVerdictWait = 2000ms;
// How often the window gets to repaint while an opener runs.
constexpr int kRepaintIntervalMs = 50;

// A local file goes by its absolute path: it cannot be taken for an option, and the
// openers do not all decode file URLs.
QString openerArgument(const QUrl &target)
{
    return target.isLocalFile() ? target.toLocalFile() : target.toString(QUrl::FullyEncoded);
}

// Whether `process` finished within `wait`. Meanwhile the window repaints; clicks and keys
// are held back, as a second command started in the middle of this one would nest in it.
bool finishesWithin(QProcess &process, std::chrono::milliseconds wait)
{
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        if (process.state() == QProcess::NotRunning || process.waitForFinished(kRepaintIntervalMs))
            return true;
        if (waited.elapsed() >= wait.count())
            return false;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

bool exitedCleanly(const QProcess &process)
{
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// The desktop file of the default application for `mimeType`: empty when the desktop names
// none, nullopt when it could not be asked (no query program, no answer in time, an error).
std::optional<QString> defaultApplication(const DesktopOpenerSettings &settings,
                                          const QString &mimeType)
{
    QProcess query;
    query.setStandardInputFile(QProcess::nullDevice());
    query.setStandardErrorFile(QProcess::nullDevice());
    query.start(settings.defaultQuery,
                {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!query.waitForStarted())
        return std::nullopt;
    if (!finishesWithin(query, settings.verdictWait)) {
        query.kill();
        query.waitForFinished();
        return std::nullopt;
    }
    if (!exitedCleanly(query))
        return std::nullopt;
    return QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
}

// An opener still running after the wait has become, or waits on, the program it opened
// the target with, which must not end with it. Destroying a QProcess kills its process, so
// the object lives until the process has finished, also past the end of this program.
void leaveRunning(std::unique_ptr<QProcess> opener)
{
    // Never freed: the openers it holds stay reachable, for leak checkers too.
    static auto *const running = new QList<QProcess *>;
    QProcess *process = opener.release();
    running->append(process);
    QObject::connect(process, &QProcess::finished, process, [process] {
        running->removeOne(process);
        process->deleteLater();
    });
}

OpenOutcome runOpener(const DesktopOpenerSettings &settings, const QUrl &target)
{
    // Looked for first: without it nothing can be opened, whatever the query says.
    const QString program = QStandardPaths::findExecutable(settings.opener);
    if (program.isEmpty())
        return OpenOutcome::NoOpener;
    const QString argument = openerArgument(target);
    if (target.isLocalFile() && !settings.defaultQuery.isEmpty()) {
        const std::optional<QString> application =
            defaultApplication(settings, QMimeDatabase().mimeTypeForFile(argument).name());
        if (application && application->isEmpty())
            return OpenOutcome::Failed; // no program is associated with the file's type
    }
    auto opener = std::make_unique<QProcess>();
    opener->setProgram(program);
    opener->setArguments({argument});
    opener->setStandardInputFile(QProcess::nullDevice());
    opener->setProcessChannelMode(QProcess::ForwardedChannels);
    opener->start();
    if (!opener->waitForStarted())
        return OpenOutcome::Failed;
    if (!finishesWithin(*opener, settings.verdictWait)) {
        leaveRunning(std::move(opener));
        return OpenOutcome::Opened;
    }
    return exitedCleanly(*opener) ? OpenOutcome::Opened : OpenOutcome::Failed;
}

#ifdef Q_OS_WIN
OpenOutcome openWithShellVerb(const QUrl &target)
{
    const QString argument = QDir::toNativeSeparators(openerArgument(target));
    const auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(nullptr, L"open", reinterpret_cast<const wchar_t *>(argument.utf16()),
                        nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32 ? OpenOutcome::Opened : OpenOutcome::Failed;
}
#endif

} // namespace

DesktopOpenerSettings PlatformOpenerSettings()
{
#if defined(Q_OS_WIN)
    return {QString(), QString(), kVerdictWait};
#elif defined(Q_OS_MACOS)
    return {QStringLiteral("open"), QString(), kVerdictWait};
#else
    return {QStringLiteral("xdg-open"), QStringLiteral("xdg-mime"), kVerdictWait};
#endif
}

ShellOpener DesktopOpener(DesktopOpenerSettings settings)
{
#ifdef Q_OS_WIN
    if (settings.opener.isEmpty())
        return openWithShellVerb;
#endif
    return [settings = std::move(settings)](const QUrl &target) {
        return runOpener(settings, target);
    };
}

} // namespace quenloft
