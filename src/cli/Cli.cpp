#include "Cli.h"

#include "PlainText.h"
#include "support/NativePath.h"
#include "support/VersionInfo.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace quenloft::cli {

QString UsageText()
{
    return QStringLiteral(
        "Usage: quenloft-cli show [--metric] [--json] FILE\n"
        "       quenloft-cli set [--metric] FILE FIELD=VALUE...\n"
        "       quenloft-cli check PATH...\n"
        "       quenloft-cli recover [--list | --discard] [PATH...]\n"
        "\n"
        "show   prints the vehicle data of a run file as the window shows it.\n"
        "set    changes vehicle fields, checked as the window's editors check them,\n"
        "       and saves the file in place. FIELD is a key of 'show --json':\n"
        "       Nox: run_name vehicle_name weight redline shift_point rollout_length\n"
        "            pitch_factor (version 2.0 and later) notes ('\\n' breaks lines)\n"
        "       Solvane: weight frontal_area coeff_of_drag driveline_loss\n"
        "check  loads run files (*.kvp, *.kvs; folders recursively) and reports\n"
        "       damaged run-data records, and every file or folder it cannot read.\n"
        "recover  puts back the original bytes of files whose save was cut short,\n"
        "       from their rollback journals (all, or those of the files and folders\n"
        "       named); loading a file does the same. --list only lists them;\n"
        "       --discard removes the journals of the named files unapplied.\n"
        "\n"
        "--metric  Solvane weight in kilograms and frontal area in square meters\n"
        "          (default: pounds and square feet).\n"
        "--json    machine-readable output.\n"
        "\n"
        "In plain output, control characters and bytes of names that are not valid\n"
        "text are escaped (\\n, \\r, \\t, \\xNN); --json output is exact.\n"
        "\n"
        "Exit codes: 0 success, 1 load/save failure, damage found or a journal not\n"
        "applied, 2 bad usage, 3 a value out of range, 4 a failed save that could not\n"
        "be undone (the file is partly written; its next load puts it back).\n");
}

QString ForTerminal(const QString &message)
{
    QString text = message;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

QStringList ArgumentsFromMain(int argc, char *argv[])
{
#ifdef Q_OS_WIN
    // Windows hands the program UTF-16 arguments, which QCoreApplication keeps as they are.
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    return QCoreApplication::arguments();
#else
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(PathFromNativeBytes(argv[i]));
    return arguments;
#endif
}

int RunCli(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    if (arguments.size() >= 2) {
        const QString command = arguments.at(1);
        QStringList rest = arguments;
        rest.removeAt(1); // the command's own parser sees "program options…"
        if (command == u"show")
            return RunShow(rest, out, err);
        if (command == u"set")
            return RunSet(rest, out, err);
        if (command == u"check")
            return RunCheck(rest, out, err);
        if (command == u"recover")
            return RunRecover(rest, out, err);
        if (command == u"--help" || command == u"-h" || command == u"help") {
            out << UsageText();
            return Success;
        }
        if (command == u"--version") {
            out << TitleOf(ProgramVersion()) << '\n';
            return Success;
        }
        err << "Unknown command: " << Escaped(command) << "\n\n";
    }
    err << UsageText();
    return BadUsage;
}

} // namespace quenloft::cli
