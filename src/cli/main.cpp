#include "Cli.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Taken before QCoreApplication, which may take its own options out of argv.
    QStringList arguments;
#ifndef Q_OS_WIN
    arguments = quenloft::cli::ArgumentsFromMain(argc, argv);
#endif
    QCoreApplication app(argc, argv);
#ifdef Q_OS_WIN
    arguments = quenloft::cli::ArgumentsFromMain(argc, argv);
#endif
    QCoreApplication::setApplicationName(QStringLiteral("quenloft-cli"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int code = quenloft::cli::RunCli(arguments, out, err);
    out.flush();
    err.flush();
    return code;
}
