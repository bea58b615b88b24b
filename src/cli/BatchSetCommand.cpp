// quenloft-cli set [--metric] [--dry-run] PATH… -- FIELD=VALUE…
// All or nothing until the writing starts: every file is found, read and given every value
// first, and any problem anywhere stops the batch with nothing written. Then each file is
// saved on its own, so one that cannot be saved (locked, changed on disk) does not stop
// the others.
#include "CliCommon.h"

#include "PlainText.h"
#include "RunFileArguments.h"
#include "SetAssignments.h"
#include "vehicle/SessionChanges.h"

#include <QSet>

#include <memory>
#include <vector>

namespace quenloft::cli {
namespace {

const char *const kNothingWritten = "Nothing was written.\n";

// Opens the file as the one-file form does, with its path on the load error's line. A dry
// run only reads, so it leaves an unfinished earlier save for a later load to put back.
bool openInBatch(VehicleSession &session, const QString &path, bool metric, bool dryRun,
                 QTextStream &err)
{
    const auto failure = openRunFile(session, path, metric,
                                     dryRun ? PendingSave::LeaveAsIs : PendingSave::Apply, err);
    if (!failure)
        return true;
    QString message = PlainLoadError(*failure, FileNameOfPath(path));
    message.replace(u'\n', u' ');
    err << Escaped(path) << ": " << message << '\n';
    return false;
}

QString shown(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("\"\"") : Escaped(ForTerminal(text));
}

void printChanges(const VehicleSession &session, QTextStream &out)
{
    const QList<FieldChange> changes = PendingChanges(session);
    if (changes.isEmpty()) {
        out << Escaped(session.path()) << ": no change\n";
        return;
    }
    out << Escaped(session.path()) << ":\n";
    for (const FieldChange &c : changes)
        out << "  " << jsonKey(c.field, session.shownModel()) << ": " << shown(c.before)
            << QStringView(u" → ") << shown(c.after) << '\n';
}

} // namespace

int RunBatchSet(const QStringList &paths, const QStringList &pairs, bool metric, bool dryRun,
                QTextStream &out, QTextStream &err)
{
    if (pairs.isEmpty())
        return badUsage(QStringLiteral("set takes at least one FIELD=VALUE."), err);
    if (const auto pair = FirstNonPair(pairs))
        return badUsage(QStringLiteral("Not a FIELD=VALUE pair: %1").arg(*pair), err);
    const QList<Assignment> assignments = ParseAssignments(pairs);

    // The files. A path that is not there, or a folder that cannot be listed, may hide
    // files the user meant; the batch stops before it reads any. A link skipped in a
    // folder is listed and stops nothing: the batch was not meant to leave the folder.
    QStringList files;
    QSet<QString> named;
    bool unfound = false;
    for (const RunFileArgument &file : ReportingSkipped(RunFilesOf(paths), err)) {
        if (!file.problem.isEmpty()) {
            err << Escaped(file.path) << ": " << Escaped(file.problem) << '\n';
            unfound = true;
        } else if (!named.contains(file.path)) {
            named.insert(file.path);
            files.append(file.path);
        }
    }
    if (unfound) {
        err << kNothingWritten;
        return Failed;
    }
    if (files.isEmpty()) {
        err << "No run file found. " << kNothingWritten;
        return Failed;
    }

    // Field names are checked before any file is read, against each file's model.
    bool unchangeable = false;
    for (const QString &file : files) {
        if (const auto why =
                UnchangeableKey(assignments, ModelFromFileName(FileNameOfPath(file)))) {
            err << Escaped(file) << ": " << Escaped(*why) << '\n';
            unchangeable = true;
        }
    }
    if (unchangeable) {
        err << kNothingWritten << kTryHelp;
        return BadUsage;
    }

    // Every file read, each file once however it was named.
    std::vector<std::unique_ptr<VehicleSession>> sessions;
    QSet<std::pair<quint64, quint64>> identities;
    bool unloaded = false;
    for (const QString &file : files) {
        auto session = std::make_unique<VehicleSession>();
        if (!openInBatch(*session, file, metric, dryRun, err)) {
            unloaded = true;
            continue;
        }
        const FileStamp &stamp = session->contents().stamp;
        if (identities.contains({stamp.device, stamp.inode}))
            continue;
        identities.insert({stamp.device, stamp.inode});
        sessions.push_back(std::move(session));
    }
    if (unloaded) {
        err << kNothingWritten;
        return Failed;
    }

    // Every value in every file, and whether the file can hold it.
    int refused = Success;
    for (const auto &session : sessions) {
        auto refusal = ApplyAssignments(*session, assignments);
        if (!refusal) {
            const auto plan = session->planSave();
            if (!plan)
                refusal = Refusal{Rejected, Escaped(plan.failure().description) + u'.'};
        }
        if (refusal) {
            err << Escaped(session->path()) << ": " << refusal->message << '\n';
            if (refused != BadUsage)
                refused = refusal->code;
        }
    }
    if (refused != Success) {
        err << kNothingWritten;
        return refused;
    }

    if (dryRun) {
        for (const auto &session : sessions)
            printChanges(*session, out);
        return Success;
    }

    QStringList notSaved;
    bool partly = false;
    for (const auto &session : sessions) {
        const auto failure = SaveChanges(*session, out);
        if (!failure)
            continue;
        const QString path = Escaped(session->path());
        err << path << ": Not saved: " << Escaped(failure->description) << ".\n";
        notSaved.append(path);
        partly = partly || failure->number == FilePartlyWritten;
    }
    if (!notSaved.isEmpty())
        err << QStringLiteral("%1 of %2 files not saved: %3\n")
                   .arg(notSaved.size())
                   .arg(sessions.size())
                   .arg(notSaved.join(QStringLiteral(", ")));
    if (partly)
        return PartlyWritten;
    return notSaved.isEmpty() ? Success : Failed;
}

} // namespace quenloft::cli
