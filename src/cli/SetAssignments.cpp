#include "SetAssignments.h"

#include "Cli.h"
#include "PlainText.h"
#include "support/General.h"

namespace quenloft::cli {

std::optional<QString> FirstNonPair(const QStringList &pairs)
{
    for (const QString &pair : pairs)
        if (!pair.contains(u'='))
            return pair;
    return std::nullopt;
}

QList<Assignment> ParseAssignments(const QStringList &pairs)
{
    QList<Assignment> assignments;
    for (const QString &pair : pairs) {
        const qsizetype eq = pair.indexOf(u'=');
        assignments.append({pair.left(eq), pair.mid(eq + 1)});
    }
    return assignments;
}

std::optional<QString> UnchangeableKey(const QList<Assignment> &assignments, Model model)
{
    for (const Assignment &a : assignments) {
        const auto field = fieldFromJsonKey(a.key, model);
        if (!field || !isEditable(*field, model))
            return QStringLiteral("%1 is not a field of a %2 file that can be changed.")
                .arg(a.key, ModelName(model));
    }
    return std::nullopt;
}

std::optional<Refusal> ApplyAssignments(VehicleSession &session,
                                        const QList<Assignment> &assignments)
{
    const Model model = session.shownModel();
    for (const Assignment &a : assignments) {
        const FieldId field = *fieldFromJsonKey(a.key, model);
        if (!session.display().shown.contains(field))
            return Refusal{BadUsage, QStringLiteral("This file does not show its %1.").arg(a.key)};
        if (field == FieldId::Notes) {
            QString typed = a.value;
            typed.replace(kCRLF, QStringLiteral("\n"));
            typed.replace(u'\n', kCRLF);
            session.setNotes(typed);
            continue;
        }
        const int limit = fieldInfo(field).editorLimit;
        if (limit > 0 && a.value.size() > limit)
            return Refusal{
                Rejected,
                QStringLiteral("The %1 editor takes at most %2 characters; \"%3\" has %4.")
                    .arg(a.key)
                    .arg(limit)
                    .arg(Escaped(a.value))
                    .arg(a.value.size())};
        const LeaveOutcome outcome = session.leaveEditor(field, a.value);
        if (!outcome.accepted)
            return Refusal{Rejected, a.key + QStringLiteral(": ") + ForTerminal(outcome.message)};
    }
    return std::nullopt;
}

std::optional<Failure> SaveChanges(VehicleSession &session, QTextStream &out)
{
    const QString path = Escaped(session.path());
    // Values the file cannot hold are unsaved changes too: their save says why it fails.
    if (!session.hasUnsavedChanges()) {
        out << "Unchanged " << path << '\n';
        return std::nullopt;
    }
    const auto saved = session.save();
    if (!saved)
        return saved.failure();
    out << "Saved " << path << '\n';
    return std::nullopt;
}

} // namespace quenloft::cli
