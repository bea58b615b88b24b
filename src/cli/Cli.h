// quenloft-cli: shows, checks and edits run files from scripts and the shell.
#pragma once

#include <QStringList>
#include <QTextStream>

namespace quenloft::cli {

// Exit codes.
enum Exit : int {
    Success = 0,
    Failed = 1,        // a file that did not load or save, a check that found damage, files
                       // that differ
    BadUsage = 2,      // unknown command or field, missing argument
    Rejected = 3,      // a value the field's editor does not accept
    PartlyWritten = 4, // a save that failed and could not be undone: the next load undoes it
};

// Runs the program with `arguments` (the first is the program name).
int RunCli(const QStringList &arguments, QTextStream &out, QTextStream &err);

int RunShow(const QStringList &arguments, QTextStream &out, QTextStream &err);
int RunSet(const QStringList &arguments, QTextStream &out, QTextStream &err);
int RunCheck(const QStringList &arguments, QTextStream &out, QTextStream &err);
int RunExport(const QStringList &arguments, QTextStream &out, QTextStream &err);
int RunDiff(const QStringList &arguments, QTextStream &out, QTextStream &err);
int RunRecover(const QStringList &arguments, QTextStream &out, QTextStream &err);

// The program's arguments from main(), without loss: on POSIX a file name's bytes need not
// be valid text (support/NativePath.h), and QCoreApplication::arguments() would replace
// those that are not.
[[nodiscard]] QStringList ArgumentsFromMain(int argc, char *argv[]);

QString UsageText();
// What a usage error ends with, instead of the whole usage.
inline constexpr char kTryHelp[] = "Try 'quenloft-cli --help'.\n";

// Messages carry CR LF line breaks, as the window shows them; terminals want LF.
QString ForTerminal(const QString &message);

} // namespace quenloft::cli
