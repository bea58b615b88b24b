#include "browser/lists/DirListBox.h"

#include "fixtures/QtPrinters.h"
#include "fixtures/SystemCases.h"
#include "support/Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

using quenloft::DirListBox;

QStringList ancestorsOf(const QString &path)
{
    QStringList chain;
    QDir dir(path);
    chain.prepend(dir.absolutePath());
    while (dir.cdUp()) {
        chain.prepend(dir.absolutePath());
    }
    return chain;
}

class DirListBoxTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp.isValid());
        root = QDir::cleanPath(QFileInfo(temp.path()).canonicalFilePath());
        QDir dir(root);
        for (const char *name : {"gamma", "Beta", "alpha", ".hidden"}) {
            ASSERT_TRUE(dir.mkdir(QString::fromLatin1(name)));
        }
        ASSERT_TRUE(dir.mkpath(QStringLiteral("alpha/inner")));
        QFile file(dir.filePath(QStringLiteral("plain.kvp")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(list.setPath(root));
    }

    QString sub(const char *name) const { return root + QLatin1Char('/') + QLatin1String(name); }

    QTemporaryDir temp;
    QString root;
    DirListBox list;
};

TEST_F(DirListBoxTest, ShowsAncestorsThenSubdirectories)
{
    const QStringList ancestors = ancestorsOf(root);
    EXPECT_EQ(list.path(), root);
    EXPECT_EQ(list.ancestorCount(), ancestors.size());
    EXPECT_EQ(list.entries(), ancestors + QStringList({sub("alpha"), sub("Beta"), sub("gamma")}));
    EXPECT_EQ(list.currentRow(), list.ancestorCount() - 1) << "the current directory is marked";
    EXPECT_EQ(list.entries().first(), QDir::rootPath());
    EXPECT_EQ(list.item(0)->text(), QDir::rootPath());
    EXPECT_EQ(list.item(list.ancestorCount())->text(), QStringLiteral("alpha"));
}

TEST_F(DirListBoxTest, ListsLinksToFoldersAsSubdirectories)
{
    QUENLOFT_SKIP_IF_MISSING(quenloft::fixtures::symbolicLinksMissing());
    ASSERT_TRUE(QFile::link(sub("alpha"), sub("delta")));
    ASSERT_TRUE(QFile::link(sub("plain.kvp"), sub("epsilon")));
    ASSERT_TRUE(QFile::link(sub("gone"), sub("zeta")));
    ASSERT_TRUE(list.refresh());
    EXPECT_EQ(list.entries().mid(list.ancestorCount()),
              QStringList({sub("alpha"), sub("Beta"), sub("delta"), sub("gamma")}));
}

TEST_F(DirListBoxTest, AncestorsShowAnOpenFolderAndSubdirectoriesAClosedOne)
{
    const auto picture = [this](int row) {
        return list.item(row)->icon().pixmap(QSize(16, 16)).toImage();
    };
    const QImage open = picture(list.ancestorCount() - 1);
    const QImage closed = picture(list.ancestorCount());
    ASSERT_FALSE(open.isNull());
    const auto drawn = [](const QImage &image) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(image.pixel(x, y)) != 0)
                    return true;
        return false;
    };
    EXPECT_TRUE(drawn(open));
    EXPECT_TRUE(drawn(closed));
    EXPECT_NE(open, closed);
    EXPECT_EQ(picture(0), open);
    EXPECT_EQ(picture(list.count() - 1), closed);
}

TEST_F(DirListBoxTest, PathChangeIsReportedBeforeSetPathReturns)
{
    QSignalSpy changed(&list, &DirListBox::changed);
    QStringList seenEntries;
    QObject::connect(&list, &DirListBox::changed, &list, [&] { seenEntries = list.entries(); });
    EXPECT_TRUE(list.setPath(sub("alpha")));
    EXPECT_EQ(changed.size(), 1);
    EXPECT_EQ(list.path(), sub("alpha"));
    EXPECT_EQ(seenEntries, list.entries()) << "listeners see the new list";
    EXPECT_EQ(list.entries().last(), sub("alpha/inner"));
}

TEST_F(DirListBoxTest, SamePathIsNoChange)
{
    QSignalSpy changed(&list, &DirListBox::changed);
    EXPECT_TRUE(list.setPath(root + QLatin1Char('/')));
    EXPECT_TRUE(list.setPath(sub("alpha/..")));
    EXPECT_EQ(changed.size(), 0);
}

TEST_F(DirListBoxTest, RelativePathsAreTakenFromTheCurrentDirectory)
{
    EXPECT_TRUE(list.setPath(QStringLiteral("alpha/inner")));
    EXPECT_EQ(list.path(), sub("alpha/inner"));
    EXPECT_TRUE(list.setPath(QStringLiteral("../..")));
    EXPECT_EQ(list.path(), root);
}

struct FailureCase
{
    const char *name;
    const char *path; // under the temporary directory
    int number;
};

class DirListBoxFailure : public DirListBoxTest, public testing::WithParamInterface<FailureCase>
{
};

TEST_P(DirListBoxFailure, ReportsFailureAndKeepsThePath)
{
    const QStringList before = list.entries();
    QSignalSpy changed(&list, &DirListBox::changed);
    const auto result = list.setPath(sub(GetParam().path));
    ASSERT_FALSE(result);
    EXPECT_EQ(result.failure().number, GetParam().number);
    EXPECT_FALSE(result.failure().description.isEmpty());
    EXPECT_EQ(list.path(), root);
    EXPECT_EQ(list.entries(), before);
    EXPECT_EQ(changed.size(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DirListBoxFailure,
    testing::Values(FailureCase{"Missing", "no-such-directory", quenloft::ErrorFileNotFound},
                    FailureCase{"MissingParent", "no/such/directory", quenloft::ErrorFileNotFound},
                    FailureCase{"File", "plain.kvp", quenloft::ErrorPathNotFound}),
    [](const testing::TestParamInfo<FailureCase> &info) { return std::string(info.param.name); });

TEST_F(DirListBoxTest, UnreadableDirectoryFails)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "folder permissions are access control lists on Windows: QFile::setPermissions "
                    "cannot take read access away";
#endif
    const QString locked = sub("gamma");
    ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::Permissions()));
    if (::access(QFile::encodeName(locked).constData(), R_OK | X_OK) == 0) {
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
        GTEST_SKIP() << "this user reads every directory (root)";
    }
    const auto result = list.setPath(locked);
    QFile::setPermissions(locked,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    ASSERT_FALSE(result);
    EXPECT_EQ(result.failure().number, quenloft::ErrorAccessDenied);
    EXPECT_EQ(list.path(), root);
}

TEST_F(DirListBoxTest, EnterOnASubdirectoryGoesIntoIt)
{
    QSignalSpy changed(&list, &DirListBox::changed);
    list.setCurrentRow(list.ancestorCount() + 1); // Beta
    QTest::keyClick(&list, Qt::Key_Return);
    EXPECT_EQ(list.path(), sub("Beta"));
    EXPECT_EQ(changed.size(), 1);
}

TEST_F(DirListBoxTest, EnterOnAnAncestorGoesUp)
{
    list.setCurrentRow(list.ancestorCount() - 2);
    QTest::keyClick(&list, Qt::Key_Enter);
    EXPECT_EQ(list.path(), QFileInfo(root).absolutePath());
}

TEST_F(DirListBoxTest, DoubleClickGoesIntoADirectory)
{
    list.resize(300, 600);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    const int row = list.ancestorCount(); // alpha
    const QPoint at = list.visualItemRect(list.item(row)).center();
    // What a platform delivers for a double-click.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(list.path(), sub("alpha"));
}

TEST_F(DirListBoxTest, SingleClickOnlyMovesTheMark)
{
    list.resize(300, 600);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    QSignalSpy changed(&list, &DirListBox::changed);
    const QPoint at = list.visualItemRect(list.item(list.ancestorCount())).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(list.path(), root);
    EXPECT_EQ(changed.size(), 0);
}

TEST_F(DirListBoxTest, EnteringADirectoryThatWentAwayIsReported)
{
    QSignalSpy failed(&list, &DirListBox::enterFailed);
    const int row = list.ancestorCount() + 2; // gamma
    ASSERT_TRUE(QDir(sub("gamma")).removeRecursively());
    list.setCurrentRow(row);
    QTest::keyClick(&list, Qt::Key_Return);
    EXPECT_EQ(list.path(), root);
    ASSERT_EQ(failed.size(), 1);
    EXPECT_EQ(failed.at(0).at(0).toString(), sub("gamma"));
}

TEST_F(DirListBoxTest, RefreshShowsNewDirectories)
{
    ASSERT_TRUE(QDir(root).mkdir(QStringLiteral("delta")));
    EXPECT_TRUE(list.refresh());
    EXPECT_TRUE(list.entries().contains(sub("delta")));
}

TEST_F(DirListBoxTest, RefreshOfAVanishedDirectoryFailsAndKeepsTheList)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Windows keeps a removed folder that a program is watching, empty and "
                    "listable, until the watch lets it go";
#endif
    ASSERT_TRUE(list.setPath(sub("alpha")));
    const QStringList before = list.entries();
    ASSERT_TRUE(QDir(sub("alpha")).removeRecursively());
    EXPECT_FALSE(list.refresh());
    EXPECT_EQ(list.path(), sub("alpha"));
    EXPECT_EQ(list.entries(), before);
}

TEST_F(DirListBoxTest, KeyReleaseIsReported)
{
    QSignalSpy released(&list, &DirListBox::keyReleased);
    QTest::keyRelease(&list, Qt::Key_Delete);
    ASSERT_EQ(released.size(), 1);
    EXPECT_EQ(released.at(0).at(0).toInt(), int(Qt::Key_Delete));
}

TEST(DirListBox, RootHasNoAncestorsAboveIt)
{
    DirListBox list;
    ASSERT_TRUE(list.setPath(QDir::rootPath()));
    EXPECT_EQ(list.path(), QDir::rootPath());
    EXPECT_EQ(list.ancestorCount(), 1);
    EXPECT_EQ(list.entryPath(0), QDir::rootPath());
}

} // namespace
