// ClickLabel and FieldEditor, the two small controls the window's labels and editors use.
#include "app/column/ClickLabel.h"
#include "app/column/FieldEditor.h"

#include <QFocusEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using quenloft::ClickLabel;
using quenloft::FieldEditor;

struct ClickCase
{
    const char *name;
    Qt::MouseButton button;
    QPoint releaseAt;
    int clicks;
};

class ClickLabelClicks : public testing::TestWithParam<ClickCase>
{
};

TEST_P(ClickLabelClicks, ClickNeedsLeftPressAndReleaseInside)
{
    ClickLabel label;
    label.resize(100, 20);
    QSignalSpy clicked(&label, &ClickLabel::clicked);
    QTest::mousePress(&label, GetParam().button, {}, QPoint(10, 10));
    QTest::mouseRelease(&label, GetParam().button, {}, GetParam().releaseAt);
    EXPECT_EQ(clicked.size(), GetParam().clicks);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClickLabelClicks,
    testing::Values(ClickCase{"LeftInside", Qt::LeftButton, QPoint(50, 10), 1},
                    ClickCase{"LeftReleasedOutside", Qt::LeftButton, QPoint(150, 10), 0},
                    ClickCase{"Right", Qt::RightButton, QPoint(50, 10), 0},
                    ClickCase{"Middle", Qt::MiddleButton, QPoint(50, 10), 0}),
    [](const testing::TestParamInfo<ClickCase> &info) { return std::string(info.param.name); });

TEST(ClickLabel, ReleaseWithoutPressIsNoClick)
{
    ClickLabel label;
    label.resize(100, 20);
    QSignalSpy clicked(&label, &ClickLabel::clicked);
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicked.size(), 0);
}

TEST(ClickLabel, DisabledLabelDoesNotClick)
{
    ClickLabel label;
    label.resize(100, 20);
    label.setEnabled(false);
    QSignalSpy clicked(&label, &ClickLabel::clicked);
    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicked.size(), 0);
}

TEST(ClickLabel, ReportsMovement)
{
    ClickLabel label;
    label.resize(100, 20);
    EXPECT_TRUE(label.hasMouseTracking());
    QSignalSpy moved(&label, &ClickLabel::mouseMoved);
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(&label, &move);
    EXPECT_EQ(moved.size(), 1);
}

struct FocusCase
{
    const char *name;
    Qt::FocusReason reason;
    int lost;
};

class FieldEditorFocus : public testing::TestWithParam<FocusCase>
{
};

TEST_P(FieldEditorFocus, LostFocusOnlyWhenFocusMovesWithinTheWindow)
{
    FieldEditor editor;
    QSignalSpy lost(&editor, &FieldEditor::lostFocus);
    QFocusEvent out(QEvent::FocusOut, GetParam().reason);
    QCoreApplication::sendEvent(&editor, &out);
    EXPECT_EQ(lost.size(), GetParam().lost);
}

INSTANTIATE_TEST_SUITE_P(
    Reasons, FieldEditorFocus,
    testing::Values(FocusCase{"Tab", Qt::TabFocusReason, 1},
                    FocusCase{"Backtab", Qt::BacktabFocusReason, 1},
                    FocusCase{"Mouse", Qt::MouseFocusReason, 1},
                    FocusCase{"Other", Qt::OtherFocusReason, 1},
                    FocusCase{"Shortcut", Qt::ShortcutFocusReason, 1},
                    FocusCase{"WindowDeactivated", Qt::ActiveWindowFocusReason, 0},
                    FocusCase{"Popup", Qt::PopupFocusReason, 0}),
    [](const testing::TestParamInfo<FocusCase> &info) { return std::string(info.param.name); });

TEST(FieldEditor, ProgramSetTextCountsAsAChangeAndIsNeverCut)
{
    FieldEditor editor;
    editor.setTypingLimit(4);
    QSignalSpy changed(&editor, &QLineEdit::textChanged);
    editor.setProgramText(QStringLiteral("123456"));
    EXPECT_EQ(changed.size(), 1);
    EXPECT_EQ(editor.text(), QStringLiteral("123456"));
}

TEST(FieldEditor, TypingStopsAtTheLimitButMayShortenALongerText)
{
    FieldEditor editor;
    editor.setTypingLimit(4);
    QTest::keyClicks(&editor, QStringLiteral("abcdef"));
    EXPECT_EQ(editor.text(), QStringLiteral("abcd"));

    editor.setProgramText(QStringLiteral("123456"));
    editor.end(false);
    QTest::keyClick(&editor, Qt::Key_7);
    EXPECT_EQ(editor.text(), QStringLiteral("123456")) << "no longer than it was";
    QTest::keyClick(&editor, Qt::Key_Backspace);
    EXPECT_EQ(editor.text(), QStringLiteral("12345"));
}

} // namespace
