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
        "       quenloft-cli set [--metric] [--dry-run] FILE FIELD=VALUE...\n"
        "       quenloft-cli set [--metric] [--dry-run] PATH... -- FIELD=VALUE...\n"
        "       quenloft-cli check [--json] PATH...\n"
        "       quenloft-cli export [--metric] [--csv | --json] [--output FILE] PATH...\n"
        "       quenloft-cli diff [--metric] [--json] A B\n"
        "       quenloft-cli recover [--list | --discard] [PATH...]\n"
        "\n"
        "show   prints the vehicle data of a run file as the window shows it.\n"
        "set    changes vehicle fields, checked as the window's editors check them,\n"
        "       and saves the file in place. FIELD is a key of 'show --json':\n"
        "       Nox: run_name vehicle_name weight redline shift_point rollout_length\n"
        "            pitch_factor (version 2.0 and later) notes ('\\n' breaks lines)\n"
        "       Solvane: weight frontal_area coeff_of_drag driveline_loss\n"
        "       With '--', to every run file named or found: nothing is written until\n"
        "       every file is read and every value checked; then each file is saved\n"
        "       on its own. --dry-run prints 'field: old → new' and writes nothing.\n"
        "check  loads run files (*.kvp, *.kvs; folders recursively) and reports\n"
        "       damaged run-data records, and every file or folder it cannot read.\n"
        "       Symbolic links inside folders are listed as skipped, not followed.\n"
        "export writes one row per run file found as check finds them: CSV (path,\n"
        "       model, version, the display texts, the stored values stored_weight\n"
        "       ..., records, damaged_count, error) or a JSON array of 'show --json'\n"
        "       objects with path and error. --output writes FILE instead of stdout\n"
        "       (through its links; never a run file or anything but a regular file).\n"
        "diff   compares two run files field by field, one line per difference.\n"
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
        "text are escaped (\\n, \\r, \\t, \\xNN); --json output is exact. CSV and\n"
        "JSON write the bytes of names that are not valid text as \\xNN too.\n"
        "\n"
        "Exit codes: 0 success, 1 load/save failure, damage found, files that differ\n"
        "or a journal not applied, 2 bad usage (diff: also a file that did not load),\n"
        "3 a value out of range or one a file cannot hold, 4 a failed save that could\n"
        "not be undone (the file is partly written; its next load puts it back).\n");
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
        if (command == u"export")
            return RunExport(rest, out, err);
        if (command == u"diff")
            return RunDiff(rest, out, err);
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
        err << "Unknown command: " << Escaped(command) << '\n';
    } else {
        err << "quenloft-cli takes a command: show, set, check, export, diff or recover.\n";
    }
    err << kTryHelp;
    return BadUsage;
}

} // namespace quenloft::cli
