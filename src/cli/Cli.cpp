#include "Cli.h"

#include "support/VersionInfo.h"

#include <QCommandLineParser>

namespace quenloft::cli {

QString UsageText()
{
    return QStringLiteral(
        "Usage: quenloft-cli show [--metric] [--json] FILE\n"
        "       quenloft-cli set [--metric] FILE FIELD=VALUE...\n"
        "       quenloft-cli check PATH...\n"
        "\n"
        "show   prints the vehicle data of a run file as the window shows it.\n"
        "set    changes vehicle fields, checked as the window's editors check them,\n"
        "       and saves the file in place. FIELD is a key of 'show --json':\n"
        "       Nox: run_name vehicle_name weight redline shift_point rollout_length\n"
        "            pitch_factor (version 2.0 and later) notes ('\\n' breaks lines)\n"
        "       Solvane: weight frontal_area coeff_of_drag driveline_loss\n"
        "check  loads run files (*.kvp, *.kvs; folders recursively) and reports\n"
        "       damaged run-data records.\n"
        "\n"
        "--metric  Solvane weight in kilograms and frontal area in square meters\n"
        "          (default: pounds and square feet).\n"
        "--json    machine-readable output.\n"
        "\n"
        "Exit codes: 0 success, 1 load/save failure or damage found, 2 bad usage,\n"
        "3 a value out of range.\n");
}

QString ForTerminal(const QString &message)
{
    QString text = message;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
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
        if (command == u"--help" || command == u"-h" || command == u"help") {
            out << UsageText();
            return Success;
        }
        if (command == u"--version") {
            out << TitleOf(ProgramVersion()) << '\n';
            return Success;
        }
        err << "Unknown command: " << command << "\n\n";
    }
    err << UsageText();
    return BadUsage;
}

} // namespace quenloft::cli
