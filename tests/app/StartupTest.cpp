// Start-up and shut-down of the real window against a temporary preferences file: what a
// first run shows, and what the next start gets back.
#include "ScriptedPrompter.h"
#include "app/ClickLabel.h"
#include "app/PaneFrame.h"
#include "app/Preferences.h"
#include "app/frmMain.h"
#include "browser/pane/DirListBox.h"
#include "browser/pane/FileListBox.h"
#include "fixtures/QtPrinters.h"
#include "fixtures/RunFileBuilder.h"
#include "support/VersionInfo.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace quenloft;
using namespace quenloft::testing;

namespace {

class Startup : public ::testing::Test
{
protected:
    void start()
    {
        window = std::make_unique<frmMain>();
        window->setPrompter(std::make_unique<ScriptedPrompter>(script));
        window->Form_Load(std::make_unique<Preferences>(ini));
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void stop()
    {
        EXPECT_TRUE(window->close());
        window.reset();
    }
    void preset(const char *section, const char *key, const QString &value)
    {
        Preferences(ini).setValue(section, key, value);
    }
    QString stored(const char *section, const char *key) const
    {
        return Preferences(ini).value(section, key);
    }

    QTemporaryDir dir;
    const QString ini = dir.filePath("prefs.ini");
    ScriptedPrompter::Script script;
    std::unique_ptr<frmMain> window;
};

TEST_F(Startup, FirstRunIsCentredCollapsedUnpinnedAndImperial)
{
    start();
    EXPECT_EQ(window->windowTitle(), "Quenloft v3.00 build 2");
    EXPECT_EQ(window->lblAbout()->text(), ProgramVersion().comments);
    EXPECT_LE(window->lblAbout()->fontMetrics().horizontalAdvance(ProgramVersion().comments),
              window->lblAbout()->contentsRect().width())
        << "the authorship note must fit its label";
    EXPECT_EQ(window->frameVEXAFile()->frameHeightTwips(), 605);
    EXPECT_FALSE(window->chkPin()->isChecked());
    EXPECT_FALSE(window->blnMetricUnits);
    EXPECT_EQ(window->fileKVP()->path(), QDir::currentPath());
    EXPECT_EQ(window->pos(), QPoint(11, 155)); // centred on the 800x800 offscreen screen
    stop();

    EXPECT_EQ(stored("Options", "LastDirectory"), QDir::currentPath());
    EXPECT_EQ(stored("MainOptions", "PINFileBrowser"), "0");
    EXPECT_EQ(stored("MainOptions", "MetricUnits"), "0");
    EXPECT_EQ(stored("WindowPosition", "frmMain_Left"), "165");
    EXPECT_EQ(stored("WindowPosition", "frmMain_Top"), "2325");
    EXPECT_TRUE(script.prompts.isEmpty());
}

TEST_F(Startup, NextStartGetsBackWhatTheLastOneLeft)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath("runs/deep"));
    QFile file(dir.filePath("runs/deep/a.kvp"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(fixtures::NoxFileBuilder().version("2.0.3").notes("n").build());
    file.close();

    start();
    ASSERT_TRUE(window->dirKVP()->setPath(dir.filePath("runs/deep")).ok());
    ASSERT_TRUE(window->fileKVP()->setFileName("a.kvp"));
    QTest::mouseClick(window->chkPin(), Qt::LeftButton);
    window->ToggleUnits();
    window->move(100, 60);
    window->cmdEdit_Click();
    window->blnDirtyData = true; // unsaved edits are not asked about
    stop();
    EXPECT_TRUE(script.prompts.isEmpty());

    ASSERT_TRUE(QDir(dir.filePath("runs/deep")).removeRecursively());
    start();
    EXPECT_EQ(window->dirKVP()->path(), dir.filePath("runs"));
    EXPECT_EQ(window->fileKVP()->path(), dir.filePath("runs"));
    EXPECT_TRUE(window->chkPin()->isChecked());
    EXPECT_EQ(window->frameVEXAFile()->frameHeightTwips(), 6975);
    EXPECT_TRUE(window->blnMetricUnits);
    EXPECT_EQ(window->pos(), QPoint(100, 60));
    window->ShowHideFileBrowser(9000);
    EXPECT_EQ(window->frameVEXAFile()->frameHeightTwips(), 6975) << "pinned";
}

TEST_F(Startup, StoredFlagsCountWhenNumericAndNotZero)
{
    const struct
    {
        const char *text;
        bool on;
    } cases[] = {{"1", true}, {"2", true}, {"-1", true}, {"abc", false}, {"0", false}, {"", false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        preset("MainOptions", "PINFileBrowser", c.text);
        preset("MainOptions", "MetricUnits", c.text);
        start();
        EXPECT_EQ(window->chkPin()->isChecked(), c.on);
        EXPECT_EQ(window->frameVEXAFile()->frameHeightTwips(), c.on ? 6975 : 605);
        EXPECT_EQ(window->blnMetricUnits, c.on);
        stop();
        EXPECT_EQ(stored("MainOptions", "PINFileBrowser"), c.on ? "-1" : "0");
        EXPECT_EQ(stored("MainOptions", "MetricUnits"), c.on ? "-1" : "0");
    }
}

TEST_F(Startup, LastDirectoryFallsBackToTheNearestOneThatExists)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("runs"));
    QFile(dir.filePath("runs/a.kvp")).open(QIODevice::WriteOnly);
    const QString current = QDir::currentPath();
    const struct
    {
        QString stored, shown;
    } cases[] = {
        {dir.filePath("runs"), dir.filePath("runs")},
        {dir.filePath("runs/gone/deeper"), dir.filePath("runs")},
        {"/no-such-quenloft-folder/runs", "/"},
        {"/", "/"},
        {dir.filePath("runs/a.kvp"), current}, // a file: nothing to show
        {"no-such-quenloft-folder/runs", current},
        {"", current},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stored.toStdString());
        preset("Options", "LastDirectory", c.stored);
        start();
        EXPECT_EQ(window->dirKVP()->path(), c.shown);
        EXPECT_EQ(window->fileKVP()->path(), c.shown);
        EXPECT_TRUE(script.prompts.isEmpty());
        window.reset(); // no shut-down: the next case starts from the same stored value
    }
}

TEST(VersionHistory, ShippedPageDescribesThisVersion)
{
    QFile page(QUENLOFT_SOURCE_DIR "/src/app/resources/version_history.html");
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(page.readAll()).contains(TitleOf(ProgramVersion())));
}

} // namespace
