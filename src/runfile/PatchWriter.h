// Applying a save's patches to a run file in place, so that after any fault the file holds
// either all of them or none: a rollback journal keeps what they replace until the written
// bytes are on disk and have been read back.
#pragma once

#include "runfile/RollbackJournal.h"
#include "runfile/RunFileWriter.h"
#include "support/NativeFile.h"
#include "support/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

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
    virtual Result<qint64> size() = 0;
    // Whether another file has taken this one's place (its name) since it was opened.
    virtual Result<bool> replaced() { return false; }
};

// Where a save keeps its rollback journal; a seam so tests can make it fail.
class JournalKeeper
{
public:
    virtual ~JournalKeeper() = default;
    // Stores the journal of the ranges about to be written; durable once this returns.
    virtual Result<Done> keep(const QList<JournalRange> &ranges) = 0;
    // Removes it, durably: a save is complete once its journal is gone.
    virtual Result<Done> discard() = 0;
};

// Points of a save after which a test can stop it as if the program had died there.
enum class SaveStep {
    JournalKept,
    Patched,
    Synced,
    Verified,
};

struct SaveOptions
{
    bool journal = true; // off only to measure what the journal costs
    // Returning true stops the save right after that step: nothing is put back and the
    // journal stays, as after a crash.
    std::function<bool(SaveStep)> stopAfter;
};

// Writes the ranges the patches change, in order, once `journal` (when given) has kept what
// they replace; then syncs the file and reads every written range back. After any failure
// the bytes already changed are put back and the first failure is returned. When putting
// them back fails too, the failure is FilePartlyWritten, naming the fields written, and the
// journal stays so the next load can put them back. Nothing is put back into a file that
// another program has meanwhile cut, grown or replaced: the failure is then
// FilePartlyWritten too, and the journal stays, though it no longer fits the file.
Result<Done> ApplyPatches(PatchTarget &target, qint64 fileSize, const QList<Patch> &patches,
                          JournalKeeper *journal = nullptr, const SaveOptions &options = {});

// Puts the original bytes of the ranges back (last range first), cuts the file back to
// `originalSize` when `cutBack`, syncs, and reads it all back to confirm.
Result<Done> RestoreRanges(PatchTarget &target, qint64 originalSize, bool cutBack,
                           const QList<JournalRange> &ranges);

// A patch target over an open file, opened at `path`.
class FilePatchTarget final : public PatchTarget
{
public:
    FilePatchTarget(NativeFile &file, const QString &path) : m_file(file), m_path(path) {}
    Result<qint64> readAt(qint64 offset, char *buffer, qint64 length) override;
    Result<Done> writeAt(qint64 offset, const QByteArray &bytes) override;
    Result<Done> truncate(qint64 size) override;
    Result<Done> sync() override;
    Result<qint64> size() override;
    Result<bool> replaced() override;

private:
    NativeFile &m_file;
    QString m_path;
};

// Opens the existing file (never creating it), refuses when it is locked or no longer the
// file that was loaded (`expected`), applies the patches with a journal in the journal
// folder (runfile/JournalStore.h) and returns the file's new stamp.
Result<FileStamp> WritePatchesToFile(const QString &path, const FileStamp &expected,
                                     const QList<Patch> &patches, const SaveOptions &options = {});

} // namespace quenloft
