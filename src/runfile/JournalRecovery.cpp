#include "runfile/JournalRecovery.h"

#include "runfile/JournalStore.h"
#include "runfile/PatchWriter.h"
#include "support/NativeFile.h"
#include "support/NativeFolder.h"

namespace quenloft {
namespace {

const QString kCRLF = QStringLiteral("\r\n");

// "a", "a and b", "a, b and c".
QString listed(const QStringList &names)
{
    if (names.size() <= 1)
        return names.join(QString());
    return names.first(names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") +
           names.last();
}

JournalRecovery outcome(RecoveryOutcome kind, const QString &journalPath, const QString &filePath,
                        const QString &message)
{
    JournalRecovery r;
    r.outcome = kind;
    r.journalPath = journalPath;
    r.filePath = filePath;
    r.message = message;
    return r;
}

QString keptNote(const QString &journalPath)
{
    return QStringLiteral("The journal is kept at %1.").arg(journalPath);
}

} // namespace

Result<JournalFit> FitOfJournal(PatchTarget &target, qint64 size, const RollbackJournal &journal)
{
    qint64 end = journal.file.size;
    for (const JournalRange &range : journal.ranges)
        end = qMax(end, range.offset + range.written.size());
    if (size < journal.file.size || size > end)
        return JournalFit::Mismatched;
    bool original = size == journal.file.size;
    for (const JournalRange &range : journal.ranges) {
        QByteArray now(range.original.size(), Qt::Uninitialized);
        const auto n = target.readAt(range.offset, now.data(), now.size());
        if (!n)
            return n.failure();
        if (n.value() != now.size())
            return JournalFit::Mismatched;
        // A write cut short leaves some bytes old and some new, in any mix.
        for (qsizetype i = 0; i < now.size(); ++i)
            if (now[i] != range.original[i] && now[i] != range.written[i])
                return JournalFit::Mismatched;
        original = original && now == range.original;
    }
    return original ? JournalFit::Original : JournalFit::Changed;
}

JournalRecovery ApplyJournal(const QString &journalPath, const QString &filePath)
{
    const auto first = ReadJournal(journalPath);
    if (!first && first.failure().number == 2)
        return outcome(RecoveryOutcome::NothingPending, journalPath, filePath, QString());
    if (!first && filePath.isEmpty())
        return outcome(RecoveryOutcome::Kept, journalPath, filePath,
                       QStringLiteral("A rollback journal was not applied: %1.")
                               .arg(first.failure().description) +
                           u' ' + keptNote(journalPath));
    const QString path = filePath.isEmpty() ? first->path : filePath;

    auto file = NativeFile::open(path, NativeFile::Mode::ReadWriteExisting);
    if (!file) {
        const qint32 number = file.failure().number;
        if (number == 32 || number == 33)
            return outcome(RecoveryOutcome::Busy, journalPath, path,
                           QStringLiteral("%1 is being written by another program, so the rollback "
                                          "journal of an earlier save of it was left for later.")
                               .arg(path));
        const QString why = number == 2 || number == 3
                                ? QStringLiteral("the file is no longer there")
                                : QStringLiteral("the file cannot be opened for writing (error "
                                                 "%1: %2)")
                                      .arg(number)
                                      .arg(file.failure().description);
        return outcome(RecoveryOutcome::Kept, journalPath, path,
                       QStringLiteral("The original bytes of %1 kept from an interrupted save were "
                                      "not put back: %2.")
                               .arg(path, why) +
                           u' ' + keptNote(journalPath));
    }
    // A save in progress holds this lock from before its journal exists until after it is
    // removed: a journal found under the lock belongs to a save that is over.
    if (!file->lockExclusive())
        return outcome(RecoveryOutcome::Busy, journalPath, path,
                       QStringLiteral("%1 is being saved by another program, so the rollback "
                                      "journal of an earlier save of it was left for later.")
                           .arg(path));
    const auto journal = ReadJournal(journalPath);
    if (!journal && journal.failure().number == 2)
        return outcome(RecoveryOutcome::NothingPending, journalPath, path, QString());
    if (!journal)
        return outcome(RecoveryOutcome::Kept, journalPath, path,
                       QStringLiteral("The rollback journal of an earlier save of %1 was not "
                                      "applied: %2.")
                               .arg(path, journal.failure().description) +
                           u' ' + keptNote(journalPath));

    JournalRecovery result = outcome(RecoveryOutcome::Kept, journalPath, path, QString());
    result.fields = journal->fields();
    const auto stamp = file->stamp();
    if (!stamp) {
        result.message = QStringLiteral("The rollback journal of an earlier save of %1 was not "
                                        "applied: examining the file failed (error %2: %3).")
                             .arg(path)
                             .arg(stamp.failure().number)
                             .arg(stamp.failure().description) +
                         u' ' + keptNote(journalPath);
        return result;
    }
    if (stamp->device != journal->file.device || stamp->inode != journal->file.inode) {
        result.message = QStringLiteral("A rollback journal of an earlier save of %1 belongs to "
                                        "another file than %2, so it was not applied.")
                             .arg(journal->path, path) +
                         u' ' + keptNote(journalPath);
        return result;
    }
    FilePatchTarget target(file.value());
    const auto fit = FitOfJournal(target, stamp->size, journal.value());
    if (!fit || fit.value() == JournalFit::Mismatched) {
        const QString why = fit ? QStringLiteral("the file has been changed since by something "
                                                 "else")
                                : QStringLiteral("reading the file failed (error %1: %2)")
                                      .arg(fit.failure().number)
                                      .arg(fit.failure().description);
        result.message = QStringLiteral("The rollback journal of an earlier save of %1 was not "
                                        "applied: %2.")
                             .arg(path, why) +
                         u' ' + keptNote(journalPath);
        return result;
    }

    if (fit.value() == JournalFit::Changed) {
        const auto restored = RestoreRanges(target, journal->file.size,
                                            stamp->size > journal->file.size, journal->ranges);
        if (!restored) {
            result.message = QStringLiteral("An earlier save of %1 was cut short, and putting its "
                                            "original bytes back failed: %2. They are tried "
                                            "again the next time the file is loaded.")
                                 .arg(path, restored.failure().description) +
                             u' ' + keptNote(journalPath);
            return result;
        }
        result.outcome = RecoveryOutcome::Restored;
        result.message = QStringLiteral("An earlier save of %1 was cut short. The original bytes "
                                        "of its %2 were put back from the rollback journal, so "
                                        "the file is as it was before that save.")
                             .arg(path, listed(result.fields));
    } else {
        // The original bytes may so far be only in the system's cache, after a failed sync:
        // the journal goes only once they are on disk.
        const auto synced = target.sync();
        if (!synced) {
            result.message = QStringLiteral("An earlier save of %1 was cut short, and saving its "
                                            "original bytes to disk failed (error %2: %3). "
                                            "They are tried again the next time the file is "
                                            "loaded.")
                                 .arg(path)
                                 .arg(synced.failure().number)
                                 .arg(synced.failure().description) +
                             u' ' + keptNote(journalPath);
            return result;
        }
        result.outcome = RecoveryOutcome::AlreadyOriginal;
        result.message = QStringLiteral("An earlier save of %1 was cut short; the file holds its "
                                        "original bytes, as before that save.")
                             .arg(path);
    }
    const auto deleted = DeleteJournal(journalPath);
    if (deleted)
        result.message += QStringLiteral(" Its rollback journal was removed.");
    else
        result.message += QStringLiteral(" Its rollback journal could not be removed (%1); the "
                                         "next load removes it.")
                              .arg(deleted.failure().description);
    return result;
}

JournalRecovery RecoverPendingJournal(const QString &path)
{
    const auto stamp = StampOfPath(path);
    if (!stamp)
        return {}; // the loader reports a file that is not there
    const auto pending = PendingJournalPaths();
    if (!pending)
        return outcome(RecoveryOutcome::Kept, QString(), path,
                       QStringLiteral("An interrupted save of %1 may not have been undone: %2.")
                           .arg(path, pending.failure().description));
    if (pending->isEmpty())
        return {};

    const QString own = JournalPathFor(stamp.value());
    JournalRecovery result;
    if (pending->contains(own))
        result = ApplyJournal(own, path);

    // A journal of another file once at this path (replaced since, or the journal's own
    // file renamed) is never applied here, but the user hears of it.
    const QString absolute = AbsolutePath(path);
    for (const QString &journalPath : pending.value()) {
        if (journalPath == own)
            continue;
        const auto journal = ReadJournal(journalPath);
        if (!journal || journal->path != absolute)
            continue;
        const QString note =
            QStringLiteral("A rollback journal of an earlier save of %1 belongs to a file that is "
                           "no longer at this path, so it was not applied.")
                .arg(path) +
            u' ' + keptNote(journalPath);
        if (result.outcome == RecoveryOutcome::NothingPending) {
            result = outcome(RecoveryOutcome::Kept, journalPath, path, note);
            result.fields = journal->fields();
        } else {
            result.message += kCRLF + kCRLF + note;
        }
    }
    return result;
}

Result<QList<PendingJournal>> ListPendingJournals()
{
    const auto paths = PendingJournalPaths();
    if (!paths)
        return paths.failure();
    QList<PendingJournal> journals;
    for (const QString &path : paths.value()) {
        PendingJournal pending;
        pending.journalPath = path;
        const auto journal = ReadJournal(path);
        if (journal)
            pending.journal = journal.value();
        else
            pending.problem = journal.failure().description;
        journals.append(pending);
    }
    return journals;
}

Result<Done> DiscardJournal(const QString &journalPath)
{
    return DeleteJournal(journalPath);
}

} // namespace quenloft
