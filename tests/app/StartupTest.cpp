// Start-up and shut-down of the real window against a temporary preferences file: what a
// first run shows, and what the next start gets back.
#include "ScriptedPrompter.h"
#include "WindowControls.h"
#include "app/look/Appearance.h"
#include "app/window/frmMain.h"
#include "fixtures/QtPrinters.h"
#include "fixtures/RunFileBuilder.h"
#include "fixtures/TestFiles.h"
#include "support/VersionInfo.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

using namespace quenloft;

namespace {

class Startup : public ::testing::Test
{
protected:
    void start()
    {
        window = std::make_unique<frmMain>();
        window->setPrompter(std::make_unique<quenloft::testing::ScriptedPrompter>(script));
        window->Form_Load(std::make_unique<Preferences>(ini));
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ui.emplace(*window);
    }
    void stop()
    {
        EXPECT_TRUE(window->close());
        ui.reset();
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
    int paneHeight() const { return ui->frameVEXAFile->frameHeightTwips(); }

    QTemporaryDir dir;
    const QString ini = dir.filePath("prefs.ini");
    quenloft::testing::ScriptedPrompter::Script script;
    std::unique_ptr<frmMain> window;
    std::optional<quenloft::testing::WindowControls> ui;
};

TEST_F(Startup, FirstRunThenTheNextStartGetsBackWhatItLeft)
{
    start();
    EXPECT_EQ(window->windowTitle(), "Quenloft v3.00 build 2");
    EXPECT_EQ(paneHeight(), 605);
    EXPECT_FALSE(ui->chkPin->isChecked());
    EXPECT_FALSE(window->session().metric());
    EXPECT_EQ(ui->fileKVP->path(), QDir::currentPath());
    EXPECT_EQ(window->pos(), QPoint(11, 155)); // centred on the 800x800 offscreen screen

    ASSERT_TRUE(QDir(dir.path()).mkpath("runs/deep"));
    ASSERT_TRUE(ui->dirKVP->setPath(dir.filePath("runs/deep")).ok());
    QTest::mouseClick(ui->chkPin, Qt::LeftButton);
    // Metric units, and an editor opened, which changes nothing: closing asks nothing.
    const QString run = dir.filePath("runs/deep/s.kvs");
    ASSERT_TRUE(fixtures::writeFile(run, fixtures::SolvaneFileBuilder().build()));
    ASSERT_TRUE(window->showRunFile(run));
    QTest::mouseClick(ui->lblUnits, Qt::LeftButton);
    QTest::mouseClick(ui->cmdEdit, Qt::LeftButton);
    QTest::mouseClick(ui->label(FieldId::CoeffOfDrag), Qt::LeftButton);
    ASSERT_TRUE(window->session().isDirty());
    window->move(100, 60);
    stop();
    EXPECT_EQ(stored("WindowPosition", "frmMain_Left"), "1500");
    EXPECT_EQ(stored("WindowPosition", "frmMain_Width"), "") << "the window has a fixed size";

    ASSERT_TRUE(QDir(dir.filePath("runs/deep")).removeRecursively());
    start();
    EXPECT_EQ(ui->fileKVP->path(), dir.filePath("runs")) << "the nearest that exists";
    EXPECT_TRUE(ui->chkPin->isChecked());
    EXPECT_EQ(paneHeight(), 6975);
    EXPECT_TRUE(window->session().metric());
    EXPECT_EQ(window->pos(), QPoint(100, 60));
    EXPECT_TRUE(script.prompts.isEmpty());
}

TEST_F(Startup, FirstStartShowsNoFileAndLocksTheNotes)
{
    start(); // nothing stored: no directory is restored, so no list event runs
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QPlainTextEdit *notes = ui->txtVehicleNotes;
    notes->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(notes, QStringLiteral("typed"));
    EXPECT_EQ(notes->toPlainText(), QString());
    EXPECT_TRUE(notes->isReadOnly());
    EXPECT_FALSE(window->session().isDirty());
    for (const char *name : {"cmdEdit", "cmdUndo", "cmdSave", "txtVehicleWeight"})
        EXPECT_FALSE(window->findChild<QWidget *>(QString::fromLatin1(name))->isEnabled()) << name;
    EXPECT_TRUE(script.prompts.isEmpty());
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
        EXPECT_EQ(ui->chkPin->isChecked(), c.on);
        EXPECT_EQ(paneHeight(), c.on ? 6975 : 605);
        EXPECT_EQ(window->session().metric(), c.on);
        stop();
        EXPECT_EQ(stored("MainOptions", "PINFileBrowser"), c.on ? "-1" : "0");
        EXPECT_EQ(stored("MainOptions", "MetricUnits"), c.on ? "-1" : "0");
    }
}

TEST_F(Startup, LastDirectoryFallsBackToTheNearestOneThatExists)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("runs"));
    QFile(dir.filePath("runs/a.kvp")).open(QIODevice::WriteOnly);
    const QString runs = dir.filePath("runs"), current = QDir::currentPath();
    const struct
    {
        QString stored, shown;
    } cases[] = {
        {runs, runs},
        {runs + "/gone/deeper", runs},
#ifndef Q_OS_WIN // a root without a drive letter
        {"/no-such-quenloft-folder/runs", "/"},
        {"/", "/"},
#endif
        {runs + "/a.kvp", current}, // a file: nothing to show
        {"no-such-quenloft-folder/runs", current},
        {"", current},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stored.toStdString());
        // Stored as shut-down stores it, with the system's separators.
        preset("Options", "LastDirectory", QDir::toNativeSeparators(c.stored));
        start();
        EXPECT_EQ(ui->dirKVP->path(), c.shown);
        EXPECT_EQ(ui->fileKVP->path(), c.shown);
        window.reset(); // no shut-down: the next case starts from its own stored value
    }
    EXPECT_TRUE(script.prompts.isEmpty());
}

// The captions that do not fit their control with the fonts the window gets, as
// "name: text (needs N px, has M px)".
QStringList clippedCaptions(const QWidget &window)
{
    QStringList clipped;
    auto check = [&](const QWidget *w, QString text, int room) {
        text.remove(u'&'); // access-key marks are not drawn
        const int needed = w->fontMetrics().horizontalAdvance(text);
        if (!text.isEmpty() && (needed > room || w->fontMetrics().height() > w->height()))
            clipped << QStringLiteral("%1: \"%2\" (needs %3 px, has %4 px)")
                           .arg(w->objectName(), text)
                           .arg(needed)
                           .arg(room);
    };
    for (const QLabel *label : window.findChildren<QLabel *>())
        check(label, label->text(), label->contentsRect().width() - 2 * label->margin());
    for (const QAbstractButton *button : window.findChildren<QAbstractButton *>()) {
        const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
        check(button, button->text(), button->width() - margin);
    }
    for (const QGroupBox *frame : window.findChildren<QGroupBox *>())
        check(frame, frame->title(), frame->contentsRect().width());
    return clipped;
}

TEST_F(Startup, EveryCaptionFitsItsControlWithTheInstalledFonts)
{
    const QString family = QString::fromLatin1(appearance::kMetricFamily);
#ifdef Q_OS_WIN
    if (QFontDatabase::families().isEmpty())
        GTEST_SKIP() << "the offscreen platform on Windows knows only font files it is pointed "
                        "to, not the system's fonts, so Arial cannot be measured here";
    ASSERT_TRUE(QFontDatabase::families().contains(family, Qt::CaseInsensitive))
        << "Arial is missing; under Wine the prefix maps it to Liberation Sans through Wine's "
           "font replacements (scripts/common.sh does).";
#else
    ASSERT_TRUE(QFontDatabase::hasFamily(family) &&
                QFontInfo(appearance::boldSansFont()).family() == family)
        << "The window is laid out for Arial's metrics, which only " << appearance::kMetricFamily
        << " provides here; install the Debian package " << appearance::kMetricFontPackage
        << " (./test.sh and ./run.sh do).";
#endif

    start();
    EXPECT_EQ(clippedCaptions(*window), QStringList()) << "after start-up";
    // Each model's captions and values, the Solvane ones in both unit systems.
    ASSERT_TRUE(ui->fileKVP->setPath(QUENLOFT_SOURCE_DIR "/samples").ok());
    for (const char *sample : {"friday_pass_1.kvp", "coastdown.kvs"}) {
        SCOPED_TRACE(sample);
        ASSERT_TRUE(ui->fileKVP->setFileName(QString::fromLatin1(sample)));
        EXPECT_EQ(clippedCaptions(*window), QStringList());
    }
    QTest::mouseClick(ui->lblUnits, Qt::LeftButton);
    EXPECT_TRUE(window->session().metric());
    EXPECT_EQ(clippedCaptions(*window), QStringList());
    EXPECT_TRUE(script.prompts.isEmpty());
}

TEST(VersionHistory, ShippedPageDescribesThisVersion)
{
    QFile page(QUENLOFT_SOURCE_DIR "/src/app/resources/version_history.html");
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(page.readAll()).contains(TitleOf(ProgramVersion())));
}

} // namespace
