// The file list's context menu commands: open the selected run file with its associated
// program, delete it, rename it.
#include "app/pane/BrowserPane.h"

#include "browser/Files.h"
#include "browser/Process.h"
#include "browser/lists/FileListBox.h"
#include "runfile/Model.h"
#include "support/Errors.h"
#include "support/General.h"

#include <QDir>

namespace quenloft {
namespace {

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

QString BrowserPane::pathOf(const QString &fileName) const
{
    return QDir::toNativeSeparators(QDir(m_files->path()).filePath(fileName));
}

bool BrowserPane::requireSelectedFile(const QString &fileName)
{
    // After a delete or a rename the commands stay enabled with nothing selected; a command
    // on no file at all would only ask a question about nothing and then fail.
    if (!fileName.isEmpty())
        return true;
    m_prompter().message(m_window, kSelectFileFirst, PromptIcon::Exclamation);
    return false;
}

void BrowserPane::mnuFilePopupOpen_Click()
{
    const QString fileName = m_files->fileName();
    if (!requireSelectedFile(fileName))
        return;
    const QString target = u'"' + pathOf(fileName) + u'"';
    if (const OpenOutcome opened = OpenWithDesktop(target); opened != OpenOutcome::Opened) {
        m_prompter().message(m_window,
                             QStringLiteral("Shell [") + target + QStringLiteral("] failed!") +
                                 kCRLF + kCRLF +
                                 QStringLiteral("Are you sure you've associated the .KVP file "
                                                "extension to VEXA?") +
                                 OpenFailureNote(opened),
                             PromptIcon::Stop);
    }
}

void BrowserPane::DeleteSelectedFile()
{
    const QString fileName = m_files->fileName();
    if (!requireSelectedFile(fileName))
        return;
    const QString path = pathOf(fileName);
    if (!m_mayLeave(path))
        return;
    const bool sure = m_prompter().askYesNo(
        m_window,
        QStringLiteral("This will permanently delete the file:") + kCRLF + fileName + kCRLF +
            QStringLiteral("Are you sure you want to delete it?"),
        PromptIcon::Stop, true);
    if (!sure)
        return;
    if (KillFile(path)) {
        (void)m_files->refresh();
        emit fileDeleted(path);
        return;
    }
    m_prompter().message(m_window, fileErrorWarning(QStringLiteral("delete")), PromptIcon::Stop);
}

void BrowserPane::RenameSelectedFile()
{
    const QString fileName = m_files->fileName();
    if (!requireSelectedFile(fileName))
        return;
    QString newName = TrimSpaces(
        m_prompter()
            .input(m_window, QStringLiteral("Enter the new name for this file:"), fileName)
            .value_or(QString()));
    if (newName.isEmpty())
        return;
    // A file keeps its own ending, and so its model: a Solvane file stays a .kvs file.
    const QString ending = ModelFromFileName(fileName) == Model::Solvane ? QStringLiteral(".kvs")
                                                                         : QStringLiteral(".kvp");
    if (newName.right(4).toUpper() != ending.toUpper())
        newName += ending;
    if (holdsPathSeparator(newName)) {
        m_prompter().message(m_window,
                             QStringLiteral("A file name cannot contain \"") +
                                 QDir::toNativeSeparators(QStringLiteral("/")) +
                                 QStringLiteral("\"; a file is renamed within its directory."),
                             PromptIcon::Stop);
        return;
    }
    // Keeping the name is not a rename, and not a clash with an existing file either.
    if (newName == fileName)
        return;
    const QString from = pathOf(fileName);
    if (!m_mayLeave(from))
        return;
    if (RenameFile(from, pathOf(newName))) {
        (void)m_files->refresh();
        emit fileRenamed(from, pathOf(newName));
        return;
    }
    m_prompter().message(m_window, fileErrorWarning(QStringLiteral("rename")), PromptIcon::Stop);
}

} // namespace quenloft
