#include "runfile/JournalRecovery.h"

#include "runfile/JournalStore.h"
#include "runfile/PatchWriter.h"
#include "runfile/RunFileWriter.h"
#include "support/Errors.h"
#include "support/General.h"
#include "support/NativeFile.h"
#include "support/NativeFolder.h"

namespace quenloft {
namespace {

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

QString notApplied(const QString &path, const QString &why, const QString &journalPath)
{
    return QStringLiteral("The rollback journal of an earlier save of %1 was not applied: %2.")
               .arg(path, why) +
           u' ' + keptNote(journalPath);
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
        // What the file holds of the range now; past its original size only what the save
        // wrote there can be, and only as far as the file reaches.
        const qint64 length = qBound<qint64>(0, size - range.offset, range.written.size());
        QByteArray now(length, Qt::Uninitialized);
        const auto n = target.readAt(range.offset, now.data(), now.size());
        if (!n)
            return n.failure();
        if (n.value() != now.size() || length < range.original.size())
            return JournalFit::Mismatched;
        // A write cut short leaves some bytes old and some new, in any mix.
        for (qsizetype i = 0; i < now.size(); ++i) {
            const bool inOriginal = i < range.original.size();
            if (now[i] != range.written[i] && !(inOriginal && now[i] == range.original[i]))
                return JournalFit::Mismatched;
        }
        original = original && now == range.original;
    }
    return original ? JournalFit::Original : JournalFit::Changed;
}

std::optional<QString> WhyJournalIsNotTheFiles(const RollbackJournal &journal, const FileStamp &now)
{
    if (now.device != journal.file.device || now.inode != journal.file.inode)
        return QStringLiteral("it belongs to another file");
    // A file that took over a deleted file's number is born after it.
    if (journal.file.birthNs != 0 && now.birthNs != journal.file.birthNs)
        return QStringLiteral("the file there now was created after that save, so it is "
                              "another file");
    if (journal.file.size < MinimumFileSize(journal.model))
        return QStringLiteral("the original size it records (%1 bytes) is smaller than any %2 "
                              "run file")
            .arg(journal.file.size)
            .arg(ModelName(journal.model));
    for (const JournalRange &range : journal.ranges)
        if (!IsSavedRange(journal.model, range.offset, range.written))
            return QStringLiteral("it covers %1 bytes at offset %2, which no save of a %3 file "
                                  "writes")
                .arg(range.written.size())
                .arg(range.offset)
                .arg(ModelName(journal.model));
    return std::nullopt;
}

namespace {

// How the journal at `journalPath` stands to the file at `path`, opened as `file` with its
// lock held: the journal, the file's stamp and how the file fits the journal; or, where
// that decides it, the outcome (nothing pending, or kept, and why) without a journal.
struct Assessment
{
    JournalRecovery recovery;
    std::optional<RollbackJournal> journal;
    FileStamp stamp;
    JournalFit fit = JournalFit::Mismatched;
};

Assessment assess(const QString &journalPath, const QString &path, NativeFile &file)
{
    Assessment a;
    a.recovery = outcome(RecoveryOutcome::Kept, journalPath, path, QString());
    const auto journal = ReadJournal(journalPath);
    if (!journal) {
        if (journal.failure().number == ErrorFileNotFound)
            a.recovery.outcome = RecoveryOutcome::NothingPending;
        else
            a.recovery.message = notApplied(path, journal.failure().description, journalPath);
        return a;
    }
    a.recovery.fields = journal->fields();
    const auto stamp = file.stamp();
    if (!stamp) {
        a.recovery.message = notApplied(path,
                                        QStringLiteral("examining the file failed (error %1: %2)")
                                            .arg(stamp.failure().number)
                                            .arg(stamp.failure().description),
                                        journalPath);
        return a;
    }
    if (const auto why = WhyJournalIsNotTheFiles(journal.value(), stamp.value())) {
        a.recovery.message = notApplied(path, *why, journalPath);
        return a;
    }
    FilePatchTarget target(file, path);
    const auto fit = FitOfJournal(target, stamp->size, journal.value());
    if (!fit || fit.value() == JournalFit::Mismatched) {
        a.recovery.message =
            notApplied(path,
                       fit ? QStringLiteral("the file has been changed since by something else")
                           : QStringLiteral("reading the file failed (error %1: %2)")
                                 .arg(fit.failure().number)
                                 .arg(fit.failure().description),
                       journalPath);
        return a;
    }
    a.journal = journal.value();
    a.stamp = stamp.value();
    a.fit = fit.value();
    return a;
}

} // namespace

JournalRecovery ApplyJournal(const QString &journalPath, const QString &filePath)
{
    const auto first = ReadJournal(journalPath);
    if (!first && first.failure().number == ErrorFileNotFound)
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
        if (number == ErrorSharingViolation || number == ErrorLockViolation)
            return outcome(RecoveryOutcome::Busy, journalPath, path,
                           QStringLiteral("%1 is being written by another program, so the rollback "
                                          "journal of an earlier save of it was left for later.")
                               .arg(path));
        const QString why = number == ErrorFileNotFound || number == ErrorPathNotFound
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
    const Assessment assessed = assess(journalPath, path, file.value());
    if (!assessed.journal)
        return assessed.recovery;
    const RollbackJournal &journal = *assessed.journal;
    JournalRecovery result = assessed.recovery;
    FilePatchTarget target(file.value(), path);

    if (assessed.fit == JournalFit::Changed) {
        const auto restored = RestoreRanges(
            target, journal.file.size, assessed.stamp.size > journal.file.size, journal.ranges);
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
                             .arg(path, ListedNames(result.fields));
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

JournalRecovery PreviewJournal(const QString &journalPath, const QString &path, NativeFile &file,
                               std::optional<RollbackJournal> &restoring)
{
    restoring.reset();
    // Held only while the journal is looked at, so that a save running meanwhile is told
    // apart from one that is over.
    if (!file.lockExclusive())
        return outcome(RecoveryOutcome::Busy, journalPath, path,
                       QStringLiteral("%1 is being saved by another program; it is shown as it "
                                      "is now.")
                           .arg(path));
    const Assessment assessed = assess(journalPath, path, file);
    if (!assessed.journal)
        return assessed.recovery;
    JournalRecovery result = assessed.recovery;
    result.outcome = RecoveryOutcome::Pending;
    const QString later = QStringLiteral("The next load in the window, \"quenloft-cli set\" or "
                                         "\"quenloft-cli recover\" applies its rollback journal");
    if (assessed.fit == JournalFit::Changed) {
        restoring = assessed.journal;
        result.message = QStringLiteral("%1 has an unfinished save: a save of its %2 was cut "
                                        "short. %3, which puts the original bytes back; it is "
                                        "shown here as that will leave it.")
                             .arg(path, ListedNames(result.fields), later);
    } else {
        result.message = QStringLiteral("%1 has an unfinished save, cut short before it changed "
                                        "anything. %2.")
                             .arg(path, later);
    }
    return result;
}

JournalRecovery RecoverPendingJournal(const QString &path)
{
    const auto stamp = StampOfPath(path);
    if (!stamp)
        return {}; // the loader reports a file that is not there
    const auto own = JournalPathFor(stamp.value());
    if (!own)
        return {}; // no journal folder: no save can have kept one
    const auto kind = KindOfPath(own.value());
    if (!kind)
        return outcome(RecoveryOutcome::Kept, own.value(), path,
                       QStringLiteral("An interrupted save of %1 may not have been undone: "
                                      "examining its journal %2 failed (error %3: %4).")
                           .arg(path, own.value())
                           .arg(kind.failure().number)
                           .arg(kind.failure().description));
    if (kind.value() == EntryKind::Missing)
        return {};
    return ApplyJournal(own.value(), path);
}

Result<QList<PendingJournal>> ListPendingJournals()
{
    const auto contents = PendingJournalPaths();
    if (!contents)
        return contents.failure();
    QList<PendingJournal> journals;
    for (const QString &path : contents->journals) {
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
