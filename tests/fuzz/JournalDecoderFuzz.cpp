#include "FuzzCheck.h"
#include "FuzzTargets.h"

#include "fixtures/FaultyTarget.h"
#include "runfile/JournalRecovery.h"
#include "runfile/RollbackJournal.h"
#include "runfile/RunFileWriter.h"

#include <QtEndian>

namespace quenloft::fuzz {
namespace {

// A journal made of the input's bytes, so the checks below also see journals that decode,
// which random bytes with a checksum at the end almost never are.
QByteArray journalFrom(const uint8_t *data, size_t size)
{
    ByteReader in(data, size);
    RollbackJournal journal;
    journal.model = in.take() & 1 ? Model::Solvane : Model::Nox;
    journal.file.size = in.take16() % 9000;
    journal.file.birthNs = in.take();
    journal.path = QStringLiteral("/runs/a.kvp");
    const int count = in.take() % 5;
    for (int i = 0; i < count; ++i) {
        const qint64 offset = in.take16() % (journal.file.size + 1);
        std::size_t length = 1 + in.take() % 40;
        const char *written = in.takeBytes(length);
        if (length == 0)
            break;
        const qint64 inside = qBound<qint64>(0, journal.file.size - offset, qint64(length));
        std::size_t originalLength = std::size_t(inside);
        const char *original = in.takeBytes(originalLength);
        journal.ranges.append({offset, QByteArray(original, qsizetype(originalLength)),
                               QByteArray(written, qsizetype(length)), QStringLiteral("field")});
    }
    return EncodeJournal(journal);
}

} // namespace

int FuzzJournalDecoder(const uint8_t *data, size_t size)
{
    const bool raw = size >= 8 && QByteArrayView(reinterpret_cast<const char *>(data), 8) ==
                                      QByteArrayView("QLFTJRNL");
    const QByteArray bytes = raw ? QByteArray(reinterpret_cast<const char *>(data), qsizetype(size))
                                 : journalFrom(data, size);
    const auto journal = DecodeJournal(bytes);
    if (!journal)
        return 0;
    FUZZ_CHECK(bytes.size() <= MaxJournalSize, "no journal is larger than a save writes");
    // The first format is read too, and written as the current one.
    const bool current = qFromLittleEndian<quint32>(bytes.constData() + 8) == 2;
    FUZZ_CHECK(!current || EncodeJournal(journal.value()) == bytes,
               "a journal decodes to what encodes it");
    if (journal->file.size > 16384)
        return 0;

    // The file as the journal says it was, and as its save left it.
    QByteArray original(qsizetype(journal->file.size), 'x');
    for (const JournalRange &range : journal->ranges)
        original.replace(range.offset, range.original.size(), range.original);
    fixtures::FaultyTarget file(original);
    for (const JournalRange &range : journal->ranges) {
        if (file.bytes.size() < range.offset + range.written.size())
            file.bytes.resize(range.offset + range.written.size());
        file.bytes.replace(range.offset, range.written.size(), range.written);
    }
    const qint64 saved = file.bytes.size();
    FileStamp stamp = journal->file;
    stamp.size = saved;

    const auto fit = FitOfJournal(file, saved, journal.value());
    FUZZ_CHECK(fit && fit.value() != JournalFit::Mismatched, "a journal fits what its save wrote");
    const auto restored =
        RestoreRanges(file, journal->file.size, saved > journal->file.size, journal->ranges);
    FUZZ_CHECK(restored.ok(), "a journal restores on a healthy disk");
    FUZZ_CHECK(file.bytes == original, "restoring puts back exactly the original bytes");

    // A journal taken for its file's never leaves it too short to load.
    if (!WhyJournalIsNotTheFiles(journal.value(), stamp))
        FUZZ_CHECK(journal->file.size >= MinimumFileSize(journal->model),
                   "a journal applied never leaves a file too short to load");
    return 0;
}

} // namespace quenloft::fuzz
