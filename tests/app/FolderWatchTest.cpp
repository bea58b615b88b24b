// The directory and file lists follow their folder on disk: entries created, removed and
// renamed by other programs, bursts of them, and the window's state while they come in.
#include "WindowFixture.h"
#include "browser/pane/DirListBox.h"
#include "browser/pane/FileListBox.h"
#include "browser/pane/PathWatch.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSignalSpy>

#include <functional>

using namespace quenloft;
using namespace quenloft::testing;

namespace {

constexpr int kWaitMs = 5000;

void touch(const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

TEST(FolderFollowing, FileListKeepsItsSelectionAndNeverClicks)
{
    QTemporaryDir dir;
    for (const char *name : {"a.kvp", "b.kvp", "c.kvs"})
        touch(dir.filePath(name));
    FileListBox list;
    ASSERT_TRUE(list.setPath(dir.path()).ok());
    ASSERT_TRUE(list.setFileName("b.kvp"));
    const QSignalSpy clicks(&list, &FileListBox::fileClicked);
    QSignalSpy reread(&list, &FileListBox::changedOnDisk);
    QDir folder(dir.path());

    const struct
    {
        const char *change;
        std::function<bool()> apply;
        QStringList listed;
        const char *selected;
    } cases[] = {
        {"created",
         [&] { return QFile(dir.filePath("d.KVP")).open(QIODevice::WriteOnly); },
         {"a.kvp", "b.kvp", "c.kvs", "d.KVP"},
         "b.kvp"},
        {"other kinds",
         [&] {
             return QFile(dir.filePath("x.txt")).open(QIODevice::WriteOnly) &&
                    folder.mkdir("folder.kvp");
         },
         {"a.kvp", "b.kvp", "c.kvs", "d.KVP"},
         "b.kvp"},
        {"removed", [&] { return folder.remove("a.kvp"); }, {"b.kvp", "c.kvs", "d.KVP"}, "b.kvp"},
        {"renamed",
         [&] { return folder.rename("c.kvs", "e.kvs"); },
         {"b.kvp", "d.KVP", "e.kvs"},
         "b.kvp"},
        {"selected renamed",
         [&] { return folder.rename("b.kvp", "f.kvp"); },
         {"d.KVP", "e.kvs", "f.kvp"},
         ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.change);
        reread.clear();
        ASSERT_TRUE(c.apply());
        ASSERT_TRUE(reread.wait(kWaitMs));
        EXPECT_EQ(list.fileNames(), c.listed);
        EXPECT_EQ(list.fileName(), c.selected);
    }
    EXPECT_EQ(clicks.count(), 0);
}

TEST(FolderFollowing, DirectoryListKeepsTheHighlightedEntry)
{
    QTemporaryDir dir;
    QDir folder(dir.path());
    ASSERT_TRUE(folder.mkdir("keep"));
    DirListBox list;
    ASSERT_TRUE(list.setPath(dir.path()).ok());
    const QSignalSpy changed(&list, &DirListBox::changed);
    QSignalSpy reread(&list, &DirListBox::changedOnDisk);
    const auto subdirectories = [&] {
        QStringList names;
        for (const QString &entry : list.entries().mid(list.ancestorCount()))
            names.append(QFileInfo(entry).fileName());
        return names;
    };
    list.setCurrentRow(list.ancestorCount()); // "keep" highlighted, not entered

    const struct
    {
        const char *change;
        std::function<bool()> apply;
        QStringList listed;
    } cases[] = {
        {"created",
         [&] { return folder.mkdir("Beta") && folder.mkdir("alpha"); },
         {"alpha", "Beta", "keep"}},
        {"renamed", [&] { return folder.rename("alpha", "zulu"); }, {"Beta", "keep", "zulu"}},
        {"removed", [&] { return folder.rmdir("Beta"); }, {"keep", "zulu"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.change);
        reread.clear();
        ASSERT_TRUE(c.apply());
        ASSERT_TRUE(reread.wait(kWaitMs));
        EXPECT_EQ(subdirectories(), c.listed);
        EXPECT_EQ(list.entryPath(list.currentRow()), dir.filePath("keep"));
    }
    EXPECT_EQ(list.path(), dir.path());
    EXPECT_EQ(changed.count(), 0);
}

TEST(FolderFollowing, BurstIsReadAFewTimesNotOncePerFile)
{
    QTemporaryDir dir;
    FileListBox list;
    ASSERT_TRUE(list.setPath(dir.path()).ok());
    QSignalSpy reread(&list, &FileListBox::changedOnDisk);

    constexpr int kFiles = 500;
    QElapsedTimer writing;
    writing.start();
    for (int i = 0; i < kFiles; ++i)
        touch(dir.filePath(QStringLiteral("run%1.kvp").arg(i, 4, 10, QLatin1Char('0'))));
    const qint64 spent = writing.elapsed();
    while (list.count() < kFiles && reread.wait(kWaitMs)) {
    }
    EXPECT_EQ(list.count(), kFiles);
    // At most one read per settling time while the files came in, and one after.
    EXPECT_LE(reread.count(), spent / PathWatch::kSettleMilliseconds + 2)
        << spent << " ms to write the files";
}

class FolderFollowingWindow : public WindowTest
{
};

TEST_F(FolderFollowingWindow, UnsavedEditsStayWhileTheFolderChanges)
{
    ASSERT_TRUE(load("run.kvp", fixtures::NoxFileBuilder()
                                    .version("2.0")
                                    .vehicleName("Civic")
                                    .records(3, 8)
                                    .notes("Old notes")
                                    .build()));
    window.cmdEdit_Click();
    enter(window.fieldLabel(FieldId::VehicleName), window.fieldEditor(FieldId::VehicleName),
          "Accord");
    ASSERT_EQ(state(), kEditingChangedNox);
    QSignalSpy reread(window.fileKVP(), &FileListBox::changedOnDisk);

    write("new.kvs", fixtures::SolvaneFileBuilder().build());
    ASSERT_TRUE(reread.wait(kWaitMs));
    EXPECT_EQ(window.fileKVP()->fileNames(), QStringList({"new.kvs", "run.kvp"}));
    EXPECT_EQ(window.fileKVP()->fileName(), "run.kvp");
    EXPECT_EQ(state(), kEditingChangedNox);
    EXPECT_TRUE(window.blnDirtyData);
    EXPECT_EQ(window.fieldLabel(FieldId::VehicleName)->text(), "Accord");
    EXPECT_EQ(window.strMode, "Nox");

    // F5 does not wait for the disk to be noticed.
    write("now.kvp", fixtures::NoxFileBuilder().version("2.0").build());
    window.HandleFileKeys(116, 0);
    EXPECT_EQ(window.fileKVP()->fileNames(), QStringList({"new.kvs", "now.kvp", "run.kvp"}));
    EXPECT_EQ(state(), kEditingChangedNox);
    EXPECT_TRUE(script.prompts.isEmpty());
}

} // namespace
