#include "runfile/RunFileReader.h"

#include "runfile/ByteCodec.h"
#include "runfile/RunFileLayout.h"
#include "support/Cp1252.h"
#include "support/General.h"
#include "support/NumberText.h"

#include <QDate>
#include <QTime>

#include <array>

namespace quenloft {
namespace {

const QString kCR = QStringLiteral("\r");
const QString kNul = QString(QChar(u'\0'));
const QString kCRLF = QStringLiteral("\r\n");

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

// A text field ends at its first NUL (the writer's terminator; 0xFF fill follows it);
// blanks and NULs at both ends are not part of the text.
QString textOfField(const QByteArray &bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    return StripNulls(DecodeCp1252(QByteArrayView(bytes).first(nul < 0 ? bytes.size() : nul)),
                      true);
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

    // Checks the three separator bytes at `pos`: `sound` is true when all exist and are
    // NUL. Returns -2 after a failure, else 0.
    int separatorAt(qint64 pos, bool &sound)
    {
        sound = true;
        for (int i = 0; i < NoxLayout::SeparatorLength; ++i) {
            const int b = byteAt(pos + i);
            if (b == -2)
                return -2;
            if (b != 0)
                sound = false; // a separator cut off by the end of the file is damaged too
        }
        return 0;
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
    qint64 pos = start;
    int current = L;
    for (;;) {
        if (current != L) {
            nox.notesPos = pos + 1;
            QByteArray notes(current, Qt::Uninitialized);
            const auto n = source.readAt(pos + 1, notes.data(), current);
            if (!n)
                return n.failure();
            notes.truncate(n.value()); // a notes block cut off keeps what is there
            nox.notes = ReplaceAll(ReplaceAll(DecodeCp1252(notes), kCR, kNul), kNul, kCRLF);
            return std::nullopt;
        }
        ++nox.numRecords;
        const qint64 separator = pos + 1 + L;
        bool sound = true;
        if (reader.separatorAt(separator, sound) != 0)
            return reader.failure();
        if (!sound) {
            ++nox.damagedCount;
            if (nox.damagedPositions.size() < MaxListedDamagedRecords)
                nox.damagedPositions.append(separator + 1);
        }
        pos = separator + NoxLayout::SeparatorLength;
        current = reader.byteAt(pos);
        if (current == -2)
            return reader.failure();
        if (current == -1)
            return std::nullopt; // the file ends where a length byte should be: no notes
    }
}

Result<RunFileContents> readNox(ByteSource &source, RunFileContents contents,
                                const ScanObserver &observer)
{
    NoxContents &nox = contents.nox;
    if (source.size() < NoxLayout::MinimumSize)
        return tooShort(Model::Nox, source.size(), NoxLayout::MinimumSize);

    const auto versionArea = readField(source, NoxLayout::VersionArea);
    if (!versionArea)
        return versionArea.failure();
    const QString area = StripNulls(DecodeCp1252(versionArea.value()), true);
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

    const auto runName = readField(source, NoxLayout::RunName);
    if (!runName)
        return runName.failure();
    nox.runName = textOfField(runName.value());

    if (nox.fileVersion >= 2.0f) {
        const auto pitch = readField(source, NoxLayout::PitchFactor);
        if (!pitch)
            return pitch.failure();
        nox.pitchFactor = quint8(BigEndianToLong(pitch.value()));
    }

    const auto vehicleName = readField(source, NoxLayout::VehicleName);
    if (!vehicleName)
        return vehicleName.failure();
    nox.vehicleName = textOfField(vehicleName.value());

    // Weight, rollout length, redline and shift point lie next to each other.
    const FieldLayout numbers{NoxLayout::Weight.offset,
                              int(NoxLayout::ShiftPoint.end() - NoxLayout::Weight.offset),
                              Encoding::U8};
    const auto block = readField(source, numbers);
    if (!block)
        return block.failure();
    const QByteArrayView b(block.value());
    auto at = [&](const FieldLayout &f) { return b.sliced(f.offset - numbers.offset, f.length); };
    nox.weight = quint16(BigEndianToLong(at(NoxLayout::Weight)));
    nox.rolloutLength = quint8(BigEndianToLong(at(NoxLayout::RolloutLength)));
    nox.redline = quint16(BigEndianToLong(at(NoxLayout::Redline)));
    nox.shiftPoint = quint16(BigEndianToLong(at(NoxLayout::ShiftPoint)));

    if (auto failure = scanRunData(source, nox.runDataStart - 1, nox, observer))
        return *failure;
    return contents;
}

Result<RunFileContents> readSolvane(ByteSource &source, RunFileContents contents)
{
    SolvaneContents &s = contents.solvane;
    if (source.size() < SolvaneLayout::MinimumSize)
        return tooShort(Model::Solvane, source.size(), SolvaneLayout::MinimumSize);

    const auto date = readField(source, SolvaneLayout::RunDate);
    if (!date)
        return date.failure();
    std::array<int, 6> d{};
    for (int i = 0; i < 6; ++i)
        d[size_t(i)] = BigEndianToLong(QByteArrayView(date.value()).sliced(i, 1));
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
        s.runDate = QDateTime(day, time);
    }

    const auto area = readField(source, SolvaneLayout::FrontalArea);
    if (!area)
        return area.failure();
    s.frontalArea = quint16(LittleEndianToLong(area.value()));
    const auto drag = readField(source, SolvaneLayout::CoeffOfDrag);
    if (!drag)
        return drag.failure();
    s.coeffOfDrag = quint8(LittleEndianToLong(drag.value()));
    const auto loss = readField(source, SolvaneLayout::DrivelineLoss);
    if (!loss)
        return loss.failure();
    s.drivelineLoss = quint8(LittleEndianToLong(loss.value()));
    const auto weight = readField(source, SolvaneLayout::Weight);
    if (!weight)
        return weight.failure();
    s.weight = quint16(LittleEndianToLong(weight.value()));
    const auto notes = readField(source, SolvaneLayout::Notes);
    if (!notes)
        return notes.failure();
    s.notes = textOfField(notes.value());
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
    const auto stamp = file->stamp();
    if (!stamp)
        return stamp.failure();
    FileByteSource source(file.value(), stamp->size);
    auto contents = ReadRunFile(source, model, observer);
    if (contents)
        contents->stamp = stamp.value();
    return contents;
}

} // namespace quenloft
