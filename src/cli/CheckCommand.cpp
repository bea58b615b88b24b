// quenloft-cli check [--json] PATH…
// Every run file named or found is reported on a line of its own, also one that cannot be
// read, and so is every folder that cannot be read and every link skipped in a folder:
// nothing is left out silently.
#include "CliCommon.h"

#include "PlainText.h"
#include "RunFileArguments.h"
#include "vehicle/RunSummaryJson.h"

namespace quenloft::cli {
namespace {

// One line for one file; true when it loaded and nothing is damaged.
bool checkFile(const QString &path, QTextStream &out, QTextStream &err)
{
    VehicleSession session;
    const auto opened = session.open(path, PendingSave::LeaveAsIs);
    reportRecovery(session.recovery(), err);
    out << Escaped(path) << ": ";
    if (!opened) {
        QString message = PlainLoadError(opened.failure(), FileNameOfPath(path));
        message.replace(u'\n', u' ');
        out << "error: " << message << '\n';
        return false;
    }
    const Model model = session.shownModel();
    out << ModelName(model);
    if (model == Model::Solvane) {
        out << '\n';
        return true;
    }
    const NoxContents &nox = session.contents().nox;
    out << ", " << nox.numRecords << (nox.numRecords == 1 ? " record" : " records");
    if (nox.damagedCount == 0) {
        out << ", no damage\n";
        return true;
    }
    out << ", " << nox.damagedCount << " damaged at ";
    for (qsizetype i = 0; i < nox.damagedPositions.size(); ++i)
        out << (i ? ", " : "") << nox.damagedPositions.at(i);
    if (nox.damagedCount > nox.damagedPositions.size())
        out << ", …";
    out << '\n';
    return false;
}

// The same verdict for the row of `check --json`.
bool isSound(const RunSummary &row)
{
    return row.loaded() && DamagedCount(row).value_or(0) == 0;
}

} // namespace

int RunCheck(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.addOption(jsonOption());
    parser.addPositionalArgument(QStringLiteral("PATH"), QStringLiteral("Run files or folders."));
    if (!parseCommand(parser, arguments, err))
        return BadUsage;
    if (parser.positionalArguments().isEmpty())
        return badUsage(QStringLiteral("check takes at least one PATH."), err);

    const QList<RunFileArgument> files = RunFilesOf(parser.positionalArguments());
    bool allSound = true;
    // A skipped link is no file that failed: it is listed and leaves the exit code alone.
    if (parser.isSet(QStringLiteral("json"))) {
        JsonArrayWriter array(out);
        for (const RunFileArgument &file : ReportingSkipped(files, err)) {
            const RunSummary row = file.problem.isEmpty()
                                       ? ReadRunSummary(file.path, false)
                                       : UnreadableSummary(file.path, file.problem);
            reportRecovery(row.recovery, err);
            allSound = isSound(row) && allSound;
            array.append(CheckJson(row));
        }
        return allSound ? Success : Failed;
    }
    for (const RunFileArgument &file : files) {
        if (!file.skipped.isEmpty()) {
            out << SkippedLine(file) << '\n';
        } else if (file.problem.isEmpty()) {
            allSound = checkFile(file.path, out, err) && allSound;
        } else {
            out << Escaped(file.path) << ": error: " << Escaped(file.problem) << '\n';
            allSound = false;
        }
    }
    return allSound ? Success : Failed;
}

} // namespace quenloft::cli
