#include "runfile/PatchWriter.h"

#include "runfile/JournalStore.h"
#include "support/Errors.h"
#include "support/General.h"
#include "support/NativeFolder.h"
#include "support/NativePath.h"

#include <optional>

namespace quenloft {
namespace {

Failure describe(const Failure &failure, const QString &doing)
{
    // A system failure never passes for the writer's own partly-written report.
    const qint32 number =
        failure.number == FilePartlyWritten ? ErrorGeneralFailure : failure.number;
    return Failure{number, QStringLiteral("%1 failed: error %2 (%3)")
                               .arg(doing)
                               .arg(failure.number)
                               .arg(failure.description)};
}

QString capitalised(QString text)
{
    if (!text.isEmpty())
        text[0] = text.at(0).toUpper();
    return text;
}

Result<QByteArray> readBack(PatchTarget &target, qint64 offset, qint64 length)
{
    QByteArray bytes(length, Qt::Uninitialized);
    const auto n = target.readAt(offset, bytes.data(), length);
    if (!n)
        return n.failure();
    bytes.truncate(n.value());
    return bytes;
}

// 23 "CRC": what was read back is not what was written.
Failure readBackDiffers(const QString &what)
{
    return Failure{ErrorCrc, QStringLiteral("The %1 read back differently from what was written to "
                                            "the disk")
                                 .arg(what)};
}

class FileJournalKeeper final : public JournalKeeper
{
public:
    FileJournalKeeper(const QString &path, const FileStamp &file)
        : m_path(AbsolutePath(path)), m_file(file)
    {
    }
    Result<Done> keep(const QList<JournalRange> &ranges) override
    {
        // The model the file was read as, which its name decides.
        const Model model = ModelFromFileName(FileNameOfPath(m_path));
        const auto stored = StoreJournal(RollbackJournal{m_path, m_file, ranges, model});
        if (!stored)
            return stored.failure();
        m_journalPath = stored.value();
        return Done{};
    }
    Result<Done> discard() override { return DeleteJournal(m_journalPath); }

private:
    QString m_path;
    FileStamp m_file;
    QString m_journalPath;
};

// Why the file is no longer the one a save left, with its size between the original
// `fileSize` and `end`: another program has cut it, grown it or put another file in its
// place. Nothing when it is still the one.
std::optional<QString> changedByAnother(PatchTarget &target, qint64 fileSize, qint64 end)
{
    const auto size = target.size();
    if (size && (size.value() < fileSize || size.value() > end))
        return QStringLiteral("its size became %1 bytes").arg(size.value());
    const auto replaced = target.replaced();
    if (replaced && replaced.value())
        return QStringLiteral("another file took its place");
    return std::nullopt;
}

} // namespace

Result<qint64> FilePatchTarget::readAt(qint64 offset, char *buffer, qint64 length)
{
    return m_file.readAt(offset, buffer, length);
}

Result<Done> FilePatchTarget::writeAt(qint64 offset, const QByteArray &bytes)
{
    return m_file.writeAt(offset, bytes.constData(), bytes.size());
}

Result<Done> FilePatchTarget::truncate(qint64 size)
{
    return m_file.truncate(size);
}

Result<Done> FilePatchTarget::sync()
{
    return m_file.sync();
}

Result<qint64> FilePatchTarget::size()
{
    const auto stamp = m_file.stamp();
    if (!stamp)
        return stamp.failure();
    return stamp->size;
}

Result<bool> FilePatchTarget::replaced()
{
    const auto opened = m_file.stamp();
    if (!opened)
        return opened.failure();
    const auto atPath = StampOfPath(m_path);
    if (!atPath)
        return atPath.failure().number == ErrorFileNotFound ||
               atPath.failure().number == ErrorPathNotFound;
    return atPath->device != opened->device || atPath->inode != opened->inode;
}

Result<Done> RestoreRanges(PatchTarget &target, qint64 originalSize, bool cutBack,
                           const QList<JournalRange> &ranges)
{
    // Every range is tried even after one fails: each one put back is one less to lose.
    std::optional<Failure> first;
    auto note = [&first](const Failure &failure) {
        if (!first)
            first = failure;
    };
    for (auto it = ranges.crbegin(); it != ranges.crend(); ++it) {
        if (it->original.isEmpty())
            continue;
        const auto written = target.writeAt(it->offset, it->original);
        if (!written)
            note(describe(written.failure(), QStringLiteral("Putting back the %1").arg(it->field)));
    }
    if (cutBack) {
        const auto cut = target.truncate(originalSize);
        if (!cut)
            note(describe(cut.failure(), QStringLiteral("Cutting the file back to its size")));
    }

    // What reads back decides: a write that failed before it changed anything leaves the
    // original bytes in place, and the sync below then makes them durable.
    for (const JournalRange &range : ranges) {
        const auto back = readBack(target, range.offset, range.original.size());
        if (!back)
            return first
                       ? *first
                       : describe(back.failure(),
                                  QStringLiteral("Reading the restored %1 back").arg(range.field));
        if (back.value() != range.original)
            return first ? *first : readBackDiffers(QStringLiteral("restored %1").arg(range.field));
    }
    if (cutBack) {
        const auto size = target.size();
        if (!size)
            return first ? *first
                         : describe(size.failure(), QStringLiteral("Examining the restored file"));
        if (size.value() != originalSize)
            return first ? *first : readBackDiffers(QStringLiteral("restored file's size"));
    }
    const auto synced = target.sync();
    if (!synced)
        return describe(synced.failure(), QStringLiteral("Saving the restored file to disk"));
    return Done{};
}

Result<Done> ApplyPatches(PatchTarget &target, qint64 fileSize, const QList<Patch> &patches,
                          JournalKeeper *journal, const SaveOptions &options)
{
    QList<JournalRange> all;
    for (const Patch &patch : patches)
        if (!patch.bytes.isEmpty())
            all.append({patch.offset, {}, patch.bytes, patch.field});
    if (patches.size() > MaxJournalRanges || RangesOverlap(all))
        return Failure{ErrorInvalidParameter, QStringLiteral("The fields to write overlap")};

    // What each patch replaces; a patch that changes nothing is not written at all.
    QList<JournalRange> ranges;
    for (const Patch &patch : patches) {
        if (patch.bytes.isEmpty())
            continue;
        if (patch.offset < 0 || patch.offset > fileSize ||
            patch.bytes.size() > MaxJournalRangeLength)
            return Failure{ErrorInvalidParameter,
                           QStringLiteral("The %1 lies outside the file").arg(patch.field)};
        const qint64 existing = qBound<qint64>(0, fileSize - patch.offset, patch.bytes.size());
        const auto old = readBack(target, patch.offset, existing);
        if (!old)
            return describe(old.failure(), QStringLiteral("Reading the old %1").arg(patch.field));
        if (old->size() != existing)
            return Failure{ErrorReadFault,
                           QStringLiteral("Reading the old %1 failed: the file is shorter "
                                          "than expected")
                               .arg(patch.field)};
        if (old.value() != patch.bytes)
            ranges.append({patch.offset, old.value(), patch.bytes, patch.field});
    }
    if (ranges.isEmpty())
        return Done{};

    const auto stopped = [&](SaveStep step) {
        return options.stopAfter && options.stopAfter(step);
    };
    const Failure stop{ErrorOperationAborted, QStringLiteral("The save was stopped")};

    if (journal) {
        const auto kept = journal->keep(ranges);
        if (!kept)
            return Failure{kept.failure().number,
                           QStringLiteral("Keeping the original bytes in a rollback journal "
                                          "failed, so nothing was written: %1")
                               .arg(kept.failure().description)};
    }
    if (stopped(SaveStep::JournalKept))
        return stop;

    qsizetype attempted = 0;
    qint64 end = fileSize;
    // Puts back what was written; the cause is reported unless that fails as well.
    auto undo = [&](const Failure &cause) -> Failure {
        const QList<JournalRange> touched = ranges.first(attempted);
        QStringList fields;
        for (const JournalRange &range : touched)
            fields.append(range.field);
        // Only into the file this save left: writing the original bytes at their offsets
        // into a file another program cut short would grow it again, with zeros between.
        if (const auto changedBy = changedByAnother(target, fileSize, end)) {
            return Failure{
                FilePartlyWritten,
                QStringLiteral("The file is partly written. %1; meanwhile another program "
                               "changed the file (%2), so nothing was put back. Already written: "
                               "%3. The original bytes are kept in the rollback journal, which "
                               "no longer fits the file and is not applied")
                    .arg(cause.description, *changedBy, capitalised(ListedNames(fields)))};
        }
        const auto restored = RestoreRanges(target, fileSize, end > fileSize, touched);
        if (restored) {
            // A journal that cannot be removed here is found by the next load, which sees
            // the original bytes and removes it.
            if (journal)
                (void)journal->discard();
            return cause;
        }
        const QString kept =
            journal ? QStringLiteral("The original bytes are kept and will be put back the next "
                                     "time the file is loaded")
                    : QStringLiteral("The original bytes could not be put back");
        return Failure{FilePartlyWritten,
                       QStringLiteral("The file is partly written. %1; putting the original "
                                      "bytes back failed too (%2). Already written: %3. %4")
                           .arg(cause.description, restored.failure().description,
                                capitalised(ListedNames(fields)), kept)};
    };

    for (const JournalRange &range : ranges) {
        ++attempted;
        end = qMax(end, range.offset + range.written.size());
        const auto written = target.writeAt(range.offset, range.written);
        if (!written)
            return undo(
                describe(written.failure(), QStringLiteral("Writing the %1").arg(range.field)));
    }
    if (stopped(SaveStep::Patched))
        return stop;

    const auto synced = target.sync();
    if (!synced)
        return undo(describe(synced.failure(), QStringLiteral("Saving the file to disk")));
    if (stopped(SaveStep::Synced))
        return stop;

    // The disk's own word is not taken for it: what reads back is what was saved.
    for (const JournalRange &range : ranges) {
        const auto back = readBack(target, range.offset, range.written.size());
        if (!back)
            return undo(describe(back.failure(),
                                 QStringLiteral("Reading the saved %1 back").arg(range.field)));
        if (back.value() != range.written)
            return undo(readBackDiffers(QStringLiteral("saved %1").arg(range.field)));
    }
    const auto size = target.size();
    if (!size)
        return undo(describe(size.failure(), QStringLiteral("Examining the saved file")));
    if (size.value() != end)
        return undo(readBackDiffers(QStringLiteral("saved file's size")));
    if (stopped(SaveStep::Verified))
        return stop;

    if (journal) {
        // While the journal exists the next load would put the original bytes back, so a
        // save whose journal stays is undone here to keep the two in step.
        const auto discarded = journal->discard();
        if (!discarded)
            return undo(Failure{
                discarded.failure().number,
                QStringLiteral("%1; the save was undone").arg(discarded.failure().description)});
    }
    return Done{};
}

Result<FileStamp> WritePatchesToFile(const QString &path, const FileStamp &expected,
                                     const QList<Patch> &patches, const SaveOptions &options)
{
    auto file = NativeFile::open(path, NativeFile::Mode::ReadWriteExisting);
    if (!file)
        return describe(file.failure(), QStringLiteral("Opening the file for writing"));
    const auto locked = file->lockExclusive();
    if (!locked)
        return Failure{locked.failure().number,
                       QStringLiteral("The file is locked by another program (error %1: %2); "
                                      "close it there and save again")
                           .arg(locked.failure().number)
                           .arg(locked.failure().description)};
    const auto before = file->stamp();
    if (!before)
        return describe(before.failure(), QStringLiteral("Examining the file"));
    if (!(before.value() == expected))
        return Failure{FileChangedOnDisk,
                       QStringLiteral("The file changed on disk since it was loaded; load it "
                                      "again before saving, so no new data is overwritten")};
    FilePatchTarget target(file.value(), path);
    std::optional<FileJournalKeeper> keeper;
    if (options.journal)
        keeper.emplace(path, before.value());
    const auto applied =
        ApplyPatches(target, before->size, patches, keeper ? &*keeper : nullptr, options);
    if (!applied)
        return applied.failure();
    const auto after = file->stamp();
    if (!after)
        return describe(after.failure(), QStringLiteral("Examining the saved file"));
    return after.value();
}

} // namespace quenloft
