#include "runfile/RollbackJournal.h"

#include "support/Crc32.h"

#include <QtEndian>

#include <algorithm>
#include <optional>
#include <utility>

namespace quenloft {
namespace {

// Layout, all integers little-endian:
//   magic "QLFTJRNL", u32 format
//   format 2 only: u8 model (0 Nox, 1 Solvane)
//   u64 device, u64 inode, format 2 only: i64 birth time (ns, 0 unknown),
//   i64 size, i64 modification time (ns)
//   u32 path length (UTF-16 units), the path
//   u32 range count, then per range:
//     i64 offset, u32 written length, u32 original length, u16 field length (UTF-16 units),
//     the field, the original bytes, the written bytes
//   u32 CRC-32 of everything before it
// Format 1, written before journals recorded the model and the birth time, is still read,
// so a save cut short before an upgrade is put back after it.
constexpr char kMagic[8] = {'Q', 'L', 'F', 'T', 'J', 'R', 'N', 'L'};
constexpr quint32 kFormat = 2;
constexpr quint32 kFormatWithoutBirth = 1;

class Writer
{
public:
    template <typename T> void put(T value)
    {
        char bytes[sizeof(T)];
        qToLittleEndian(value, bytes);
        m_bytes.append(bytes, sizeof(T));
    }
    void putText(const QString &text)
    {
        for (const QChar c : text)
            put(quint16(c.unicode()));
    }
    void putBytes(const QByteArray &bytes) { m_bytes.append(bytes); }
    QByteArray &bytes() { return m_bytes; }

private:
    QByteArray m_bytes;
};

class Reader
{
public:
    explicit Reader(QByteArrayView bytes) : m_bytes(bytes) {}

    template <typename T> std::optional<T> get()
    {
        if (m_bytes.size() - m_at < qsizetype(sizeof(T)))
            return std::nullopt;
        const T value = qFromLittleEndian<T>(m_bytes.data() + m_at);
        m_at += sizeof(T);
        return value;
    }
    std::optional<QString> getText(qint64 units)
    {
        if (units < 0 || (m_bytes.size() - m_at) / 2 < units)
            return std::nullopt;
        QString text(units, Qt::Uninitialized);
        for (qint64 i = 0; i < units; ++i)
            text[i] = QChar(*get<quint16>());
        return text;
    }
    std::optional<QByteArray> getBytes(qint64 length)
    {
        if (length < 0 || m_bytes.size() - m_at < length)
            return std::nullopt;
        const QByteArray bytes = m_bytes.sliced(m_at, length).toByteArray();
        m_at += length;
        return bytes;
    }
    [[nodiscard]] bool atEnd() const { return m_at == m_bytes.size(); }

private:
    QByteArrayView m_bytes;
    qsizetype m_at = 0;
};

Failure damaged(const QString &why)
{
    return Failure{JournalDamaged, QStringLiteral("The rollback journal is damaged: %1").arg(why)};
}

// The part of a range that lay inside the file before the save.
qint64 originalLength(qint64 fileSize, qint64 offset, qint64 writtenLength)
{
    return qBound<qint64>(0, fileSize - offset, writtenLength);
}

} // namespace

bool RangesOverlap(const QList<JournalRange> &ranges)
{
    QList<std::pair<qint64, qint64>> spans;
    for (const JournalRange &range : ranges)
        spans.append({range.offset, range.offset + range.written.size()});
    std::sort(spans.begin(), spans.end());
    for (qsizetype i = 1; i < spans.size(); ++i)
        if (spans[i].first < spans[i - 1].second)
            return true;
    return false;
}

QStringList RollbackJournal::fields() const
{
    QStringList names;
    for (const JournalRange &range : ranges)
        names.append(range.field);
    return names;
}

QByteArray EncodeJournal(const RollbackJournal &journal)
{
    Writer w;
    w.putBytes(QByteArray(kMagic, sizeof kMagic));
    w.put(kFormat);
    w.put(quint8(journal.model == Model::Nox ? 0 : 1));
    w.put(quint64(journal.file.device));
    w.put(quint64(journal.file.inode));
    w.put(qint64(journal.file.birthNs));
    w.put(qint64(journal.file.size));
    w.put(qint64(journal.file.modifiedNs));
    w.put(quint32(journal.path.size()));
    w.putText(journal.path);
    w.put(quint32(journal.ranges.size()));
    for (const JournalRange &range : journal.ranges) {
        w.put(qint64(range.offset));
        w.put(quint32(range.written.size()));
        w.put(quint32(range.original.size()));
        w.put(quint16(range.field.size()));
        w.putText(range.field);
        w.putBytes(range.original);
        w.putBytes(range.written);
    }
    w.put(Crc32(w.bytes()));
    return w.bytes();
}

Result<RollbackJournal> DecodeJournal(QByteArrayView bytes)
{
    if (bytes.size() < qsizetype(sizeof kMagic + 4) ||
        bytes.first(sizeof kMagic) != QByteArrayView(kMagic, sizeof kMagic))
        return damaged(QStringLiteral("it is not a rollback journal"));
    const QByteArrayView body = bytes.chopped(4);
    if (Crc32(body) != qFromLittleEndian<quint32>(bytes.data() + body.size()))
        return damaged(QStringLiteral("its checksum does not match its contents"));

    Reader r(body.sliced(sizeof kMagic));
    const auto format = r.get<quint32>();
    if (format != kFormat && format != kFormatWithoutBirth)
        return damaged(QStringLiteral("its format is not one this program reads"));
    const bool current = format == kFormat;
    RollbackJournal journal;
    const auto model = current ? r.get<quint8>() : std::optional<quint8>(0);
    const auto device = r.get<quint64>();
    const auto inode = r.get<quint64>();
    const auto birth = current ? r.get<qint64>() : std::optional<qint64>(0);
    const auto size = r.get<qint64>();
    const auto modified = r.get<qint64>();
    const auto pathLength = r.get<quint32>();
    const auto path = pathLength && *pathLength <= MaxJournalPathLength ? r.getText(*pathLength)
                                                                        : std::optional<QString>();
    const auto count = r.get<quint32>();
    if (!model || !device || !inode || !birth || !size || !modified || !pathLength || !path ||
        !count || *size < 0 || *model > 1)
        return damaged(QStringLiteral("its header is cut short"));
    if (*count > MaxJournalRanges)
        return damaged(QStringLiteral("it lists too many ranges"));
    journal.path = *path;
    journal.file = FileStamp{*size, *modified, *device, *inode, *birth};
    // Format 1 did not record the model: the file's name decided it, as it does at a load.
    journal.model =
        current ? (*model == 0 ? Model::Nox : Model::Solvane) : ModelFromFileName(journal.path);

    for (quint32 i = 0; i < *count; ++i) {
        const auto offset = r.get<qint64>();
        const auto writtenLength = r.get<quint32>();
        const auto originalSize = r.get<quint32>();
        const auto fieldLength = r.get<quint16>();
        const auto field = fieldLength && *fieldLength <= MaxJournalFieldLength
                               ? r.getText(*fieldLength)
                               : std::optional<QString>();
        if (!offset || !writtenLength || !originalSize || !fieldLength || !field)
            return damaged(QStringLiteral("a range is cut short"));
        // Ranges start inside the file (a save writes no holes) and hold exactly the bytes
        // that lay inside the file before the save.
        if (*offset < 0 || *offset > *size || *writtenLength == 0 ||
            *writtenLength > MaxJournalRangeLength ||
            *originalSize != originalLength(*size, *offset, *writtenLength))
            return damaged(QStringLiteral("a range does not fit the file"));
        const auto original = r.getBytes(*originalSize);
        const auto written = r.getBytes(*writtenLength);
        if (!original || !written)
            return damaged(QStringLiteral("a range is cut short"));
        journal.ranges.append({*offset, *original, *written, *field});
    }
    if (!r.atEnd())
        return damaged(QStringLiteral("it holds more than it lists"));
    if (RangesOverlap(journal.ranges))
        return damaged(QStringLiteral("two of its ranges overlap"));
    return journal;
}

} // namespace quenloft
