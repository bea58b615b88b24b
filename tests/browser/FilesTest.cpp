#include "browser/Files.h"

#include "browser/FileSystemCalls.h"
#include "support/Errors.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quenloft {
namespace {

// A name longer than any file system allows, or a file taken for a folder: their codes are
// the file system's own on Windows (NTFS says 206 and 3, Wine 2 or 123), so there only
// their names are checked against the table.
#ifdef Q_OS_WIN
constexpr qint32 kTooLong = -2;
constexpr qint32 kFileAsFolder = -2;
#else
constexpr qint32 kTooLong = 206;
constexpr qint32 kFileAsFolder = 3;
#endif
// What renaming onto a taken name reports: MoveFileEx's own code, or its nearest POSIX match.
#ifdef Q_OS_WIN
constexpr qint32 kNameTaken = 183;
constexpr const char *kNameTakenText = "Already Exists";
#else
constexpr qint32 kNameTaken = 80;
constexpr const char *kNameTakenText = "File Exists";
#endif

class FilesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        RecordError(0, QString(), QString());
    }

    void TearDown() override
    {
        // FileExists closes the search whatever happens.
        (void)FileExists(QString());
        EXPECT_EQ(fscalls::openSearchCount(), 0);
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }

    QString makeFile(const QString &name, const QByteArray &content = QByteArrayLiteral("run"))
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return file.fileName();
    }

    QString makeDir(const QString &name)
    {
        EXPECT_TRUE(QDir(m_dir.path()).mkpath(name));
        return path(name);
    }

    static QByteArray contentOf(const QString &filePath)
    {
        QFile file(filePath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    // Every name a search returns, the first call starting it and the rest continuing it.
    static QSet<QString> findAll(const QString &pattern, quint32 mask = 0,
                                 bool skipDirectories = false)
    {
        QSet<QString> names;
        QString name = FindFile(pattern, mask, nullptr, false, nullptr, skipDirectories);
        while (!name.isEmpty()) {
            EXPECT_FALSE(names.contains(name)) << qPrintable(name) << " returned twice";
            names.insert(name);
            name = FindFile(QString(), mask, nullptr, false, nullptr, skipDirectories);
        }
        return names;
    }

    static void expectRecord(qint32 number, const char *description, const QString &extended)
    {
        if (number < -1) {
            EXPECT_GT(LastError().Number(), 0);
            EXPECT_EQ(LastError().Description(), GetErrorName(LastError().Number()));
            EXPECT_NE(LastError().Description(), QStringLiteral("Unknown / Unlisted Error"));
        } else {
            EXPECT_EQ(LastError().Number(), number);
            EXPECT_EQ(LastError().Description(), QString::fromLatin1(description));
        }
        EXPECT_EQ(LastError().ExtendedInfo(), extended);
    }

    QTemporaryDir m_dir;
};

// --------------------------------------------------------------------------- FindFile

TEST_F(FilesTest, WildcardsMatchLikeTheFindFirstCall)
{
    for (const char *name :
         {"run1.kvp", "run2.kvp", "run10.kvp", "RUN3.KVP", "notes.txt", "a[1].kvp", "noext"})
        makeFile(QString::fromLatin1(name));

    struct Case
    {
        const char *pattern;
        QSet<QString> expected;
    };
    // Names match as the file system compares them: without regard to case on Windows.
#ifdef Q_OS_WIN
    const QSet<QString> otherCase{QStringLiteral("RUN3.KVP")};
    const QSet<QString> lowerCase{QStringLiteral("run1.kvp"), QStringLiteral("run2.kvp"),
                                  QStringLiteral("run10.kvp")};
#else
    const QSet<QString> otherCase, lowerCase;
#endif
    const Case cases[] = {
        {"*.kvp", QSet<QString>{QStringLiteral("run1.kvp"), QStringLiteral("run2.kvp"),
                                QStringLiteral("run10.kvp"), QStringLiteral("a[1].kvp")} +
                      otherCase},
        {"run?.kvp",
         QSet<QString>{QStringLiteral("run1.kvp"), QStringLiteral("run2.kvp")} + otherCase},
        {"r*1*", {QStringLiteral("run1.kvp"), QStringLiteral("run10.kvp")}},
        {"RUN*", QSet<QString>{QStringLiteral("RUN3.KVP")} + lowerCase},
        {"a[1].kvp", {QStringLiteral("a[1].kvp")}}, // brackets are literal
        {"*.*",
         {QStringLiteral("run1.kvp"), QStringLiteral("run2.kvp"), QStringLiteral("run10.kvp"),
          QStringLiteral("RUN3.KVP"), QStringLiteral("notes.txt"), QStringLiteral("a[1].kvp"),
          QStringLiteral("noext")}}, // names without a dot too
        {"????", {}},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(findAll(path(QString::fromLatin1(c.pattern))), c.expected) << c.pattern;
        EXPECT_EQ(fscalls::openSearchCount(), 0) << c.pattern;
    }
}

TEST_F(FilesTest, DirectoryMaskReturnsOnlyDirectoriesAndNeverDots)
{
    makeDir(QStringLiteral("2023"));
    makeDir(QStringLiteral(".hidden"));
    makeFile(QStringLiteral("run.kvp"));
    makeFile(QStringLiteral("notes"));

    EXPECT_EQ(findAll(path(QStringLiteral("*")), kDirectoryAttribute),
              (QSet<QString>{QStringLiteral("2023"), QStringLiteral(".hidden")}));
    EXPECT_EQ(findAll(path(QStringLiteral("*")), 0, true),
              (QSet<QString>{QStringLiteral("run.kvp"), QStringLiteral("notes")}));
    // The mask of the search holds for its continuations, whatever mask they pass.
    QSet<QString> names{FindFile(path(QStringLiteral("*")), kDirectoryAttribute)};
    for (QString name = FindFile(QString()); !name.isEmpty(); name = FindFile(QString()))
        names.insert(name);
    EXPECT_EQ(names, (QSet<QString>{QStringLiteral("2023"), QStringLiteral(".hidden")}));
}

TEST_F(FilesTest, ReturnsAttributesSizeAndEmptyShortName)
{
    makeFile(QStringLiteral("five.kvs"), QByteArrayLiteral("12345"));
    makeFile(QStringLiteral("empty.kvs"), QByteArray());
    makeDir(QStringLiteral("folder"));

    quint32 attributes = 0;
    qint32 size = -7;
    EXPECT_EQ(FindFile(path(QStringLiteral("five.kvs")), 0, &attributes, false, &size),
              QStringLiteral("five.kvs"));
    EXPECT_EQ(size, 5);
    EXPECT_EQ(attributes & kDirectoryAttribute, 0u);

    size = -7; // a size of 0 is not handed out
    EXPECT_FALSE(FindFile(path(QStringLiteral("empty.kvs")), 0, nullptr, false, &size).isEmpty());
    EXPECT_EQ(size, -7);

    EXPECT_EQ(FindFile(path(QStringLiteral("folder")), 0, &attributes), QStringLiteral("folder"));
    EXPECT_NE(attributes & kDirectoryAttribute, 0u);

#ifndef Q_OS_WIN
    // No short names here: the entry is found, its short name is empty.
    EXPECT_EQ(FindFile(path(QStringLiteral("five.kvs")), 0, nullptr, true), QString());
    EXPECT_TRUE(IsSearchOpen());
#endif
}

TEST_F(FilesTest, AStartThatFailsRecordsItsCauseAndLeavesNoSearch)
{
    makeFile(QStringLiteral("run.kvp"));
    struct Case
    {
        QString pattern;
        qint32 number;
        const char *description;
    };
    const Case cases[] = {
        {path(QStringLiteral("missing.kvp")), 2, "File Not Found"},
        {path(QStringLiteral("*.none")), 2, "File Not Found"},
        {path(QStringLiteral("no/such/folder/*")), 3, "Path Not Found"},
        {path(QStringLiteral("no/such/folder/run.kvp")), 3, "Path Not Found"},
        {path(QStringLiteral("run.kvp/inside")), kFileAsFolder, "Path Not Found"},
        {path(QString(300, QChar(u'n'))), kTooLong, "Filename Exceeded Range"},
        {m_dir.path() + QChar(kPathSeparator), 2, "File Not Found"},
    };
    for (const Case &c : cases) {
        RecordError(0, QString(), QStringLiteral("before"));
        EXPECT_EQ(FindFile(c.pattern), QString()) << qPrintable(c.pattern);
        expectRecord(c.number, c.description, QString());
        EXPECT_FALSE(IsSearchOpen()) << qPrintable(c.pattern);
    }
}

TEST_F(FilesTest, OnlyOneSearchIsOpenAtATime)
{
    makeFile(QStringLiteral("a.kvp"));
    makeFile(QStringLiteral("b.kvp"));
    EXPECT_FALSE(FindFile(path(QStringLiteral("*.kvp"))).isEmpty());
    EXPECT_FALSE(FindFile(path(QStringLiteral("*.kvp"))).isEmpty());
    EXPECT_EQ(fscalls::openSearchCount(), 1);

    // A start that fails abandons the open search too, and then there is nothing to continue.
    EXPECT_EQ(FindFile(path(QStringLiteral("*.none"))), QString());
    EXPECT_EQ(fscalls::openSearchCount(), 0);
    RecordError(7, QStringLiteral("Arena Trashed"), QStringLiteral("kept"));
    EXPECT_EQ(FindFile(QString()), QString());
    expectRecord(7, "Arena Trashed", QStringLiteral("kept"));
}

// --------------------------------------------------------------------------- FileExists

TEST_F(FilesTest, FileExistsForFilesAndFoldersAndLeavesNoSearch)
{
    const QString file = makeFile(QStringLiteral("run.kvp"));
    const QString folder = makeDir(QStringLiteral("2023"));
    makeFile(QStringLiteral("2023/a.kvp"));
    makeFile(QStringLiteral("2023/b.kvp"));

    struct Case
    {
        QString path;
        bool exists;
    };
    const Case cases[] = {
        {file, true},
        {folder, true},
        {folder + QChar(kPathSeparator), false},
        {folder + QStringLiteral("/*.kvp"), true},
        {path(QStringLiteral("missing.kvp")), false},
        {path(QStringLiteral("missing/run.kvp")), false},
        {QString(), false},
        {QStringLiteral("/"), false},
    };
    for (const Case &c : cases) {
        // With a search open, an empty path must still not continue it.
        ASSERT_FALSE(FindFile(folder + QStringLiteral("/*.kvp")).isEmpty());
        EXPECT_EQ(FileExists(c.path), c.exists) << qPrintable(c.path);
        EXPECT_FALSE(IsSearchOpen()) << qPrintable(c.path);
    }
}

// --------------------------------------------------------------------------- GetParentPath

TEST(GetParentPath, TakesTheTextBeforeTheLastSeparator)
{
    struct Case
    {
        const char *path;
        const char *parent;
    };
    const Case cases[] = {
        {"/runs/old", "/runs"},
        {"  /runs/old/run.kvp  ", "/runs/old"},
        {"/runs /old", "/runs"},
        {"/runs/", "/runs"},
        {"/runs", ""},
        {" /runs", ""},
        {"/", ""},
        {"runs", ""},
        {"", ""},
        {"   ", ""},
        {"a/b", "a"},
#ifdef Q_OS_WIN
        {"C:\\Runs\\Old", "C:\\Runs"},
        {"C:\\Runs", "C:"},
        {"C:/Runs", "C:"},
        {"C:", ""},
#else
        {"C:\\Runs\\Old", ""}, // a backslash is part of a name here
#endif
    };
    for (const Case &c : cases)
        EXPECT_EQ(GetParentPath(QString::fromLatin1(c.path)), QString::fromLatin1(c.parent))
            << '"' << c.path << '"';
}

// --------------------------------------------------------------------------- KillFile

TEST_F(FilesTest, KillFileDeletesAFile)
{
    const QString file = makeFile(QStringLiteral("run.kvp"));
    RecordError(2, QStringLiteral("File Not Found"), QStringLiteral("earlier"));
    EXPECT_TRUE(KillFile(file));
    EXPECT_FALSE(QFile::exists(file));
    // Success leaves the last failure in place.
    expectRecord(2, "File Not Found", QStringLiteral("earlier"));
}

TEST_F(FilesTest, KillFileOfABlankPathRecordsNoFileSpecified)
{
    makeFile(QStringLiteral("keep.kvp"));
    for (const QString &blank : {QString(), QStringLiteral(" "), QStringLiteral("     ")}) {
        RecordError(0, QString(), QStringLiteral("before"));
        EXPECT_FALSE(KillFile(blank));
        expectRecord(-1, "No File Specified", QString());
    }
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("keep.kvp"))));
}

TEST_F(FilesTest, KillFileRefusalsRecordTheCauseAndDeleteNothing)
{
    const QString keep = makeFile(QStringLiteral("keep.kvp"));
    const QString folder = makeDir(QStringLiteral("folder"));
    const QString nul(QChar(u'\0'));
    struct Case
    {
        QString path;
        qint32 number;
        const char *description;
    };
    const Case cases[] = {
        {path(QStringLiteral("missing.kvp")), 2, "File Not Found"},
        {path(QStringLiteral("missing/run.kvp")), 3, "Path Not Found"},
        {folder, 5, "Access Denied"},
        {path(QString(300, QChar(u'k'))), kTooLong, "Filename Exceeded Range"},
        // Cut at the NUL this would name keep.kvp, which must survive.
        {keep + nul + QStringLiteral(".bak"), 123, "Invalid Name"},
    };
    for (const Case &c : cases) {
        EXPECT_FALSE(KillFile(c.path)) << qPrintable(c.path);
        // No short names here, so no retry and no retry path.
        expectRecord(c.number, c.description, QString());
    }
    EXPECT_TRUE(QFile::exists(keep));
    EXPECT_TRUE(QDir(folder).exists());
}

// --------------------------------------------------------------------------- RenameFile

TEST_F(FilesTest, RenameFileMovesFilesAndFolders)
{
    const QString file = makeFile(QStringLiteral("old.kvp"), QByteArrayLiteral("data"));
    const QString folder = makeDir(QStringLiteral("2023"));
    makeFile(QStringLiteral("2023/inside.kvs"));

    EXPECT_TRUE(RenameFile(file, path(QStringLiteral("new.kvp"))));
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(contentOf(path(QStringLiteral("new.kvp"))), QByteArrayLiteral("data"));

    EXPECT_TRUE(
        RenameFile(path(QStringLiteral("new.kvp")), path(QStringLiteral("2023/moved.kvp"))));
    EXPECT_EQ(contentOf(path(QStringLiteral("2023/moved.kvp"))), QByteArrayLiteral("data"));

    EXPECT_TRUE(RenameFile(folder, path(QStringLiteral("2024"))));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("2024/inside.kvs"))));
}

TEST_F(FilesTest, RenameFileNeverReplacesAnExistingName)
{
    const QString oldFile = makeFile(QStringLiteral("old.kvp"), QByteArrayLiteral("old"));
    const QString taken = makeFile(QStringLiteral("taken.kvp"), QByteArrayLiteral("taken"));
    const QString folder = makeDir(QStringLiteral("folder"));

    EXPECT_FALSE(RenameFile(oldFile, taken));
    expectRecord(kNameTaken, kNameTakenText, oldFile);
    EXPECT_EQ(contentOf(oldFile), QByteArrayLiteral("old"));
    EXPECT_EQ(contentOf(taken), QByteArrayLiteral("taken"));

    EXPECT_FALSE(RenameFile(oldFile, folder));
    expectRecord(kNameTaken, kNameTakenText, oldFile);
    // Windows takes a file renamed to its own name as done; elsewhere the name is taken.
#ifdef Q_OS_WIN
    EXPECT_TRUE(RenameFile(oldFile, oldFile));
#else
    EXPECT_FALSE(RenameFile(oldFile, oldFile));
#endif
    EXPECT_EQ(contentOf(oldFile), QByteArrayLiteral("old"));
}

TEST_F(FilesTest, RenameFileRefusalsRecordTheOldPath)
{
    const QString file = makeFile(QStringLiteral("old.kvp"), QByteArrayLiteral("old"));
    const QString nul(QChar(u'\0'));
    struct Case
    {
        QString oldPath;
        QString newPath;
        qint32 number;
        const char *description;
    };
    const Case cases[] = {
        {path(QStringLiteral("missing.kvp")), path(QStringLiteral("x.kvp")), 2, "File Not Found"},
        {path(QStringLiteral("gone/a.kvp")), path(QStringLiteral("x.kvp")), 3, "Path Not Found"},
        {file, path(QStringLiteral("gone/x.kvp")), 3, "Path Not Found"},
        {file, path(QString(300, QChar(u'r'))), kTooLong, "Filename Exceeded Range"},
        {file, path(QStringLiteral("x.kvp")) + nul + QStringLiteral("y"), 123, "Invalid Name"},
    };
    for (const Case &c : cases) {
        EXPECT_FALSE(RenameFile(c.oldPath, c.newPath)) << qPrintable(c.newPath);
        expectRecord(c.number, c.description, c.oldPath);
    }
    EXPECT_EQ(contentOf(file), QByteArrayLiteral("old"));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("old.kvp")});
}

#ifndef Q_OS_WIN
// The route taken where the file system refuses a no-replace rename.
TEST_F(FilesTest, LinkingFallbackMovesAFileAndNeverReplaces)
{
    const QString oldFile = makeFile(QStringLiteral("old.kvp"), QByteArrayLiteral("old"));
    const QString taken = makeFile(QStringLiteral("taken.kvp"), QByteArrayLiteral("taken"));

    EXPECT_EQ(fscalls::renameByLinking(oldFile, taken), 80);
    EXPECT_EQ(contentOf(oldFile), QByteArrayLiteral("old"));
    EXPECT_EQ(contentOf(taken), QByteArrayLiteral("taken"));

    EXPECT_EQ(fscalls::renameByLinking(oldFile, path(QStringLiteral("new.kvp"))), 0);
    EXPECT_FALSE(QFile::exists(oldFile));
    EXPECT_EQ(contentOf(path(QStringLiteral("new.kvp"))), QByteArrayLiteral("old"));

    EXPECT_EQ(fscalls::renameByLinking(path(QStringLiteral("missing")), path(QStringLiteral("x"))),
              2);
}
#endif

} // namespace
} // namespace quenloft
