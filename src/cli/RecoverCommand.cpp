// quenloft-cli recover [--list | --discard] [PATH…]
// The rollback journals of saves that were cut short, listed, applied or given up.
#include "CliCommon.h"

#include "PlainText.h"
#include "runfile/JournalStore.h"
#include "support/General.h"
#include "support/NativeFolder.h"

namespace quenloft::cli {
namespace {

struct Selected
{
    PendingJournal pending;
    QString filePath; // where to apply it; empty for the path the journal records
};

bool isUnder(const QString &path, const QString &folder)
{
    return path.startsWith(JoinPath(folder, QString()));
}

// The journals of the named files (by identity, or by the path a journal records) and of
// the files in the named folders.
QList<Selected> select(const QList<PendingJournal> &journals, const QStringList &paths,
                       QStringList &unmatched)
{
    QList<Selected> selected;
    auto add = [&selected](const PendingJournal &pending, const QString &filePath) {
        for (const Selected &s : selected)
            if (s.pending.journalPath == pending.journalPath)
                return false;
        selected.append({pending, filePath});
        return true;
    };
    for (const QString &path : paths) {
        const QString absolute = AbsolutePath(path);
        const auto kind = KindOfPath(path);
        const bool folder =
            kind && (kind.value() == EntryKind::Folder || kind.value() == EntryKind::FolderLink);
        const auto stamp = folder ? Result<FileStamp>(Failure{}) : StampOfPath(path);
        const auto journalPath = stamp ? JournalPathFor(stamp.value()) : Result<QString>(Failure{});
        const QString own = journalPath ? journalPath.value() : QString();
        bool matched = false;
        for (const PendingJournal &pending : journals) {
            if (pending.journalPath == own) {
                matched = add(pending, path) || matched;
                continue;
            }
            if (!pending.journal)
                continue;
            const QString recorded = pending.journal->path;
            if (folder ? isUnder(recorded, absolute) : recorded == absolute)
                matched = add(pending, QString()) || matched;
        }
        if (!matched)
            unmatched.append(path);
    }
    return selected;
}

QString describe(const PendingJournal &pending)
{
    if (!pending.journal)
        return QStringLiteral("cannot be read: ") + pending.problem;
    return pending.journal->path + QStringLiteral(" (") +
           pending.journal->fields().join(QStringLiteral(", ")) + u')';
}

} // namespace

int RunRecover(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("list"), QStringLiteral("Only list the journals.")});
    parser.addOption({QStringLiteral("discard"), QStringLiteral("Remove the journals unapplied.")});
    parser.addPositionalArgument(QStringLiteral("PATH"), QStringLiteral("Run files or folders."));
    if (!parseCommand(parser, arguments, err))
        return BadUsage;
    const bool list = parser.isSet(QStringLiteral("list"));
    const bool discard = parser.isSet(QStringLiteral("discard"));
    const QStringList paths = parser.positionalArguments();
    if (list && discard)
        return badUsage(QStringLiteral("recover takes --list or --discard, not both."), err);
    if (discard && paths.isEmpty())
        return badUsage(QStringLiteral("recover --discard takes the files whose journals to "
                                       "remove."),
                        err);

    const auto journals = ListPendingJournals();
    if (!journals) {
        err << Escaped(journals.failure().description) << '\n';
        return Failed;
    }
    QStringList unmatched;
    QList<Selected> selected;
    if (paths.isEmpty()) {
        for (const PendingJournal &pending : journals.value())
            selected.append({pending, QString()});
    } else {
        selected = select(journals.value(), paths, unmatched);
    }
    for (const QString &path : unmatched)
        out << Escaped(path) << ": no pending journal\n";
    const auto folder = JournalFolder();
    if (selected.isEmpty() && paths.isEmpty())
        out << "No pending journals in "
            << Escaped(folder ? folder.value() : folder.failure().description) << '\n';

    // Journals a killed save left half written hold nothing to apply.
    if (list) {
        const auto contents = PendingJournalPaths();
        for (const QString &part : contents ? contents->leftoverParts : QStringList())
            out << Escaped(part)
                << ": half written by a save that was stopped; \"recover\" removes it\n";
    } else if (!discard) {
        for (const QString &part : RemoveLeftoverParts())
            out << Escaped(part) << ": half written by a save that was stopped; removed\n";
    }

    bool allDone = true;
    for (const Selected &s : selected) {
        const QString journal = Escaped(s.pending.journalPath);
        if (list) {
            out << journal << ": " << Escaped(describe(s.pending)) << '\n';
        } else if (discard) {
            const auto removed = DiscardJournal(s.pending.journalPath);
            if (removed)
                out << journal << ": discarded, not applied\n";
            else
                out << journal << ": " << Escaped(removed.failure().description) << '\n';
            allDone = allDone && removed.ok();
        } else {
            const JournalRecovery recovery = ApplyJournal(s.pending.journalPath, s.filePath);
            const bool done = recovery.outcome == RecoveryOutcome::Restored ||
                              recovery.outcome == RecoveryOutcome::AlreadyOriginal ||
                              recovery.outcome == RecoveryOutcome::NothingPending;
            QString message = recovery.message.isEmpty()
                                  ? QStringLiteral("already applied by another program")
                                  : recovery.message;
            message.replace(kCRLF, QStringLiteral(" "));
            out << journal << ": " << Escaped(message) << '\n';
            allDone = allDone && done;
        }
    }
    return allDone ? Success : Failed;
}

} // namespace quenloft::cli
