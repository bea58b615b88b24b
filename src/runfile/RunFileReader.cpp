#include "runfile/RunFileReader.h"

#include "runfile/Cp1252.h"
#include "runfile/FieldCodec.h"
#include "runfile/RunFileLayout.h"
#include "support/General.h"
#include "support/NumberText.h"

#include <QDate>
#include <QTime>

#include <array>
#include <cstring>

namespace quenloft {
namespace {

Result<QByteArray> readField(ByteSource &source, const FieldLayout &field)
{
    QByteArray bytes(field.length, Qt::Uninitialized);
    const auto n = source.readAt(field.offset, bytes.data(), field.length);
    if (!n)
        return n.failure();
    if (n.value() != field.length)
        return Failure{InputPastEnd, QStringLiteral("The file ended inside a header field")};
    return bytes;
}

// The bytes of `field` inside `block`, which was read from `blockOffset`.
QByteArrayView fieldIn(const QByteArray &block, qint64 blockOffset, const FieldLayout &field)
{
    return QByteArrayView(block).sliced(field.offset - blockOffset, field.length);
}

Failure tooShort(Model model, qint64 size, qint64 needed)
{
    return Failure{InputPastEnd,
                   QStringLiteral("The file is too short for a %1 run file (%2 bytes; its vehicle "
                                  "data needs at least %3)")
                       .arg(ModelName(model))
                       .arg(size)
                       .arg(needed)};
}

// Reads through the file in a fixed window, so a scan of any size holds at most
// ScanBufferSize bytes of it.
class WindowReader
{
public:
    WindowReader(ByteSource &source, const ScanObserver &observer)
        : m_source(source), m_observer(observer), m_size(source.size()),
          m_buffer(int(qMin<qint64>(ScanBufferSize, qMax<qint64>(source.size(), 1))),
                   Qt::Uninitialized)
    {
    }

    // The byte at `pos`, -1 past the end of the file, -2 after a failure.
    int byteAt(qint64 pos)
    {
        if (pos >= m_size)
            return -1;
        if (pos < m_start || pos >= m_start + m_length) {
            if (!fill(pos))
                return -2;
        }
        return static_cast<quint8>(m_buffer.constData()[pos - m_start]);
    }

    // Makes the `length` bytes at `pos` readable from the window when the file holds them;
    // nullptr at the end of the file or after a failure.
    const quint8 *window(qint64 pos, qint64 length)
    {
        if (pos + length > m_size)
            return nullptr;
        if (pos < m_start || pos + length > m_start + m_length) {
            if (!fill(pos) || pos + length > m_start + m_length)
                return nullptr;
        }
        return reinterpret_cast<const quint8 *>(m_buffer.constData()) + (pos - m_start);
    }

    // One past the last byte of the window.
    [[nodiscard]] const quint8 *windowEnd() const
    {
        return reinterpret_cast<const quint8 *>(m_buffer.constData()) + m_length;
    }

    [[nodiscard]] const std::optional<Failure> &failure() const { return m_failure; }

private:
    bool fill(qint64 pos)
    {
        if (m_observer && !m_observer(pos, m_size)) {
            m_failure = Failure{LoadAbandoned, QStringLiteral("The load was abandoned")};
            return false;
        }
        const auto n = m_source.readAt(pos, m_buffer.data(), m_buffer.size());
        if (!n) {
            m_failure = n.failure();
            return false;
        }
        if (n.value() == 0) {
            m_failure =
                Failure{InputPastEnd, QStringLiteral("The file became shorter while it was read")};
            return false;
        }
        m_start = pos;
        m_length = n.value();
        return true;
    }

    ByteSource &m_source;
    const ScanObserver &m_observer;
    const qint64 m_size;
    QByteArray m_buffer;
    qint64 m_start = 0;
    qint64 m_length = 0;
    std::optional<Failure> m_failure;
};

// Walks the chain of run-data records that starts at `start` (0-based), counting records,
// listing damaged ones and reading the notes block that ends the chain.
std::optional<Failure> scanRunData(ByteSource &source, qint64 start, NoxContents &nox,
                                   const ScanObserver &observer)
{
    WindowReader reader(source, observer);
    const int first = reader.byteAt(start);
    if (first == -2)
        return reader.failure();
    if (first <= 0) // no run data, or the file ends before it
        return std::nullopt;

    const int L = first;
    nox.recordLength = quint8(L);
    const qint64 step = 1 + L + NoxLayout::SeparatorLength;

    auto damaged = [&nox](qint64 separatorPosition) {
        ++nox.damagedCount;
        if (nox.damagedPositions.size() < MaxListedDamagedRecords)
            nox.damagedPositions.append(separatorPosition);
    };
    // A length byte that is not L ends the chain with the notes block, which lies at the end
    // of the file: a rewritten block leaves at most the 255 bytes of an older, longer one
    // after its NUL. One followed by more is a damaged length byte inside the run data: it
    // is listed as damage and the walk goes on as if it held L, so the records after it are
    // counted and a notes block is never looked for in the middle of the run data.
    const qint64 size = source.size();
    auto endsTheChain = [&](qint64 at, int length) {
        if (size - (at + 1 + length + 1) <= MaxBytesAfterNotes)
            return true;
        ++nox.brokenLengthBytes;
        damaged(at + 1);
        return false;
    };
    auto readNotes = [&](qint64 at, int length) -> std::optional<Failure> {
        nox.notesPos = at + 1;
        QByteArray notes(length, Qt::Uninitialized);
        const auto n = source.readAt(at + 1, notes.data(), length);
        if (!n)
            return n.failure();
        notes.truncate(n.value()); // a notes block cut off keeps what is there
        nox.notes = NotesOfBytes(notes);
        return std::nullopt;
    };

    // A sound record is followed by 00 00 00 and the next length byte L: one 32-bit compare
    // checks a separator and finds the next record.
    const quint8 soundTail[4] = {0, 0, 0, quint8(L)};
    quint32 expectedTail;
    std::memcpy(&expectedTail, soundTail, 4);

    qint64 pos = start; // a length byte known to be L
    for (;;) {
        if (const quint8 *p = reader.window(pos, step + 1)) {
            const quint8 *const first = p;
            const quint8 *const end = reader.windowEnd();
            // Counted in a local: the byte pointer may alias the contents' fields.
            qint64 records = 0;
            auto tailAt = [&](const quint8 *record) {
                quint32 tail;
                std::memcpy(&tail, record + 1 + L, 4);
                return tail ^ expectedTail;
            };
            while (end - p > step) {
                // Four sound records at a time where they lie in the window.
                if (end - p > 4 * step && (tailAt(p) | tailAt(p + step) | tailAt(p + 2 * step) |
                                           tailAt(p + 3 * step)) == 0) {
                    records += 4;
                    p += 4 * step;
                    continue;
                }
                ++records;
                const quint32 mismatch = tailAt(p);
                p += step;
                if (mismatch != 0) {
                    const quint8 *separator = p - NoxLayout::SeparatorLength;
                    if ((separator[0] | separator[1] | separator[2]) != 0)
                        damaged(pos + (p - first) - NoxLayout::SeparatorLength + 1);
                    if (*p != L && endsTheChain(pos + (p - first), *p)) {
                        nox.numRecords += records;
                        return readNotes(pos + (p - first), *p);
                    }
                }
            }
            nox.numRecords += records;
            pos += p - first;
            continue; // the window is used up: move it on
        }
        if (reader.failure())
            return reader.failure();

        // The last record of the file, whole or cut off, and what follows it.
        ++nox.numRecords;
        bool sound = true;
        for (qint64 i = pos + 1 + L; i < pos + step; ++i) {
            const int b = reader.byteAt(i);
            if (b == -2)
                return reader.failure();
            sound = sound && b == 0; // a separator cut off by the end of the file is damaged
        }
        if (!sound)
            damaged(pos + 1 + L + 1);
        pos += step;
        const int next = reader.byteAt(pos);
        if (next == -2)
            return reader.failure();
        if (next == -1)
            return std::nullopt; // the file ends where a length byte should be: no notes
        if (next != L && endsTheChain(pos, next))
            return readNotes(pos, next);
    }
}

// Every field the reader decodes the same way from a block read from `blockOffset`.
std::optional<Failure> readFields(const QByteArray &block, qint64 blockOffset,
                                  RunFileContents &contents, float fileVersion = 0.0f)
{
    for (const StoredField *field : FieldsOf(contents.model)) {
        if (fileVersion < field->sinceVersion)
            continue;
        const auto set =
            SetValue(contents, *field, DecodeField(*field, fieldIn(block, blockOffset, *field)));
        if (!set)
            return set.failure();
    }
    return std::nullopt;
}

Result<RunFileContents> readNox(ByteSource &source, RunFileContents contents,
                                const ScanObserver &observer)
{
    NoxContents &nox = contents.nox;
    if (source.size() < NoxLayout::MinimumSize)
        return tooShort(Model::Nox, source.size(), NoxLayout::MinimumSize);

    // Every header field lies in the first bytes, the version area last.
    const auto header = readField(source, {0, int(NoxLayout::MinimumSize), Encoding::U8});
    if (!header)
        return header.failure();
    const QString area =
        StripNulls(DecodeCp1252(fieldIn(header.value(), 0, NoxLayout::VersionArea)), true);
    const QString tag = QString::fromLatin1(VersionTag);
    nox.versionTagKnown = area.left(tag.size()).toUpper() == tag;
    nox.versionText = area.mid(tag.size());
    const bool v111 = nox.versionTagKnown && nox.versionText == u"1.1.1";
    nox.runDataStart = (v111 ? NoxLayout::RunDataOffsetV111 : NoxLayout::RunDataOffset) + 1;
    const auto version = FileVersionFromText(nox.versionText);
    if (!version)
        return Failure{
            TypeMismatch,
            QStringLiteral("The version text \"%1\" is not a number").arg(nox.versionText)};
    nox.fileVersion = *version;
    if (auto failure = readFields(header.value(), 0, contents, nox.fileVersion))
        return *failure;

    if (auto failure = scanRunData(source, nox.runDataStart - 1, nox, observer))
        return *failure;
    return contents;
}

Result<RunFileContents> readSolvane(ByteSource &source, RunFileContents contents)
{
    SolvaneContents &s = contents.solvane;
    if (source.size() < SolvaneLayout::MinimumSize)
        return tooShort(Model::Solvane, source.size(), SolvaneLayout::MinimumSize);

    // Every field lies between the start of the notes and the end of the weight.
    const FieldLayout fields{SolvaneLayout::Notes.offset,
                             int(SolvaneLayout::Weight.end() - SolvaneLayout::Notes.offset),
                             Encoding::U8};
    const auto block = readField(source, fields);
    if (!block)
        return block.failure();

    const QByteArrayView date = fieldIn(block.value(), fields.offset, SolvaneLayout::RunDate);
    std::array<int, 6> d{};
    for (int i = 0; i < 6; ++i)
        d[size_t(i)] = quint8(date[i]);
    if (d != std::array<int, 6>{}) {
        const QDate day(2000 + d[2], d[0], d[1]);
        const QTime time(d[3], d[4], d[5]);
        if (!day.isValid() || !time.isValid())
            return Failure{TypeMismatch,
                           QStringLiteral("The run date (month %1, day %2, year %3, %4:%5:%6) is "
                                          "not a valid date and time")
                               .arg(d[0])
                               .arg(d[1])
                               .arg(2000 + d[2])
                               .arg(d[3])
                               .arg(d[4], 2, 10, QChar(u'0'))
                               .arg(d[5], 2, 10, QChar(u'0'))};
        // The meter's wall-clock reading: held as UTC so that no local time zone shifts it or
        // drops it in a daylight-saving gap.
        s.runDate = QDateTime(day, time, Qt::UTC);
    }

    if (auto failure = readFields(block.value(), fields.offset, contents))
        return *failure;
    s.notes = TextOfField(fieldIn(block.value(), fields.offset, SolvaneLayout::Notes));
    return contents;
}

} // namespace

std::optional<float> FileVersionFromText(const QString &text)
{
    QString number = text;
    const qsizetype blank = number.indexOf(u' ', 1);
    if (blank > 0)
        number.truncate(blank);
    const qsizetype point = number.indexOf(u'.');
    if (point >= 0 && point != number.size() - 1) {
        const qsizetype second = number.indexOf(u'.', point + 1);
        if (second >= 0)
            number.remove(second, 1);
    }
    return ParseSingle(number);
}

Result<RunFileContents> ReadRunFile(ByteSource &source, Model model, const ScanObserver &observer)
{
    RunFileContents contents;
    contents.model = model;
    if (model == Model::Nox)
        return readNox(source, std::move(contents), observer);
    return readSolvane(source, std::move(contents));
}

Result<RunFileContents> ReadRunFileAt(const QString &path, Model model,
                                      const ScanObserver &observer)
{
    auto file = NativeFile::open(path, NativeFile::Mode::Read);
    if (!file)
        return file.failure();
    const auto stamp = file->openedStamp();
    if (!stamp)
        return stamp.failure();
    FileByteSource source(file.value(), stamp->size);
    auto contents = ReadRunFile(source, model, observer);
    if (contents)
        contents->stamp = stamp.value();
    return contents;
}

} // namespace quenloft
