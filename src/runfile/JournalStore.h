// Where rollback journals live: one file per run file being saved, in the user's state
// folder (not beside the run file, so a save works in a folder the user may not write
// to), named from the run file's identity so that the next load finds it whatever the
// file is called by then. A journal puts bytes into a file unasked, so the folder and
// every journal in it are trusted only when they are the user's own.
#pragma once

#include "runfile/RollbackJournal.h"
#include "support/Errors.h"
#include "support/NativeFile.h"
#include "support/Result.h"

#include <QString>
#include <QStringList>

namespace quenloft {

// Failure number of a journal folder or journal that is not the user's own.
inline constexpr qint32 JournalNotTrusted = ErrorAccessDenied;

// The folder SetJournalFolder gave, else $QUENLOFT_JOURNAL_DIR when set, else
// $XDG_STATE_HOME/Quenloft/journals (~/.local/state/... when that is unset or not
// absolute); on Windows and macOS the user's local application-data folder. A failure
// when none of them gives an absolute folder: a journal is never placed relative to the
// working folder, where a load from another folder would not find it.
[[nodiscard]] Result<QString> JournalFolder();

// For tests; an empty folder returns to the default.
void SetJournalFolder(const QString &folder);

// The journal a save of the file with this identity keeps.
[[nodiscard]] Result<QString> JournalPathFor(const FileStamp &identity);

// Nothing when the journal folder may be used: a folder of the user's own (support/
// UsersOwn.h). Otherwise why not, naming the folder.
[[nodiscard]] Result<Done> CheckJournalFolder(const QString &folder);

struct JournalFolderContents
{
    QStringList journals;      // complete journals, sorted
    QStringList leftoverParts; // journals a killed save did not finish writing, sorted
};

// What the journal folder holds; nothing when it does not exist.
[[nodiscard]] Result<JournalFolderContents> PendingJournalPaths();

// Writes the journal of a save and makes it durable (the file, then its name in the
// folder) before returning. Refuses when a journal for the same file is pending: it holds
// the file's true original bytes, which a new journal would lose.
Result<QString> StoreJournal(const RollbackJournal &journal);

// Reads a journal of a folder of the user's own that is itself the user's own, no larger
// than any a save writes.
[[nodiscard]] Result<RollbackJournal> ReadJournal(const QString &journalPath);

// Removes a journal; its removal is made durable where the system can.
Result<Done> DeleteJournal(const QString &journalPath);

// Removes the journals killed saves left half written; one still being written by a
// running save is left alone. Returns those removed.
QStringList RemoveLeftoverParts();

} // namespace quenloft
