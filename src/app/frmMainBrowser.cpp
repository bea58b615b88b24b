// The file browser pane: the drive, directory and file lists and their commands.
#include "app/frmMain.h"

#include "browser/pane/DirListBox.h"
#include "browser/pane/DriveListBox.h"
#include "browser/pane/FileListBox.h"

void frmMain::RefreshFiles()
{
    m_driveKVP->refresh();
    (void)m_dirKVP->refresh();
    (void)m_fileKVP->refresh();
}
