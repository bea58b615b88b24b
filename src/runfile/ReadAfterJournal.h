// Reading a run file that an earlier save may have left unfinished. To edit it, the save's
// rollback journal is applied first and the file read as it is then. To read it alone,
// nothing is written: the file is read as applying the journal would leave it, and the
// journal is left for the next load that edits.
#pragma once

#include "runfile/JournalRecovery.h"
#include "runfile/Model.h"
#include "runfile/RunFileReader.h"

namespace quenloft {

enum class PendingSave {
    Apply,     // put the original bytes back, then read
    LeaveAsIs, // write nothing; read as putting them back would leave the file
};

struct RunFileRead
{
    JournalRecovery recovery; // what was found of an unfinished save, and done with it
    Result<RunFileContents> contents;
};

[[nodiscard]] RunFileRead ReadRunFileAfterJournal(const QString &path, Model model,
                                                  PendingSave pending,
                                                  const ScanObserver &observer = {});

} // namespace quenloft
