// The desktop's own "open" action, which learns whether the opener managed: xdg-open on
// Linux and the other Unix desktops, open on macOS, the shell's open verb on Windows.
#pragma once

#include <QString>
#include <QUrl>

#include <chrono>
#include <functional>

namespace quenloft {

// What came of handing a target to the desktop, as far as it tells.
enum class OpenOutcome {
    Opened,
    Failed,   // the opener would not or could not open it
    NoOpener, // there is no opener to hand it to: the desktop's is not installed
};

// The desktop's "open" action for one target: a file:// URL for a local file, or a web
// address.
using ShellOpener = std::function<OpenOutcome(const QUrl &target)>;

struct DesktopOpenerSettings
{
    // The program handed the target: a path, or a name looked up on PATH. Empty on
    // Windows, where the shell's open verb is used instead.
    QString opener;
    // For a local file, asked "query default <MIME type>" first: a type for which the
    // desktop names no default application cannot be opened. Empty: not asked.
    QString defaultQuery;
    // How long the opener (and the query) may take to give its verdict. An opener still
    // running then has started the program it opened the target with and is left to run.
    std::chrono::milliseconds verdictWait{0};
};

// This platform's opener, query and wait.
[[nodiscard]] DesktopOpenerSettings PlatformOpenerSettings();

// An opener that runs settings.opener on the target and waits at most settings.verdictWait
// for its exit status: exit 0 is success; a non-zero exit, a crash or a program that does
// not start is failure; an opener that is not there at all is NoOpener. While it waits
// the window repaints, but clicks and keys wait until it is done.
[[nodiscard]] ShellOpener DesktopOpener(DesktopOpenerSettings settings = PlatformOpenerSettings());

} // namespace quenloft
