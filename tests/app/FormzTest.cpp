// Window placement in twips against screens of known size: the offscreen platform's
// default 800x800 screen at 96 DPI (15 twips a pixel), and a two-screen layout that a
// child run of this program gets from a screen file.
#include "app/Formz.h"
#include "app/Preferences.h"
#include "app/frmMain.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <ostream>

inline void PrintTo(const QPoint &point, std::ostream *os)
{
    *os << '(' << point.x() << ", " << point.y() << ')';
}

inline void PrintTo(const QRect &rect, std::ostream *os)
{
    *os << '(' << rect.x() << ", " << rect.y() << ' ' << rect.width() << 'x' << rect.height()
        << ')';
}

namespace {

using quenloft::Preferences;

class Placement : public ::testing::Test
{
protected:
    void store(const char *left, const char *top)
    {
        prefs.setValue(QStringLiteral("WindowPosition"), QStringLiteral("frmMain_Left"),
                       QString::fromLatin1(left));
        prefs.setValue(QStringLiteral("WindowPosition"), QStringLiteral("frmMain_Top"),
                       QString::fromLatin1(top));
    }
    QString stored(const char *key) const
    {
        return prefs.value(QStringLiteral("WindowPosition"), QString::fromLatin1(key));
    }

    QTemporaryDir dir;
    Preferences prefs{dir.filePath(QStringLiteral("prefs.ini"))};
    frmMain window;
};

// The 778x489 window centred on 12000x12000 twips: left 165 twips, top 2332.5 rounded to
// the even 2332.
const QPoint kCentred(11, 155);

TEST_F(Placement, WorkAreaIsTheScreenInTwips)
{
    const quenloft::WorkArea area = quenloft::GetWorkAreaTwips();
    EXPECT_EQ(QRect(area.Left, area.Top, area.Right, area.Bottom), QRect(0, 0, 12000, 12000));
}

struct StoredCase
{
    const char *name;
    const char *left;
    const char *top;
    QPoint expected;
};

TEST_F(Placement, RestoreUsesOnlyAUsableStoredPosition)
{
    const StoredCase cases[] = {
        {"usable position", "1500", "900", QPoint(100, 60)},
        {"fractions rounded", "1500.4", "899.6", QPoint(100, 60)},
        {"nothing stored", "", "", kCentred},
        {"left of 0", "0", "900", kCentred},
        {"negative top", "1500", "-15", kCentred},
        {"not a number", "abc", "900", kCentred},
        {"beyond 32 bits", "1e12", "900", kCentred},
        {"off every screen", "30000", "30000", kCentred},
        {"just on the screen", "11985", "8985", QPoint(799, 599)},
    };
    for (const StoredCase &c : cases) {
        SCOPED_TRACE(c.name);
        window.move(300, 300);
        store(c.left, c.top);
        quenloft::RestoreFormPosition(window, prefs);
        EXPECT_EQ(window.pos(), c.expected);
        EXPECT_EQ(window.size(), QSize(778, 489)) << "a fixed window keeps its size";
    }
}

TEST_F(Placement, SavedPositionComesBackOnTheNextStart)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.move(120, 45);
    quenloft::SaveFormPosition(window, prefs);
    EXPECT_EQ(stored("frmMain_Left"), QStringLiteral("1800"));
    EXPECT_EQ(stored("frmMain_Top"), QStringLiteral("675"));
    EXPECT_EQ(stored("frmMain_Width"), QString()) << "a fixed window stores no size";

    frmMain next;
    quenloft::RestoreFormPosition(next, prefs);
    EXPECT_EQ(next.pos(), QPoint(120, 45));
}

TEST_F(Placement, MinimizedOrMaximizedStoresNothing)
{
    for (Qt::WindowState state : {Qt::WindowMinimized, Qt::WindowMaximized}) {
        store("1500", "900");
        window.setWindowState(state);
        quenloft::SaveFormPosition(window, prefs);
        EXPECT_EQ(stored("frmMain_Left"), QStringLiteral("1500"));
        EXPECT_EQ(stored("frmMain_Top"), QStringLiteral("900"));
    }
}

TEST_F(Placement, ResizableWindowAlsoKeepsItsSize)
{
    QWidget sizable;
    sizable.setObjectName(QStringLiteral("frmOther"));
    sizable.setGeometry(60, 30, 300, 200);
    quenloft::SaveFormPosition(sizable, prefs);
    EXPECT_EQ(prefs.value(QStringLiteral("WindowPosition"), QStringLiteral("frmOther_Width")),
              QStringLiteral("4500"));

    QWidget next;
    next.setObjectName(QStringLiteral("frmOther"));
    next.resize(100, 100);
    quenloft::RestoreFormPosition(next, prefs);
    EXPECT_EQ(next.geometry(), QRect(60, 30, 300, 200));
}

// Runs the calling test again in a child of this program whose offscreen platform has a
// 640x480 primary screen (smaller than the window) and a 1024x768 screen right of it.
// Returns true inside the child, where the test body then runs.
bool InTwoScreenLayout()
{
    if (qEnvironmentVariableIsSet("QUENLOFT_TWO_SCREENS"))
        return true;
    QTemporaryDir dir;
    const QString layout = dir.filePath(QStringLiteral("screens.json"));
    QFile file(layout);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"screens": [
        {"name": "primary", "x": 0, "y": 0, "width": 640, "height": 480, "logicalDpi": 96},
        {"name": "second", "x": 640, "y": 0, "width": 1024, "height": 768, "logicalDpi": 96}]})");
    file.close();

    const ::testing::TestInfo *test = ::testing::UnitTest::GetInstance()->current_test_info();
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QUENLOFT_TWO_SCREENS"), QStringLiteral("1"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + layout);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=%1.%2")
                     .arg(QString::fromLatin1(test->test_suite_name()),
                          QString::fromLatin1(test->name()))});
    EXPECT_TRUE(child.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(child.readAll());
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << output.toStdString();
    return false;
}

TEST_F(Placement, SecondScreenKeepsItsWindowAndAGoneOneDoesNot)
{
    if (!InTwoScreenLayout())
        return;
    const quenloft::WorkArea area = quenloft::GetWorkAreaTwips();
    EXPECT_EQ(QRect(area.Left, area.Top, area.Right, area.Bottom), QRect(0, 0, 9600, 7200));

    store("", "");
    quenloft::RestoreFormPosition(window, prefs);
    EXPECT_EQ(window.pos(), QPoint(0, 0)) << "centring beyond a small screen stops at 0";

    store("10500", "1500");
    quenloft::RestoreFormPosition(window, prefs);
    EXPECT_EQ(window.pos(), QPoint(700, 100));

    store("25500", "1500"); // where a third screen used to be
    quenloft::RestoreFormPosition(window, prefs);
    EXPECT_EQ(window.pos(), QPoint(0, 0));
}

} // namespace
