// Showing a run file or folder handed to the window from outside: named on the command
// line or dropped on the window. A file is shown exactly as a click in the file list shows
// it, so the model choice, the loader and the command states are the click's own.
#include "app/window/frmMain.h"

#include "browser/lists/DirListBox.h"
#include "browser/lists/DriveListBox.h"
#include "browser/lists/FileListBox.h"

#include <QDir>
#include <QFileInfo>

namespace quenloft {

QString frmMain::bracketed(const QString &path)
{
    return u'[' + QDir::toNativeSeparators(path) + u']';
}

bool frmMain::isShowableFromOutside(const QString &path) const
{
    const QFileInfo target(path);
    return target.isDir() ||
           (target.isFile() &&
            FileListBox::matchesPattern(target.fileName(), m_pane->files()->pattern()));
}

void frmMain::showPathFromOutside(const QString &path)
{
    if (!mayLeaveShownFile())
        return;
    const QFileInfo target(QDir::fromNativeSeparators(path));
    const QString absolute = QDir::cleanPath(target.absoluteFilePath());
    if (!target.exists()) {
        prompter().message(this,
                           QStringLiteral("The path ") + bracketed(absolute) +
                               QStringLiteral(" does not exist!"),
                           PromptIcon::Exclamation);
        return;
    }
    if (target.isDir()) {
        (void)m_pane->showFolder(absolute);
        return;
    }
    if (!isShowableFromOutside(absolute)) {
        prompter().message(this,
                           QStringLiteral("The file ") + bracketed(absolute) +
                               QStringLiteral(" is not a VEXA file (*.KVP, *.KVS)!"),
                           PromptIcon::Exclamation);
        return;
    }
    if (!m_pane->showFolder(QFileInfo(absolute).absolutePath()))
        return;
    const QString name = target.fileName();
    // A file that arrived since the folder was last read is not listed yet.
    if (!m_pane->files()->fileNames().contains(name))
        (void)m_pane->files()->refresh();
    // Raises the list's click when the selection moves, which loads the file.
    if (!m_pane->files()->setFileName(name))
        prompter().message(this,
                           QStringLiteral("The file ") + bracketed(absolute) +
                               QStringLiteral(" cannot be shown in the file list!"),
                           PromptIcon::Exclamation);
}

bool frmMain::showRunFile(const QString &path)
{
    const QFileInfo file(path);
    const bool selected = m_pane->files()->fileName() == file.fileName() &&
                          QFileInfo(m_pane->files()->path()) == QFileInfo(file.absolutePath());
    if (selected)
        return mayLeaveShownFile() && showSelectedFile(); // as clicking it again does
    showPathFromOutside(path);
    return m_session.hasFile() && QFileInfo(m_session.path()) == file;
}

} // namespace quenloft
