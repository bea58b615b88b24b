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

// Opens as ShellOpen does and tells what came of it: a target that names nothing to open
// is Failed.
[[nodiscard]] OpenOutcome OpenWithDesktop(const QString &target);

// What a message about an open that did not succeed adds after its own text: for NoOpener
// a paragraph saying that no program to open files with is installed, and where one
// comes from; nothing otherwise.
[[nodiscard]] QString OpenFailureNote(OpenOutcome outcome);

} // namespace quenloft
