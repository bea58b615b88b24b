// quenloft-cli set [--metric] FILE FIELD=VALUE…
// Each value is left in its field's editor of an edit session, as typed into the window;
// the session then saves the file as the window's Save does.
#include "CliCommon.h"

#include "PlainText.h"

namespace quenloft::cli {
namespace {

struct Assignment
{
    FieldId field;
    QString value;
};

} // namespace

int RunSet(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.addOption(metricOption());
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A run file."));
    parser.addPositionalArgument(QStringLiteral("FIELD=VALUE"), QStringLiteral("New values."));
    if (!parseCommand(parser, arguments, err))
        return BadUsage;
    const QStringList positional = parser.positionalArguments();
    if (positional.size() < 2)
        return badUsage(QStringLiteral("set takes a FILE and at least one FIELD=VALUE."), err);
    for (qsizetype i = 1; i < positional.size(); ++i)
        if (!positional.at(i).contains(u'='))
            return badUsage(QStringLiteral("Not a FIELD=VALUE pair: %1").arg(positional.at(i)),
                            err);

    const QString path = positional.first();
    const bool metric = parser.isSet(QStringLiteral("metric"));
    const Model model = ModelFromFileName(path);

    // Field names are checked before the file is read, so a typo never costs a load.
    QList<Assignment> assignments;
    for (qsizetype i = 1; i < positional.size(); ++i) {
        const QString &pair = positional.at(i);
        const qsizetype eq = pair.indexOf(u'=');
        const QString key = pair.left(eq);
        const auto field = fieldFromJsonKey(key, model);
        if (!field || !isEditable(*field, model))
            return badUsage(QStringLiteral("%1 is not a field of a %2 file that can be changed.")
                                .arg(key, ModelName(model)),
                            err);
        assignments.append({*field, pair.mid(eq + 1)});
    }

    VehicleSession session;
    if (!openSession(session, path, metric, err))
        return Failed;

    for (const Assignment &a : assignments) {
        if (!session.display().shown.contains(a.field))
            return badUsage(
                QStringLiteral("This file does not show its %1.").arg(jsonKey(a.field, model)),
                err);
        if (a.field == FieldId::Notes) {
            QString typed = a.value;
            typed.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            typed.replace(u'\n', QStringLiteral("\r\n"));
            session.setNotes(typed);
            continue;
        }
        const int limit = fieldInfo(a.field).editorLimit;
        if (limit > 0 && a.value.size() > limit) {
            err << QStringLiteral("The %1 editor takes at most %2 characters; \"%3\" has %4.")
                       .arg(jsonKey(a.field, model))
                       .arg(limit)
                       .arg(a.value)
                       .arg(a.value.size())
                << '\n';
            return Rejected;
        }
        const LeaveOutcome outcome = session.leaveEditor(a.field, a.value);
        if (!outcome.accepted) {
            err << jsonKey(a.field, model) << ": " << ForTerminal(outcome.message) << '\n';
            return Rejected;
        }
    }

    const auto saved = session.save();
    if (!saved) {
        err << "Not saved: " << Escaped(saved.failure().description) << ".\n";
        return saved.failure().number == FilePartlyWritten ? PartlyWritten : Failed;
    }
    out << "Saved " << Escaped(path) << '\n';
    return Success;
}

} // namespace quenloft::cli
