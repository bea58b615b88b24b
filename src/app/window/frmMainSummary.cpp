// The folder summary opened from the file list's menu, over the folder the list shows.
#include "app/window/frmMain.h"

#include "app/summary/FolderSummaryDialog.h"
#include "browser/lists/FileListBox.h"

namespace quenloft {

FolderSummaryDialog *frmMain::openFolderSummary()
{
    auto *dialog = new FolderSummaryDialog(
        m_pane->files()->path(), m_pane->files()->fileNames(), m_session.metric(),
        [this]() -> Prompter & { return prompter(); }, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &FolderSummaryDialog::fileActivated, this,
            [this](const QString &path) { (void)showRunFile(path); });
    dialog->show();
    return dialog;
}

} // namespace quenloft
