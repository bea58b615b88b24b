// The file browser pane of the window: the drive, directory and file lists chained to each
// other, the pane's hover and pin rules, the file keys and the file list's context menu
// with its commands. Which file is shown, and what that does to the vehicle data, is the
// window's business; the pane tells it when a file is chosen and when the folder changes.
#pragma once

#include "app/program/Prompts.h"

#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QWidget;

namespace quenloft {

class DirListBox;
class DriveListBox;
class FileListBox;
class PaneFrame;

class BrowserPane : public QObject
{
    Q_OBJECT

public:
    // Builds the pane on `window`. `showSelected` shows the file just selected in the
    // file list and says whether it loaded.
    BrowserPane(QWidget *window, std::function<Prompter &()> prompter,
                std::function<bool()> showSelected);

    [[nodiscard]] PaneFrame *frame() const { return m_frame; }
    [[nodiscard]] DriveListBox *drives() const { return m_drives; }
    [[nodiscard]] DirListBox *directories() const { return m_directories; }
    [[nodiscard]] FileListBox *files() const { return m_files; }
    [[nodiscard]] QLabel *hints() const { return m_hints; }
    [[nodiscard]] QPushButton *pin() const { return m_pin; }
    [[nodiscard]] QMenu *menu() const { return m_menu; }
    [[nodiscard]] QAction *editItem() const { return m_edit; }
    [[nodiscard]] QAction *deleteItem() const { return m_delete; }
    [[nodiscard]] QAction *renameItem() const { return m_rename; }
    [[nodiscard]] QAction *refreshItem() const { return m_refresh; }
    [[nodiscard]] QAction *openItem() const { return m_open; }
    [[nodiscard]] QAction *summaryItem() const { return m_summary; }

    // The full path of the file selected in the file list; empty when none is selected.
    [[nodiscard]] QString selectedPath() const;

    // Asked before the shown file is left (another file chosen, the folder or drive
    // changed, the shown file renamed or deleted here): false keeps everything as it was,
    // the list's selection, the folder and the drive included. `path` is the file to be
    // left by a rename or delete, empty for a choice of file or folder.
    void setLeaveGuard(std::function<bool(const QString &path)> mayLeave)
    {
        m_mayLeave = std::move(mayLeave);
    }

    // Re-reads the drive, directory and file lists.
    void RefreshFiles();
    // Opens the pane when X (twips, window coordinates) is left of its right edge and
    // closes it otherwise, unless it is pinned.
    void ShowHideFileBrowser(int X);
    // Rolls the pane up, unless it is pinned.
    void collapse();
    // The file keys, as Windows key codes: 46 Delete, 113 F2, 116 F5.
    void HandleFileKeys(qint16 KeyCode, qint16 Shift);
    // The key code HandleFileKeys takes for a Qt key; 0 for keys that are not file keys.
    [[nodiscard]] static qint16 fileKeyCode(int qtKey);

    // Shows `folder` in the lists, as if the user went there; false (and the user told
    // why) when it cannot be read.
    bool showFolder(const QString &folder);

signals:
    // The drive or the directory is about to change: the file shown is no longer listed.
    void folderChanging();
    // The user asked to edit the selected file (a double-click or the menu's Edit).
    void editRequested();
    // The user asked for the summary of the listed folder (the menu's Folder Summary).
    void folderSummaryRequested();
    // The pane's own commands renamed or deleted a file (full paths, after the lists
    // were read again).
    void fileRenamed(const QString &from, const QString &to);
    void fileDeleted(const QString &path);

private:
    enum class BrowseTarget { Directories, Files };
    void build(QWidget *window);
    void buildMenu(QWidget *window);
    void wire();
    void driveKVP_Change();
    void dirKVP_Change();
    void dirKVP_EnterFailed(const QString &path);
    void reportUnreadableDirectory(BrowseTarget target);
    void fileKVP_Click();
    void fileKVP_DblClick();
    void fileKVP_MouseUp(Qt::MouseButton button, QPoint globalPos);
    void frameVEXAFile_MouseMove();
    void focusFileListIfShown();
    bool eventFilter(QObject *watched, QEvent *event) override;
    void setFileCommandsEnabled(bool enabled);
    [[nodiscard]] bool pinned() const;
    [[nodiscard]] QString pathOf(const QString &fileName) const;
    [[nodiscard]] bool requireSelectedFile(const QString &fileName);
    void mnuFilePopupOpen_Click();
    void DeleteSelectedFile();
    void RenameSelectedFile();

    QWidget *m_window;
    std::function<Prompter &()> m_prompter;
    std::function<bool()> m_showSelected;
    std::function<bool(const QString &)> m_mayLeave = [](const QString &) { return true; };
    QString m_shownName; // the file last shown from the list, to go back to
    bool m_restoringSelection = false;

    PaneFrame *m_frame = nullptr;
    DriveListBox *m_drives = nullptr;
    DirListBox *m_directories = nullptr;
    FileListBox *m_files = nullptr;
    QLabel *m_hints = nullptr;
    QPushButton *m_pin = nullptr;
    QMenu *m_menu = nullptr;
    QAction *m_edit = nullptr;
    QAction *m_delete = nullptr;
    QAction *m_rename = nullptr;
    QAction *m_refresh = nullptr;
    QAction *m_open = nullptr;
    QAction *m_summary = nullptr;
};

} // namespace quenloft
