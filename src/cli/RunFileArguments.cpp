#include "RunFileArguments.h"

#include "CliCommon.h"
#include "PlainText.h"
#include "support/FolderWalk.h"
#include "support/NativeFolder.h"

#include <algorithm>

namespace quenloft::cli {
namespace {

QString unreadable(const Failure &failure)
{
    return QStringLiteral("cannot be read (error %1: %2)")
        .arg(failure.number)
        .arg(failure.description);
}

QString skipReason(LinkSkip why)
{
    switch (why) {
    case LinkSkip::ToFile:
        break;
    case LinkSkip::ToFolder:
        return QStringLiteral("a symbolic link to a folder, not followed inside a folder");
    case LinkSkip::Dangling:
        return QStringLiteral("a dangling symbolic link: what it leads to is not there");
    case LinkSkip::Looping:
        return QStringLiteral("a symbolic link that leads in a circle");
    }
    return QStringLiteral("a symbolic link, not followed inside a folder");
}

// The run files and the links of a walk, in one order by path.
QList<RunFileArgument> foundIn(const FolderWalk &walk)
{
    QList<RunFileArgument> found;
    for (const QString &file : walk.files)
        if (IsRunFileName(FileNameOfPath(file)))
            found.append({file, QString(), QString()});
    // A link to a folder stands for files the walk did not look at; other links only
    // when they bear a run file's name, which the walk would otherwise have taken.
    for (const SkippedLink &link : walk.links)
        if (link.why == LinkSkip::ToFolder || IsRunFileName(FileNameOfPath(link.path)))
            found.append({link.path, QString(), skipReason(link.why)});
    std::sort(found.begin(), found.end(),
              [](const RunFileArgument &a, const RunFileArgument &b) { return a.path < b.path; });
    return found;
}

} // namespace

QList<RunFileArgument> RunFilesOf(const QStringList &paths)
{
    QList<RunFileArgument> found;
    for (const QString &path : paths) {
        const auto kind = KindOfPath(path);
        if (!kind) {
            found.append({path, unreadable(kind.failure()), QString()});
        } else if (kind.value() == EntryKind::Folder || kind.value() == EntryKind::FolderLink) {
            const FolderWalk walk = WalkFolder(path);
            for (const UnreadablePath &folder : walk.unreadable)
                found.append({folder.path, unreadable(folder.failure), QString()});
            found.append(foundIn(walk));
        } else if (kind.value() == EntryKind::Missing) {
            found.append({path, QStringLiteral("no such file or folder"), QString()});
        } else {
            found.append({path, QString(), QString()});
        }
    }
    return found;
}

QString SkippedLine(const RunFileArgument &link)
{
    return Escaped(link.path) + QStringLiteral(": skipped: ") + link.skipped;
}

QList<RunFileArgument> ReportingSkipped(const QList<RunFileArgument> &found, QTextStream &notes)
{
    QList<RunFileArgument> rest;
    for (const RunFileArgument &entry : found) {
        if (entry.skipped.isEmpty())
            rest.append(entry);
        else
            notes << SkippedLine(entry) << '\n';
    }
    return rest;
}

} // namespace quenloft::cli
