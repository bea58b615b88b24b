// Every file under a folder, with names kept exactly as the system holds them, and every
// folder that could not be read: a walk that leaves nothing out silently.
#pragma once

#include "support/Result.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace quenloft {

struct UnreadablePath
{
    QString path;
    Failure failure;
};

struct FolderWalk
{
    QStringList files; // paths, sorted
    QList<UnreadablePath> unreadable;
};

// Walks `folder` and its subfolders; links to folders are not followed. Files other than
// regular ones (and links to them) are left out.
[[nodiscard]] FolderWalk WalkFolder(const QString &folder);

} // namespace quenloft
