// The directory and file lists follow their folder on disk: entries created, removed and
// renamed by other programs, and bursts of them.
#include "browser/lists/DirListBox.h"
#include "browser/lists/FileListBox.h"
#include "browser/lists/PathWatch.h"

#include "fixtures/QtPrinters.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace quenloft;

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

} // namespace
