#include "FuzzCheck.h"
#include "FuzzTargets.h"

#include "fixtures/FaultyTarget.h"
#include "runfile/JournalRecovery.h"
#include "runfile/RollbackJournal.h"

namespace quenloft::fuzz {

int FuzzJournalDecoder(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto journal = DecodeJournal(bytes);
    if (!journal)
        return 0;
    FUZZ_CHECK(EncodeJournal(journal.value()) == bytes, "a journal decodes to what encodes it");
    if (journal->file.size > 4096)
        return 0;
    // Checking and applying it to a file of its size never reads or writes out of bounds.
    fixtures::FaultyTarget file(QByteArray(qsizetype(journal->file.size), 'x'));
    const auto fit = FitOfJournal(file, file.bytes.size(), journal.value());
    if (fit && fit.value() != JournalFit::Mismatched)
        (void)RestoreRanges(file, journal->file.size, false, journal->ranges);
    return 0;
}

} // namespace quenloft::fuzz
