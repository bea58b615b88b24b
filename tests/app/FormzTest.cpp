// Window placement in twips against screens of known size: the offscreen platform's
// default 800x800 screen at 96 DPI (15 twips a pixel), and a two-screen layout that a
// child run of this program gets from a screen file.
#include "app/program/Formz.h"
#include "app/program/Preferences.h"
#include "app/window/frmMain.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>
#include <tuple>

using quenloft::frmMain;

inline void PrintTo(const QPoint &point, std::ostream *os)
{
    *os << '(' << point.x() << ", " << point.y() << ')';
}

namespace {

class Placement : public ::testing::Test
{
protected:
    void store(const QString &left, const QString &top)
    {
        prefs.setValue("WindowPosition", "frmMain_Left", left);
        prefs.setValue("WindowPosition", "frmMain_Top", top);
    }
    QPoint restored()
    {
        quenloft::RestoreFormPosition(window, prefs);
        EXPECT_EQ(window.size(), QSize(778, 489)) << "a fixed window keeps its size";
        return window.pos();
    }

    QTemporaryDir dir;
    quenloft::Preferences prefs{dir.filePath("prefs.ini")};
    frmMain window;
};

TEST_F(Placement, RestoreUsesOnlyAUsableStoredPosition)
{
    // The 778x489 window centred on 12000x12000 twips: left 165, top 2332.5 to the even 2332.
    const QPoint centred(11, 155);
    const struct
    {
        const char *left, *top;
        QPoint expected;
    } cases[] = {
        {"1500", "900", QPoint(100, 60)},
        {"1500.4", "899.6", QPoint(100, 60)},
        {"", "", centred},
        {"0", "900", centred},
        {"1500", "-15", centred},
        {"abc", "900", centred},
        {"1e12", "900", centred},
        {"30000", "30000", centred}, // off the screen
        {"11985", "8985", QPoint(799, 599)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.left << " " << c.top);
        window.move(300, 300);
        store(c.left, c.top);
        EXPECT_EQ(restored(), c.expected);
    }
}

TEST_F(Placement, MinimizedOrMaximizedStoresNothing)
{
    store("1500", "900");
    for (Qt::WindowState state : {Qt::WindowMinimized, Qt::WindowMaximized}) {
        window.setWindowState(state);
        quenloft::SaveFormPosition(window, prefs);
        EXPECT_EQ(prefs.value("WindowPosition", "frmMain_Left"), "1500");
    }
}

// Runs the calling test again in a child of this program whose offscreen platform has a
// 640x480 primary screen (smaller than the window) and a 1024x768 screen right of it.
// Returns true inside the child, where the test body then runs.
bool InTwoScreenLayout()
{
    if (qEnvironmentVariableIsSet("QUENLOFT_TWO_SCREENS"))
        return true;
    QTemporaryDir dir;
    QFile layout(dir.filePath("screens.json"));
    EXPECT_TRUE(layout.open(QIODevice::WriteOnly));
    layout.write(R"({"screens": [
        {"name": "a", "x": 0, "y": 0, "width": 640, "height": 480, "logicalDpi": 96},
        {"name": "b", "x": 640, "y": 0, "width": 1024, "height": 768, "logicalDpi": 96}]})");
    layout.close();

    const ::testing::TestInfo *test = ::testing::UnitTest::GetInstance()->current_test_info();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QUENLOFT_TWO_SCREENS", "1");
    env.insert("QT_QPA_PLATFORM", "offscreen:configfile=" + layout.fileName());
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QString("--gtest_filter=%1.%2").arg(test->test_suite_name(), test->name())});
    EXPECT_TRUE(child.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(child.readAll());
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
    return false;
}

TEST_F(Placement, SecondScreenKeepsItsWindowAndAGoneOneDoesNot)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "the offscreen platform's screen layout file (configfile=) ends the child "
                    "program with a fail-fast exception on Windows";
#endif
    if (!InTwoScreenLayout())
        return;
    const quenloft::WorkArea area = quenloft::GetWorkAreaTwips();
    EXPECT_EQ(std::make_tuple(area.Left, area.Top, area.Right, area.Bottom),
              std::make_tuple(0, 0, 9600, 7200));
    store("", "");
    EXPECT_EQ(restored(), QPoint(0, 0)) << "centring beyond a small screen stops at 0";
    store("10500", "1500");
    EXPECT_EQ(restored(), QPoint(700, 100));
    store("25500", "1500"); // where a third screen used to be
    EXPECT_EQ(restored(), QPoint(0, 0));
}

} // namespace
