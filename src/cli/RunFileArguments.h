// The run files a command is given, by the rules of `check`: every PATH named, and every
// run file (*.kvp, *.kvs in any case) found under a folder named, recursively and sorted
// by path, names kept as the system holds them. A folder that cannot be listed, and a path
// that is not there, are entries too, with the problem, so nothing is left out silently.
// So is every symbolic link met inside a folder that would have been taken or walked
// into: it is skipped, not followed, so a command over a folder stays inside it. A link
// named on the command line is followed.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

namespace quenloft::cli {

struct RunFileArgument
{
    QString path;
    QString problem; // "cannot be read (error 13: ...)", "no such file or folder"; empty for a file
    QString skipped; // "a symbolic link, not followed inside a folder"; empty for a file
};

[[nodiscard]] QList<RunFileArgument> RunFilesOf(const QStringList &paths);

// The line that reports a skipped link: "PATH: skipped: why".
[[nodiscard]] QString SkippedLine(const RunFileArgument &link);

// Prints a line for each skipped link to `notes` and returns the other entries.
[[nodiscard]] QList<RunFileArgument> ReportingSkipped(const QList<RunFileArgument> &found,
                                                      QTextStream &notes);

} // namespace quenloft::cli
