// What the command-line program does with awkward files: names that are not valid text,
// texts that could forge output lines, values that store as nothing, notes left alone,
// and saves cut short.
#include "CliRun.h"
#include "PlainText.h"
#include "fixtures/JournalFolder.h"
#include "fixtures/RawNameFolder.h"
#include "fixtures/RunFileBuilder.h"
#include "fixtures/SystemCases.h"
#include "fixtures/TestFiles.h"
#include "runfile/PatchWriter.h"
#include "runfile/RunFileLayout.h"
#include "support/NativePath.h"

#include <QDir>

#include <gtest/gtest.h>

namespace quenloft {
namespace {

using namespace fixtures;

class CliSafetyTest : public testing::Test
{
protected:
    void SetUp() override { QUENLOFT_SKIP_IF_MISSING(rawByteNamesMissing()); }

    QString writeNative(const QByteArray &name, const QByteArray &bytes)
    {
        return m_dir.write(name, bytes);
    }
    QString write(const char *name, const QByteArray &bytes) { return writeNative(name, bytes); }

    RawNameFolder m_dir;
    TemporaryJournalFolder m_journals;
};

TEST_F(CliSafetyTest, CheckReportsEveryFileWhateverItsNameAndFailsOnOneItCannotRead)
{
    const QByteArray nox = NoxFileBuilder().records(2, 6).build();
    m_dir.makeFolder("d\xff");
    const QString latin1 = writeNative("lat\xe9.kvp", nox);
    writeNative("d\xff/ok.kvs", SolvaneFileBuilder().build());
    writeNative("new\nline.kvp", nox);
    writeNative("esc\x1b[2J.kvp", nox);

    CliRun run = runCli({QStringLiteral("check"), m_dir.path()});
    EXPECT_EQ(run.code, cli::Success) << run.out.toStdString();
    EXPECT_EQ(run.out.count(u'\n'), 4) << run.out.toStdString();
    for (const char *line : {"/d\\xff/ok.kvs: Solvane\n", "/lat\\xe9.kvp: Nox, 2 records",
                             "/new\\nline.kvp: Nox, 2 records", "/esc\\x1b[2J.kvp: Nox"})
        EXPECT_TRUE(run.out.contains(QString::fromLatin1(line))) << line;

    // The file with the name that is not valid text opens as any other.
    run = runCli({QStringLiteral("show"), latin1});
    EXPECT_EQ(run.code, cli::Success) << run.err.toStdString();
    run = runCli({QStringLiteral("set"), latin1, QStringLiteral("weight=1000")});
    EXPECT_EQ(run.code, cli::Success) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("lat\\xe9.kvp"))) << run.out.toStdString();

    writeNative("short\xe9.kvp", QByteArray(100, 'x'));
    run = runCli({QStringLiteral("check"), m_dir.path()});
    EXPECT_EQ(run.code, cli::Failed);
    EXPECT_TRUE(run.out.contains(QStringLiteral("/short\\xe9.kvp: error: Error (62)")))
        << run.out.toStdString();
}

TEST(PlainText, EscapesWhatCouldEndALineOrDriveTheTerminal)
{
    const struct
    {
        QString text;
        const char *escaped;
    } rows[] = {
        {QStringLiteral("two\nlines\r\tand"), "two\\nlines\\r\\tand"},
        {QStringLiteral("\x1b[2J\x7f"), "\\x1b[2J\\x7f"},
        {QStringLiteral("lat") + QChar(0xDCE9), "lat\\xe9"},
        {QString(QChar(0x9B)) + QChar(0x2028), "\\u009b\\u2028"},
        {QString(QChar(0xD800)), "\\ud800"},
        {QStringLiteral("caf\u00E9 \U0001F697 C:\\Runs"), "caf\u00E9 \U0001F697 C:\\Runs"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(cli::Escaped(row.text), QString::fromUtf8(row.escaped));
}

TEST_F(CliSafetyTest, PlainShowEscapesTextsSoNoneForgesALine)
{
    const QString path = write("forged.kvp", NoxFileBuilder()
                                                 .runName("two\nVehicle Weight: 1")
                                                 .vehicleName("car\r")
                                                 .records(2, 6)
                                                 .notes("note\rVehicle Weight: 2\n")
                                                 .build());
    const CliRun run = runCli({QStringLiteral("show"), path});
    ASSERT_EQ(run.code, cli::Success) << run.err.toStdString();
    EXPECT_EQ(run.out.count(QStringLiteral("\nVehicle Weight: ")), 1) << run.out.toStdString();
    EXPECT_FALSE(run.out.contains(u'\r'));
    EXPECT_TRUE(run.out.contains(QStringLiteral("Run Name: two\\nVehicle Weight: 1\n")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("Vehicle Notes: note\\nVehicle Weight: 2\\n\n")));

    // JSON keeps the texts exactly.
    const CliRun json = runCli({QStringLiteral("show"), QStringLiteral("--json"), path});
    EXPECT_TRUE(json.out.contains(QStringLiteral("\"two\\nVehicle Weight: 1\"")));
}

TEST_F(CliSafetyTest, SetLeavesNotesItDidNotChangeByteForByte)
{
    const QByteArray before =
        NoxFileBuilder().records(2, 8).notes(QByteArray("One\r\n\r\nThree\0four\n", 19)).build();
    const QString path = write("notes.kvp", before);
    const CliRun run = runCli({QStringLiteral("set"), path, QStringLiteral("weight=1000")});
    ASSERT_EQ(run.code, cli::Success) << run.err.toStdString();
    QByteArray expected = before;
    expected.replace(NoxLayout::Weight.offset, 2, QByteArray("\x03\xE8", 2));
    EXPECT_EQ(readFile(path), expected);
}

TEST_F(CliSafetyTest, SetRefusesAValueThatWouldBeStoredAsNothing)
{
    const QString path = write("tiny.kvs", SolvaneFileBuilder().build());
    const QByteArray before = readFile(path);
    const struct
    {
        const char *assignment;
        const char *message;
    } rows[] = {
        {"weight=1", "The weight 1 lbs is too small to be stored; the smallest weight a run file "
                     "can hold is 2.2 lbs."},
        {"frontal_area=0.05", "the smallest frontal area a run file can hold is 0.1076 ft^2."},
    };
    for (const auto &row : rows) {
        const CliRun run =
            runCli({QStringLiteral("set"), path, QString::fromLatin1(row.assignment)});
        EXPECT_EQ(run.code, cli::Failed) << row.assignment;
        EXPECT_TRUE(run.err.contains(QString::fromLatin1(row.message))) << run.err.toStdString();
        EXPECT_FALSE(run.out.contains(QStringLiteral("Saved")));
        EXPECT_EQ(readFile(path), before);
    }
}

TEST_F(CliSafetyTest, AnInterruptedSaveIsUndoneByShowAndListedAppliedOrDiscardedByRecover)
{
    const QByteArray original = NoxFileBuilder().records(2, 6).notes("x").build();
    const QString path = write("cut.kvp", original);
    const auto interrupt = [&] {
        SaveOptions options;
        options.stopAfter = [](SaveStep step) { return step == SaveStep::Synced; };
        const QList<Patch> patches{
            {NoxLayout::Weight.offset, QByteArray("\x03\xE8", 2), QStringLiteral("weight")}};
        (void)WritePatchesToFile(path, StampOfPath(path).value(), patches, options);
        ASSERT_NE(readFile(path), original);
    };

    interrupt();
    CliRun run = runCli({QStringLiteral("show"), path});
    EXPECT_EQ(run.code, cli::Success);
    EXPECT_TRUE(run.err.contains(QStringLiteral("was cut short"))) << run.err.toStdString();
    EXPECT_EQ(readFile(path), original);

    interrupt();
    run = runCli({QStringLiteral("recover"), QStringLiteral("--list")});
    EXPECT_EQ(run.code, cli::Success);
    EXPECT_TRUE(run.out.contains(QStringLiteral("/cut.kvp (weight)"))) << run.out.toStdString();
    EXPECT_NE(readFile(path), original) << "listing changes nothing";
    run = runCli({QStringLiteral("recover"), m_dir.path()});
    EXPECT_EQ(run.code, cli::Success) << run.out.toStdString();
    EXPECT_EQ(readFile(path), original);
    EXPECT_EQ(m_journals.journals(), QStringList{});

    // A journal that does not fit its file any more is kept, and only discarded on request.
    interrupt();
    writeFile(path, original + "appended");
    run = runCli({QStringLiteral("recover")});
    EXPECT_EQ(run.code, cli::Failed) << run.out.toStdString();
    EXPECT_EQ(m_journals.journals().size(), 1);
    run = runCli({QStringLiteral("recover"), QStringLiteral("--discard"), path});
    EXPECT_EQ(run.code, cli::Success) << run.out.toStdString();
    EXPECT_EQ(m_journals.journals(), QStringList{});
    EXPECT_EQ(readFile(path), original + "appended");
}

} // namespace
} // namespace quenloft
