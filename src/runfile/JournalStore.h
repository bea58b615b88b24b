// Where rollback journals live: one file per run file being saved, in the user's state
// folder (not beside the run file, so a save works in a folder the user may not write
// to), named from the run file's identity so that the next load finds it whatever the
// file is called by then.
#pragma once

#include "runfile/RollbackJournal.h"
#include "support/NativeFile.h"
#include "support/Result.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace quenloft {

// The folder SetJournalFolder gave, else $QUENLOFT_JOURNAL_DIR when set, else
// $XDG_STATE_HOME/Quenloft/journals (~/.local/state/... when unset); on Windows and macOS
// the user's local application-data folder.
[[nodiscard]] QString JournalFolder();

// For tests; an empty folder returns to the default.
void SetJournalFolder(const QString &folder);

// The journal a save of the file with this identity keeps.
[[nodiscard]] QString JournalPathFor(const FileStamp &identity);

// The identity a journal's name stands for, from the name alone.
[[nodiscard]] std::optional<FileStamp> IdentityOfJournalName(const QString &name);

// Every journal in the folder, sorted; none when the folder does not exist.
[[nodiscard]] Result<QStringList> PendingJournalPaths();

// Writes the journal of a save and makes it durable (the file, then its name in the
// folder) before returning. Refuses when a journal for the same file is pending: it holds
// the file's true original bytes, which a new journal would lose.
Result<QString> StoreJournal(const RollbackJournal &journal);

[[nodiscard]] Result<RollbackJournal> ReadJournal(const QString &journalPath);

// Removes a journal; its removal is made durable where the system can.
Result<Done> DeleteJournal(const QString &journalPath);

} // namespace quenloft
