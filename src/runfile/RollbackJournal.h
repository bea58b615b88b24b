// The rollback journal of a save: what a file held in every range a save is about to
// write, kept outside the file until the save is complete, so that a save cut short by
// any fault (a failing disk, a crash, a power cut) can be undone on the next load.
// Encoding and decoding are pure; JournalStore.h keeps journals on disk.
#pragma once

#include "runfile/Model.h"
#include "support/Errors.h"
#include "support/NativeFile.h"
#include "support/Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

namespace quenloft {

struct JournalRange
{
    qint64 offset = 0;
    QByteArray original; // what the file held there; shorter than `written` where the save
                         // grows the file
    QByteArray written;  // what the save writes there
    QString field;       // what the range holds, for messages

    friend bool operator==(const JournalRange &, const JournalRange &) = default;
};

struct RollbackJournal
{
    QString path;   // the file as the save named it
    FileStamp file; // the file before the save: identity, birth, size and modification time
    QList<JournalRange> ranges;
    Model model = Model::Nox; // the model the file was saved as, which decides what a save
                              // may write and how small the file may be

    [[nodiscard]] QStringList fields() const;

    friend bool operator==(const RollbackJournal &, const RollbackJournal &) = default;
};

// Journal decoding failures.
enum JournalFailure : qint32 {
    JournalDamaged = ErrorInvalidData, // wrong format, inconsistent, or a bad checksum
};

// Limits a decoded journal must keep. A save writes at most one range per field, the
// longest being a notes block (its length byte, 255 note bytes and a NUL).
inline constexpr qsizetype MaxJournalRanges = 16;
inline constexpr qint64 MaxJournalRangeLength = 257;
inline constexpr qint64 MaxJournalPathLength = 32768; // UTF-16 units, a Windows long path
inline constexpr qint64 MaxJournalFieldLength = 64;   // UTF-16 units

// The largest journal a save can write; anything larger is not one of ours.
inline constexpr qint64 MaxJournalSize =
    8 + 4 + 1 + 5 * 8 + 4 + 2 * MaxJournalPathLength + 4 +
    MaxJournalRanges * (8 + 4 + 4 + 2 + 2 * MaxJournalFieldLength + 2 * MaxJournalRangeLength) + 4;

// Whether two ranges share a byte; a journal's never do, so any order restores them.
[[nodiscard]] bool RangesOverlap(const QList<JournalRange> &ranges);

[[nodiscard]] QByteArray EncodeJournal(const RollbackJournal &journal);
[[nodiscard]] Result<RollbackJournal> DecodeJournal(QByteArrayView bytes);

} // namespace quenloft
