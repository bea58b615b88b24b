// What the browser pane's events do to the window: a chosen file is shown, a folder change
// leaves the no-file state, and the file keys work on the window's own surface too.
#include "app/window/frmMain.h"

#include "app/column/ClickLabel.h"
#include "browser/lists/FileListBox.h"

#include <QApplication>

namespace quenloft {

void frmMain::wireBrowser()
{
    connect(m_pane, &BrowserPane::folderChanging, this, [this] {
        ++m_loadGeneration; // a load still scanning belongs to the folder being left
        UpdateControls(false, false, false, false);
    });
    connect(m_pane, &BrowserPane::editRequested, this, &frmMain::cmdEdit_Click);
    connect(m_lblHalvornCopyright, &ClickLabel::mouseMoved, m_pane, &BrowserPane::collapse);
    wireLinks();
}

bool frmMain::showSelectedFile()
{
    SetModelFromFileName(m_pane->files()->fileName());
    return LoadRunFile();
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
