// Folder and name operations over the system's own calls, with the path conventions of
// NativeFile: names without loss, failures as Windows system error codes, calls retried
// when a signal interrupts them.
#pragma once

#include "support/Result.h"

#include <QList>
#include <QString>

namespace quenloft {

enum class EntryKind {
    Missing,
    File,       // a regular file, or a symbolic link to one
    Folder,     // a folder itself, not a link to one
    FolderLink, // a symbolic link to a folder: not walked into, so no walk runs in circles
    Other,      // devices, pipes, sockets, dangling links
};

struct FolderEntry
{
    QString name; // the entry's name as the system holds it (support/NativePath.h)
    EntryKind kind = EntryKind::Other;
    bool hidden = false; // a dot name on POSIX, the hidden attribute on Windows
};

[[nodiscard]] Result<EntryKind> KindOfPath(const QString &path);

// The entries of a folder, "." and ".." left out, in the system's order.
[[nodiscard]] Result<QList<FolderEntry>> ListFolder(const QString &path);

// Creates the folder and its missing parents, each readable by the owner only.
Result<Done> MakeFolderPath(const QString &path);

// Makes the folder's list of names durable: a file created, renamed or removed in it
// survives a crash once this returns.
Result<Done> SyncFolder(const QString &path);

Result<Done> RemoveFile(const QString &path);

// Renames `from` to `to`, replacing `to` in one step when it exists.
Result<Done> ReplaceFileAtomically(const QString &from, const QString &to);

// `folder` and `name` joined by the platform's separator.
[[nodiscard]] QString JoinPath(const QString &folder, const QString &name);

// The path made absolute against the current folder, without loss, "." and ".." resolved.
[[nodiscard]] QString AbsolutePath(const QString &path);

} // namespace quenloft
