// Runs quenloft-cli's commands in-process and keeps what they print.
#pragma once

#include "Cli.h"

#include <QStringList>
#include <QTextStream>

namespace quenloft::fixtures {

struct CliRun
{
    int code = -1;
    QString out;
    QString err;
};

inline CliRun runCli(QStringList args)
{
    CliRun run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    args.prepend(QStringLiteral("quenloft-cli"));
    run.code = cli::RunCli(args, out, err);
    out.flush();
    err.flush();
    return run;
}

} // namespace quenloft::fixtures
