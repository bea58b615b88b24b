// Whether a folder or a file is the user's own: nobody but the user running the program
// can have put it there or changed it. Files that the program acts on unasked (the
// rollback journals that put run files back) are trusted only when they are.
#pragma once

#include "support/NativeFile.h"

#include <QString>

#include <optional>

namespace quenloft {

// Nothing when `path` is a folder of the user's own: on POSIX a real folder (not a link)
// owned by the user and writable by nobody else; on Windows a real folder inside the
// user's local application-data folder, which the user's profile keeps private. Otherwise
// what is wrong with it, to follow the folder's name in a message ("is writable by other
// users (mode 0777)").
[[nodiscard]] std::optional<QString> WhyNotUsersOwnFolder(const QString &path);

// The same for an open file: a regular file (not a link), owned by the user and writable
// by nobody else.
[[nodiscard]] std::optional<QString> WhyNotUsersOwnFile(const NativeFile &file);

} // namespace quenloft
