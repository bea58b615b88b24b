#include "runfile/RunFileWriter.h"
#include "runfile/PatchWriter.h"

#include "fixtures/FaultyTarget.h"
#include "fixtures/JournalFolder.h"
#include "fixtures/QtPrinters.h"
#include "fixtures/RunFileBuilder.h"
#include "fixtures/SystemCases.h"
#include "fixtures/TestFiles.h"
#include "runfile/JournalRecovery.h"
#include "runfile/RunFileLayout.h"
#include "vehicle/SaveValues.h"
#include "vehicle/VehicleDisplay.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace quenloft {
namespace {

using fixtures::NoxFileBuilder;
using fixtures::SolvaneFileBuilder;

QByteArray hex(const char *digits)
{
    return QByteArray::fromHex(digits);
}

QByteArray ff(int count)
{
    return QByteArray(count, char(0xFF));
}

using fixtures::FaultyTarget;
using fixtures::MemoryJournal;

RunFileContents load(const QByteArray &bytes, Model model)
{
    MemoryByteSource source(bytes);
    auto contents = ReadRunFile(source, model);
    EXPECT_TRUE(contents.ok());
    return contents.ok() ? contents.value() : RunFileContents{};
}

// A save of what the loaded file shows, with the one field shown as `value` (the notes for
// FieldId::Notes).
Result<SavePlan> savingOne(const RunFileContents &loaded, FieldId id, const QString &value,
                           bool metric = true)
{
    VehicleDisplay shown = DisplayOf(loaded, metric);
    if (id == FieldId::Notes)
        shown.notes = value;
    else
        shown.values[id] = value;
    return PlanShownSave(shown.values, shown.notes, metric, loaded);
}

// The patches as "offset:bytes" in their order, e.g. "8006:1d 8007:0f".
std::string listed(const QList<Patch> &patches)
{
    QStringList parts;
    for (const Patch &p : patches)
        parts.append(QString::number(p.offset) + u':' + QString::fromLatin1(p.bytes.toHex()));
    return parts.join(u' ').toStdString();
}

class NoxPatches : public testing::Test
{
protected:
    // Values no row of a test types, so that every typed value is a change.
    NoxFileBuilder m_builder = NoxFileBuilder()
                                   .runName("r")
                                   .vehicleName("v")
                                   .pitchFactorTenths(99)
                                   .weight(9)
                                   .rolloutTenths(99)
                                   .redline(9)
                                   .shiftPoint(9)
                                   .records(2, 10)
                                   .notes("Old notes here");
    QByteArray m_bytes = m_builder.build();
    RunFileContents m_loaded = load(m_bytes, Model::Nox);
};

TEST_F(NoxPatches, EachFieldIsWrittenAsItsStoredBytesAndNothingElse)
{
    const qint64 notes = m_builder.notesOffset();
    const struct
    {
        const char *name;
        FieldId field;
        QString shown;
        qint64 offset;
        QByteArray expected;
    } rows[] = {
        {"run name Test", FieldId::RunName, QStringLiteral("Test"), 19, hex("5465737400") + ff(43)},
        {"a run name of 47 characters keeps its NUL", FieldId::RunName, QString(47, u'x'), 19,
         QByteArray(47, 'x') + '\0'},
        {"run name in Windows-1252", FieldId::RunName, QStringLiteral("\u20AC"), 19,
         hex("8000") + ff(46)},
        {"vehicle name Civic", FieldId::VehicleName, QStringLiteral("Civic"), 131,
         QByteArrayLiteral("Civic") + '\0' + ff(10)},
        {"weight 200 gets a 00 in front", FieldId::Weight, QStringLiteral("200"), 147, hex("00c8")},
        {"weight 65535", FieldId::Weight, QStringLiteral("65535"), 147, hex("ffff")},
        {"a typed fraction is rounded", FieldId::Weight, QStringLiteral("1234.6"), 147,
         hex("04d3")},
        {"a half goes to the even neighbour", FieldId::Weight, QStringLiteral("1234.5"), 147,
         hex("04d2")},
        {"redline 7000", FieldId::Redline, QStringLiteral("7000"), 151, hex("1b58")},
        {"shift point 255", FieldId::ShiftPoint, QStringLiteral("255"), 153, hex("00ff")},
        {"rollout 2.3", FieldId::RolloutLength, QStringLiteral("2.3"), 149, hex("17")},
        {"rollout 25.5", FieldId::RolloutLength, QStringLiteral("25.5"), 149, hex("ff")},
        {"pitch factor 1.2", FieldId::PitchFactor, QStringLiteral("1.2"), 76, hex("0c")},
        {"pitch factor .25 rounds half to even", FieldId::PitchFactor, QStringLiteral(".25"), 76,
         hex("02")},
        {"pitch factor .75 rounds half to even", FieldId::PitchFactor, QStringLiteral(".75"), 76,
         hex("08")},
        {"notes A CR LF B", FieldId::Notes, QStringLiteral("A\r\nB"), notes, hex("03410d4200")},
        {"empty notes", FieldId::Notes, QString(), notes, hex("0000")},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const auto plan = savingOne(m_loaded, row.field, row.shown);
        ASSERT_TRUE(plan.ok()) << plan.failure().description.toStdString();
        ASSERT_EQ(plan->patches.size(), 1);
        EXPECT_EQ(plan->patches.first().offset, row.offset);
        EXPECT_EQ(plan->patches.first().bytes, row.expected);
    }
}

TEST_F(NoxPatches, FilesBeforeVersionTwoGetNoPitchFactorAndFilesWithoutNotesNoNotes)
{
    const RunFileContents old = load(NoxFileBuilder().version("1.5").build(), Model::Nox);
    ASSERT_EQ(old.nox.notesPos, 0);
    const auto asShown = savingOne(old, FieldId::PitchFactor, QStringLiteral("5"));
    ASSERT_TRUE(asShown.ok());
    EXPECT_TRUE(asShown->patches.isEmpty()) << listed(asShown->patches);

    // Changed notes of a file without a notes block are refused, saying why.
    const auto changed = savingOne(old, FieldId::Notes, QStringLiteral("new"));
    ASSERT_FALSE(changed.ok());
    EXPECT_TRUE(changed.failure().description.contains(QStringLiteral("no notes block")));
}

TEST_F(NoxPatches, ShorterNotesLeaveTheOldBytesAfterThemAndLongerNotesGrowTheFile)
{
    const qint64 at = m_builder.notesOffset();
    FaultyTarget shorter(m_bytes);
    const auto shorterNotes = savingOne(m_loaded, FieldId::Notes, QStringLiteral("A\r\nB"));
    ASSERT_TRUE(ApplyPatches(shorter, m_bytes.size(), shorterNotes->patches).ok());
    EXPECT_EQ(shorter.bytes.mid(at, 5), hex("03410d4200"));
    EXPECT_EQ(shorter.bytes.mid(at + 5), m_bytes.mid(at + 5));

    FaultyTarget longer(m_bytes);
    const auto longerNotes = savingOne(m_loaded, FieldId::Notes, QString(40, u'n'));
    ASSERT_TRUE(ApplyPatches(longer, m_bytes.size(), longerNotes->patches).ok());
    EXPECT_EQ(longer.bytes.mid(at), char(40) + QByteArray(40, 'n') + '\0');
}

TEST_F(NoxPatches, TextsThatCannotBeStoredAreRefusedSayingWhy)
{
    // The file's record length L is 10.
    const struct
    {
        const char *name;
        FieldId field;
        QString shown;
        const char *reason; // nullptr when the text is stored
    } rows[] = {
        {"255 bytes of notes fit the length byte", FieldId::Notes, QString(255, u'a'), nullptr},
        {"256 bytes do not", FieldId::Notes, QString(256, u'a'), "256"},
        {"a line break counts as one byte", FieldId::Notes,
         QString(253, u'a') + QStringLiteral("\r\nb"), nullptr},
        {"notes of exactly L bytes would read back as a record", FieldId::Notes,
         QString(8, u'a') + QStringLiteral("\r\nb"), "10"},
        {"one byte less than L", FieldId::Notes, QString(9, u'a'), nullptr},
        {"one byte more than L", FieldId::Notes, QString(11, u'a'), nullptr},
        {"a CJK character", FieldId::VehicleName, QStringLiteral("Car \u4E2D"), "U+4E2D"},
        {"a character beyond 16 bits is named whole", FieldId::RunName,
         QStringLiteral("Car \U0001F697"), "\"\U0001F697\" (U+1F697)"},
        {"in the notes too", FieldId::Notes, QStringLiteral("Caf\u00E9 \u4E2D"), "U+4E2D"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const auto plan = savingOne(m_loaded, row.field, row.shown);
        ASSERT_EQ(plan.ok(), row.reason == nullptr);
        if (row.reason) {
            EXPECT_EQ(plan.failure().number, CannotStoreValue);
            EXPECT_TRUE(plan.failure().description.contains(QString::fromUtf8(row.reason)))
                << plan.failure().description.toStdString();
        }
    }
}

TEST(SolvanePatches, ValuesAreConvertedToStoredUnitsOrRefused)
{
    // Values no row types, so that every typed value is a change.
    const RunFileContents loaded =
        load(SolvaneFileBuilder().weight(7).frontalArea(7).coeffOfDrag(7).drivelineLoss(7).build(),
             Model::Solvane);
    const struct
    {
        const char *name;
        bool metric;
        const char *weight, *area, *drag, *loss;
        const char *expected; // nullptr when refused
    } rows[] = {
        {"imperial 3300 lbs and 16.14 ft^2 store 1500 kg and 150", false, "3300", "16.14", "0.29",
         "15", "8004:9600 8006:1d 8007:0f 8074:dc05"},
        {"metric 1500 kg and 1.5 m^2", true, "1500", "1.5", "0.35", "99",
         "8004:9600 8006:23 8007:63 8074:dc05"},
        {"2714.8 lbs and 5.7028 ft^2 store 1234 kg and 53", false, "2714.8", "5.7028", "0.01", "1",
         "8004:3500 8006:01 8007:01 8074:d204"},
        {"the largest imperial values", false, "144177", "7051", "0.99", "99",
         "8004:faff 8006:63 8007:63 8074:ffff"},
        {"the largest metric values", true, "65535", "655", "2.55", "255",
         "8004:dcff 8006:ff 8007:ff 8074:ffff"},
        {"nothing is written for 0", true, "0", "0", "0.29", "15", "8006:1d 8007:0f"},
        {"a weight that rounds to 0 kg is refused", false, "1", "16.14", "0.29", "15", nullptr},
        {"1.2 lbs rounds to 1 kg", false, "1.2", "16.14", "0.29", "15",
         "8004:9600 8006:1d 8007:0f 8074:0100"},
        {"an area that rounds to 0 is refused", false, "3300", "0.053", "0.29", "15", nullptr},
        {"0.054 ft^2 rounds to 0.01 m^2", false, "3300", "0.054", "0.29", "15",
         "8004:0100 8006:1d 8007:0f 8074:dc05"},
        {"0.004 m^2 is refused too", true, "1500", "0.004", "0.29", "15", nullptr},
        {"65536 kg", true, "65536", "1.5", "0.29", "15", nullptr},
        {"144200 lbs", false, "144200", "16.14", "0.29", "15", nullptr},
        {"655.36 m^2", true, "1500", "655.36", "0.29", "15", nullptr},
        {"a coefficient of drag of 2.56", true, "1500", "1.5", "2.56", "15", nullptr},
        {"a driveline loss of 256", true, "1500", "1.5", "0.29", "256", nullptr},
        {"a weight that is not a number", true, "heavy", "1.5", "0.29", "15", nullptr},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const FieldValues values{{FieldId::Weight, QString::fromLatin1(row.weight)},
                                 {FieldId::FrontalArea, QString::fromLatin1(row.area)},
                                 {FieldId::CoeffOfDrag, QString::fromLatin1(row.drag)},
                                 {FieldId::DrivelineLoss, QString::fromLatin1(row.loss)}};
        const auto plan = PlanShownSave(values, QString(), row.metric, loaded);
        ASSERT_EQ(plan.ok(), row.expected != nullptr);
        if (row.expected) {
            EXPECT_EQ(listed(plan->patches), row.expected);
        } else {
            EXPECT_EQ(plan.failure().number, CannotStoreValue);
        }
    }
}

TEST(SaveConversions, EveryStoredValueSurvivesItsDisplayTextAndASave)
{
    const RunFileContents nox =
        load(NoxFileBuilder().records(2, 10).notes("n").build(), Model::Nox);
    const RunFileContents solvane = load(SolvaneFileBuilder().build(), Model::Solvane);
    FieldValues shown = DisplayOf(nox, true).values;
    FieldValues solvaneShown = DisplayOf(solvane, true).values;
    for (int b = 0; b <= 255; ++b) {
        shown[FieldId::RolloutLength] = shown[FieldId::PitchFactor] = TenthsText(b);
        const auto noxPlan = PlanShownSave(shown, QStringLiteral("n"), true, nox);
        ASSERT_TRUE(noxPlan.ok()) << b;
        ASSERT_EQ(noxPlan->after.nox.rolloutLength, b);
        ASSERT_EQ(noxPlan->after.nox.pitchFactor, b);

        solvaneShown[FieldId::CoeffOfDrag] = HundredthsText(b);
        solvaneShown[FieldId::DrivelineLoss] = QString::number(b);
        const auto solvanePlan = PlanShownSave(solvaneShown, QString(), true, solvane);
        ASSERT_TRUE(solvanePlan.ok()) << b;
        ASSERT_EQ(solvanePlan->after.solvane.coeffOfDrag, b);
        ASSERT_EQ(solvanePlan->after.solvane.drivelineLoss, b);
    }
    for (int v = 1; v <= 65535; ++v) {
        for (const bool metric : {true, false}) {
            solvaneShown[FieldId::Weight] = StoredNumberText(Stored::Kilograms, v, metric);
            solvaneShown[FieldId::FrontalArea] =
                StoredNumberText(Stored::AreaHundredths, v, metric);
            const auto plan = PlanShownSave(solvaneShown, QString(), metric, solvane);
            ASSERT_TRUE(plan.ok()) << v;
            ASSERT_EQ(plan->after.solvane.weight, v) << solvaneShown[FieldId::Weight].toStdString();
            ASSERT_EQ(plan->after.solvane.frontalArea, v)
                << solvaneShown[FieldId::FrontalArea].toStdString();
        }
    }
}

TEST(ApplyPatches, SyncsAfterTheLastWriteAndSkipsBytesThatDoNotChange)
{
    FaultyTarget target(QByteArray(20, 'o'));
    const QList<Patch> patches{{2, "ab", QStringLiteral("first")},
                               {5, "oo", QStringLiteral("unchanged")},
                               {10, "cd", QStringLiteral("second")}};
    ASSERT_TRUE(ApplyPatches(target, 20, patches).ok());
    EXPECT_EQ(target.bytes, QByteArrayLiteral("ooaboooooocdoooooooo"));
    EXPECT_EQ(target.events, (QStringList{QStringLiteral("write 2"), QStringLiteral("write 10"),
                                          QStringLiteral("sync")}));
}

// The file and patches of the fault tests: four fields, one of which grows the file.
const QByteArray kOriginal = QByteArrayLiteral("0123456789abcdefghij");
const FileStamp kStamp{20, 1000, 7, 42};
const QList<Patch> kPatches{{2, "AB", QStringLiteral("run name")},
                            {6, "CDE", QStringLiteral("weight")},
                            {18, "grows the file", QStringLiteral("notes")},
                            {12, "F", QStringLiteral("redline")}};

// What the next load does with a journal left behind: the original bytes, or a failure.
QByteArray restoredByJournal(const QByteArray &now, const QByteArray &journalBytes)
{
    const auto journal = DecodeJournal(journalBytes);
    if (!journal)
        return "journal damaged";
    FaultyTarget healthy(now);
    const auto fit = FitOfJournal(healthy, now.size(), journal.value());
    if (!fit || fit.value() == JournalFit::Mismatched)
        return "journal does not fit";
    if (!RestoreRanges(healthy, journal->file.size, now.size() > journal->file.size,
                       journal->ranges))
        return "restore failed";
    return healthy.bytes;
}

TEST(ApplyPatches, AfterAFailureAtAnyCallTheFileIsUnchangedOrItsJournalPutsItBack)
{
    FaultyTarget clean(kOriginal);
    MemoryJournal cleanJournal(kStamp);
    ASSERT_TRUE(ApplyPatches(clean, kOriginal.size(), kPatches, &cleanJournal).ok());
    EXPECT_FALSE(cleanJournal.stored) << "a complete save leaves no journal";
    const QByteArray saved = clean.bytes;

    // Every call of the save and of its rollback fails in turn, once or for good.
    int partlyWritten = 0;
    for (int k = 1; k <= 2 * clean.calls + 2; ++k) {
        for (const bool persistent : {false, true}) {
            for (const bool writePartly : {false, true}) {
                SCOPED_TRACE(testing::Message() << "call " << k << (persistent ? " on" : " once")
                                                << (writePartly ? ", partly" : ""));
                FaultyTarget target(kOriginal);
                target.failAt = k;
                target.persistent = persistent;
                target.writePartly = writePartly;
                MemoryJournal journal(kStamp);
                const auto applied = ApplyPatches(target, kOriginal.size(), kPatches, &journal);
                if (applied) {
                    EXPECT_GT(k, clean.calls);
                    EXPECT_EQ(target.bytes, saved);
                    EXPECT_FALSE(journal.stored);
                    continue;
                }
                const QString message = applied.failure().description;
                if (applied.failure().number != FilePartlyWritten) {
                    EXPECT_EQ(target.bytes, kOriginal) << message.toStdString();
                    EXPECT_FALSE(journal.stored);
                    continue;
                }
                ++partlyWritten;
                EXPECT_TRUE(persistent) << "a single failure is always undone";
                EXPECT_TRUE(message.startsWith(QStringLiteral("The file is partly written.")));
                EXPECT_TRUE(message.contains(QStringLiteral("Already written: Run name")))
                    << message.toStdString();
                EXPECT_TRUE(message.endsWith(
                    QStringLiteral("will be put back the next time the file is loaded")));
                ASSERT_TRUE(journal.stored);
                EXPECT_EQ(restoredByJournal(target.bytes, *journal.stored), kOriginal);
            }
        }
    }
    EXPECT_GT(partlyWritten, 0) << "persistent failures must reach the partly-written case";
}

TEST(ApplyPatches, AFileAnotherProgramCutDuringTheSaveIsNotGrownBackByTheRollback)
{
    FaultyTarget target(kOriginal);
    target.failAt = 2; // the second write
    target.cutByOthersTo = 4;
    MemoryJournal journal(kStamp);
    const auto applied = ApplyPatches(target, kOriginal.size(), kPatches, &journal);
    ASSERT_FALSE(applied.ok());
    EXPECT_EQ(applied.failure().number, FilePartlyWritten);
    EXPECT_TRUE(applied.failure().description.contains(
        QStringLiteral("another program changed the file (its size became 4 bytes)")))
        << applied.failure().description.toStdString();
    EXPECT_EQ(target.bytes, QByteArrayLiteral("01AB")) << "nothing written after the cut";
    EXPECT_TRUE(journal.stored) << "the journal is kept";
}

TEST(ApplyPatches, AJournalOrAVerificationThatFailsMeansNothingIsSaved)
{
    const struct
    {
        const char *name;
        bool failKeep, failDiscard;
        int loseAt; // the write that the disk acknowledges but drops
        const char *phrase;
    } rows[] = {
        {"the journal cannot be kept: nothing is written", true, false, 0, "nothing was written"},
        {"the journal cannot be removed: the save is undone", false, true, 0, "undone"},
        {"a write the disk drops is found by reading back", false, false, 2, "read back"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        FaultyTarget target(kOriginal);
        target.loseAt = row.loseAt;
        MemoryJournal journal(kStamp);
        journal.failKeep = row.failKeep;
        journal.failDiscard = row.failDiscard;
        const auto applied = ApplyPatches(target, kOriginal.size(), kPatches, &journal);
        ASSERT_FALSE(applied.ok());
        EXPECT_NE(applied.failure().number, FilePartlyWritten);
        EXPECT_TRUE(applied.failure().description.contains(QString::fromLatin1(row.phrase)))
            << applied.failure().description.toStdString();
        EXPECT_EQ(target.bytes, kOriginal);
        if (row.failKeep) {
            EXPECT_EQ(target.calls, 0);
        }
    }
}

class WriterFileTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString write(const char *name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(fixtures::writeFile(path, bytes)) << path.toStdString();
        return path;
    }

    static QByteArray contents(const QString &path) { return fixtures::readFile(path); }

    static RunFileContents loadFile(const QString &path, Model model)
    {
        auto contents = ReadRunFileAt(path, model);
        EXPECT_TRUE(contents.ok());
        return contents.ok() ? contents.value() : RunFileContents{};
    }

    // What the window's Save writes for the shown values of a freshly loaded file.
    static Result<FileStamp> saveAsShown(const QString &path, const RunFileContents &loaded,
                                         bool metric,
                                         const std::function<void(VehicleDisplay &)> &edit = {})
    {
        VehicleDisplay shown = DisplayOf(loaded, metric);
        if (edit)
            edit(shown);
        const auto plan = PlanShownSave(shown.values, shown.notes, metric, loaded);
        if (!plan)
            return plan.failure();
        return WritePatchesToFile(path, loaded.stamp, plan->patches);
    }

    static QList<qint64> differingOffsets(const QByteArray &a, const QByteArray &b)
    {
        QList<qint64> offsets;
        for (qsizetype i = 0; i < qMax(a.size(), b.size()); ++i)
            if (i >= a.size() || i >= b.size() || a[i] != b[i])
                offsets.append(i);
        return offsets;
    }

    QTemporaryDir m_dir;
    fixtures::TemporaryJournalFolder m_journals;
};

TEST_F(WriterFileTest, AnUnchangedSaveLeavesEveryByteOfTheFileAsItWas)
{
    const struct
    {
        const char *name;
        QByteArray bytes;
        Model model;
        bool metric;
    } rows[] = {
        {"Nox 2.0 with a damaged record and notes",
         NoxFileBuilder()
             .runName("Quarter mile")
             .vehicleName("Civic \x80")
             .records(4, 50)
             .separator(2, hex("00ff00"))
             .notes("Line 1\rLine 2")
             .build(),
         Model::Nox, false},
        {"Nox 1.1.1", NoxFileBuilder().version("1.1.1").records(2, 9).notes("x").build(),
         Model::Nox, false},
        {"Nox 1.5 without notes", NoxFileBuilder().version("1.5").records(3, 12).build(),
         Model::Nox, false},
        {"Nox without run data", NoxFileBuilder().records(0, 0).build(), Model::Nox, false},
        {"Nox whose notes hold CR LF pairs, NULs and a blank line",
         NoxFileBuilder().records(2, 10).notes(QByteArray("One\r\n\r\nThree\0four\n", 19)).build(),
         Model::Nox, false},
        {"Nox whose notes, cut off by the end of the file, are exactly L bytes",
         NoxFileBuilder()
             .records(2, 10)
             .notes(QByteArray(30, 'n'))
             .truncateTo(NoxFileBuilder().records(2, 10).notesOffset() + 1 + 10)
             .build(),
         Model::Nox, false},
        {"Nox with full-length names",
         NoxFileBuilder().runName(QByteArray(48, 'r')).vehicleName(QByteArray(16, 'v')).build(),
         Model::Nox, false},
        {"Nox with extreme numbers",
         NoxFileBuilder().weight(65535).redline(0).rolloutTenths(255).pitchFactorTenths(0).build(),
         Model::Nox, false},
        {"Solvane in metric", SolvaneFileBuilder().trailingBytes(500).build(), Model::Solvane,
         true},
        {"Solvane in imperial",
         SolvaneFileBuilder().weight(1234).frontalArea(123).coeffOfDrag(255).build(),
         Model::Solvane, false},
        {"Solvane with zero weight and area", SolvaneFileBuilder().weight(0).frontalArea(0).build(),
         Model::Solvane, false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = write("unchanged.run", row.bytes);
        const auto saved = saveAsShown(path, loadFile(path, row.model), row.metric);
        ASSERT_TRUE(saved.ok()) << saved.failure().description.toStdString();
        EXPECT_EQ(differingOffsets(contents(path), row.bytes), QList<qint64>{});
        EXPECT_EQ(m_journals.journals(), QStringList{});
    }
}

TEST_F(WriterFileTest, AnEditChangesOnlyTheBytesOfThatFieldWhateverTheOthersHold)
{
    // Names whose bytes are not what the writer writes: they are not the user's change.
    const QByteArray plain = NoxFileBuilder().records(3, 20).notes("Old notes").build();
    const auto withRunName = [&](const QByteArray &field) {
        QByteArray bytes = plain;
        bytes.replace(NoxLayout::RunName.offset, NoxLayout::RunName.length,
                      field.leftJustified(NoxLayout::RunName.length, '\0'));
        return bytes;
    };
    const auto withVehicleName = [&](const QByteArray &field) {
        QByteArray bytes = plain;
        bytes.replace(NoxLayout::VehicleName.offset, NoxLayout::VehicleName.length, field);
        return bytes;
    };
    const struct
    {
        const char *name;
        QByteArray bytes;
    } rows[] = {
        {"names as the analysis program writes them", plain},
        {"a run name padded with NULs only", withRunName("Quarter")},
        {"text after the run name's NUL", withRunName(QByteArray("Quarter\0old text", 16))},
        {"blanks around the run name", withRunName("  Quarter  ")},
        {"a vehicle name without its NUL", withVehicleName("0123456789abcdef")},
        {"a vehicle name of blanks and NULs",
         withVehicleName(QByteArray("  \0  \0\0\0\0\0\0\0\0\0\0\0", 16))},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const QString noxPath = write("edit.kvp", row.bytes);
        ASSERT_TRUE(
            saveAsShown(noxPath, loadFile(noxPath, Model::Nox), false, [](VehicleDisplay &d) {
                d.values[FieldId::Weight] = QStringLiteral("200");
            }).ok());
        EXPECT_EQ(differingOffsets(contents(noxPath), row.bytes), (QList<qint64>{147, 148}));
    }

    // A name typed again as it was is no change either.
    const QByteArray padded = withRunName("  Quarter  ");
    const QString againPath = write("again.kvp", padded);
    ASSERT_TRUE(
        saveAsShown(againPath, loadFile(againPath, Model::Nox), false, [](VehicleDisplay &d) {
            d.values[FieldId::RunName] = QStringLiteral("Quarter");
        }).ok());
    EXPECT_EQ(contents(againPath), padded);

    const QByteArray solvane = SolvaneFileBuilder().build();
    const QString solvanePath = write("edit.kvs", solvane);
    const auto edit = [](VehicleDisplay &d) {
        d.values[FieldId::CoeffOfDrag] = QStringLiteral("0.29");
    };
    ASSERT_TRUE(saveAsShown(solvanePath, loadFile(solvanePath, Model::Solvane), true, edit).ok());
    EXPECT_EQ(differingOffsets(contents(solvanePath), solvane), (QList<qint64>{8006}));
}

TEST_F(WriterFileTest, AValueThatCannotBeStoredStopsTheSaveBeforeAnyWrite)
{
    const QByteArray original = NoxFileBuilder().records(2, 10).notes("Notes").build();
    const QString path = write("refused.kvp", original);
    const auto saved = saveAsShown(path, loadFile(path, Model::Nox), false, [](VehicleDisplay &d) {
        d.values[FieldId::Weight] = QStringLiteral("200");
        d.notes = QString(256, u'n');
    });
    ASSERT_FALSE(saved.ok());
    EXPECT_EQ(contents(path), original);
}

TEST_F(WriterFileTest, ASaveKeepsTheFileItsInodeAndItsLinks)
{
    const QString path = write("linked.kvp", NoxFileBuilder().build());
    const QString link = m_dir.filePath(QStringLiteral("other-name.kvp"));
    ASSERT_TRUE(fixtures::makeHardLink(path, link));
    const RunFileContents loaded = loadFile(path, Model::Nox);

    const auto saved = saveAsShown(path, loaded, false, [](VehicleDisplay &d) {
        d.values[FieldId::RunName] = QStringLiteral("Test");
    });
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(saved->inode, loaded.stamp.inode);
    EXPECT_EQ(saved.value(), StampOfPath(path).value());
    EXPECT_EQ(contents(link).mid(19, 5), hex("5465737400"));
    EXPECT_EQ(fixtures::linkCount(path), 2);

    // The returned stamp lets a second save go ahead without a reload.
    EXPECT_TRUE(WritePatchesToFile(path, saved.value(), {}).ok());
}

TEST_F(WriterFileTest, AFileThatIsGoneChangedOrLockedIsRefusedAndLeftAsItIs)
{
    const QByteArray original = NoxFileBuilder().records(2, 10).notes("Notes").build();
    std::unique_ptr<fixtures::FileHold> hold;
    const struct
    {
        const char *name;
        std::function<bool(const QString &)> change;
        qint32 number;
        const char *phrase;
    } rows[] = {
        {"deleted: it is not created again", [](const QString &p) { return QFile::remove(p); }, 2,
         "Not Found"},
        {"run data appended",
         [](const QString &p) {
             QFile f(p);
             return f.open(QIODevice::Append) && f.write("more") == 4;
         },
         FileChangedOnDisk, "changed"},
        {"rewritten with the same size later",
         [](const QString &p) {
             QFile f(p);
             if (!f.open(QIODevice::ReadWrite) || !f.seek(320) || f.write("zz") != 2)
                 return false;
             f.close();
             const QDateTime later = QFileInfo(p).lastModified().addSecs(5);
             return f.open(QIODevice::ReadWrite) &&
                    f.setFileTime(later, QFileDevice::FileModificationTime);
         },
         FileChangedOnDisk, "changed"},
        {"replaced by a copy of the same size and modification time",
         [](const QString &p) {
             // Only the identity differs.
             const QString copy = p + QStringLiteral(".new");
             return QFile::copy(p, copy) && fixtures::copyModificationTime(p, copy) &&
                    QFile::remove(p) && QFile::rename(copy, p);
         },
         FileChangedOnDisk, "changed"},
        {"locked by another program",
         [&](const QString &p) {
             hold = std::make_unique<fixtures::FileHold>(p, fixtures::FileHold::Kind::Lock);
             return hold->held();
         },
         33, "locked"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = write("refused.kvp", original);
        const RunFileContents loaded = loadFile(path, Model::Nox);
        ASSERT_TRUE(row.change(path)) << "the change could not be made";
        const bool exists = QFile::exists(path);
        const QByteArray before = exists ? contents(path) : QByteArray();

        const auto saved = saveAsShown(path, loaded, false, [](VehicleDisplay &d) {
            d.values[FieldId::Weight] = QStringLiteral("200");
            d.notes = QStringLiteral("New");
        });
        hold.reset();
        ASSERT_FALSE(saved.ok());
        EXPECT_EQ(saved.failure().number, row.number);
        EXPECT_TRUE(saved.failure().description.contains(QString::fromLatin1(row.phrase)))
            << saved.failure().description.toStdString();
        ASSERT_EQ(QFile::exists(path), exists);
        if (exists) {
            EXPECT_EQ(contents(path), before);
        }
    }
}

} // namespace
} // namespace quenloft
