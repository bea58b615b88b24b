// The file browser pane: the drive, directory and file lists chained to each other, the
// pane's hover and pin rules, file selection and the file keys.
#include "app/frmMain.h"

#include "app/ClickLabel.h"
#include "app/PaneFrame.h"
#include "browser/pane/DirListBox.h"
#include "browser/pane/DriveListBox.h"
#include "browser/pane/FileListBox.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPushButton>

using namespace quenloft;

namespace {

constexpr int kPaneCollapsedTwips = 605;
constexpr int kPaneOpenTwips = 6975;

// Key codes HandleFileKeys acts on (the Windows virtual-key numbers).
constexpr qint16 kKeyDelete = 46;
constexpr qint16 kKeyF2 = 113;
constexpr qint16 kKeyF5 = 116;

// Only the three file keys are translated; every other key becomes 0, which does nothing.
// Passing Qt's code through would not do: Qt::Key_Period is 46 as well.
qint16 fileKeyCode(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Delete:
        return kKeyDelete;
    case Qt::Key_F2:
        return kKeyF2;
    case Qt::Key_F5:
        return kKeyF5;
    default:
        return 0;
    }
}

} // namespace

void frmMain::wireBrowser()
{
    connect(m_driveKVP, &DriveListBox::changed, this, &frmMain::driveKVP_Change);
    connect(m_dirKVP, &DirListBox::changed, this, &frmMain::dirKVP_Change);
    connect(m_dirKVP, &DirListBox::enterFailed, this,
            [this](const QString &path) { dirKVP_EnterFailed(path); });
    connect(m_fileKVP, &FileListBox::fileClicked, this, &frmMain::fileKVP_Click);
    connect(m_fileKVP, &FileListBox::fileDoubleClicked, this, &frmMain::fileKVP_DblClick);
    connect(m_fileKVP, &FileListBox::mouseReleased, this, &frmMain::fileKVP_MouseUp);

    connect(this, &frmMain::mouseMovedTwips, this, [this](int x, int) { ShowHideFileBrowser(x); });
    connect(m_frameVEXAFile, &PaneFrame::mouseMoved, this, &frmMain::frameVEXAFile_MouseMove);
    connect(m_lblHalvornCopyright, &ClickLabel::mouseMoved, this,
            &frmMain::lblHalvornCopyright_MouseMove);
    // Toggled, not clicked: a value set in code counts as a click when it changes.
    connect(m_chkPin, &QPushButton::toggled, this, &frmMain::chkPin_Click);

    connect(this, &frmMain::keyReleased, this, &frmMain::windowKeyReleased);
    const auto listKey = [this](int qtKey) { HandleFileKeys(fileKeyCode(qtKey), 0); };
    connect(m_driveKVP, &DriveListBox::keyReleased, this, listKey);
    connect(m_dirKVP, &DirListBox::keyReleased, this, listKey);
    connect(m_fileKVP, &FileListBox::keyReleased, this, listKey);

    wireFileCommands();
    wireLinks();
}

void frmMain::RefreshFiles()
{
    m_driveKVP->refresh();
    // A directory that has gone since it was listed is reported like one that cannot be
    // entered, so the lists never keep showing entries that are not there.
    if (!m_dirKVP->refresh())
        reportUnreadableDirectory(BrowseTarget::Directories);
    if (!m_fileKVP->refresh())
        reportUnreadableDirectory(BrowseTarget::Files);
}

void frmMain::driveKVP_Change()
{
    ++m_loadGeneration; // a load still scanning belongs to the folder being left
    UpdateControls(false, false, false, false);
    if (!m_dirKVP->setPath(m_driveKVP->drive()))
        reportUnreadableDirectory(BrowseTarget::Directories);
    if (!m_dirKVP->refresh())
        reportUnreadableDirectory(BrowseTarget::Directories);
}

void frmMain::dirKVP_Change()
{
    ++m_loadGeneration; // a load still scanning belongs to the folder being left
    UpdateControls(false, false, false, false);
    // A path that was set has just been read, and reading a large folder again at once
    // would double the wait; only a failed one leaves the old list to be read again.
    if (m_fileKVP->setPath(m_dirKVP->path()))
        return;
    reportUnreadableDirectory(BrowseTarget::Files);
    if (!m_fileKVP->refresh())
        reportUnreadableDirectory(BrowseTarget::Files);
}

void frmMain::reportUnreadableDirectory(BrowseTarget target)
{
    // The list still holds the path it had before the failed step.
    const QString held = target == BrowseTarget::Directories ? m_dirKVP->path() : m_fileKVP->path();
    prompter().message(this,
                       QStringLiteral("There was an error reading the [") +
                           QDir::toNativeSeparators(held) + QStringLiteral("] directory!"),
                       PromptIcon::Exclamation);
    // The program's own directory is the one place that can be relied on. Setting the
    // directory list's path runs its change event, so the file list follows.
    const QString fallback = QCoreApplication::applicationDirPath();
    if (target == BrowseTarget::Directories)
        (void)m_dirKVP->setPath(fallback);
    else
        (void)m_fileKVP->setPath(fallback);
}

void frmMain::dirKVP_EnterFailed(const QString &path)
{
    // The list refused to enter the directory and still shows the one before, which the
    // file list shows too: nothing needs to move, the user only needs to know.
    prompter().message(this,
                       QStringLiteral("There was an error reading the [") +
                           QDir::toNativeSeparators(path) + QStringLiteral("] directory!"),
                       PromptIcon::Exclamation);
}

void frmMain::fileKVP_Click()
{
    const quint64 selection = ++m_fileSelection;
    const QString fileName = m_fileKVP->fileName();
    m_fileKVP->setToolTip(fileName);
    if (fileName.isEmpty()) {
        // The selection was cleared: there is nothing to load and nothing to act on.
        setFileCommandsEnabled(false);
        return;
    }
    SetModelFromFileName(fileName);
    const bool loaded = LoadRunFile();
    // A long load lets events run; a selection made meanwhile has set the commands for
    // its own file, and this older result must not overwrite them.
    if (selection == m_fileSelection)
        setFileCommandsEnabled(loaded);
}

void frmMain::fileKVP_DblClick()
{
    // Editing needs a loaded file; a file the loader rejected leaves nothing to edit.
    if (m_mnuFilePopupEdit->isEnabled())
        cmdEdit_Click();
}

void frmMain::fileKVP_MouseUp(Qt::MouseButton button, QPoint globalPos)
{
    if (m_fileKVP->fileName().isEmpty())
        setFileCommandsEnabled(false);
    if (button == Qt::RightButton)
        m_mnuFilePopup->popup(globalPos);
}

void frmMain::setFileCommandsEnabled(bool enabled)
{
    for (QAction *item :
         {m_mnuFilePopupOpen, m_mnuFilePopupEdit, m_mnuFilePopupDelete, m_mnuFilePopupRename})
        item->setEnabled(enabled);
}

bool frmMain::fileBrowserPinned() const
{
    return m_chkPin->isChecked();
}

void frmMain::focusFileListIfShown()
{
    if (isVisible() && m_fileKVP->isVisible())
        m_fileKVP->setFocus(Qt::OtherFocusReason);
}

void frmMain::ShowHideFileBrowser(int X)
{
    if (fileBrowserPinned())
        return;
    const int rightEdge = m_frameVEXAFile->frameLeftTwips() + m_frameVEXAFile->frameWidthTwips();
    if (rightEdge > X) {
        if (m_frameVEXAFile->frameHeightTwips() >= kPaneOpenTwips)
            return;
        m_frameVEXAFile->setFrameHeightTwips(kPaneOpenTwips);
        focusFileListIfShown();
    } else if (m_frameVEXAFile->frameHeightTwips() > kPaneCollapsedTwips) {
        m_frameVEXAFile->setFrameHeightTwips(kPaneCollapsedTwips);
    }
}

void frmMain::frameVEXAFile_MouseMove()
{
    if (!fileBrowserPinned() && m_frameVEXAFile->frameHeightTwips() < kPaneOpenTwips)
        m_frameVEXAFile->setFrameHeightTwips(kPaneOpenTwips);
}

void frmMain::lblHalvornCopyright_MouseMove()
{
    if (!fileBrowserPinned() && m_frameVEXAFile->frameHeightTwips() > kPaneCollapsedTwips)
        m_frameVEXAFile->setFrameHeightTwips(kPaneCollapsedTwips);
}

void frmMain::chkPin_Click()
{
    focusFileListIfShown();
}

void frmMain::windowKeyReleased(int qtKey)
{
    // Keys released in a control that does not take them reach the window too; only a
    // key on the window itself is a file key (Delete in a text box deletes a character).
    const QWidget *focus = QApplication::focusWidget();
    if (focus != nullptr && focus != this && isAncestorOf(focus))
        return;
    HandleFileKeys(fileKeyCode(qtKey), 0);
}

void frmMain::HandleFileKeys(qint16 KeyCode, qint16 Shift)
{
    Q_UNUSED(Shift);
    switch (KeyCode) {
    case kKeyDelete:
        if (m_mnuFilePopupEdit->isEnabled())
            DeleteSelectedFile();
        break;
    case kKeyF2:
        if (m_mnuFilePopupEdit->isEnabled())
            RenameSelectedFile();
        break;
    case kKeyF5:
        RefreshFiles();
        break;
    default:
        break;
    }
}
