// Applying a save's patches to a run file in place: all of them or, after a failure,
// none of them.
#pragma once

#include "runfile/RunFileWriter.h"
#include "support/NativeFile.h"
#include "support/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace quenloft {

// Where patches are applied; a seam so tests can make any step fail.
class PatchTarget
{
public:
    virtual ~PatchTarget() = default;
    virtual Result<qint64> readAt(qint64 offset, char *buffer, qint64 length) = 0;
    virtual Result<Done> writeAt(qint64 offset, const QByteArray &bytes) = 0;
    virtual Result<Done> truncate(qint64 size) = 0;
    virtual Result<Done> sync() = 0;
};

// Writes the patches in order. When a write fails, the bytes already changed are put
// back (and a grown file cut back to its old size) before the first failure is returned.
Result<Done> ApplyPatches(PatchTarget &target, qint64 fileSize, const QList<Patch> &patches);

// Opens the existing file (never creating it), refuses when it is locked or no longer the
// file that was loaded (`expected`), applies the patches, syncs them to disk and returns
// the file's new stamp.
Result<FileStamp> WritePatchesToFile(const QString &path, const FileStamp &expected,
                                     const QList<Patch> &patches);

} // namespace quenloft
