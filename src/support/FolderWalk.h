// Every file under a folder, with names kept exactly as the system holds them, every
// folder that could not be read and every symbolic link not followed: a walk that leaves
// nothing out silently.
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

// Why a symbolic link met in a walk was not followed. None is: a walk stays inside the
// folders it was given, so it neither reaches files elsewhere nor runs in circles.
enum class LinkSkip {
    ToFile,   // to a file, or to anything else that is there and is not a folder
    ToFolder, // to a folder
    Dangling, // to nothing that is there
    Looping,  // to itself, through other links or folders
};

struct SkippedLink
{
    QString path;
    LinkSkip why = LinkSkip::ToFile;
};

struct FolderWalk
{
    QStringList files; // paths, sorted
    QList<UnreadablePath> unreadable;
    QList<SkippedLink> links; // sorted by path
};

// Walks `folder` and its subfolders. Regular files are taken; symbolic links (reparse
// points on Windows) are listed and not followed; devices, pipes and sockets are left out.
[[nodiscard]] FolderWalk WalkFolder(const QString &folder);

} // namespace quenloft
