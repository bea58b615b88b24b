// What the command-line program does with awkward files: names that are not valid text,
// texts that could forge output lines, values that store as nothing, notes left alone,
// saves cut short, and an export's output through symbolic links.
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
#include <QFileInfo>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quenloft {
namespace {

using namespace fixtures;

class CliSafetyTest : public testing::Test
{
protected:
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
    QUENLOFT_SKIP_IF_MISSING(rawByteNamesMissing());
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

TEST_F(CliSafetyTest, AnInterruptedSaveIsShownUndoneByReadingCommandsAndPutBackByRecover)
{
    const QByteArray original = NoxFileBuilder().weight(2650).records(2, 6).notes("x").build();
    const QString path = write("cut.kvp", original);
    const auto interrupt = [&] {
        SaveOptions options;
        options.stopAfter = [](SaveStep step) { return step == SaveStep::Synced; };
        const QList<Patch> patches{
            {NoxLayout::Weight.offset, QByteArray("\x03\xE8", 2), QStringLiteral("weight")}};
        (void)WritePatchesToFile(path, StampOfPath(path).value(), patches, options);
        ASSERT_NE(readFile(path), original);
    };

    // Commands that only read write nothing: they show the weight the journal puts back.
    interrupt();
    const QByteArray interrupted = readFile(path);
    const QStringList readers[] = {
        {QStringLiteral("show"), path},
        {QStringLiteral("check"), m_dir.path()},
        {QStringLiteral("check"), QStringLiteral("--json"), m_dir.path()},
        {QStringLiteral("export"), QStringLiteral("--json"), m_dir.path()},
        {QStringLiteral("diff"), path, path},
        {QStringLiteral("set"), QStringLiteral("--dry-run"), path, QStringLiteral("redline=1")},
    };
    for (const QStringList &command : readers) {
        SCOPED_TRACE(command.join(u' ').toStdString());
        const CliRun run = runCli(command);
        EXPECT_EQ(run.code, cli::Success) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("has an unfinished save")))
            << run.err.toStdString();
        EXPECT_FALSE(run.out.contains(QStringLiteral("1000"))) << "the weight half saved";
        EXPECT_EQ(readFile(path), interrupted);
        EXPECT_EQ(m_journals.journals().size(), 1);
    }

    CliRun run = runCli({QStringLiteral("recover"), QStringLiteral("--list")});
    EXPECT_EQ(run.code, cli::Success);
    EXPECT_TRUE(run.out.contains(QDir::toNativeSeparators(QStringLiteral("/cut.kvp (weight)"))))
        << run.out.toStdString();
    EXPECT_EQ(readFile(path), interrupted) << "listing changes nothing";
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

#ifndef Q_OS_WIN
// Every entry under a folder, links not followed: a link as its target, a file as its
// bytes, anything else as its type.
std::map<std::string, std::string> snapshot(const QByteArray &folder)
{
    namespace fs = std::filesystem;
    std::map<std::string, std::string> entries;
    for (const auto &entry : fs::recursive_directory_iterator(folder.constData())) {
        const fs::file_status status = entry.symlink_status();
        std::string &value = entries[entry.path().string()];
        if (fs::is_symlink(status))
            value = "-> " + fs::read_symlink(entry.path()).string();
        else if (fs::is_regular_file(status))
            value = readFile(QFile::decodeName(entry.path().c_str())).toStdString();
        else
            value = "type " + std::to_string(int(status.type()));
    }
    return entries;
}
#endif

TEST_F(CliSafetyTest, ExportOutputLooksThroughLinksAndReplacesOnlyARegularFileThatIsNoRunFile)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "The links and the FIFO are made with POSIX calls.";
#else
    const QByteArray root = m_dir.nativePath() + '/';
    for (const char *folder : {"in", "elsewhere", "folder"})
        ASSERT_EQ(::mkdir((root + folder).constData(), 0755), 0);
    ASSERT_EQ(::mkfifo((root + "pipe").constData(), 0600), 0);
    write("in/a.kvp", NoxFileBuilder().records(2, 6).build());
    write("run.kvp", NoxFileBuilder().build());
    write("elsewhere/out.csv", "old");
    const struct
    {
        const char *name;
        const char *target;
    } links[] = {
        {"to-run.csv", "run.kvp"},
        {"chain.csv", "to-run.csv"},
        {"linked", "elsewhere"},
        {"elsewhere/inner.csv", "../run.kvp"},
        {"to-folder.csv", "folder"},
        {"to-pipe.csv", "pipe"},
        {"dangling.csv", "gone.kvp"},
        {"loop.csv", "loop.csv"},
        {"to-out.csv", "elsewhere/out.csv"},
        {"to-new.csv", "elsewhere/new.csv"},
    };
    for (const auto &link : links)
        ASSERT_EQ(::symlink(link.target, (root + link.name).constData()), 0) << link.name;

    const QString real = QFileInfo(m_dir.path()).canonicalFilePath() + u'/';
    const QString intoRunFile = QStringLiteral("--output leads through a symbolic link to ") +
                                real +
                                QStringLiteral("run.kvp, a run file, which the export would "
                                               "replace.");
    const struct
    {
        const char *output;
        int code;
        QString message;
        const char *written; // the file that receives the CSV
    } rows[] = {
        {"to-run.csv", cli::BadUsage, intoRunFile, nullptr},
        {"chain.csv", cli::BadUsage, intoRunFile, nullptr},
        {"linked/inner.csv", cli::BadUsage, intoRunFile, nullptr},
        {"to-folder.csv", cli::BadUsage,
         real + QStringLiteral("folder, a folder, not a regular file."), nullptr},
        {"folder", cli::BadUsage, QStringLiteral("folder, a folder, not a regular file."), nullptr},
        {"to-pipe.csv", cli::BadUsage,
         real + QStringLiteral("pipe, which is not a regular file (a device, a pipe or a socket)."),
         nullptr},
        {"dangling.csv", cli::BadUsage,
         real +
             QStringLiteral("gone.kvp, a run file's name; the export does not create run files."),
         nullptr},
        {"loop.csv", cli::BadUsage,
         QStringLiteral("--output is a symbolic link that leads in a circle."), nullptr},
        {"to-out.csv", cli::Success, QString(), "elsewhere/out.csv"},
        {"to-new.csv", cli::Success, QString(), "elsewhere/new.csv"},
        {"new.csv", cli::Success, QString(), "new.csv"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.output);
        auto before = snapshot(root);
        const CliRun run =
            runCli({QStringLiteral("export"), QStringLiteral("--output"),
                    PathFromNativeBytes(root + row.output), PathFromNativeBytes(root + "in")});
        EXPECT_EQ(run.code, row.code) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(row.message)) << run.err.toStdString();
        auto after = snapshot(root);
        if (row.written) {
            const std::string written = (root + row.written).toStdString();
            EXPECT_TRUE(QByteArray::fromStdString(after[written]).startsWith("path,model,"));
            before.erase(written);
            after.erase(written);
        }
        EXPECT_EQ(after, before) << "nothing else changed, every link is still a link";
    }
#endif
}

} // namespace
} // namespace quenloft
