#include "FuzzCheck.h"
#include "FuzzTargets.h"

#include "fixtures/FaultyTarget.h"
#include "runfile/JournalRecovery.h"
#include "runfile/PatchWriter.h"

namespace quenloft::fuzz {

int FuzzPatchFaults(const uint8_t *data, size_t size)
{
    ByteReader in(data, size);
    const unsigned char flags = in.take();
    const int failAt = in.take() % 24;
    const int patchCount = in.take() % 9;
    std::size_t fileSize = in.take16() % 400;
    const char *fileBytes = in.takeBytes(fileSize);
    const QByteArray original(fileBytes, qsizetype(fileSize));

    QList<Patch> patches;
    for (int i = 0; i < patchCount && in.left() > 0; ++i) {
        const qint64 offset = qint64(in.take16() % (fileSize + 1));
        std::size_t length = in.take() % 40;
        const char *bytes = in.takeBytes(length);
        patches.append(
            {offset, QByteArray(bytes, qsizetype(length)), QStringLiteral("field %1").arg(i)});
    }

    fixtures::FaultyTarget target(original);
    target.failAt = failAt;
    target.persistent = flags & 1;
    target.writePartly = flags & 2;
    target.loseAt = (flags & 4) ? in.take() % 24 : 0;
    const FileStamp stamp{qint64(fileSize), 1, 2, 3};
    fixtures::MemoryJournal journal(stamp);
    journal.failKeep = flags & 8;
    journal.failDiscard = flags & 16;
    const bool withJournal = !(flags & 32);

    const auto applied =
        ApplyPatches(target, qint64(fileSize), patches, withJournal ? &journal : nullptr);
    if (applied) {
        QByteArray expected = original;
        for (const Patch &patch : patches) {
            if (expected.size() < patch.offset + patch.bytes.size())
                expected.resize(patch.offset + patch.bytes.size(), '\0');
            expected.replace(patch.offset, patch.bytes.size(), patch.bytes);
        }
        FUZZ_CHECK(target.bytes == expected, "a save reported done holds every patch");
        FUZZ_CHECK(!journal.stored, "a complete save leaves no journal");
        return 0;
    }
    FUZZ_CHECK(!applied.failure().description.isEmpty(), "a failure says why");
    if (applied.failure().number != FilePartlyWritten) {
        FUZZ_CHECK(target.bytes == original, "a failed save leaves the file unchanged");
        return 0;
    }
    if (!withJournal)
        return 0; // only the benchmark saves without a journal
    FUZZ_CHECK(journal.stored.has_value(), "a partly written file keeps its journal");
    const auto decoded = DecodeJournal(*journal.stored);
    FUZZ_CHECK(decoded.ok(), "the journal kept decodes");
    fixtures::FaultyTarget healthy(target.bytes);
    const auto fit = FitOfJournal(healthy, healthy.bytes.size(), decoded.value());
    FUZZ_CHECK(fit.ok() && fit.value() != JournalFit::Mismatched, "the journal fits its file");
    const auto restored = RestoreRanges(healthy, decoded->file.size,
                                        healthy.bytes.size() > decoded->file.size, decoded->ranges);
    FUZZ_CHECK(restored.ok(), "a journal restores on a healthy disk");
    FUZZ_CHECK(healthy.bytes == original, "the journal puts the original bytes back");
    return 0;
}

} // namespace quenloft::fuzz
