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
        return "There was an error reading the [" + QDir::toNativeSeparators(folder) +
               "] directory!";
    }
};

TEST_F(Browser, PaneFollowsThePointerUnlessPinned)
{
    // Over the window's own surface left and right of the pane's edge (5655 twips, between
    // pixels 376 and 377), the frame's border, the notice line (a label), and the notes
    // box, an enabled control whose movement is its own although it lies right of the edge.
    const QPoint leftOfEdge(100, 300), justLeftOfEdge(376, 300), atEdge(377, 300),
        rightOfEdge(390, 200), frame(12, 30), notice(60, 6), notes(600, 380);
    const struct
    {
        bool pinned;
        int from;
        QPoint pointer;
        int to;
    } cases[] = {
        {false, 605, leftOfEdge, 6975},     {false, 6975, rightOfEdge, 605},
        {false, 605, frame, 6975},          {false, 6975, notice, 605},
        {true, 605, leftOfEdge, 605},       {true, 6975, rightOfEdge, 6975},
        {true, 6975, notice, 6975},         {false, 6975, notes, 6975},
        {false, 605, justLeftOfEdge, 6975}, {false, 6975, atEdge, 605},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.pinned << " " << c.from << " " << c.pointer.x());
        QTest::mouseMove(window.windowHandle(), QPoint(777, 1)); // a move needs a new place
        ui.chkPin->setChecked(c.pinned);
        ui.frameVEXAFile->setFrameHeightTwips(c.from);
        ui.txtVehicleNotes->setFocus();
        QTest::mouseMove(window.windowHandle(), c.pointer);
        EXPECT_EQ(ui.frameVEXAFile->frameHeightTwips(), c.to);
        const bool focusMoves =
            (c.pointer == leftOfEdge || c.pointer == justLeftOfEdge) && c.to != c.from;
        EXPECT_EQ(QApplication::focusWidget() == ui.fileKVP, focusMoves);
    }
}

TEST_F(Browser, FoldersThatCannotBeReadAreNamed)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath("good/sub"));
    const QString good = path("good"), gone = path("gone");
    ui.driveKVP->setVolumeSource([&] {
        return QList<DriveListBox::Volume>{{good, {}}, {gone, {}}};
    });
    ASSERT_EQ(ui.fileKVP->path(), good);

    // A folder removed after it was listed: the lists stay where they are.
    ASSERT_TRUE(QDir(path("good/sub")).removeRecursively());
    const int row = int(ui.dirKVP->entries().indexOf(path("good/sub")));
    const QPoint at = ui.dirKVP->visualItemRect(ui.dirKVP->item(row)).center();
    QTest::mouseClick(ui.dirKVP->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(ui.dirKVP->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(ui.fileKVP->path(), good);

    // A drive that cannot be read: the lists fall back to the program's folder.
    ASSERT_TRUE(ui.driveKVP->setDrive(gone));
    EXPECT_EQ(script.messages(), QStringList({unreadable(path("good/sub")), unreadable(good)}));
    EXPECT_EQ(ui.dirKVP->path(), QCoreApplication::applicationDirPath());
    EXPECT_EQ(ui.fileKVP->path(), QCoreApplication::applicationDirPath());
}

TEST_F(Browser, SelectionLoadsTheFileAndSetsTheCommands)
{
    write("bad.kvp", "too short");
    write("good.kvp");
    ASSERT_TRUE(ui.fileKVP->setPath(dir.path()).ok());
    const QPoint badRow = ui.fileKVP->visualItemRect(ui.fileKVP->item(0)).center();
    const QPoint goodRow = ui.fileKVP->visualItemRect(ui.fileKVP->item(1)).center();
    QTest::mouseClick(ui.fileKVP->viewport(), Qt::LeftButton, {}, goodRow);
    EXPECT_TRUE(commandsEnabled());
    EXPECT_EQ(ui.fileKVP->toolTip(), "good.kvp");
    EXPECT_EQ(ui.label(FieldId::VehicleName)->text(), "Civic");
    QTest::mouseDClick(ui.fileKVP->viewport(), Qt::LeftButton, {}, goodRow);
    EXPECT_TRUE(ui.cmdUndo->isEnabled()) << "double-click edits";

    QTest::mouseClick(ui.fileKVP->viewport(), Qt::LeftButton, {}, badRow);
    EXPECT_EQ(script.prompts.size(), 1) << "the loader says why";
    EXPECT_FALSE(commandsEnabled());
    QTest::mouseDClick(ui.fileKVP->viewport(), Qt::LeftButton, {}, badRow);
    EXPECT_FALSE(ui.cmdUndo->isEnabled()) << "a rejected file is not edited";
    for (Qt::Key key : {Qt::Key_Delete, Qt::Key_F2})
        QTest::keyRelease(ui.fileKVP, key);
    EXPECT_EQ(script.prompts.size(), 1) << "Delete and F2 need a loaded file";
}

TEST_F(Browser, ASelectionMadeDuringALongLoadKeepsItsCommands)
{
    write("big.kvp", fixtures::NoxFileBuilder().records(100000, 40).build());
    write("small.kvp");
    window.setScanEventInterval(0);
    QTimer::singleShot(0, &window, [&] { ui.fileKVP->setFileName("small.kvp"); });
    pick("big.kvp");
    EXPECT_EQ(ui.label(FieldId::VehicleName)->text(), "Civic");
    EXPECT_TRUE(commandsEnabled()) << "the overtaken load must not disable them";
}

TEST_F(Browser, FileKeysWorkFromEachListAndTheWindow)
{
    write("good.kvp");
    pick("good.kvp");
    for (QWidget *source : {static_cast<QWidget *>(ui.driveKVP), static_cast<QWidget *>(ui.dirKVP),
                            static_cast<QWidget *>(ui.fileKVP), static_cast<QWidget *>(&window)}) {
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
        EXPECT_TRUE(ui.fileKVP->fileNames().contains(source->objectName() + ".kvs"));
    }
}

TEST_F(Browser, KeysReleasedInATextBoxAreNotFileKeys)
{
    write("good.kvp");
    pick("good.kvp");
    QTest::mouseClick(ui.cmdEdit, Qt::LeftButton);
    const auto releaseKeys = [](QWidget *box) {
        ASSERT_EQ(QApplication::focusWidget(), box) << box->objectName().toStdString();
        for (Qt::Key key : {Qt::Key_Delete, Qt::Key_F2})
            QTest::keyRelease(box, key);
    };
    ui.txtVehicleNotes->setFocus();
    releaseKeys(ui.txtVehicleNotes);
    QTest::mouseClick(ui.label(FieldId::Weight),
                      Qt::LeftButton); // opens its editor
    releaseKeys(ui.editor(FieldId::Weight));
    EXPECT_TRUE(script.prompts.isEmpty());
}

} // namespace
