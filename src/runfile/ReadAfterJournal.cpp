#include "runfile/ReadAfterJournal.h"

#include "runfile/ByteSource.h"
#include "runfile/JournalStore.h"
#include "support/NativeFolder.h"

#include <algorithm>

namespace quenloft {
namespace {

// The file's bytes with a journal's original bytes in place of what its save wrote, cut to
// the original size: what applying the journal would leave.
class RestoredBytes final : public ByteSource
{
public:
    RestoredBytes(ByteSource &file, const RollbackJournal &journal)
        : m_file(file), m_journal(journal)
    {
    }
    [[nodiscard]] qint64 size() const override { return m_journal.file.size; }
    Result<qint64> readAt(qint64 offset, char *buffer, qint64 length) override
    {
        length = qBound<qint64>(0, size() - offset, length);
        const auto n = m_file.readAt(offset, buffer, length);
        if (!n)
            return n.failure();
        for (const JournalRange &range : m_journal.ranges) {
            const qint64 from = qMax(offset, range.offset);
            const qint64 to = qMin(offset + n.value(), range.offset + range.original.size());
            if (from < to)
                std::copy_n(range.original.constData() + (from - range.offset), to - from,
                            buffer + (from - offset));
        }
        return n;
    }

private:
    ByteSource &m_file;
    const RollbackJournal &m_journal;
};

RunFileRead readLeavingJournal(const QString &path, Model model, const ScanObserver &observer)
{
    auto file = NativeFile::open(path, NativeFile::Mode::Read);
    if (!file)
        return {JournalRecovery{}, file.failure()};
    const auto stamp = file->openedStamp();
    if (!stamp)
        return {JournalRecovery{}, stamp.failure()};

    JournalRecovery recovery;
    std::optional<RollbackJournal> restoring;
    // Only the file's own journal is looked at: one look, whatever else the folder holds.
    if (const auto own = JournalPathFor(stamp.value())) {
        const auto kind = KindOfPath(own.value());
        if (kind && kind.value() != EntryKind::Missing)
            recovery = PreviewJournal(own.value(), path, file.value(), restoring);
    }

    FileByteSource source(file.value(), stamp->size);
    std::optional<RestoredBytes> restored;
    if (restoring)
        restored.emplace(source, *restoring);
    auto contents =
        ReadRunFile(restored ? static_cast<ByteSource &>(*restored) : source, model, observer);
    if (contents)
        contents->stamp = stamp.value();
    return {recovery, std::move(contents)};
}

} // namespace

RunFileRead ReadRunFileAfterJournal(const QString &path, Model model, PendingSave pending,
                                    const ScanObserver &observer)
{
    if (pending == PendingSave::LeaveAsIs)
        return readLeavingJournal(path, model, observer);
    JournalRecovery recovery = RecoverPendingJournal(path);
    return {std::move(recovery), ReadRunFileAt(path, model, observer)};
}

} // namespace quenloft
