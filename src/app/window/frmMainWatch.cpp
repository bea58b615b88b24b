// The shown file changed by another program: reloaded when nothing is being changed here,
// and the user told at once when there are changes Save would now refuse to write.
#include "app/window/frmMain.h"

#include "browser/lists/PathWatch.h"
#include "support/General.h"
#include "support/NativeFile.h"

#include <QDir>

namespace quenloft {

void frmMain::watchShownFile()
{
    m_toldChangedOnDisk = false;
    m_shownFileWatch->watch(m_session.hasFile() ? m_session.path() : QString());
}

void frmMain::shownFileChangedOnDisk()
{
    if (!m_session.hasFile())
        return;
    const QString path = m_session.path();
    const auto now = StampOfPath(path);
    const bool gone = !now.ok();
    if (!gone && now.value() == m_session.contents().stamp) {
        m_shownFileWatch->watch(path); // this program's own save, or a touch that changed nothing
        return;
    }
    if (m_session.isDirty()) {
        if (!gone)
            m_shownFileWatch->watch(path);
        if (m_toldChangedOnDisk)
            return;
        m_toldChangedOnDisk = true;
        prompter().message(
            this,
            QStringLiteral("The file ") + bracketed(path) +
                (gone ? QStringLiteral(" was removed or renamed by another program.") + kCRLF +
                            QStringLiteral("Your changes are still shown, but they cannot be "
                                           "saved to it.")
                      : QStringLiteral(" was changed by another program.") + kCRLF +
                            QStringLiteral("Your changes are still shown, but Save will not "
                                           "overwrite the new contents; Undo loads them.")),
            PromptIcon::Exclamation);
        return;
    }
    if (gone) {
        m_session.cancel();
        m_session.close();
        showNoFile();
        prompter().message(this,
                           QStringLiteral("The file ") + bracketed(path) +
                               QStringLiteral(" was removed or renamed by another program.") +
                               kCRLF + QStringLiteral("Its vehicle data is no longer shown."),
                           PromptIcon::Exclamation);
        return;
    }
    // Nothing changed here: show what the file holds now, as Undo would.
    if (m_pane->selectedPath() == path)
        (void)LoadRunFile();
}

} // namespace quenloft
