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
    bool link = false;   // a symbolic link (any reparse point on Windows), whatever `kind` says
};

[[nodiscard]] Result<EntryKind> KindOfPath(const QString &path);

// Where a path's chain of symbolic links ends.
struct LinkEnd
{
    QString path;                        // the path itself when it is no link
    EntryKind kind = EntryKind::Missing; // Missing, File, Folder or Other: what is at `path`
    bool throughLink = false;            // at least one link was followed
    bool loops = false;                  // the links run in a circle; `path` is the last one read
};

// Follows the path's symbolic links, also links to links and links inside linked folders,
// up to the system's own limit of 40. A dangling link ends at the missing path it names.
[[nodiscard]] Result<LinkEnd> EndOfLinks(const QString &path);

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
