#include "browser/lists/FileListBox.h"

#include "fixtures/CaseNames.h"
#include "fixtures/QtPrinters.h"
#include "fixtures/SystemCases.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using quenloft::FileListBox;

void touch(const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

struct PatternCase
{
    const char *fileName;
    bool matches;
};

class FilePattern : public testing::TestWithParam<PatternCase>
{
};

TEST_P(FilePattern, MatchesRunFilesOnlyWithoutRegardToCase)
{
    EXPECT_EQ(FileListBox::matchesPattern(QString::fromUtf8(GetParam().fileName),
                                          QStringLiteral("*.kvp;*.kvs")),
              GetParam().matches);
}

INSTANTIATE_TEST_SUITE_P(Names, FilePattern,
                         testing::Values(PatternCase{"run.kvp", true}, PatternCase{"RUN.KVP", true},
                                         PatternCase{"Run.Kvs", true}, PatternCase{"a.b.kvs", true},
                                         PatternCase{".kvp", true},
                                         PatternCase{"run.kvp.bak", false},
                                         PatternCase{"run.kvpx", false},
                                         PatternCase{"run.kv", false}, PatternCase{"runkvp", false},
                                         PatternCase{"run.txt", false},
                                         PatternCase{"run.kvs ", false}, PatternCase{"kvs", false}),
                         [](const testing::TestParamInfo<PatternCase> &info) {
                             return quenloft::fixtures::caseName(info.param.fileName);
                         });

TEST(FilePattern, SeveralPatternsAndSpacesAroundThem)
{
    EXPECT_TRUE(
        FileListBox::matchesPattern(QStringLiteral("x.TXT"), QStringLiteral("*.kvp; *.txt")));
    EXPECT_FALSE(FileListBox::matchesPattern(QStringLiteral("x.kvp"), QString()));
}

class FileListBoxTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        for (const char *name :
             {"b.kvp", "A.KVS", "c.Kvp", "notes.txt", "old.kvp.bak", "kvp", ".hidden.kvp"}) {
            touch(dir.filePath(QString::fromLatin1(name)));
        }
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.kvp")));
        ASSERT_TRUE(list.setPath(dir.path()));
    }

    QTemporaryDir dir;
    FileListBox list;
};

TEST_F(FileListBoxTest, ListsMatchingFilesSortedByName)
{
    EXPECT_EQ(list.path(), QDir::cleanPath(dir.path()));
    EXPECT_EQ(list.fileNames(), QStringList({QStringLiteral("A.KVS"), QStringLiteral("b.kvp"),
                                             QStringLiteral("c.Kvp")}));
    EXPECT_TRUE(list.fileName().isEmpty());
}

// The folder names most entries' kinds itself; a link is looked through, so one to a
// run file is listed and one to a folder or to nothing is not.
TEST_F(FileListBoxTest, ListsLinksToFilesOnly)
{
    QUENLOFT_SKIP_IF_MISSING(quenloft::fixtures::symbolicLinksMissing());
    const auto link = [this](const char *target, const char *name) {
        return QFile::link(dir.filePath(QString::fromLatin1(target)),
                           dir.filePath(QString::fromLatin1(name)));
    };
    ASSERT_TRUE(link("b.kvp", "link.kvp"));
    ASSERT_TRUE(link("gone.kvp", "dead.kvp"));
    ASSERT_TRUE(link("folder.kvp", "dirlink.kvp"));
    ASSERT_TRUE(list.refresh());
    EXPECT_EQ(list.fileNames(), QStringList({QStringLiteral("A.KVS"), QStringLiteral("b.kvp"),
                                             QStringLiteral("c.Kvp"), QStringLiteral("link.kvp")}));
}

TEST_F(FileListBoxTest, PatternChangeListsAgain)
{
    list.setPattern(QStringLiteral("*.txt"));
    EXPECT_EQ(list.fileNames(), QStringList{QStringLiteral("notes.txt")});
}

TEST_F(FileListBoxTest, MissingDirectoryFailsAndKeepsTheList)
{
    const QStringList before = list.fileNames();
    const auto result = list.setPath(dir.filePath(QStringLiteral("gone")));
    EXPECT_FALSE(result);
    EXPECT_EQ(list.path(), QDir::cleanPath(dir.path()));
    EXPECT_EQ(list.fileNames(), before);
}

TEST_F(FileListBoxTest, SetFileNameSelectsAndReportsAClick)
{
    QSignalSpy clicked(&list, &FileListBox::fileClicked);
    EXPECT_TRUE(list.setFileName(QStringLiteral("b.kvp")));
    EXPECT_EQ(list.fileName(), QStringLiteral("b.kvp"));
    EXPECT_EQ(clicked.size(), 1);
    EXPECT_TRUE(list.setFileName(QStringLiteral("b.kvp")));
    EXPECT_EQ(clicked.size(), 1) << "the same selection is no change";
    EXPECT_FALSE(list.setFileName(QStringLiteral("B.KVP")));
    EXPECT_EQ(list.fileName(), QStringLiteral("b.kvp"));
}

TEST_F(FileListBoxTest, ArrowKeysReportEverySelectionChange)
{
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    QStringList seen;
    QObject::connect(&list, &FileListBox::fileClicked, &list,
                     [&] { seen.append(list.fileName()); });
    ASSERT_TRUE(list.setFileName(QStringLiteral("A.KVS")));
    QTest::keyClick(&list, Qt::Key_Down);
    QTest::keyClick(&list, Qt::Key_Down);
    QTest::keyClick(&list, Qt::Key_Up);
    EXPECT_EQ(seen, QStringList({QStringLiteral("A.KVS"), QStringLiteral("b.kvp"),
                                 QStringLiteral("c.Kvp"), QStringLiteral("b.kvp")}));
}

TEST_F(FileListBoxTest, MouseClickSelectsAndRightClickDoesNot)
{
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    QSignalSpy clicked(&list, &FileListBox::fileClicked);
    QSignalSpy released(&list, &FileListBox::mouseReleased);

    const QPoint first = list.visualItemRect(list.item(0)).center();
    const QPoint third = list.visualItemRect(list.item(2)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, first);
    EXPECT_EQ(list.fileName(), QStringLiteral("A.KVS"));
    EXPECT_EQ(clicked.size(), 1);

    QTest::mouseClick(list.viewport(), Qt::RightButton, {}, third);
    EXPECT_EQ(list.fileName(), QStringLiteral("A.KVS")) << "a right click keeps the selection";
    EXPECT_EQ(clicked.size(), 1);
    ASSERT_EQ(released.size(), 2);
    EXPECT_EQ(released.at(1).at(0).value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(released.at(1).at(1).toPoint(), list.viewport()->mapToGlobal(third));
}

TEST_F(FileListBoxTest, ClickBelowTheEntriesKeepsTheSelection)
{
    list.resize(200, 300);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    ASSERT_TRUE(list.setFileName(QStringLiteral("b.kvp")));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(20, 280));
    EXPECT_EQ(list.fileName(), QStringLiteral("b.kvp"));
}

TEST_F(FileListBoxTest, DoubleClickOnAFileIsReported)
{
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    QSignalSpy doubleClicked(&list, &FileListBox::fileDoubleClicked);
    const QPoint second = list.visualItemRect(list.item(1)).center();
    // What a platform delivers for a double-click.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, second);
    QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, second);
    EXPECT_EQ(doubleClicked.size(), 1);
    EXPECT_EQ(list.fileName(), QStringLiteral("b.kvp"));
}

TEST_F(FileListBoxTest, RefreshKeepsTheSelectedNameAndRaisesNoClick)
{
    ASSERT_TRUE(list.setFileName(QStringLiteral("c.Kvp")));
    touch(dir.filePath(QStringLiteral("0first.kvp")));
    QSignalSpy clicked(&list, &FileListBox::fileClicked);
    EXPECT_TRUE(list.refresh());
    EXPECT_EQ(list.fileNames().first(), QStringLiteral("0first.kvp"));
    EXPECT_EQ(list.fileName(), QStringLiteral("c.Kvp"));
    EXPECT_EQ(clicked.size(), 0);
}

TEST_F(FileListBoxTest, RefreshAfterTheSelectedFileWentSelectsNothing)
{
    ASSERT_TRUE(list.setFileName(QStringLiteral("b.kvp")));
    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("b.kvp"))));
    EXPECT_TRUE(list.refresh());
    EXPECT_TRUE(list.fileName().isEmpty());
    EXPECT_EQ(list.count(), 2);
}

TEST_F(FileListBoxTest, NewPathClearsTheSelection)
{
    ASSERT_TRUE(list.setFileName(QStringLiteral("b.kvp")));
    QTemporaryDir other;
    touch(other.filePath(QStringLiteral("b.kvp")));
    EXPECT_TRUE(list.setPath(other.path()));
    EXPECT_EQ(list.fileNames(), QStringList{QStringLiteral("b.kvp")});
    EXPECT_TRUE(list.fileName().isEmpty());
}

TEST_F(FileListBoxTest, KeyReleaseIsReportedAndKeptByTheList)
{
    QSignalSpy released(&list, &FileListBox::keyReleased);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_F2, Qt::NoModifier);
    QCoreApplication::sendEvent(&list, &release);
    EXPECT_TRUE(release.isAccepted());
    ASSERT_EQ(released.size(), 1);
    EXPECT_EQ(released.at(0).at(0).toInt(), int(Qt::Key_F2));

    QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_F2, Qt::NoModifier, QString(), true);
    QCoreApplication::sendEvent(&list, &repeat);
    EXPECT_EQ(released.size(), 1) << "auto-repeat is not a release";
}

} // namespace
