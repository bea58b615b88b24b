#include "browser/lists/DriveListBox.h"

#include "fixtures/CaseNames.h"
#include "fixtures/QtPrinters.h"

#include <QDir>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

using quenloft::DriveListBox;

struct ContainingCase
{
    const char *path;
    const char *drive;
};

class DriveContaining : public testing::TestWithParam<ContainingCase>
{
};

TEST_P(DriveContaining, PicksTheDeepestDriveHoldingThePath)
{
    const QStringList roots = {QStringLiteral("/"), QStringLiteral("/home/ann"),
                               QStringLiteral("/media/ann/USB STICK")};
    EXPECT_EQ(DriveListBox::driveContaining(roots, QString::fromUtf8(GetParam().path)),
              QString::fromUtf8(GetParam().drive));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, DriveContaining,
    testing::Values(ContainingCase{"/home/ann/runs", "/home/ann"},
                    ContainingCase{"/home/ann", "/home/ann"},
                    ContainingCase{"/home/ann/", "/home/ann"}, ContainingCase{"/home/anne", "/"},
                    ContainingCase{"/etc", "/"}, ContainingCase{"/", "/"},
                    ContainingCase{"/media/ann/USB STICK/a/b", "/media/ann/USB STICK"},
                    ContainingCase{"/media/ann/../ann/USB STICK", "/media/ann/USB STICK"},
                    ContainingCase{"", ""}),
    [](const testing::TestParamInfo<ContainingCase> &info) {
        return "path" + quenloft::fixtures::caseName(info.param.path);
    });

class DriveListBoxTest : public testing::Test
{
protected:
    void SetUp() override
    {
        list.setVolumeSource([this] { return volumes; });
    }

    QList<DriveListBox::Volume> volumes = {
        {QStringLiteral("/"), QString()},
        {QStringLiteral("/home/ann"), QStringLiteral("home")},
        {QStringLiteral("/media/ann/USB"), QStringLiteral("USB")},
    };
    DriveListBox list;
};

TEST_F(DriveListBoxTest, ListsTheVolumesWithTheirLabels)
{
#ifdef Q_OS_WIN
    // The classic list: the letter in lower case and its colon first, then the label.
    volumes = {{QStringLiteral("C:/"), QString()}, {QStringLiteral("E:/"), QStringLiteral("USB")}};
    list.refresh();
    EXPECT_EQ(list.drives(), QStringList({QStringLiteral("C:/"), QStringLiteral("E:/")}));
    EXPECT_EQ(list.itemText(0), QStringLiteral("c:"));
    EXPECT_EQ(list.itemText(1), QStringLiteral("e: [USB]"));
#else
    EXPECT_EQ(list.drives(), QStringList({QStringLiteral("/"), QStringLiteral("/home/ann"),
                                          QStringLiteral("/media/ann/USB")}));
    EXPECT_EQ(list.itemText(0), QStringLiteral("/"));
    EXPECT_EQ(list.itemText(2), QStringLiteral("/media/ann/USB  [USB]"));
#endif
}

TEST_F(DriveListBoxTest, SetDriveSelectsTheDriveHoldingThePath)
{
    ASSERT_TRUE(list.setDrive(QStringLiteral("/")));
    QSignalSpy changed(&list, &DriveListBox::changed);
    EXPECT_TRUE(list.setDrive(QStringLiteral("/media/ann/USB/runs")));
    EXPECT_EQ(list.drive(), QStringLiteral("/media/ann/USB"));
    EXPECT_EQ(changed.size(), 1);
    EXPECT_TRUE(list.setDrive(QStringLiteral("/media/ann/USB")));
    EXPECT_EQ(changed.size(), 1) << "the same drive is no change";
}

TEST_F(DriveListBoxTest, UserChoiceIsAChange)
{
    ASSERT_TRUE(list.setDrive(QStringLiteral("/")));
    QSignalSpy changed(&list, &DriveListBox::changed);
    list.setCurrentIndex(1);
    EXPECT_EQ(changed.size(), 1);
    EXPECT_EQ(list.drive(), QStringLiteral("/home/ann"));
}

TEST_F(DriveListBoxTest, UnknownDriveFailsAndKeepsTheSelection)
{
    volumes.removeFirst();
    list.refresh();
    ASSERT_TRUE(list.setDrive(QStringLiteral("/home/ann")));
    QSignalSpy changed(&list, &DriveListBox::changed);
    EXPECT_FALSE(list.setDrive(QStringLiteral("/etc")));
    EXPECT_EQ(list.drive(), QStringLiteral("/home/ann"));
    EXPECT_EQ(changed.size(), 0);
}

TEST_F(DriveListBoxTest, RefreshKeepsADriveThatStillExistsQuietly)
{
    ASSERT_TRUE(list.setDrive(QStringLiteral("/media/ann/USB")));
    volumes.insert(1, {QStringLiteral("/media/ann/CARD"), QString()});
    QSignalSpy changed(&list, &DriveListBox::changed);
    list.refresh();
    EXPECT_EQ(list.drive(), QStringLiteral("/media/ann/USB"));
    EXPECT_EQ(list.count(), 4);
    EXPECT_EQ(changed.size(), 0);
}

TEST_F(DriveListBoxTest, RefreshAfterTheDriveWentSelectsTheFirstAndReportsIt)
{
    ASSERT_TRUE(list.setDrive(QStringLiteral("/media/ann/USB")));
    volumes.removeLast();
    QSignalSpy changed(&list, &DriveListBox::changed);
    list.refresh();
    EXPECT_EQ(list.drive(), QStringLiteral("/"));
    EXPECT_EQ(changed.size(), 1);
}

#ifdef Q_OS_WIN
TEST(DriveListBoxSystem, EveryDriveLetterInUseIsOffered)
{
    const QList<DriveListBox::Volume> volumes = DriveListBox::systemVolumes();
    QStringList paths;
    for (const DriveListBox::Volume &volume : volumes) {
        EXPECT_TRUE(volume.path.size() == 3 && volume.path.at(0).isUpper() &&
                    volume.path.endsWith(QStringLiteral(":/")))
            << volume.path.toStdString();
        paths.append(volume.path);
    }
    EXPECT_TRUE(paths.contains(QDir::rootPath())) << "the system drive";
}
#else
TEST(DriveListBoxSystem, RootAndHomeAreAlwaysOffered)
{
    const QList<DriveListBox::Volume> volumes = DriveListBox::systemVolumes();
    QStringList paths;
    for (const DriveListBox::Volume &volume : volumes) {
        paths.append(volume.path);
    }
    EXPECT_TRUE(paths.contains(QStringLiteral("/")));
    EXPECT_TRUE(paths.contains(QDir::homePath()));
    for (const QString &path : paths) {
        EXPECT_TRUE(path == QStringLiteral("/") || path == QDir::homePath() ||
                    path.startsWith(QStringLiteral("/media/")) ||
                    path.startsWith(QStringLiteral("/run/media/")) ||
                    path.startsWith(QStringLiteral("/mnt/")))
            << path.toStdString() << " is not a place a user browses";
    }
}
#endif

TEST(DriveListBoxSystem, StartsOnTheDriveOfTheCurrentDirectory)
{
    DriveListBox list;
    EXPECT_EQ(list.drive(), DriveListBox::driveContaining(list.drives(), QDir::currentPath()));
    EXPECT_FALSE(list.drive().isEmpty());
}

} // namespace
