// File-system work for the rest of the program: finding directory entries, testing whether a
// path exists, deriving a parent path, deleting and renaming files. Nothing here throws or
// logs; a failure returns an empty text or false and leaves its cause in the shared error
// record (LastError(), support/Errors.h).
#pragma once

#include <QString>

namespace quenloft {

// The separator of the platform's paths; Windows also accepts '/'.
#ifdef Q_OS_WIN
inline constexpr char16_t kPathSeparator = u'\\';
#else
inline constexpr char16_t kPathSeparator = u'/';
#endif

// Directory-entry attribute bit that FindFile's mask and attributes use for folders.
inline constexpr quint32 kDirectoryAttribute = 0x10;

// One matching entry name per call, or "" when there is none. A non-empty `path` (a folder
// path and a name that may hold `*` and `?`) starts a new search, abandoning any other; an
// empty `path` continues the open one with the mask it started with. An entry matches when
// it is not "." or "..", has every attribute bit of `mask`, and is not a folder while
// `skipDirectories` is set. `attributes` receives the entry's attributes and `size` its size
// (low 32 bits) when above 0. A search that cannot start records its cause.
[[nodiscard]] QString FindFile(const QString &path, quint32 mask = 0, quint32 *attributes = nullptr,
                               bool shortName = false, qint32 *size = nullptr,
                               bool skipDirectories = false);

// True for an existing file or folder (named without a trailing separator). Leaves no
// search open.
[[nodiscard]] bool FileExists(const QString &path);

// The text before the last separator, spaces trimmed; "" when there is no separator or the
// only one is the first character.
[[nodiscard]] QString GetParentPath(const QString &path);

// Deletes a file; folders are refused. Records -1 "No File Specified" for a blank path.
[[nodiscard]] bool KillFile(const QString &path);

// Renames or moves a file or folder, never replacing an existing one. A failure records the
// old path as extended information.
[[nodiscard]] bool RenameFile(const QString &oldPath, const QString &newPath);

// Whether the module holds an open directory search (FindFile leaves one open after a match
// until the entries run out or another search starts).
[[nodiscard]] bool IsSearchOpen();

} // namespace quenloft
