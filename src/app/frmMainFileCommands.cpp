// The file list's context menu: open the selected run file with its associated program,
// edit it, delete it, rename it, and refresh the lists.
#include "app/frmMain.h"

#include "browser/Files.h"
#include "browser/Process.h"
#include "browser/pane/FileListBox.h"
#include "support/Errors.h"
#include "support/General.h"

#include <QAction>
#include <QDir>

using namespace quenloft;

namespace {

const QString kCRLF = QStringLiteral("\r\n");

// "WARNING:  error (5) - Access Denied - occurred while attempting to delete the file."
QString fileErrorWarning(const QString &attempt)
{
    const ErrObject &error = LastError();
    return QStringLiteral("WARNING:  error (") + QString::number(error.Number()) +
           QStringLiteral(") - ") + error.Description() +
           QStringLiteral(" - occurred while attempting to ") + attempt +
           QStringLiteral(" the file.");
}

// A name with a separator would move the file out of the listed directory instead of
// renaming it there.
bool holdsPathSeparator(const QString &name)
{
    return name.contains(u'/') || name.contains(QChar(kPathSeparator));
}

} // namespace

void frmMain::wireFileCommands()
{
    connect(m_mnuFilePopupOpen, &QAction::triggered, this, &frmMain::mnuFilePopupOpen_Click);
    connect(m_mnuFilePopupEdit, &QAction::triggered, this, &frmMain::cmdEdit_Click);
    connect(m_mnuFilePopupDelete, &QAction::triggered, this, &frmMain::DeleteSelectedFile);
    connect(m_mnuFilePopupRename, &QAction::triggered, this, &frmMain::RenameSelectedFile);
    connect(m_mnuFilePopupRefresh, &QAction::triggered, this, &frmMain::RefreshFiles);
}

QString frmMain::selectedFilePath(const QString &fileName) const
{
    return QDir::toNativeSeparators(QDir(m_fileKVP->path()).filePath(fileName));
}

bool frmMain::requireSelectedFile(const QString &fileName)
{
    // After a delete or a rename the commands stay enabled with nothing selected; a command
    // on no file at all would only ask a question about nothing and then fail.
    if (!fileName.isEmpty())
        return true;
    prompter().message(this, QStringLiteral("You must select a VEXA file first!"),
                       PromptIcon::Exclamation);
    return false;
}

void frmMain::mnuFilePopupOpen_Click()
{
    const QString fileName = m_fileKVP->fileName();
    if (!requireSelectedFile(fileName))
        return;
    const QString target = u'"' + selectedFilePath(fileName) + u'"';
    if (ShellOpen(target) == 0) {
        prompter().message(this,
                           QStringLiteral("Shell [") + target + QStringLiteral("] failed!") +
                               kCRLF + kCRLF +
                               QStringLiteral("Are you sure you've associated the .KVP file "
                                              "extension to VEXA?"),
                           PromptIcon::Stop);
    }
}

void frmMain::DeleteSelectedFile()
{
    const QString fileName = m_fileKVP->fileName();
    if (!requireSelectedFile(fileName))
        return;
    const bool sure = prompter().askYesNo(this,
                                          QStringLiteral("This will permanently delete the file:") +
                                              kCRLF + fileName + kCRLF +
                                              QStringLiteral("Are you sure you want to delete it?"),
                                          PromptIcon::Stop, true);
    if (!sure)
        return;
    if (KillFile(selectedFilePath(fileName))) {
        (void)m_fileKVP->refresh();
        return;
    }
    prompter().message(this, fileErrorWarning(QStringLiteral("delete")), PromptIcon::Stop);
}

void frmMain::RenameSelectedFile()
{
    const QString fileName = m_fileKVP->fileName();
    if (!requireSelectedFile(fileName))
        return;
    QString newName =
        TrimSpaces(prompter()
                       .input(this, QStringLiteral("Enter the new name for this file:"), fileName)
                       .value_or(QString()));
    if (newName.isEmpty())
        return;
    if (newName.right(4).toUpper() != u".KVP")
        newName += QStringLiteral(".kvp");
    if (holdsPathSeparator(newName)) {
        prompter().message(this,
                           QStringLiteral("A file name cannot contain \"") +
                               QDir::toNativeSeparators(QStringLiteral("/")) +
                               QStringLiteral("\"; a file is renamed within its directory."),
                           PromptIcon::Stop);
        return;
    }
    // Keeping the name is not a rename, and not a clash with an existing file either.
    if (newName == fileName)
        return;
    if (RenameFile(selectedFilePath(fileName), selectedFilePath(newName))) {
        (void)m_fileKVP->refresh();
        return;
    }
    prompter().message(this, fileErrorWarning(QStringLiteral("rename")), PromptIcon::Stop);
}
