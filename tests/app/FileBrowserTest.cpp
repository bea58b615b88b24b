// The browser pane in the real window: hover and pin rules, folders that cannot be read,
// file selection and the file keys from each source.
#include "BrowserFixture.h"

#include "app/column/ClickLabel.h"
#include "app/column/FieldEditor.h"
#include "app/pane/PaneFrame.h"
#include "browser/lists/DirListBox.h"
#include "browser/lists/DriveListBox.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

using namespace quenloft;
using namespace quenloft::testing;

namespace {

class Browser : public BrowserTest
{
protected:
    QString unreadable(const QString &folder) const
    {
        return "There was an error reading the [" + folder + "] directory!";
    }
};

TEST_F(Browser, PaneFollowsThePointerUnlessPinned)
{
    const QPoint leftOfEdge(100, 300), rightOfEdge(390, 200), frame(12, 30), notice(60, 6);
    const struct
    {
        bool pinned;
        int from;
        QPoint pointer;
        int to;
    } cases[] = {
        {false, 605, leftOfEdge, 6975}, {false, 6975, rightOfEdge, 605},
        {false, 605, frame, 6975},      {false, 6975, notice, 605},
        {true, 605, leftOfEdge, 605},   {true, 6975, rightOfEdge, 6975},
        {true, 6975, notice, 6975},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.pinned << " " << c.from << " " << c.pointer.x());
        QTest::mouseMove(window.windowHandle(), QPoint(777, 1)); // a move needs a new place
        window.chkPin()->setChecked(c.pinned);
        window.frameVEXAFile()->setFrameHeightTwips(c.from);
        window.txtVehicleNotes()->setFocus();
        QTest::mouseMove(window.windowHandle(), c.pointer);
        EXPECT_EQ(window.frameVEXAFile()->frameHeightTwips(), c.to);
        const bool focusMoves = c.pointer == leftOfEdge && c.to != c.from;
        EXPECT_EQ(QApplication::focusWidget() == window.fileKVP(), focusMoves);
    }
}

TEST_F(Browser, FoldersThatCannotBeReadAreNamed)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath("good/sub"));
    const QString good = path("good"), gone = path("gone");
    window.driveKVP()->setVolumeSource([&] {
        return QList<DriveListBox::Volume>{{good, {}}, {gone, {}}};
    });
    ASSERT_EQ(window.fileKVP()->path(), good);

    // A folder removed after it was listed: the lists stay where they are.
    ASSERT_TRUE(QDir(path("good/sub")).removeRecursively());
    const int row = int(window.dirKVP()->entries().indexOf(path("good/sub")));
    const QPoint at = window.dirKVP()->visualItemRect(window.dirKVP()->item(row)).center();
    QTest::mouseClick(window.dirKVP()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(window.dirKVP()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(window.fileKVP()->path(), good);

    // A drive that cannot be read: the lists fall back to the program's folder.
    ASSERT_TRUE(window.driveKVP()->setDrive(gone));
    EXPECT_EQ(script.messages(), QStringList({unreadable(path("good/sub")), unreadable(good)}));
    EXPECT_EQ(window.dirKVP()->path(), QCoreApplication::applicationDirPath());
    EXPECT_EQ(window.fileKVP()->path(), QCoreApplication::applicationDirPath());
}

TEST_F(Browser, SelectionLoadsTheFileAndSetsTheCommands)
{
    write("bad.kvp", "too short");
    write("good.kvp");
    ASSERT_TRUE(window.fileKVP()->setPath(dir.path()).ok());
    const QPoint badRow = window.fileKVP()->visualItemRect(window.fileKVP()->item(0)).center();
    const QPoint goodRow = window.fileKVP()->visualItemRect(window.fileKVP()->item(1)).center();
    QTest::mouseClick(window.fileKVP()->viewport(), Qt::LeftButton, {}, goodRow);
    EXPECT_TRUE(commandsEnabled());
    EXPECT_EQ(window.fileKVP()->toolTip(), "good.kvp");
    EXPECT_EQ(window.fieldLabel(FieldId::VehicleName)->text(), "Civic");
    QTest::mouseDClick(window.fileKVP()->viewport(), Qt::LeftButton, {}, goodRow);
    EXPECT_TRUE(window.cmdUndo()->isEnabled()) << "double-click edits";

    QTest::mouseClick(window.fileKVP()->viewport(), Qt::LeftButton, {}, badRow);
    EXPECT_EQ(script.prompts.size(), 1) << "the loader says why";
    EXPECT_FALSE(commandsEnabled());
    QTest::mouseDClick(window.fileKVP()->viewport(), Qt::LeftButton, {}, badRow);
    EXPECT_FALSE(window.cmdUndo()->isEnabled()) << "a rejected file is not edited";
    for (Qt::Key key : {Qt::Key_Delete, Qt::Key_F2})
        QTest::keyRelease(window.fileKVP(), key);
    EXPECT_EQ(script.prompts.size(), 1) << "Delete and F2 need a loaded file";
}

TEST_F(Browser, ASelectionMadeDuringALongLoadKeepsItsCommands)
{
    write("big.kvp", fixtures::NoxFileBuilder().records(100000, 40).build());
    write("small.kvp");
    window.setScanEventInterval(0);
    QTimer::singleShot(0, &window, [&] { window.fileKVP()->setFileName("small.kvp"); });
    pick("big.kvp");
    EXPECT_EQ(window.fieldLabel(FieldId::VehicleName)->text(), "Civic");
    EXPECT_TRUE(commandsEnabled()) << "the overtaken load must not disable them";
}

TEST_F(Browser, FileKeysWorkFromEachListAndTheWindow)
{
    write("good.kvp");
    pick("good.kvp");
    for (QWidget *source :
         {static_cast<QWidget *>(window.driveKVP()), static_cast<QWidget *>(window.dirKVP()),
          static_cast<QWidget *>(window.fileKVP()), static_cast<QWidget *>(&window)}) {
        SCOPED_TRACE(source->objectName().toStdString());
        script.prompts.clear();
        if (source == &window)
            QApplication::focusWidget()->clearFocus();
        QTest::keyRelease(source, Qt::Key_Delete); // answered No
        QTest::keyRelease(source, Qt::Key_F2);     // cancelled
        QTest::keyRelease(source, '.');            // Qt's code for "." is Delete's 46
        ASSERT_EQ(script.prompts.size(), 2);
        EXPECT_EQ(script.prompts.at(0).kind, Prompt::Question);
        EXPECT_EQ(script.prompts.at(1).text, "Enter the new name for this file:");
        write(source->objectName() + ".kvs");
        QTest::keyRelease(source, Qt::Key_F5);
        EXPECT_TRUE(window.fileKVP()->fileNames().contains(source->objectName() + ".kvs"));
    }
}

TEST_F(Browser, KeysReleasedInATextBoxAreNotFileKeys)
{
    write("good.kvp");
    pick("good.kvp");
    window.cmdEdit_Click();
    const auto releaseKeys = [](QWidget *box) {
        ASSERT_EQ(QApplication::focusWidget(), box) << box->objectName().toStdString();
        for (Qt::Key key : {Qt::Key_Delete, Qt::Key_F2})
            QTest::keyRelease(box, key);
    };
    window.txtVehicleNotes()->setFocus();
    releaseKeys(window.txtVehicleNotes());
    QTest::mouseClick(window.fieldLabel(FieldId::Weight),
                      Qt::LeftButton); // opens its editor
    releaseKeys(window.fieldEditor(FieldId::Weight));
    EXPECT_TRUE(script.prompts.isEmpty());
}

} // namespace
