// Showing a run file or folder handed to the window from outside: named on the command
// line or dropped on the window. A file is shown exactly as a click in the file list shows
// it, so the model choice, the loader and the command states are the click's own.
#include "app/frmMain.h"

#include "browser/pane/DirListBox.h"
#include "browser/pane/DriveListBox.h"
#include "browser/pane/FileListBox.h"

#include <QDir>
#include <QFileInfo>

using namespace quenloft;

namespace {

QString Bracketed(const QString &path)
{
    return u'[' + QDir::toNativeSeparators(path) + u']';
}

} // namespace

bool frmMain::isShowableFromOutside(const QString &path) const
{
    const QFileInfo target(path);
    return target.isDir() || (target.isFile() &&
                              FileListBox::matchesPattern(target.fileName(), m_fileKVP->pattern()));
}

void frmMain::showPathFromOutside(const QString &path)
{
    const QFileInfo target(QDir::fromNativeSeparators(path));
    const QString absolute = QDir::cleanPath(target.absoluteFilePath());
    if (!target.exists()) {
        prompter().message(this,
                           QStringLiteral("The path ") + Bracketed(absolute) +
                               QStringLiteral(" does not exist!"),
                           PromptIcon::Exclamation);
        return;
    }
    if (target.isDir()) {
        (void)showFolderFromOutside(absolute);
        return;
    }
    if (!isShowableFromOutside(absolute)) {
        prompter().message(this,
                           QStringLiteral("The file ") + Bracketed(absolute) +
                               QStringLiteral(" is not a VEXA file (*.KVP, *.KVS)!"),
                           PromptIcon::Exclamation);
        return;
    }
    if (!showFolderFromOutside(QFileInfo(absolute).absolutePath()))
        return;
    const QString name = target.fileName();
    // A file that arrived since the folder was last read is not listed yet.
    if (!m_fileKVP->fileNames().contains(name))
        (void)m_fileKVP->refresh();
    // Raises the list's click when the selection moves, which loads the file.
    if (!m_fileKVP->setFileName(name))
        prompter().message(this,
                           QStringLiteral("The file ") + Bracketed(absolute) +
                               QStringLiteral(" cannot be shown in the file list!"),
                           PromptIcon::Exclamation);
}

bool frmMain::showFolderFromOutside(const QString &folder)
{
    if (!DirListBox::checkReadable(folder)) {
        dirKVP_EnterFailed(folder);
        return false;
    }
    // As start-up restores the last directory: each assignment runs the list's change
    // event, so the lists below it follow.
    (void)m_driveKVP->setDrive(folder);
    if (!m_dirKVP->setPath(folder)) {
        dirKVP_EnterFailed(folder);
        return false;
    }
    // The directory list was there already but the file list was not.
    if (m_fileKVP->path() != m_dirKVP->path())
        dirKVP_Change();
    return m_fileKVP->path() == m_dirKVP->path();
}
