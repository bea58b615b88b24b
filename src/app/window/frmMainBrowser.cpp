// What the browser pane's events do to the window: a chosen file is shown, a folder change
// leaves the no-file state, and the file keys work on the window's own surface too.
#include "app/window/frmMain.h"

#include "app/column/ClickLabel.h"
#include "browser/lists/FileListBox.h"
#include "support/NativePath.h"

#include <QApplication>

namespace quenloft {

void frmMain::wireBrowser()
{
    // The file shown is no longer listed, and can no longer be edited; its values, which
    // are the file's own by now, stay on show. A load still scanning gives up.
    connect(m_pane, &BrowserPane::folderChanging, this, [this] {
        m_session.cancel();
        m_session.close();
        watchShownFile();
    });
    m_pane->setLeaveGuard([this](const QString &path) {
        return (!path.isEmpty() && path != m_session.path()) || mayLeaveShownFile();
    });
    connect(m_pane, &BrowserPane::fileRenamed, this, &frmMain::ownFileRenamed);
    connect(m_pane, &BrowserPane::fileDeleted, this, &frmMain::ownFileDeleted);
    connect(m_pane, &BrowserPane::editRequested, this, &frmMain::cmdEdit_Click);
    connect(m_lblHalvornCopyright, &ClickLabel::mouseMoved, m_pane, &BrowserPane::collapse);
    wireLinks();
}

bool frmMain::showSelectedFile()
{
    SetModelFromFileName(m_pane->files()->fileName());
    return LoadRunFile();
}

// The window's own Rename and Delete are no outside change: the renamed file is shown
// under its new name, and a deleted one leaves the no-file state without a word more.
void frmMain::ownFileRenamed(const QString &from, const QString &to)
{
    if (!m_session.hasFile() || from != m_session.path())
        return;
    m_session.close();
    showNoFile();
    (void)m_pane->files()->setFileName(FileNameOfPath(to));
}

void frmMain::ownFileDeleted(const QString &path)
{
    if (!m_session.hasFile() || path != m_session.path())
        return;
    m_session.close();
    showNoFile();
}

void frmMain::windowKeyReleased(int qtKey)
{
    // Keys released in a control that does not take them reach the window too; only a
    // key on the window itself is a file key (Delete in a text box deletes a character).
    const QWidget *focus = QApplication::focusWidget();
    if (focus != nullptr && focus != this && isAncestorOf(focus))
        return;
    m_pane->HandleFileKeys(BrowserPane::fileKeyCode(qtKey), 0);
}

} // namespace quenloft
