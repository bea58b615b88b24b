// Hands documents and web addresses to the desktop's "open" action.
#pragma once

#include <QString>
#include <QUrl>

#include <functional>

namespace quenloft {

// The desktop's "open" action for one target: a file:// URL for a local file, or a web
// address. Returns whether the desktop took it. The window program installs one built on its
// toolkit; tests install a recorder.
using ShellOpener = std::function<bool(const QUrl &target)>;

// Replaces the opener ShellOpen uses and returns the previous one. An empty function
// restores the built-in one (xdg-open on Linux, the shell's open verb on Windows).
ShellOpener SetShellOpener(ShellOpener opener);

// The value ShellOpen returns on success; callers test only for 0.
inline constexpr qint32 kShellOpenSucceeded = 33;

// Opens a document (a path or a file: URL) or an http(s) address, possibly wrapped in one
// pair of double quotes. Returns a value over 32 on success and 0 on failure; a missing file
// is not handed on.
[[nodiscard]] qint32 ShellOpen(const QString &target);

} // namespace quenloft
