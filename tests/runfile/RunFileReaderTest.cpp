#include "runfile/RunFileReader.h"
#include "runfile/RunFileWriter.h"

#include "fixtures/QtPrinters.h"
#include "fixtures/RunFileBuilder.h"
#include "runfile/RunFileLayout.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace quenloft {
namespace {

using fixtures::NoxFileBuilder;
using fixtures::SolvaneFileBuilder;

// Reads bytes in memory and remembers the furthest position it was asked to start a read at.
class WatchedSource final : public ByteSource
{
public:
    explicit WatchedSource(const QByteArray &bytes) : m_bytes(bytes), m_inner(m_bytes) {}
    [[nodiscard]] qint64 size() const override { return m_inner.size(); }
    Result<qint64> readAt(qint64 offset, char *buffer, qint64 length) override
    {
        furthestStart = qMax(furthestStart, offset);
        return m_inner.readAt(offset, buffer, length);
    }
    qint64 furthestStart = 0;

private:
    QByteArray m_bytes;
    MemoryByteSource m_inner;
};

Result<RunFileContents> read(const QByteArray &bytes, Model model,
                             const ScanObserver &observer = {})
{
    WatchedSource source(bytes);
    auto result = ReadRunFile(source, model, observer);
    EXPECT_LE(source.furthestStart, bytes.size()) << "read started beyond the end of the file";
    return result;
}

Result<RunFileContents> readNox(const NoxFileBuilder &builder)
{
    return read(builder.build(), Model::Nox);
}

TEST(ModelFromFileName, LastThreeCharactersInAnyCaseDecide)
{
    const struct
    {
        const char *name;
        Model model;
        bool runFile;
    } rows[] = {
        {"run.kvp", Model::Nox, true},      {"RUN.KVP", Model::Nox, true},
        {"run.KvP", Model::Nox, true},      {"run.kvs", Model::Solvane, true},
        {"run.dat", Model::Solvane, false}, {"kvp", Model::Nox, false},
        {"", Model::Solvane, false},        {"run.kvp.bak", Model::Solvane, false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ModelFromFileName(QString::fromLatin1(row.name)), row.model);
        EXPECT_EQ(IsRunFileName(QString::fromLatin1(row.name)), row.runFile);
    }
}

TEST(FileVersionFromText, SecondPointRemovedAndCutAtTheFirstBlank)
{
    const struct
    {
        const char *text;
        std::optional<float> version;
    } rows[] = {
        {"1.1.1", 1.11f}, {"2.0.3", 2.03f},   {"2.0", 2.0f},
        {"1.5", 1.5f},    {"2.0 beta", 2.0f}, {"2.0.3 rc 1", 2.03f},
        {"3", 3.0f},      {"2.", 2.0f},       {"1.2.3.4", {}},
        {"", {}},         {"abc", {}},        {"v2.0", {}},
        {" 2.0", 2.0f},   {"2 .5", 2.0f},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(FileVersionFromText(QString::fromLatin1(row.text)), row.version);
    }
}

TEST(RunFileLayout, FieldsAreReadFromTheirDocumentedOffsets)
{
    // Built byte by byte rather than with the builder, which shares the reader's layout table.
    auto put = [](QByteArray &bytes, qsizetype offset, const QByteArray &value) {
        bytes.replace(offset, value.size(), value);
    };
    QByteArray nox(400, '\0');
    put(nox, 19, "Run");
    put(nox, 76, QByteArray::fromHex("0c"));
    put(nox, 131, "Car");
    put(nox, 147, QByteArray::fromHex("0bb8 78 00 1b58 1964"));
    put(nox, 272, "VEXAVERSION2.0");
    const auto n = read(nox, Model::Nox);
    ASSERT_TRUE(n.ok());
    EXPECT_EQ(n->nox.runName, QStringLiteral("Run"));
    EXPECT_EQ(n->nox.pitchFactor, 12);
    EXPECT_EQ(n->nox.vehicleName, QStringLiteral("Car"));
    EXPECT_EQ(n->nox.weight, 3000);
    EXPECT_EQ(n->nox.rolloutLength, 120);
    EXPECT_EQ(n->nox.redline, 7000);
    EXPECT_EQ(n->nox.shiftPoint, 6500);
    EXPECT_EQ(n->nox.versionText, QStringLiteral("2.0"));

    QByteArray solvane(8076, '\0');
    put(solvane, 7940, " Notes");
    put(solvane, 7992, QByteArray::fromHex("030705 0e0509"));
    put(solvane, 8004, QByteArray::fromHex("9600 23 0f"));
    put(solvane, 8074, QByteArray::fromHex("dc05"));
    const auto s = read(solvane, Model::Solvane);
    ASSERT_TRUE(s.ok());
    EXPECT_EQ(s->solvane.notes, QStringLiteral("Notes"));
    EXPECT_EQ(s->solvane.runDate, QDateTime({2005, 3, 7}, {14, 5, 9}, Qt::UTC));
    EXPECT_EQ(s->solvane.frontalArea, 150);
    EXPECT_EQ(s->solvane.coeffOfDrag, 35);
    EXPECT_EQ(s->solvane.drivelineLoss, 15);
    EXPECT_EQ(s->solvane.weight, 1500);
}

TEST(NoxReader, VersionDecidesRunDataStartAndPitchFactor)
{
    const struct
    {
        const char *name;
        NoxFileBuilder file;
        bool tagKnown;
        const char *versionText;
        float version;
        qint64 runDataStart; // 1-based
        bool hasPitch;
    } rows[] = {
        {"version 1.1.1 starts run data at 310", NoxFileBuilder().version("1.1.1"), true, "1.1.1",
         1.11f, 311, false},
        {"version 2.0 starts run data at 311 and has a pitch factor",
         NoxFileBuilder().version("2.0"), true, "2.0", 2.0f, 312, true},
        {"version 1.5 has no pitch factor", NoxFileBuilder().version("1.5"), true, "1.5", 1.5f, 312,
         false},
        {"version 2.0.3 reads as 2.03", NoxFileBuilder().version("2.0.3"), true, "2.0.3", 2.03f,
         312, true},
        {"the tag is compared without regard to case",
         NoxFileBuilder().versionArea("vexaVersion2.1"), true, "2.1", 2.1f, 312, true},
        {"blanks and NULs around the area are removed",
         NoxFileBuilder().versionArea(QByteArrayLiteral("\0 VEXAVERSION1.9 ")), true, "1.9", 1.9f,
         312, false},
        {"without a tag the version number still comes from the 12th character on",
         NoxFileBuilder().versionArea("UNTAGGEDXXX2.5"), false, "2.5", 2.5f, 312, true},
        {"without a tag 1.1.1 does not move the run data",
         NoxFileBuilder().versionArea("UNTAGGEDXXX1.1.1").records(2, 9), false, "1.1.1", 1.11f, 312,
         false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const auto result = readNox(row.file);
        ASSERT_TRUE(result.ok()) << result.failure().description.toStdString();
        const NoxContents &nox = result->nox;
        EXPECT_EQ(nox.versionTagKnown, row.tagKnown);
        EXPECT_EQ(nox.versionText, QString::fromLatin1(row.versionText));
        EXPECT_EQ(nox.fileVersion, row.version);
        EXPECT_EQ(nox.runDataStart, row.runDataStart);
        EXPECT_EQ(nox.pitchFactor, row.hasPitch ? std::optional<quint8>(12) : std::nullopt);
    }
}

TEST(NoxReader, AVersionThatIsNotANumberFailsTheLoad)
{
    for (const QByteArray &area :
         {QByteArrayLiteral("VEXAVERSIONabc"), QByteArrayLiteral("VEXAVERSION1.2.3.4"),
          QByteArrayLiteral("VEXAVERSION"), QByteArray()}) {
        SCOPED_TRACE(area.toStdString());
        const auto result = readNox(NoxFileBuilder().versionArea(area));
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(result.failure().number, TypeMismatch);
    }
}

TEST(NoxReader, TextFieldsEndAtTheirFirstNulAndNeverShowTheFill)
{
    const QByteArray full48(48, 'x');
    const struct
    {
        const char *name;
        QByteArray field; // the whole 48 bytes
        QString expected;
    } rows[] = {
        {"text, NUL and 0xFF fill", fixtures::textField("Test", 48), QStringLiteral("Test")},
        {"bytes after the NUL are not part of the text",
         QByteArrayLiteral("AB\0CD") + QByteArray(43, char(0xFF)), QStringLiteral("AB")},
        {"blanks around the text are removed", fixtures::textField("  Run 1  ", 48),
         QStringLiteral("Run 1")},
        {"a field filled to the end has no NUL", full48, QString::fromLatin1(full48)},
        {"a leading NUL leaves no text", QByteArrayLiteral("\0Hidden") + QByteArray(41, '\0'),
         QString()},
        {"0xFF fill without a NUL is text", QByteArrayLiteral("A") + QByteArray(47, char(0xFF)),
         QStringLiteral("A") + QString(47, QChar(0xFF))},
        {"bytes are read in Windows-1252", fixtures::textField("5\x80 run", 48),
         QStringLiteral("5\u20AC run")},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        QByteArray bytes = NoxFileBuilder().build();
        bytes.replace(NoxLayout::RunName.offset, 48, row.field);
        const auto result = read(bytes, Model::Nox);
        ASSERT_TRUE(result.ok());
        EXPECT_EQ(result->nox.runName, row.expected);
    }
}

TEST(NoxReader, RunDataWalkCountsRecordsFindsDamageAndReadsTheNotes)
{
    const NoxFileBuilder sound = NoxFileBuilder().version("1.1.1").records(3, 20).notes("Hello");
    const NoxFileBuilder damaged =
        NoxFileBuilder().records(4, 10).separator(1, QByteArray::fromHex("000100")).notes("N");
    const NoxFileBuilder twoDamaged = NoxFileBuilder()
                                          .records(5, 7)
                                          .separator(0, QByteArray::fromHex("010000"))
                                          .separator(3, QByteArray::fromHex("000001"));
    const NoxFileBuilder noRunData = NoxFileBuilder().records(0, 0);
    const NoxFileBuilder noNotes = NoxFileBuilder().records(2, 30);
    // Notes of exactly L bytes look like one more record, whose separator the NUL
    // terminator starts and the end of the file cuts off.
    const NoxFileBuilder notesOfLengthL = NoxFileBuilder().records(2, 5).notes("ABCDE");
    const NoxFileBuilder emptyNotes = NoxFileBuilder().records(1, 5).notes("");

    const struct
    {
        const char *name;
        const NoxFileBuilder &file;
        quint8 recordLength;
        qint64 records;
        QList<qint64> damaged; // 1-based
        qint64 notesPos;       // 1-based
        QString notes;
    } rows[] = {
        {"three sound records and a notes block",
         sound,
         20,
         3,
         {},
         sound.notesOffset() + 1,
         QStringLiteral("Hello")},
        {"a bad separator is listed by its first byte",
         damaged,
         10,
         4,
         {damaged.separatorOffset(1) + 1},
         damaged.notesOffset() + 1,
         QStringLiteral("N")},
        {"damaged records are listed in order",
         twoDamaged,
         7,
         5,
         {twoDamaged.separatorOffset(0) + 1, twoDamaged.separatorOffset(3) + 1},
         0,
         QString()},
        {"a first length byte of 0 means no run data and no notes",
         noRunData,
         0,
         0,
         {},
         0,
         QString()},
        {"run data up to the end of the file has no notes block", noNotes, 30, 2, {}, 0, QString()},
        {"notes of exactly L bytes read as a record",
         notesOfLengthL,
         5,
         3,
         {notesOfLengthL.notesOffset() + 1 + 5 + 1},
         0,
         QString()},
        {"an empty notes block", emptyNotes, 5, 1, {}, emptyNotes.notesOffset() + 1, QString()},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const auto result = readNox(row.file);
        ASSERT_TRUE(result.ok()) << result.failure().description.toStdString();
        const NoxContents &nox = result->nox;
        EXPECT_EQ(nox.recordLength, row.recordLength);
        EXPECT_EQ(nox.numRecords, row.records);
        EXPECT_EQ(nox.damagedPositions, row.damaged);
        EXPECT_EQ(nox.damagedCount, row.damaged.size());
        EXPECT_EQ(nox.notesPos, row.notesPos);
        EXPECT_EQ(nox.notes, row.notes);
    }
}

TEST(NoxReader, ALengthByteDamagedInsideTheRunDataIsDamageNotTheStartOfTheNotes)
{
    constexpr int L = 20;
    const NoxFileBuilder withNotes = NoxFileBuilder().records(60, L).notes("Real notes");
    const NoxFileBuilder withoutNotes = NoxFileBuilder().records(60, L);
    const auto lengthByteOf = [](const NoxFileBuilder &b, int record) {
        return b.separatorOffset(record) - L - 1;
    };
    // The value that leaves `after` bytes behind a notes block starting at `offset`.
    const auto leaving = [](const QByteArray &bytes, qint64 offset, qint64 after) {
        return char(bytes.size() - offset - 2 - after);
    };
    const struct
    {
        const char *name;
        const NoxFileBuilder &file;
        int record;                                    // whose length byte changes
        std::function<char(const QByteArray &)> value; // to this
        qint64 records;
        bool damaged;
        QString notes;
    } rows[] = {
        {"in the middle, with the notes block at the end", withNotes, 30,
         [](const QByteArray &) { return char(5); }, 60, true, QStringLiteral("Real notes")},
        {"in the middle, without notes", withoutNotes, 30,
         [](const QByteArray &) { return char(5); }, 60, true, QString()},
        {"257 bytes after the block it would start", withoutNotes, 40,
         [&](const QByteArray &b) { return leaving(b, lengthByteOf(withoutNotes, 40), 257); }, 60,
         true, QString()},
        {"256 bytes: it may be a rewritten notes block", withoutNotes, 40,
         [&](const QByteArray &b) { return leaving(b, lengthByteOf(withoutNotes, 40), 256); }, 40,
         false, QString()},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        QByteArray bytes = row.file.build();
        const qint64 at = lengthByteOf(row.file, row.record);
        bytes[at] = row.value(bytes);
        ASSERT_NE(bytes[at], char(L));
        MemoryByteSource source(bytes);
        const auto result = ReadRunFile(source, Model::Nox);
        ASSERT_TRUE(result.ok());
        const NoxContents &nox = result->nox;
        EXPECT_EQ(nox.numRecords, row.records);
        EXPECT_EQ(nox.damagedPositions.contains(at + 1), row.damaged);
        if (row.damaged) {
            EXPECT_EQ(nox.notes, row.notes);
            EXPECT_NE(nox.notesPos, at + 1) << "never a notes block there";
            if (row.notes.isEmpty()) {
                // Changed notes have no place, and the save says why.
                RunFileContents wanted = result.value();
                wanted.nox.notes = QStringLiteral("hello");
                const auto plan = PlanSave(result.value(), wanted);
                ASSERT_FALSE(plan.ok());
                EXPECT_TRUE(plan.failure().description.contains(QStringLiteral("damaged")));
            }
        }
    }
}

TEST(NoxReader, NotesLineBreaksAndNulsBecomeCrLf)
{
    const auto result =
        readNox(NoxFileBuilder().records(1, 8).notes(QByteArrayLiteral("A\rB\0C\r\x80")));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->nox.notes, QStringLiteral("A\r\nB\r\nC\r\n\u20AC"));
}

TEST(NoxReader, EveryTruncationOfASmallFileLoadsWhatIsThereOrFailsCleanly)
{
    // Records of 4 bytes from offset 311: record r has its length byte at 311 + 8r and its
    // separator at 316 + 8r .. 318 + 8r; the notes length byte is at 335.
    const NoxFileBuilder builder = NoxFileBuilder().records(3, 4).notes("Hi");
    const QByteArray full = builder.build();
    ASSERT_EQ(builder.notesOffset(), 335);
    ASSERT_EQ(full.size(), 339);

    for (qsizetype size = 0; size <= full.size(); ++size) {
        SCOPED_TRACE(size);
        const auto result = read(full.left(size), Model::Nox);
        if (size < NoxLayout::VersionArea.end()) {
            ASSERT_FALSE(result.ok());
            EXPECT_EQ(result.failure().number, InputPastEnd);
            EXPECT_TRUE(result.failure().description.contains(QStringLiteral("too short")));
            continue;
        }
        ASSERT_TRUE(result.ok()) << result.failure().description.toStdString();
        const NoxContents &nox = result->nox;
        qint64 records = 0;
        QList<qint64> damaged;
        for (int r = 0; r < 3; ++r) {
            if (311 + 8 * r < size) {
                ++records;
                if (318 + 8 * r >= size) // the separator does not fit: damaged
                    damaged.append(316 + 8 * r + 1);
            }
        }
        EXPECT_EQ(nox.recordLength, size > 311 ? 4 : 0);
        EXPECT_EQ(nox.numRecords, records);
        EXPECT_EQ(nox.damagedPositions, damaged);
        EXPECT_EQ(nox.notesPos, size > 335 ? 336 : 0);
        EXPECT_EQ(nox.notes, QStringLiteral("Hi").left(qMax<qsizetype>(0, size - 336)));
    }
}

TEST(NoxReader, AnObserverThatSaysStopAbandonsTheLoad)
{
    const QByteArray bytes = NoxFileBuilder().records(50, 100).build();
    qint64 total = -1;
    const auto carriedOn = read(bytes, Model::Nox, [&](qint64, qint64 t) {
        total = t;
        return true;
    });
    ASSERT_TRUE(carriedOn.ok());
    EXPECT_EQ(carriedOn->nox.numRecords, 50);
    EXPECT_EQ(total, bytes.size());

    const auto stopped = read(bytes, Model::Nox, [](qint64, qint64) { return false; });
    ASSERT_FALSE(stopped.ok());
    EXPECT_EQ(stopped.failure().number, LoadAbandoned);
}

TEST(SolvaneReader, RunDateBytesGiveADateAndTimeOrNone)
{
    const struct
    {
        const char *name;
        int month, day, year, hour, minute, second;
        bool loads;
        std::optional<QDateTime> expected;
    } rows[] = {
        {"an afternoon", 3, 7, 5, 14, 5, 9, true, QDateTime({2005, 3, 7}, {14, 5, 9}, Qt::UTC)},
        {"midnight", 1, 1, 0, 0, 0, 0, true, QDateTime({2000, 1, 1}, {0, 0, 0}, Qt::UTC)},
        {"the last second of a leap day", 2, 29, 24, 23, 59, 59, true,
         QDateTime({2024, 2, 29}, {23, 59, 59}, Qt::UTC)},
        {"the latest year a byte holds", 12, 31, 255, 12, 0, 0, true,
         QDateTime({2255, 12, 31}, {12, 0, 0}, Qt::UTC)},
        {"six zero bytes hold no date", 0, 0, 0, 0, 0, 0, true, std::nullopt},
        {"month 13", 13, 1, 5, 0, 0, 0, false, {}},
        {"month 0 with a time", 0, 1, 5, 1, 0, 0, false, {}},
        {"February 30", 2, 30, 5, 0, 0, 0, false, {}},
        {"February 29 of a common year", 2, 29, 23, 0, 0, 0, false, {}},
        {"hour 24", 3, 7, 5, 24, 0, 0, false, {}},
        {"minute 60", 3, 7, 5, 1, 60, 0, false, {}},
        {"second 60", 3, 7, 5, 1, 0, 60, false, {}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const auto result =
            read(SolvaneFileBuilder()
                     .runDate(row.month, row.day, row.year, row.hour, row.minute, row.second)
                     .build(),
                 Model::Solvane);
        ASSERT_EQ(result.ok(), row.loads);
        if (row.loads)
            EXPECT_EQ(result->solvane.runDate, row.expected);
        else
            EXPECT_EQ(result.failure().number, TypeMismatch);
    }
}

TEST(SolvaneReader, AFileTooShortForItsFieldsFails)
{
    const QByteArray full = SolvaneFileBuilder().build();
    for (const qsizetype size : {qsizetype(0), qsizetype(100), SolvaneLayout::Weight.offset + 1}) {
        SCOPED_TRACE(size);
        const auto result = read(full.left(size), Model::Solvane);
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(result.failure().number, InputPastEnd);
        EXPECT_TRUE(result.failure().description.contains(QStringLiteral("too short")));
    }
    EXPECT_TRUE(read(full.left(SolvaneLayout::Weight.end()), Model::Solvane).ok());
}

TEST(ReadRunFileAt, ReadsAFileOnDiskAndStampsIt)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("run.kvp"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(NoxFileBuilder().records(2, 10).notes("x").build());
    file.close();

    const auto result = ReadRunFileAt(path, Model::Nox);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->nox.numRecords, 2);
    EXPECT_EQ(result->nox.notes, QStringLiteral("x"));
    EXPECT_EQ(result->stamp, StampOfPath(path).value());

    const auto missing = ReadRunFileAt(dir.filePath(QStringLiteral("gone.kvp")), Model::Nox);
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.failure().number, 2);
    EXPECT_FALSE(ReadRunFileAt(dir.path(), Model::Nox).ok());
}

// A file is read through the head of it held in memory: files that end just before, at
// and just after the end of the head, and a damaged record across it, read as in memory.
TEST(ReadRunFileAt, ReadsAsInMemoryAcrossTheEndOfTheHeadItHolds)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const qint64 head = FileByteSource::HeadSize;
    const int across = int((head - 311) / 44); // the record the head ends in
    QList<QByteArray> files;
    for (int count = across - 1; count <= across + 2; ++count)
        files.append(
            NoxFileBuilder().records(count, 40).separator(across - 1, "\1\1\1").notes("n").build());
    const QByteArray long_ = NoxFileBuilder().records(across * 3, 40).notes("n").build();
    for (const qint64 size : {head - 1, head, head + 1, head + 44})
        files.append(long_.left(size));
    for (const QByteArray &bytes : files) {
        SCOPED_TRACE(bytes.size());
        const QString path = dir.filePath(QStringLiteral("run.kvp"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        const auto onDisk = ReadRunFileAt(path, Model::Nox);
        const auto inMemory = read(bytes, Model::Nox);
        ASSERT_TRUE(onDisk.ok() && inMemory.ok());
        EXPECT_EQ(onDisk->nox.numRecords, inMemory->nox.numRecords);
        EXPECT_EQ(onDisk->nox.damagedPositions, inMemory->nox.damagedPositions);
        EXPECT_EQ(onDisk->nox.notesPos, inMemory->nox.notesPos);
        EXPECT_EQ(onDisk->nox.notes, inMemory->nox.notes);
    }
}

} // namespace
} // namespace quenloft
