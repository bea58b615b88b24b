// What the bare control set does before any behaviour is wired: focus order, input
// limits, the popup menu, the pane height and the window's own events.
#include "ScriptedPrompter.h"
#include "app/window/frmMain.h"

#include "app/column/ClickLabel.h"
#include "app/column/FieldEditor.h"
#include "app/pane/PaneFrame.h"
#include "browser/lists/FileListBox.h"
#include "fixtures/QtPrinters.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using quenloft::frmMain;

namespace {

const QStringList kFocusOrder = {
    QStringLiteral("cmdEdit"),
    QStringLiteral("cmdUndo"),
    QStringLiteral("cmdSave"),
    QStringLiteral("driveKVP"),
    QStringLiteral("dirKVP"),
    QStringLiteral("fileKVP"),
    QStringLiteral("txtVehicleNotes"),
    QStringLiteral("txtRunName"),
    QStringLiteral("txtVehicleName"),
    QStringLiteral("txtVehicleWeight"),
    QStringLiteral("txtVehicleRedline"),
    QStringLiteral("txtVehicleShiftPoint"),
    QStringLiteral("txtVehicleRolloutLength"),
    QStringLiteral("txtPitchFactor"),
    QStringLiteral("txtVehicleFrontalArea"),
    QStringLiteral("txtVehicleCoeffOfDrag"),
    QStringLiteral("txtVehicleDrivelineLoss"),
    QStringLiteral("chkPin"),
};

void showAndActivate(QWidget &window)
{
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

TEST(FocusOrder, TabVisitsTheControlsInTheDesignedOrder)
{
    frmMain window;
    quenloft::testing::ScriptedPrompter::Script script;
    window.setPrompter(std::make_unique<quenloft::testing::ScriptedPrompter>(script));
    // Make every control able to take focus, as it is in edit mode with the pane open,
    // each editor holding a value its check accepts.
    window.strMode = QStringLiteral("Nox");
    window.blnDirtyData = true;
    for (const QString &name : kFocusOrder) {
        auto *widget = window.findChild<QWidget *>(name);
        ASSERT_NE(widget, nullptr) << name.toStdString();
        widget->setEnabled(true);
        widget->show();
        if (auto *editor = qobject_cast<quenloft::FieldEditor *>(widget))
            editor->setProgramText(name == u"txtVehicleCoeffOfDrag" ? QStringLiteral("0.5")
                                                                    : QStringLiteral("1"));
    }
    showAndActivate(window);
    window.cmdEdit()->setFocus(Qt::OtherFocusReason);

    QStringList visited;
    for (qsizetype i = 0; i < kFocusOrder.size(); ++i) {
        visited.append(QApplication::focusWidget()->objectName());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(visited, kFocusOrder);
    EXPECT_EQ(QApplication::focusWidget(), window.cmdEdit()) << "the order wraps around";
    EXPECT_TRUE(script.prompts.isEmpty());
}

TEST(FocusOrder, NoOtherControlTakesTabFocus)
{
    frmMain window;
    for (const QWidget *widget : window.findChildren<QWidget *>()) {
        const QString name = widget->objectName();
        if ((widget->focusPolicy() & Qt::TabFocus) && !name.isEmpty() &&
            !name.startsWith(QLatin1String("qt_"))) {
            EXPECT_TRUE(kFocusOrder.contains(name)) << name.toStdString();
        }
    }
}

struct SharedRowCase
{
    const char *nox;
    const char *solvane;
};

TEST(ModelSets, RowsFourToSixShareRectanglesBetweenTheModels)
{
    const SharedRowCase rows[] = {
        {"lblVehicleRedline", "lblVehicleFrontalArea"},
        {"lblVehicleShiftPoint", "lblVehicleCoeffOfDrag"},
        {"lblVehicleRolloutLength", "lblVehicleDrivelineLoss"},
        {"txtVehicleRedline", "txtVehicleFrontalArea"},
        {"txtVehicleShiftPoint", "txtVehicleCoeffOfDrag"},
        {"txtVehicleRolloutLength", "txtVehicleDrivelineLoss"},
    };
    frmMain window;
    for (const SharedRowCase &row : rows) {
        const auto *nox = window.findChild<QWidget *>(QString::fromLatin1(row.nox));
        const auto *solvane = window.findChild<QWidget *>(QString::fromLatin1(row.solvane));
        ASSERT_NE(nox, nullptr);
        ASSERT_NE(solvane, nullptr);
        EXPECT_EQ(nox->geometry(), solvane->geometry()) << row.nox << " / " << row.solvane;
        EXPECT_FALSE(!nox->isHidden() && !solvane->isHidden())
            << row.nox << " and " << row.solvane << " are both shown";
    }
}

struct LimitCase
{
    const char *name;
    int limit;
};

class EditorLimitTest : public testing::TestWithParam<LimitCase>
{
};

TEST_P(EditorLimitTest, TypingStopsAtTheLimit)
{
    frmMain window;
    window.strMode = QStringLiteral("Nox");
    auto *editor = window.findChild<QLineEdit *>(QString::fromLatin1(GetParam().name));
    ASSERT_NE(editor, nullptr);
    editor->setEnabled(true);
    editor->show();
    showAndActivate(window);
    editor->setFocus(Qt::OtherFocusReason);

    const int limit = GetParam().limit;
    QTest::keyClicks(editor, QString(limit - 1, QLatin1Char('7')));
    EXPECT_EQ(editor->text().size(), limit - 1);
    QTest::keyClicks(editor, QStringLiteral("8"));
    EXPECT_EQ(editor->text().size(), limit);
    QTest::keyClicks(editor, QStringLiteral("9999"));
    EXPECT_EQ(editor->text(), QString(limit - 1, QLatin1Char('7')) + QLatin1Char('8'));
}

INSTANTIATE_TEST_SUITE_P(
    FieldEditors, EditorLimitTest,
    testing::Values(LimitCase{"txtRunName", 47}, LimitCase{"txtVehicleName", 15},
                    LimitCase{"txtVehicleWeight", 6}, LimitCase{"txtVehicleRedline", 5},
                    LimitCase{"txtVehicleShiftPoint", 5}, LimitCase{"txtVehicleRolloutLength", 4},
                    LimitCase{"txtPitchFactor", 3}, LimitCase{"txtVehicleFrontalArea", 7},
                    LimitCase{"txtVehicleCoeffOfDrag", 4}, LimitCase{"txtVehicleDrivelineLoss", 2}),
    [](const testing::TestParamInfo<LimitCase> &info) { return std::string(info.param.name); });

TEST(NotesBox, TakesTextBeyondAnyEditorLimit)
{
    frmMain window;
    showAndActivate(window);
    // The notes take typing while a Nox file is edited.
    window.strMode = QStringLiteral("Nox");
    window.UpdateControls(false, true, false, true);
    QPlainTextEdit *notes = window.txtVehicleNotes();
    notes->setFocus(Qt::OtherFocusReason);
    const QString text(300, QLatin1Char('n'));
    QTest::keyClicks(notes, text);
    EXPECT_EQ(notes->toPlainText(), text);
}

struct MenuItemCase
{
    const char *name;
    const char *caption; // empty for a separator
    bool enabled;
};

TEST(PopupMenu, HoldsTheItemsInOrderWithTheirStates)
{
    const MenuItemCase items[] = {
        {"mnuFilePopupEdit", "&Edit", false},
        {"mnuFilePopupDelete", "&Delete (DEL)", false},
        {"mnuFilePopupRename", "Re&name (F2)", false},
        {"mnuFilePopupSeparator1", "", true},
        {"mnuFilePopupRefresh", "&Refresh Directory Tree (F5)", true},
        {"mnuFilePopupSeparator2", "", true},
        {"mnuFilePopupOpen", "&Open File", false},
        {"mnuFilePopupSeparator3", "", true},
        {"mnuFilePopupSummary", "Folder &Summary...", true},
    };
    frmMain window;
    QMenu *menu = window.findChild<QMenu *>(QStringLiteral("mnuFilePopup"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), QStringLiteral("File Popup Menu"));
    EXPECT_TRUE(menu->isHidden());

    const QList<QAction *> actions = menu->actions();
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(std::size(items)));
    for (qsizetype i = 0; i < actions.size(); ++i) {
        const MenuItemCase &item = items[i];
        SCOPED_TRACE(item.name);
        EXPECT_EQ(actions[i]->objectName().toStdString(), item.name);
        EXPECT_EQ(actions[i]->isSeparator(), item.caption[0] == '\0');
        EXPECT_EQ(actions[i]->text().toStdString(), item.caption);
        EXPECT_EQ(actions[i]->isEnabled(), item.enabled);
        EXPECT_EQ(window.findChild<QAction *>(QString::fromLatin1(item.name)), actions[i]);
    }
}

TEST(PaneFrame, HeightSwitchesBetweenCollapsedAndOpen)
{
    frmMain window;
    quenloft::PaneFrame *frame = window.frameVEXAFile();
    EXPECT_EQ(frame->frameHeightTwips(), 6975);
    frame->setFrameHeightTwips(605);
    EXPECT_EQ(frame->frameHeightTwips(), 605);
    EXPECT_EQ(frame->geometry(), QRect(8, 16, 369, 40));
    EXPECT_EQ(frame->frameLeftTwips() + frame->frameWidthTwips(), 5655);
    frame->setFrameHeightTwips(6975);
    EXPECT_EQ(frame->geometry(), QRect(8, 16, 369, 465));
}

TEST(PaneFrame, CollapsedStripStillShowsTheDriveList)
{
    frmMain window;
    window.frameVEXAFile()->setFrameHeightTwips(605);
    const QRect drive = window.findChild<QWidget *>(QStringLiteral("driveKVP"))->geometry();
    EXPECT_TRUE(window.frameVEXAFile()->rect().contains(drive));
}

class WindowEvents : public testing::Test
{
protected:
    void SetUp() override
    {
        showAndActivate(window);
        // Qt drops a move to where the pointer already is, and every test's window sits
        // in the same place; start each test from a spot no test moves to.
        moveTo(QPoint(777, 1));
    }

    void moveTo(QPoint pos) { QTest::mouseMove(window.windowHandle(), pos); }

    frmMain window;
};

TEST_F(WindowEvents, MouseOverTheWindowSurfaceReportsTwips)
{
    QSignalSpy moved(&window, &frmMain::mouseMovedTwips);
    moveTo(QPoint(390, 200));
    ASSERT_EQ(moved.size(), 1);
    EXPECT_EQ(moved.at(0).at(0).toInt(), 5850);
    EXPECT_EQ(moved.at(0).at(1).toInt(), 3000);
}

TEST_F(WindowEvents, MouseOverAnEnabledControlIsNotTheWindows)
{
    moveTo(QPoint(390, 200));
    QSignalSpy moved(&window, &frmMain::mouseMovedTwips);
    moveTo(QPoint(600, 380)); // the notes box
    EXPECT_EQ(moved.size(), 0);
}

TEST_F(WindowEvents, MouseOverTheFrameIsTheFramesOwn)
{
    QSignalSpy windowMoved(&window, &frmMain::mouseMovedTwips);
    QSignalSpy frameMoved(window.frameVEXAFile(), &quenloft::PaneFrame::mouseMoved);
    moveTo(QPoint(12, 30)); // frame border left of the drive list
    EXPECT_EQ(windowMoved.size(), 0);
    EXPECT_EQ(frameMoved.size(), 1);
}

TEST_F(WindowEvents, BelowTheCollapsedFrameIsTheWindowSurface)
{
    window.frameVEXAFile()->setFrameHeightTwips(605);
    QSignalSpy moved(&window, &frmMain::mouseMovedTwips);
    moveTo(QPoint(100, 300));
    ASSERT_EQ(moved.size(), 1);
    EXPECT_EQ(moved.at(0).at(0).toInt(), 1500);
}

TEST_F(WindowEvents, MouseOverTheNoticeLineIsTheLabels)
{
    QSignalSpy windowMoved(&window, &frmMain::mouseMovedTwips);
    QSignalSpy labelMoved(window.lblHalvornCopyright(), &quenloft::ClickLabel::mouseMoved);
    moveTo(QPoint(60, 6));
    EXPECT_EQ(windowMoved.size(), 0);
    EXPECT_EQ(labelMoved.size(), 1);
}

TEST_F(WindowEvents, KeyReleasedOnTheWindowIsReportedOnce)
{
    QSignalSpy released(&window, &frmMain::keyReleased);
    QTest::keyRelease(&window, Qt::Key_F5);
    ASSERT_EQ(released.size(), 1);
    EXPECT_EQ(released.at(0).at(0).toInt(), int(Qt::Key_F5));
}

TEST_F(WindowEvents, KeyReleasedInTheFileListStaysWithTheList)
{
    QSignalSpy windowReleased(&window, &frmMain::keyReleased);
    QSignalSpy listReleased(window.fileKVP(), &quenloft::FileListBox::keyReleased);
    QTest::keyRelease(window.fileKVP(), Qt::Key_Delete);
    EXPECT_EQ(listReleased.size(), 1);
    EXPECT_EQ(windowReleased.size(), 0);
}

TEST_F(WindowEvents, ClosingIsReportedAndNeverRefused)
{
    QSignalSpy closing(&window, &frmMain::closing);
    EXPECT_TRUE(window.close());
    EXPECT_EQ(closing.size(), 1);
    EXPECT_FALSE(window.isVisible());
}

} // namespace
