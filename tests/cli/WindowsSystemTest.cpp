// The Windows side of the file layer, seen through quenloft-cli and the calls beneath it:
// error codes as GetLastError gives them, sharing with other programs, the journal's file
// identity and folder, and paths of the kind only Windows has. Empty elsewhere.
#include <QtGlobal>

#ifdef Q_OS_WIN

#include "CliRun.h"
#include "browser/Files.h"
#include "browser/Process.h"
#include "fixtures/JournalFolder.h"
#include "fixtures/RunFileBuilder.h"
#include "fixtures/SystemCases.h"
#include "fixtures/TestFiles.h"
#include "runfile/JournalStore.h"
#include "runfile/PatchWriter.h"
#include "support/Errors.h"
#include "support/NativeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quenloft {
namespace {

using namespace fixtures;

constexpr qint32 kAnyCode = -1;

class WindowsSystemTest : public testing::Test
{
protected:
    QString path(const QString &name) const
    {
        return QDir::toNativeSeparators(m_dir.filePath(name));
    }
    QString write(const QString &name, const QByteArray &bytes) const
    {
        EXPECT_TRUE(writeFile(m_dir.filePath(name), bytes));
        return path(name);
    }

    QTemporaryDir m_dir;
    TemporaryJournalFolder m_journals;
    const QByteArray m_run = NoxFileBuilder().records(3, 8).notes("notes").build();
};

// Each failure is the system's own code with its name from the table.
TEST_F(WindowsSystemTest, OpenFailuresAreTheSystemsCodesWithTheirNames)
{
    QDir(m_dir.path()).mkdir(QStringLiteral("folder"));
    const struct
    {
        QString path;
        qint32 number;
        const char *name;
    } rows[] = {
        {path(QStringLiteral("missing.kvp")), 2, "File Not Found"},
        {path(QStringLiteral("no\\such\\run.kvp")), 3, "Path Not Found"},
        {path(QStringLiteral("folder")), 5, "Access Denied"},
        // A reserved name is a device, never a file: refused (as a device, 87, or by the
        // system itself), and nothing is created.
        {path(QStringLiteral("CON.kvp")), kAnyCode, ""},
        {path(QStringLiteral("nul.KVS")), kAnyCode, ""},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.path.toStdString());
        const auto opened = NativeFile::open(row.path, NativeFile::Mode::ReadWriteExisting);
        ASSERT_FALSE(opened.ok());
        if (row.number == kAnyCode) {
            EXPECT_EQ(opened.failure().description, GetErrorName(opened.failure().number));
        } else {
            EXPECT_EQ(opened.failure().number, row.number);
            EXPECT_EQ(opened.failure().description, QString::fromLatin1(row.name));
        }
    }
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList());
}

// Another program that has the file open without sharing writes: a save is refused with
// 32 "Sharing Violation" and writes nothing; one that shares nothing keeps the load out too.
TEST_F(WindowsSystemTest, AFileAnotherProgramKeepsToItselfIsNeitherLoadedNorSavedWhenShut)
{
    const struct
    {
        const char *name;
        FileHold::Kind hold;
        bool loads;
    } rows[] = {
        {"opened without sharing writes", FileHold::Kind::NoSharedWriting, true},
        {"opened without sharing", FileHold::Kind::NoSharing, false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const QString run = write(QStringLiteral("shared.kvp"), m_run);
        FileHold hold(run, row.hold);
        ASSERT_TRUE(hold.held());

        const CliRun shown = runCli({QStringLiteral("show"), run});
        EXPECT_EQ(shown.code == cli::Success, row.loads) << shown.err.toStdString();
        if (!row.loads) {
            EXPECT_TRUE(shown.err.contains(QStringLiteral("Error (32) - Sharing Violation")))
                << shown.err.toStdString();
        }

        const CliRun saved = runCli({QStringLiteral("set"), run, QStringLiteral("weight=3100")});
        EXPECT_EQ(saved.code, cli::Failed);
        EXPECT_TRUE(saved.err.contains(QStringLiteral("32")) &&
                    saved.err.contains(QStringLiteral("Sharing Violation")))
            << saved.err.toStdString();
        hold.release();
        EXPECT_EQ(readFile(run), m_run) << "nothing is written";
        EXPECT_TRUE(m_journals.journals().isEmpty());
    }
}

// A file is known by its volume's serial number and its index on the volume, which a
// rename keeps and a copy does not; journals are named after both.
TEST_F(WindowsSystemTest, AFileIsKnownByItsVolumeSerialAndFileIndex)
{
    const QString run = write(QStringLiteral("a.kvp"), m_run);
    const FileStamp before = StampOfPath(run).value();
    const QString root = run.left(3);
    EXPECT_EQ(before.device, volumeSerialNumber(root).value_or(0));
    EXPECT_NE(before.inode, 0u);

    ASSERT_TRUE(QFile::rename(m_dir.filePath("a.kvp"), m_dir.filePath("b.kvp")));
    const FileStamp renamed = StampOfPath(path(QStringLiteral("b.kvp"))).value();
    EXPECT_EQ(renamed.device, before.device);
    EXPECT_EQ(renamed.inode, before.inode);
    ASSERT_TRUE(QFile::copy(m_dir.filePath("b.kvp"), m_dir.filePath("c.kvp")));
    EXPECT_NE(StampOfPath(path(QStringLiteral("c.kvp"))).value().inode, before.inode);

    EXPECT_EQ(QFileInfo(JournalPathFor(before).value()).fileName(),
              QStringLiteral("%1-%2.journal")
                  .arg(before.device, 16, 16, QChar(u'0'))
                  .arg(before.inode, 16, 16, QChar(u'0')));
}

TEST_F(WindowsSystemTest, JournalsLiveInTheUsersLocalApplicationData)
{
    const QByteArray override = qgetenv("QUENLOFT_JOURNAL_DIR");
    qunsetenv("QUENLOFT_JOURNAL_DIR");
    SetJournalFolder(QString());
    const QString folder = JournalFolder().value();
    SetJournalFolder(m_journals.path());
    if (!override.isEmpty())
        qputenv("QUENLOFT_JOURNAL_DIR", override);
    EXPECT_EQ(folder.toLower(), (QDir::toNativeSeparators(qEnvironmentVariable("LOCALAPPDATA")) +
                                 QStringLiteral("\\Quenloft\\journals"))
                                    .toLower());
}

// A journal writes into a file unasked: only the user's own application-data folder, which
// the user's profile keeps private, may hold one.
TEST_F(WindowsSystemTest, AJournalFolderOutsideTheUsersApplicationDataIsNotUsed)
{
    QTemporaryDir outside(QStringLiteral("C:/quenloft-outside-XXXXXX"));
    ASSERT_TRUE(outside.isValid());
    SetJournalFolder(outside.path());
    const QString run = write(QStringLiteral("a.kvp"), m_run);
    const auto saved =
        WritePatchesToFile(run, StampOfPath(run).value(),
                           {{147, QByteArray("\x01\x02", 2), QStringLiteral("weight")}});
    SetJournalFolder(m_journals.path());
    ASSERT_FALSE(saved.ok());
    EXPECT_TRUE(saved.failure().description.contains(QStringLiteral("application-data folder")))
        << saved.failure().description.toStdString();
    EXPECT_EQ(readFile(run), m_run);
}

// Names go to the system as UTF-16 (wide calls), so characters outside the ANSI code page
// survive; drive letters and backslashes are taken as the user gives them.
TEST_F(WindowsSystemTest, NamesOutsideTheAnsiCodePageLoadSaveRenameAndDelete)
{
    const QString name = QStringLiteral("\u03A9mega \u4E2D\u6587 \u0416.kvp");
    const QString run = write(name, m_run);
    ASSERT_TRUE(run.at(1) == u':' && run.at(2) == u'\\') << run.toStdString();
    EXPECT_TRUE(FileExists(run));

    CliRun shown = runCli({QStringLiteral("show"), run});
    EXPECT_EQ(shown.code, cli::Success) << shown.err.toStdString();
    const CliRun saved = runCli({QStringLiteral("set"), run, QStringLiteral("weight=2999")});
    EXPECT_EQ(saved.code, cli::Success) << saved.err.toStdString();
    EXPECT_NE(readFile(run), m_run);

    const QString renamed = path(QStringLiteral("\u00C5\u4E2D.KVP"));
    ASSERT_TRUE(RenameFile(run, renamed));
    shown = runCli({QStringLiteral("check"), QDir::toNativeSeparators(m_dir.path())});
    EXPECT_TRUE(shown.out.contains(QStringLiteral("\u00C5\u4E2D.KVP: Nox")))
        << shown.out.toStdString() << "an upper-case ending is a run file too";
    EXPECT_TRUE(KillFile(renamed));
    EXPECT_FALSE(FileExists(renamed));
}

// The shell's open verb: ShellExecuteW's result above 32 is success; a run file whose type
// no program is associated with gives less, and ShellOpen says 0.
TEST_F(WindowsSystemTest, ShellOpenOfATypeWithoutAProgramFails)
{
    const QString file = write(QStringLiteral("unassociated.quenloft-test"), "x");
    EXPECT_EQ(ShellOpen(u'"' + file + u'"'), 0);
}

} // namespace
} // namespace quenloft

#endif
