// The few file-system calls the Files module is built on, with the contract of the Windows
// calls it was designed around on every platform: directory searches are small positive
// handle numbers, failures are Windows system error codes (see support/SystemError.h), and
// wildcards are the find-first kind (`*` and `?` only, in the last path component). POSIX
// names go to and come from the system without loss (support/NativePath.h).
#pragma once

#include <QList>
#include <QString>

namespace quenloft::fscalls {

// Directory-entry attribute bits, as the find calls report them.
inline constexpr quint32 kAttributeReadOnly = 0x01;
inline constexpr quint32 kAttributeHidden = 0x02;
inline constexpr quint32 kAttributeDirectory = 0x10;
inline constexpr quint32 kAttributeNormal = 0x80;

// The handle value of a search that could not start.
inline constexpr qint32 kInvalidSearch = -1;

// 123 "Invalid Name": a path with text after a NUL, which a call taking a C string would
// silently cut short and so act on a different file than the one named.
inline constexpr qint32 kInvalidNameError = 123;

struct FoundEntry
{
    quint32 attributes = 0;
    qint32 sizeLow = 0; // low 32 bits of the size, as a signed number
    QString longName;
    QString shortName; // always empty where the file system has no short names
};

// Starts a search for `pattern` (a path whose last component may hold wildcards; a pattern
// without wildcards finds that one entry) and fills `entry` with the first match. Returns
// the search handle (1 or more), or kInvalidSearch with a Windows error code in `error`:
// 2 when nothing matches or the pattern ends in a separator, 3 when the folder is missing.
[[nodiscard]] qint32 findFirstEntry(const QString &pattern, FoundEntry &entry, qint32 &error);

// The next match of an open search; false when there is none (or the handle is not open).
[[nodiscard]] bool findNextEntry(qint32 handle, FoundEntry &entry);

// Ends a search; a handle that is not open is ignored.
void closeSearch(qint32 handle);

// How many searches are open, so that tests can prove none is leaked.
[[nodiscard]] int openSearchCount();

// Deletes a file (never a directory). Returns 0 or a Windows error code.
[[nodiscard]] qint32 deleteFile(const QString &path);

// Renames or moves a file or directory, never replacing an existing `newPath`.
// Returns 0 or a Windows error code (80 "File Exists" when `newPath` is taken).
[[nodiscard]] qint32 renameNoReplace(const QString &oldPath, const QString &newPath);

#ifdef Q_OS_WIN
struct LogicalDrive
{
    QString root;  // "C:/"
    QString label; // the volume's label; empty when it has none or no medium is in
};

// The drive letters in use, in letter order, with their volume labels.
[[nodiscard]] QList<LogicalDrive> logicalDrives();
#endif

#ifndef Q_OS_WIN
// The fallback renameNoReplace uses where the file system refuses a no-replace rename:
// a hard link under the new name, then removal of the old one. Files only.
[[nodiscard]] qint32 renameByLinking(const QString &oldPath, const QString &newPath);
#endif

} // namespace quenloft::fscalls
