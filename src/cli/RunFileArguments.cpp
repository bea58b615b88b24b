#include "RunFileArguments.h"

#include "CliCommon.h"
#include "support/FolderWalk.h"
#include "support/NativeFolder.h"

namespace quenloft::cli {
namespace {

QString unreadable(const Failure &failure)
{
    return QStringLiteral("cannot be read (error %1: %2)")
        .arg(failure.number)
        .arg(failure.description);
}

} // namespace

QList<RunFileArgument> RunFilesOf(const QStringList &paths)
{
    QList<RunFileArgument> found;
    for (const QString &path : paths) {
        const auto kind = KindOfPath(path);
        if (!kind) {
            found.append({path, unreadable(kind.failure())});
        } else if (kind.value() == EntryKind::Folder || kind.value() == EntryKind::FolderLink) {
            const FolderWalk walk = WalkFolder(path);
            for (const UnreadablePath &folder : walk.unreadable)
                found.append({folder.path, unreadable(folder.failure)});
            for (const QString &file : walk.files)
                if (IsRunFileName(FileNameOfPath(file)))
                    found.append({file, QString()});
        } else if (kind.value() == EntryKind::Missing) {
            found.append({path, QStringLiteral("no such file or folder")});
        } else {
            found.append({path, QString()});
        }
    }
    return found;
}

} // namespace quenloft::cli
