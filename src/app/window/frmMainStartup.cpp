// Start-up and shut-down: the title, the last directory, the window placement and the
// stored options, read once before the window is shown and written back when it closes.
#include "app/window/frmMain.h"

#include "app/column/ClickLabel.h"
#include "app/pane/PaneFrame.h"
#include "app/program/Formz.h"
#include "app/program/LastDirectory.h"
#include "browser/lists/DirListBox.h"
#include "browser/lists/DriveListBox.h"
#include "browser/lists/FileListBox.h"
#include "support/VersionInfo.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>

namespace quenloft {

namespace {

const QString kOptions = QStringLiteral("Options");
const QString kLastDirectory = QStringLiteral("LastDirectory");
const QString kMainOptions = QStringLiteral("MainOptions");
const QString kPinFileBrowser = QStringLiteral("PINFileBrowser");
const QString kMetricUnits = QStringLiteral("MetricUnits");

constexpr int kPaneCollapsedTwips = 605;

} // namespace

void frmMain::Form_Load(std::unique_ptr<Preferences> preferences)
{
    m_preferences = std::move(preferences);
    const VersionInfo &version = ProgramVersion();
    m_title = TitleOf(version);
    sessionChanged();
    m_lblAbout->setText(version.comments);
    m_pane->frame()->setFrameHeightTwips(kPaneCollapsedTwips);
    restoreLastDirectory();
    RestoreFormPosition(*this, *m_preferences);
    LoadOptions();
}

void frmMain::restoreLastDirectory()
{
    const QString directory =
        NearestExistingDirectory(m_preferences->value(kOptions, kLastDirectory));
    // A path that names a file leaves the lists where they are; so does one that cannot be
    // read. Checked first: moving the drive list alone would move the lists to its root.
    if (directory.isEmpty() || !QFileInfo(directory).isDir())
        return;
    // Each assignment runs the list's change event, so the lists below it follow.
    (void)m_pane->drives()->setDrive(directory);
    (void)m_pane->directories()->setPath(directory);
}

void frmMain::LoadOptions()
{
    if (IsTrueText(m_preferences->value(kMainOptions, kPinFileBrowser))) {
        m_pane->ShowHideFileBrowser(0); // not pinned yet, so this opens the pane
        m_pane->pin()->setChecked(true);
    } else {
        m_pane->pin()->setChecked(false);
    }
    if (IsTrueText(m_preferences->value(kMainOptions, kMetricUnits)))
        ToggleUnits(); // the window starts in imperial units
}

void frmMain::SaveOptions()
{
    m_preferences->setValue(kMainOptions, kPinFileBrowser, FlagText(m_pane->pin()->isChecked()));
    m_preferences->setValue(kMainOptions, kMetricUnits, FlagText(m_session.metric()));
}

void frmMain::Form_Unload()
{
    // Unsaved vehicle data has been asked about before the window closes.
    m_preferences->setValue(kOptions, kLastDirectory,
                            QDir::toNativeSeparators(m_pane->files()->path()));
    SaveFormPosition(*this, *m_preferences);
    SaveOptions();
    m_preferences->sync();
}

} // namespace quenloft
