// Writing vehicle fields back into a run file in place. Every byte is computed and
// checked first (a list of patches); only then is the file touched.
#pragma once

#include "runfile/FieldCodec.h"
#include "runfile/Model.h"
#include "runfile/RunFileContents.h"
#include "support/Errors.h"
#include "support/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace quenloft {

struct Patch
{
    qint64 offset = 0;
    QByteArray bytes;
    QString field; // for messages
};

// Error numbers of the writer's own refusals, beside CannotStoreValue.
enum WriteFailure : qint32 {
    FileChangedOnDisk = 1110, // "Media Changed"
    FilePartlyWritten = 1392, // "File Corrupt": a failed save that could not be undone; its
                              // journal puts the original bytes back on the next load
};

// What a save writes, and what the file holds after it as the loader reads it.
struct SavePlan
{
    QList<Patch> patches;
    RunFileContents after;
};

// The save that gives a file loaded as `loaded` the vehicle fields of `wanted`. A field is
// written only when its value, written and read back, differs from what the file holds, so
// the bytes of a field nobody changed stay as they are, also where they are not what the
// writer would write (NUL padding, text after the NUL, blanks around a name). Refused for a
// value a field cannot hold and for notes the file has no place for.
[[nodiscard]] Result<SavePlan> PlanSave(const RunFileContents &loaded,
                                        const RunFileContents &wanted);

// Whether a save of a file of `model` can write `bytes` at `offset`: one of the model's
// vehicle fields whole, or a Nox notes block after the start of the run data. A rollback
// journal that covers anything else was not written by a save.
[[nodiscard]] bool IsSavedRange(Model model, qint64 offset, const QByteArray &bytes);

// The smallest file of the model the loader reads.
[[nodiscard]] qint64 MinimumFileSize(Model model);

} // namespace quenloft
