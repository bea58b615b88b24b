// Changes on disk by another program while the window shows a file: to the file itself,
// and to the folder it is listed in.
#include "WindowFixture.h"

#include "runfile/RunFileLayout.h"

#include <QSignalSpy>

using namespace quenloft;
using namespace quenloft::fixtures;
using namespace quenloft::testing;

namespace {

constexpr int kWaitMs = 5000;

class ShownFileWatchTest : public WindowTest
{
protected:
    QByteArray nox(quint16 weight) const
    {
        return NoxFileBuilder().version("2.0").weight(weight).records(2, 8).notes("n").build();
    }
    // Another program writes the file anew.
    void rewrite(const QString &path, const QByteArray &bytes)
    {
        ASSERT_TRUE(writeFile(path, bytes));
    }
};

TEST_F(ShownFileWatchTest, WithoutEditsTheFileIsShownAsItNowIs)
{
    const QString path = write("a.kvp", nox(2650));
    ASSERT_TRUE(select("a.kvp"));
    rewrite(path, nox(2710));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return ui.label(FieldId::Weight)->text() == u"2710"; }, kWaitMs));
    EXPECT_EQ(state(), kFileShown);
    EXPECT_TRUE(script.prompts.isEmpty());

    // This program's own save is not a change by another program.
    click(ui.cmdEdit);
    enter(FieldId::Weight, "2800");
    click(ui.cmdSave);
    QTest::qWait(3 * PathWatch::kSettleMilliseconds);
    EXPECT_TRUE(script.prompts.isEmpty());
    EXPECT_EQ(ui.label(FieldId::Weight)->text(), "2800");
}

TEST_F(ShownFileWatchTest, UnsavedEditsStayAndTheUserIsToldOnce)
{
    const QString path = write("a.kvp", nox(2650));
    ASSERT_TRUE(select("a.kvp"));
    click(ui.cmdEdit);
    enter(FieldId::Weight, "2800");
    rewrite(path, nox(2710));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !script.prompts.isEmpty(); }, kWaitMs));
    EXPECT_TRUE(script.prompts.at(0).text.contains("was changed by another program"));
    rewrite(path, nox(2720));
    QTest::qWait(3 * PathWatch::kSettleMilliseconds);
    EXPECT_EQ(script.prompts.size(), 1) << "told once";
    EXPECT_EQ(ui.label(FieldId::Weight)->text(), "2800");
    EXPECT_EQ(state(), kEditingChangedNox);

    click(ui.cmdSave);
    ASSERT_EQ(script.prompts.size(), 2);
    EXPECT_TRUE(script.prompts.at(1).text.contains("changed on disk"));
    EXPECT_EQ(read(path), nox(2720)) << "the other program's data is kept";
}

TEST_F(ShownFileWatchTest, AFileRemovedWithoutEditsLeavesNothingShown)
{
    const QString path = write("a.kvp", nox(2650));
    ASSERT_TRUE(select("a.kvp"));
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !script.prompts.isEmpty(); }, kWaitMs));
    EXPECT_TRUE(script.prompts.at(0).text.contains("was removed or renamed"));
    EXPECT_EQ(state(), kNoFile);
    EXPECT_EQ(ui.label(FieldId::Weight)->text(), "");
    EXPECT_FALSE(window.session().hasFile());
}

TEST_F(ShownFileWatchTest, UnsavedEditsStayWhileTheFolderChanges)
{
    ASSERT_TRUE(load("run.kvp", fixtures::NoxFileBuilder()
                                    .version("2.0")
                                    .vehicleName("Civic")
                                    .records(3, 8)
                                    .notes("Old notes")
                                    .build()));
    click(ui.cmdEdit);
    enter(FieldId::VehicleName, "Accord");
    ASSERT_EQ(state(), kEditingChangedNox);
    QSignalSpy reread(ui.fileKVP, &FileListBox::changedOnDisk);

    write("new.kvs", fixtures::SolvaneFileBuilder().build());
    ASSERT_TRUE(reread.wait(kWaitMs));
    EXPECT_EQ(ui.fileKVP->fileNames(), QStringList({"new.kvs", "run.kvp"}));
    EXPECT_EQ(ui.fileKVP->fileName(), "run.kvp");
    EXPECT_EQ(state(), kEditingChangedNox);
    EXPECT_TRUE(window.session().isDirty());
    EXPECT_EQ(ui.label(FieldId::VehicleName)->text(), "Accord");
    EXPECT_EQ(window.session().model(), Model::Nox);

    // F5 does not wait for the disk to be noticed.
    write("now.kvp", fixtures::NoxFileBuilder().version("2.0").build());
    QTest::keyRelease(ui.fileKVP, Qt::Key_F5);
    EXPECT_EQ(ui.fileKVP->fileNames(), QStringList({"new.kvs", "now.kvp", "run.kvp"}));
    EXPECT_EQ(state(), kEditingChangedNox);
    EXPECT_TRUE(script.prompts.isEmpty());
}

} // namespace
