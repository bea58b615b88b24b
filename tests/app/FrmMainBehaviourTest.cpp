// What the control set does as built: the focus order, the shared rows, the notes box,
// the popup menu, the pane height and closing.
#include "WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace quenloft;
using namespace quenloft::testing;

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

TEST(FocusOrder, TabFollowsTheDesignedOrder)
{
    // Tab moves along the window's focus chain to the next control that takes the focus
    // at the moment; the designed controls stand in it in the designed order, wherever
    // they were built.
    frmMain window;
    QWidget *first = control<QWidget>(window, "cmdEdit");
    QStringList chain;
    QWidget *widget = first;
    do {
        if (kFocusOrder.contains(widget->objectName()))
            chain.append(widget->objectName());
        widget = widget->nextInFocusChain();
    } while (widget != first);
    EXPECT_EQ(chain, kFocusOrder);
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

using NotesBox = WindowTest;

TEST_F(NotesBox, TakesTextBeyondAnyEditorLimitWhileANoxFileIsEdited)
{
    ASSERT_TRUE(load("a.kvp", filledNoxFile()));
    click(ui.cmdEdit);
    ui.txtVehicleNotes->setFocus(Qt::OtherFocusReason);
    ui.txtVehicleNotes->selectAll();
    const QString text(300, QLatin1Char('n'));
    QTest::keyClicks(ui.txtVehicleNotes, text);
    EXPECT_EQ(ui.txtVehicleNotes->toPlainText(), text);
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
    PaneFrame *frame = control<PaneFrame>(window, "frameVEXAFile");
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
    const WindowControls ui(window);
    ui.frameVEXAFile->setFrameHeightTwips(605);
    EXPECT_TRUE(ui.frameVEXAFile->rect().contains(ui.driveKVP->geometry()));
}

TEST(Closing, IsNeverRefused)
{
    frmMain window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
}

} // namespace
