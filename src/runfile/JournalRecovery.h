// Finishing what an interrupted save left: before a file is read, a journal of an earlier
// save of it puts the file's original bytes back. A journal is applied only to the file it
// was written for (same device and file number, same original size, and every byte it
// covers still either the original or the one that save wrote); any other is reported
// and kept.
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
    Kept,            // not applied (another file, damaged, or the restore failed); kept
    Busy,            // another program is saving the file right now; left alone
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

// How the file behind `target`, now `size` bytes long, stands to the journal.
[[nodiscard]] Result<JournalFit> FitOfJournal(PatchTarget &target, qint64 size,
                                              const RollbackJournal &journal);

// Run before reading `path`: applies a pending journal of an earlier save of this file,
// and reports journals of a file that was at this path before but is another file now.
[[nodiscard]] JournalRecovery RecoverPendingJournal(const QString &path);

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
