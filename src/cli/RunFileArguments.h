// The run files a command is given, by the rules of `check`: every PATH named, and every
// run file (*.kvp, *.kvs in any case) found under a folder named, recursively and sorted
// by path, names kept as the system holds them. A folder that cannot be listed, and a path
// that is not there, are entries too, with the problem, so nothing is left out silently.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace quenloft::cli {

struct RunFileArgument
{
    QString path;
    QString problem; // "cannot be read (error 13: ...)", "no such file or folder"; empty for a file
};

[[nodiscard]] QList<RunFileArgument> RunFilesOf(const QStringList &paths);

} // namespace quenloft::cli
