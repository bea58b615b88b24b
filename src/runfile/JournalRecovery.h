// Finishing what an interrupted save left: before a file is read, the journal of an
// earlier save of it puts the file's original bytes back. A journal is applied only when it
// is the user's own (runfile/JournalStore.h) and only within its own promises: to the file
// it was written for (same device, file number and birth time), of a size the save could
// have left, covering only fields a save writes, and with every byte it covers still
// either the original or the one that save wrote. Any other is reported and kept.
#pragma once

#include "runfile/RollbackJournal.h"
#include "support/Result.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace quenloft {

enum class RecoveryOutcome {
    NothingPending,  // no journal for this file
    Restored,        // the original bytes were put back and the journal removed
    AlreadyOriginal, // the save had changed nothing yet; the journal was removed
    Kept,            // not applied (another file, damaged, untrusted, or the restore failed)
    Busy,            // another program is saving the file right now; left alone
    Pending,         // left for a later load to apply; the file was read as it will leave it
};

struct JournalRecovery
{
    RecoveryOutcome outcome = RecoveryOutcome::NothingPending;
    QString journalPath;
    QString filePath;
    QStringList fields; // the fields the interrupted save wrote, when the journal is readable
    QString message;    // for the user, CR LF line breaks; empty when nothing was pending
};

class PatchTarget;

enum class JournalFit {
    Original,   // every range holds its original bytes and the file its original size
    Changed,    // the journal's save changed some of them: restoring undoes it
    Mismatched, // the file holds something that save cannot have written: never restored
};

// How the file behind `target`, now `size` bytes long, stands to the journal's bytes.
[[nodiscard]] Result<JournalFit> FitOfJournal(PatchTarget &target, qint64 size,
                                              const RollbackJournal &journal);

// Why the journal cannot be that of an interrupted save of the file now stamped `now`:
// another file (identity, or born since), an original size no run file of its model has,
// or a range no save writes. Nothing when it can be.
[[nodiscard]] std::optional<QString> WhyJournalIsNotTheFiles(const RollbackJournal &journal,
                                                             const FileStamp &now);

// Run before reading `path` to edit it: applies a pending journal of an earlier save of
// this file. Only the file's own journal is looked at.
[[nodiscard]] JournalRecovery RecoverPendingJournal(const QString &path);

class NativeFile;

// For reading alone, nothing written: how the journal at `journalPath` of an earlier save
// of the file opened as `file` at `path` stands. When applying it would put original bytes
// back, `restoring` is set to it (the outcome Pending): the file is then to be read as
// that would leave it.
[[nodiscard]] JournalRecovery PreviewJournal(const QString &journalPath, const QString &path,
                                             NativeFile &file,
                                             std::optional<RollbackJournal> &restoring);

struct PendingJournal
{
    QString journalPath;
    std::optional<RollbackJournal> journal; // none when it cannot be read or is damaged
    QString problem;                        // why it cannot be read
};

[[nodiscard]] Result<QList<PendingJournal>> ListPendingJournals();

// Applies the journal at `journalPath` to the file at `filePath` (by default the path the
// journal records), with every check RecoverPendingJournal makes.
[[nodiscard]] JournalRecovery ApplyJournal(const QString &journalPath,
                                           const QString &filePath = QString());

// Removes a journal without applying it, for one the user has decided to give up.
Result<Done> DiscardJournal(const QString &journalPath);

} // namespace quenloft
