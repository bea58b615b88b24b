// Hands documents and web addresses to the desktop's "open" action.
#pragma once

#include "browser/DesktopOpener.h"

#include <QString>

namespace quenloft {

// Replaces the opener ShellOpen uses and returns the previous one; tests install a
// recorder. An empty function restores the built-in one, DesktopOpener().
ShellOpener SetShellOpener(ShellOpener opener);

// The value ShellOpen returns on success; callers test only for 0.
inline constexpr qint32 kShellOpenSucceeded = 33;

// Opens a document (a path or a file: URL) or an http(s) address, possibly wrapped in one
// pair of double quotes. Returns a value over 32 on success and 0 on failure; a missing file
// is not handed on.
[[nodiscard]] qint32 ShellOpen(const QString &target);

} // namespace quenloft
