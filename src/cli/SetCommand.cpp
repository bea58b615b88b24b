// quenloft-cli set [--metric] [--dry-run] FILE FIELD=VALUE…
// quenloft-cli set [--metric] [--dry-run] PATH… -- FIELD=VALUE…
// Each value is left in its field's editor of an edit session, as typed into the window;
// the session then saves the file as the window's Save does. The second form does that
// for every run file named or found (SetAssignments.h).
#include "CliCommon.h"

#include "PlainText.h"
#include "SetAssignments.h"

namespace quenloft::cli {
namespace {

QCommandLineOption dryRunOption()
{
    return QCommandLineOption(QStringLiteral("dry-run"),
                              QStringLiteral("Print what would change; write nothing."));
}

// The batch form is the one with "--" between at least one PATH and at least one
// assignment; "set -- FILE …" is the one-file form with a FILE that may start with '-'.
std::optional<int> runBatchForm(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const qsizetype separator = arguments.indexOf(QStringLiteral("--"), 1);
    if (separator < 0 || separator == arguments.size() - 1)
        return std::nullopt;
    QCommandLineParser parser;
    parser.addOption(metricOption());
    parser.addOption(dryRunOption());
    parser.addPositionalArgument(QStringLiteral("PATH"), QStringLiteral("Run files or folders."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (!parser.parse(arguments.first(separator)) || parser.positionalArguments().isEmpty())
        return std::nullopt; // the one-file form's parser says what is wrong
    return RunBatchSet(parser.positionalArguments(), arguments.mid(separator + 1),
                       parser.isSet(QStringLiteral("metric")),
                       parser.isSet(QStringLiteral("dry-run")), out, err);
}

} // namespace

int RunSet(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    if (const auto code = runBatchForm(arguments, out, err))
        return *code;

    QCommandLineParser parser;
    parser.addOption(metricOption());
    parser.addOption(dryRunOption());
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A run file."));
    parser.addPositionalArgument(QStringLiteral("FIELD=VALUE"), QStringLiteral("New values."));
    if (!parseCommand(parser, arguments, err))
        return BadUsage;
    const QStringList positional = parser.positionalArguments();
    if (positional.size() < 2)
        return badUsage(QStringLiteral("set takes a FILE and at least one FIELD=VALUE."), err);
    const QStringList pairs = positional.mid(1);
    if (const auto pair = FirstNonPair(pairs))
        return badUsage(QStringLiteral("Not a FIELD=VALUE pair: %1").arg(*pair), err);

    const QString path = positional.first();
    // Also before a dry run, whose batch would walk the folder.
    if (refuseFolder(path, err))
        return Failed;
    const bool metric = parser.isSet(QStringLiteral("metric"));
    if (parser.isSet(QStringLiteral("dry-run")))
        return RunBatchSet({path}, pairs, metric, true, out, err);
    const Model model = ModelFromFileName(path);

    // Field names are checked before the file is read, so a typo never costs a load.
    const QList<Assignment> assignments = ParseAssignments(pairs);
    if (const auto unchangeable = UnchangeableKey(assignments, model))
        return badUsage(*unchangeable, err);

    VehicleSession session;
    if (!openSession(session, path, metric, PendingSave::Apply, err))
        return Failed;

    if (const auto refusal = ApplyAssignments(session, assignments)) {
        if (refusal->code == BadUsage)
            return badUsage(refusal->message, err);
        err << refusal->message << '\n';
        return refusal->code;
    }

    if (const auto failure = SaveChanges(session, out)) {
        err << "Not saved: " << Escaped(failure->description) << ".\n";
        return failure->number == FilePartlyWritten ? PartlyWritten : Failed;
    }
    return Success;
}

} // namespace quenloft::cli
