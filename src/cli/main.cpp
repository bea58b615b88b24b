#include "Cli.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quenloft-cli"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int code = quenloft::cli::RunCli(QCoreApplication::arguments(), out, err);
    out.flush();
    err.flush();
    return code;
}
