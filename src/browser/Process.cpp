#include "browser/Process.h"

#include <QFileInfo>

namespace quenloft {
namespace {

ShellOpener &currentOpener()
{
    static ShellOpener opener = DesktopOpener();
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
    currentOpener() = opener ? std::move(opener) : DesktopOpener();
    return previous;
}

qint32 ShellOpen(const QString &target)
{
    return OpenWithDesktop(target) == OpenOutcome::Opened ? kShellOpenSucceeded : 0;
}

OpenOutcome OpenWithDesktop(const QString &target)
{
    const QUrl url = resolveTarget(target);
    if (url.isEmpty())
        return OpenOutcome::Failed;
    return currentOpener()(url);
}

QString OpenFailureNote(OpenOutcome outcome)
{
    if (outcome != OpenOutcome::NoOpener)
        return QString();
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return QStringLiteral("\r\n\r\nNo program to open files and web pages with is installed.");
#else
    return QStringLiteral("\r\n\r\nNo program to open files and web pages with is installed "
                          "(xdg-open, from the package xdg-utils).");
#endif
}

} // namespace quenloft
