// The rollback journal of a save: what a file held in every range a save is about to
// write, kept outside the file until the save is complete, so that a save cut short by
// any fault (a failing disk, a crash, a power cut) can be undone on the next load.
// Encoding and decoding are pure; JournalStore.h keeps journals on disk.
#pragma once

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
    FileStamp file; // the file before the save: identity, size and modification time
    QList<JournalRange> ranges;

    [[nodiscard]] QStringList fields() const;

    friend bool operator==(const RollbackJournal &, const RollbackJournal &) = default;
};

// Journal decoding failures.
enum JournalFailure : qint32 {
    JournalDamaged = 13, // "Invalid Data": wrong format, inconsistent, or a bad checksum
};

// Limits a decoded journal must keep; a save never comes near them.
inline constexpr qsizetype MaxJournalRanges = 256;
inline constexpr qint64 MaxJournalRangeLength = 1 << 16;

// Whether two ranges share a byte; a journal's never do, so any order restores them.
[[nodiscard]] bool RangesOverlap(const QList<JournalRange> &ranges);

[[nodiscard]] QByteArray EncodeJournal(const RollbackJournal &journal);
[[nodiscard]] Result<RollbackJournal> DecodeJournal(QByteArrayView bytes);

} // namespace quenloft
