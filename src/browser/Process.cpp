#include "browser/Process.h"

#include <QFileInfo>
#include <QProcess>
#include <QStringList>

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

bool openWithDesktop(const QUrl &target)
{
    // A local file goes by its absolute path: it cannot be taken for an option, and the
    // openers do not all decode file URLs.
    const QString argument =
        target.isLocalFile() ? target.toLocalFile() : target.toString(QUrl::FullyEncoded);
#ifdef Q_OS_WIN
    const auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(nullptr, L"open", reinterpret_cast<const wchar_t *>(argument.utf16()),
                        nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
#elif defined(Q_OS_MACOS)
    return QProcess::startDetached(QStringLiteral("open"), {argument});
#else
    // Only tells whether xdg-open started; what it then finds to open the target with is its
    // own business.
    return QProcess::startDetached(QStringLiteral("xdg-open"), {argument});
#endif
}

ShellOpener &currentOpener()
{
    static ShellOpener opener = openWithDesktop;
    return opener;
}

bool isWebAddress(const QString &text)
{
    return text.startsWith(QStringLiteral("http://"), Qt::CaseInsensitive) ||
           text.startsWith(QStringLiteral("https://"), Qt::CaseInsensitive);
}

// What the target names, or an empty URL when there is nothing that could be opened.
QUrl resolveTarget(QString text)
{
    // Callers quote document paths so that the shell takes them whole.
    if (text.size() >= 2 && text.startsWith(QChar(u'"')) && text.endsWith(QChar(u'"')))
        text = text.mid(1, text.size() - 2);
    if (text.isEmpty() || text.contains(QChar(u'\0')))
        return QUrl();
    if (isWebAddress(text)) {
        const QUrl url(text, QUrl::TolerantMode);
        return url.isValid() && !url.host().isEmpty() ? url : QUrl();
    }
    if (text.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive)) {
        const QUrl url(text, QUrl::TolerantMode);
        if (!url.isLocalFile())
            return QUrl();
        text = url.toLocalFile();
    }
    const QFileInfo file(text);
    if (!file.exists())
        return QUrl();
    return QUrl::fromLocalFile(file.absoluteFilePath());
}

} // namespace

ShellOpener SetShellOpener(ShellOpener opener)
{
    ShellOpener previous = std::move(currentOpener());
    currentOpener() = opener ? std::move(opener) : ShellOpener(openWithDesktop);
    return previous;
}

qint32 ShellOpen(const QString &target)
{
    const QUrl url = resolveTarget(target);
    if (url.isEmpty())
        return 0;
    return currentOpener()(url) ? kShellOpenSucceeded : 0;
}

} // namespace quenloft
