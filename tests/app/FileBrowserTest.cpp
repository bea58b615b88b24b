// The browser pane in the real window: hover and pin rules, directories that cannot be
// read, file selection and the file keys from each source.
#include "BrowserFixture.h"

#include "app/ClickLabel.h"
#include "app/FieldEditor.h"
#include "app/PaneFrame.h"
#include "browser/pane/DirListBox.h"
#include "browser/pane/DriveListBox.h"

#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

using namespace quenloft;
using namespace quenloft::testing;

namespace {

class Browser : public BrowserTest
{
protected:
    void moveTo(QPoint pos) { QTest::mouseMove(window.windowHandle(), pos); }
    int height() const { return window.frameVEXAFile()->frameHeightTwips(); }
    QString message(const QString &directory) const
    {
        return "There was an error reading the [" + directory + "] directory!";
    }
};

struct HoverCase
{
    const char *name;
    bool pinned;
    int startHeight;
    QPoint pointer;
    int expectedHeight;
};

TEST_F(Browser, PaneFollowsThePointerUnlessPinned)
{
    const QPoint leftOfEdge(100, 300), rightOfEdge(390, 200), frameBorder(12, 30),
        noticeLine(60, 6);
    const HoverCase cases[] = {
        {"surface left of the edge opens", false, 605, leftOfEdge, 6975},
        {"surface right of the edge closes", false, 6975, rightOfEdge, 605},
        {"the frame opens", false, 605, frameBorder, 6975},
        {"the notice line closes", false, 6975, noticeLine, 605},
        {"pinned closed stays closed", true, 605, leftOfEdge, 605},
        {"pinned open stays open", true, 6975, rightOfEdge, 6975},
        {"pinned open ignores the notice line", true, 6975, noticeLine, 6975},
    };
    for (const HoverCase &c : cases) {
        SCOPED_TRACE(c.name);
        moveTo(QPoint(777, 1)); // Qt drops a move to where the pointer already is
        window.chkPin()->setChecked(c.pinned);
        window.frameVEXAFile()->setFrameHeightTwips(c.startHeight);
        window.cmdEdit()->setEnabled(true);
        window.cmdEdit()->setFocus();
        moveTo(c.pointer);
        EXPECT_EQ(height(), c.expectedHeight);
        const bool focusMoves = c.pointer == leftOfEdge && c.expectedHeight != c.startHeight;
        EXPECT_EQ(QApplication::focusWidget() == window.fileKVP(), focusMoves);
    }
}

TEST_F(Browser, PinClickGivesTheFileListFocusAndKeepsTheHeight)
{
    window.frameVEXAFile()->setFrameHeightTwips(6975);
    window.chkPin()->setFocus();
    QTest::mouseClick(window.chkPin(), Qt::LeftButton);
    EXPECT_TRUE(window.chkPin()->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), window.fileKVP());
    EXPECT_EQ(height(), 6975);
    window.ShowHideFileBrowser(9000);
    EXPECT_EQ(height(), 6975);
}

TEST_F(Browser, UnreadableDriveFallsBackToTheProgramsDirectory)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("good"));
    const QString good = path("good"), gone = path("gone");
    window.driveKVP()->setVolumeSource([&] {
        return QList<DriveListBox::Volume>{{good, {}}, {gone, {}}};
    });
    ASSERT_EQ(window.dirKVP()->path(), good);
    ASSERT_EQ(window.fileKVP()->path(), good);

    ASSERT_TRUE(window.driveKVP()->setDrive(gone));
    EXPECT_EQ(script.messages(), QStringList{message(good)});
    EXPECT_EQ(script.prompts.at(0).icon, PromptIcon::Exclamation);
    const QString programDir = QCoreApplication::applicationDirPath();
    EXPECT_EQ(window.dirKVP()->path(), programDir);
    EXPECT_EQ(window.fileKVP()->path(), programDir);
    EXPECT_EQ(window.driveKVP()->drive(), gone) << "the drive list is not reset";
}

TEST_F(Browser, DirectoryThatCannotBeEnteredIsNamedAndNothingMoves)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    ASSERT_TRUE(window.dirKVP()->setPath(dir.path()).ok());
    const int row = int(window.dirKVP()->entries().indexOf(path("sub")));
    ASSERT_GE(row, 0);
    ASSERT_TRUE(QDir(path("sub")).removeRecursively());
    const QPoint at = window.dirKVP()->visualItemRect(window.dirKVP()->item(row)).center();
    QTest::mouseClick(window.dirKVP()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(window.dirKVP()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(script.messages(), QStringList{message(path("sub"))});
    EXPECT_EQ(window.dirKVP()->path(), dir.path());
    EXPECT_EQ(window.fileKVP()->path(), dir.path());
}

TEST_F(Browser, RefreshOfAVanishedDirectoryDoesNotKeepItsEntries)
{
    QTemporaryDir doomed;
    ASSERT_TRUE(window.dirKVP()->setPath(doomed.path()).ok());
    ASSERT_TRUE(doomed.remove());
    QTest::keyRelease(window.fileKVP(), Qt::Key_F5);
    EXPECT_EQ(script.messages().value(0), message(doomed.path()));
    EXPECT_EQ(window.dirKVP()->path(), QCoreApplication::applicationDirPath());
    EXPECT_EQ(window.fileKVP()->path(), QCoreApplication::applicationDirPath());
}

TEST_F(Browser, SelectionLoadsTheFileAndSetsTheCommands)
{
    write("good.kvp");
    write("bad.kvp", "too short");
    pick("good.kvp");
    EXPECT_TRUE(commandsEnabled());
    EXPECT_EQ(window.fileKVP()->toolTip(), "good.kvp");
    EXPECT_EQ(window.lblVehicleName()->text(), "Civic");
    EXPECT_TRUE(script.prompts.isEmpty());

    pick("bad.kvp");
    EXPECT_FALSE(commandsEnabled());
    EXPECT_EQ(script.prompts.size(), 1) << "the loader says why";
    const QPoint at = window.fileKVP()->visualItemRect(window.fileKVP()->item(0)).center();
    QTest::mouseDClick(window.fileKVP()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_FALSE(window.cmdUndo()->isEnabled()) << "a rejected file is not edited";

    for (Qt::Key key : {Qt::Key_Delete, Qt::Key_F2})
        QTest::keyRelease(window.fileKVP(), key);
    EXPECT_EQ(script.prompts.size(), 1) << "Delete and F2 do nothing without a loaded file";
    write("new.kvp");
    QTest::keyRelease(window.fileKVP(), Qt::Key_F5);
    EXPECT_TRUE(window.fileKVP()->fileNames().contains("new.kvp"));
}

TEST_F(Browser, ASelectionMadeDuringALongLoadKeepsItsCommands)
{
    write("big.kvp", fixtures::NoxFileBuilder().records(100000, 40).build());
    write("small.kvp");
    window.setScanEventInterval(0);
    QTimer::singleShot(0, &window, [&] { window.fileKVP()->setFileName("small.kvp"); });
    pick("big.kvp");
    EXPECT_EQ(window.lblVehicleName()->text(), "Civic");
    EXPECT_TRUE(commandsEnabled()) << "the overtaken load must not disable them";
}

TEST_F(Browser, DoubleClickEditsAndRightClickShowsTheMenu)
{
    write("good.kvp");
    ASSERT_TRUE(window.fileKVP()->setPath(dir.path()).ok());
    const QPoint at = window.fileKVP()->visualItemRect(window.fileKVP()->item(0)).center();
    QTest::mouseClick(window.fileKVP()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(window.fileKVP()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_TRUE(window.cmdUndo()->isEnabled());
    EXPECT_TRUE(window.txtVehicleWeight()->isEnabled());

    QTest::mouseClick(window.fileKVP()->viewport(), Qt::RightButton, {}, at);
    EXPECT_TRUE(window.mnuFilePopup()->isVisible());
    window.mnuFilePopup()->hide();
}

TEST_F(Browser, ReleaseOverTheListWithNothingSelectedDisablesTheCommands)
{
    write("good.kvp");
    pick("good.kvp");
    script.answers = {true};
    QTest::keyRelease(window.fileKVP(), Qt::Key_Delete);
    ASSERT_TRUE(window.fileKVP()->fileName().isEmpty());
    EXPECT_TRUE(commandsEnabled()) << "a delete leaves them as they were";
    QTest::mouseClick(window.fileKVP()->viewport(), Qt::LeftButton, {}, QPoint(20, 150));
    EXPECT_FALSE(commandsEnabled());
}

TEST_F(Browser, FileKeysWorkFromEachListAndTheWindow)
{
    write("good.kvp");
    pick("good.kvp");
    QWidget *const sources[] = {window.driveKVP(), window.dirKVP(), window.fileKVP(), &window};
    for (QWidget *source : sources) {
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
        const QString added = source->objectName() + ".kvs";
        write(added);
        QTest::keyRelease(source, Qt::Key_F5);
        EXPECT_TRUE(window.fileKVP()->fileNames().contains(added));
    }
    EXPECT_TRUE(QFile::exists(path("good.kvp")));
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
    QTest::mouseClick(window.lblVehicleWeight(), Qt::LeftButton); // opens its editor
    releaseKeys(window.txtVehicleWeight());
    EXPECT_TRUE(script.prompts.isEmpty());
    EXPECT_TRUE(QFile::exists(path("good.kvp")));
}

} // namespace
