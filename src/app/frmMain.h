// The program's one window. This file declares the window with its controls; the
// controls are built in frmMainControls.cpp, the window's own events are in frmMain.cpp.
#pragma once

#include "app/Preferences.h"
#include "app/Prompts.h"
#include "app/SessionMirror.h"
#include "vehicle/Fields.h"
#include "vehicle/VehicleSession.h"

#include <QList>
#include <QPixmap>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <memory>
#include <optional>

class QAction;
class QKeyEvent;
class QLabel;
class QMimeData;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace quenloft {
class ClickLabel;
class DirListBox;
class DriveListBox;
class FieldEditor;
class FileListBox;
class PaneFrame;
} // namespace quenloft

class frmMain : public QWidget
{
    Q_OBJECT

    // The edit state of the shown file; the window only presents it.
    quenloft::VehicleSession m_session;

public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // The session's state under the names the rest of the program uses: the model of the
    // shown file ("Nox", "Solvane", empty before the first selection), the unit system,
    // the unsaved-changes flag and the shown Nox file's record count.
    quenloft::SessionMirror<QString, quenloft::Mirror::Writable> strMode{
        [this] {
            const auto model = m_session.model();
            return model ? quenloft::ModelName(*model) : QString();
        },
        [this](const QString &name) {
            m_session.setModel(name == quenloft::ModelName(quenloft::Model::Nox)
                                   ? quenloft::Model::Nox
                                   : quenloft::Model::Solvane);
        }};
    quenloft::SessionMirror<bool> blnMetricUnits{[this] { return m_session.metric(); }};
    quenloft::SessionMirror<bool, quenloft::Mirror::Writable> blnDirtyData{
        [this] { return m_session.isDirty(); }, [this](bool dirty) { m_session.setDirty(dirty); }};
    quenloft::SessionMirror<qint32> lngNumRecords{
        [this] { return qint32(qMin<qint64>(m_session.contents().nox.numRecords, INT32_MAX)); }};

    [[nodiscard]] const quenloft::VehicleSession &session() const { return m_session; }

    // Makes `image`'s picture the window's background picture (the model's device).
    void setBackgroundFromImage(const QLabel *image);
    [[nodiscard]] QPixmap backgroundPicture() const { return m_background; }

    // --- Vehicle data: display (frmMainDisplay.cpp), editing and saving (frmMainEditing.cpp)

    // Applies the four enable flags to the commands, the field editors and lblUnits.
    void UpdateControls(bool blnEnableEdit, bool blnEnableUndo, bool blnEnableSave,
                        bool blnEnableFields);
    // Sets strMode and the background picture from a run file's name.
    void SetModelFromFileName(const QString &fileName);
    // Switches between metric and imperial units and converts the shown values.
    void ToggleUnits();
    // Shows the file selected in fileKVP; false when none is selected, it is missing or it
    // could not be read (the user has been told why).
    bool LoadRunFile();
    // Stores the shown values into the file selected in fileKVP, in place.
    bool SaveRunFile();
    void cmdEdit_Click();
    void cmdUndo_Click();
    void cmdSave_Click();

    // The lost-focus step of a field's editor: checks the typed value and, when it is
    // accepted, closes the editor. SaveRunFile runs it for the Nox fields' editors.
    void fieldEditor_LostFocus(quenloft::FieldId id);

    // The full path of the file selected in fileKVP; empty when no file is selected.
    [[nodiscard]] QString currentRunFilePath() const;

    // How often a long scan lets the window handle its events.
    void setScanEventInterval(int milliseconds) { m_scanEventIntervalMs = milliseconds; }

    // Where the window's message boxes and questions go; tests install their own.
    [[nodiscard]] quenloft::Prompter &prompter() const { return *m_prompter; }
    void setPrompter(std::unique_ptr<quenloft::Prompter> prompter);

    // --- File browser and start-up (frmMainBrowser.cpp and the files beside it)

    // Start-up, run once before the window is first shown: title, about caption,
    // collapsed pane, last directory, placement and the stored options. The window keeps
    // the store and writes the preferences back to it when it closes.
    void Form_Load(std::unique_ptr<quenloft::Preferences> preferences);

    // Re-reads the drive, directory and file lists.
    void RefreshFiles();
    // Opens the pane when X (twips, window coordinates) is left of its right edge and
    // closes it otherwise, unless it is pinned.
    void ShowHideFileBrowser(int X);
    // The file keys on release, as Windows key codes: 46 Delete, 113 F2, 116 F5.
    void HandleFileKeys(qint16 KeyCode, qint16 Shift);

    // File-browser pane.
    [[nodiscard]] quenloft::PaneFrame *frameVEXAFile() const { return m_frameVEXAFile; }
    [[nodiscard]] quenloft::DriveListBox *driveKVP() const { return m_driveKVP; }
    [[nodiscard]] quenloft::DirListBox *dirKVP() const { return m_dirKVP; }
    [[nodiscard]] quenloft::FileListBox *fileKVP() const { return m_fileKVP; }
    [[nodiscard]] QLabel *lblFileHints() const { return m_lblFileHints; }
    [[nodiscard]] QPushButton *chkPin() const { return m_chkPin; }

    // The vehicle-data column: each field's caption label, display label and editor (in
    // its display label's place). Null for the notes, which have their own accessors.
    [[nodiscard]] QLabel *fieldCaption(quenloft::FieldId id) const;
    [[nodiscard]] quenloft::ClickLabel *fieldLabel(quenloft::FieldId id) const;
    [[nodiscard]] quenloft::FieldEditor *fieldEditor(quenloft::FieldId id) const;

    // Notes, commands and status.
    [[nodiscard]] QLabel *lblVehicleNotes() const { return m_lblVehicleNotes; }
    [[nodiscard]] QPlainTextEdit *txtVehicleNotes() const { return m_txtVehicleNotes; }
    [[nodiscard]] QPushButton *cmdEdit() const { return m_cmdEdit; }
    [[nodiscard]] QPushButton *cmdUndo() const { return m_cmdUndo; }
    [[nodiscard]] QPushButton *cmdSave() const { return m_cmdSave; }
    [[nodiscard]] QLabel *lblRecordsRead() const { return m_lblRecordsRead; }
    [[nodiscard]] QLabel *lblVEXAVersion() const { return m_lblVEXAVersion; }
    [[nodiscard]] quenloft::ClickLabel *lblUnits() const { return m_lblUnits; }
    [[nodiscard]] quenloft::ClickLabel *lblAbout() const { return m_lblAbout; }
    [[nodiscard]] quenloft::ClickLabel *lblVersionHistory() const { return m_lblVersionHistory; }
    [[nodiscard]] quenloft::ClickLabel *lblHalvorn() const { return m_lblHalvorn; }
    [[nodiscard]] quenloft::ClickLabel *lblHalvornCopyright() const
    {
        return m_lblHalvornCopyright;
    }
    [[nodiscard]] QLabel *imageNox() const { return m_imageNox; }
    [[nodiscard]] QLabel *imageSolvane() const { return m_imageSolvane; }

    // The file list's context menu and its items.
    [[nodiscard]] QMenu *mnuFilePopup() const { return m_mnuFilePopup; }
    [[nodiscard]] QAction *mnuFilePopupEdit() const { return m_mnuFilePopupEdit; }
    [[nodiscard]] QAction *mnuFilePopupDelete() const { return m_mnuFilePopupDelete; }
    [[nodiscard]] QAction *mnuFilePopupRename() const { return m_mnuFilePopupRename; }
    [[nodiscard]] QAction *mnuFilePopupRefresh() const { return m_mnuFilePopupRefresh; }
    [[nodiscard]] QAction *mnuFilePopupOpen() const { return m_mnuFilePopupOpen; }

signals:
    // The pointer moved over the window's own surface (not over an enabled control),
    // in twips of the client area.
    void mouseMovedTwips(int xTwips, int yTwips);
    // A key was released on the window itself (Qt::Key); auto-repeat is left out.
    void keyReleased(int key);
    // The window is closing; the close is never refused.
    void closing();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // frmMainControls.cpp
    void createControls();
    void createFileBrowser();
    void createVehicleColumn();
    void createNotesAndCommands();
    void createStatusAndLinks();
    void createImages();
    void createPopupMenu();
    void setFocusOrder();

    // frmMainDisplay.cpp, frmMainEditing.cpp
    struct FieldWidgets
    {
        quenloft::FieldId id;
        QLabel *caption;
        quenloft::ClickLabel *label;
        quenloft::FieldEditor *editor;
    };
    void wireVehicleData();
    [[nodiscard]] quenloft::Model model() const;
    [[nodiscard]] const FieldWidgets *fieldWidgets(quenloft::FieldId id) const;
    void showModelFields(quenloft::Model model);
    // The weight's or frontal area's tool tips in the given units.
    void showUnitToolTips(quenloft::FieldId id, bool metric);
    void clearValues();
    void closeEditors();
    void closeEditor(const FieldWidgets &f);
    // Enter, Space or F2 on a value label opens it; Enter or Escape in its editor leaves it.
    bool fieldKeyPressed(const FieldWidgets &f, QObject *watched, const QKeyEvent &key);
    void showRecordsProgress(qint64 bytesScanned, qint64 totalBytes);
    void labelClicked(quenloft::FieldId id);
    void editorTextChanged();
    void BeginFieldEdit(quenloft::FieldEditor *editor, quenloft::ClickLabel *label);
    void EndFieldEdit(quenloft::FieldEditor *editor, quenloft::ClickLabel *label);
    void rejectEntry(quenloft::FieldEditor *editor, const QString &message);
    void notesTextChanged();
    // The writer behind SaveRunFile, with the reason of a failure.
    quenloft::Result<quenloft::Done> writeShownFile();
    bool eventFilter(QObject *watched, QEvent *event) override;

    QList<FieldWidgets> m_fieldWidgets;
    std::unique_ptr<quenloft::Prompter> m_prompter;
    int m_scanEventIntervalMs = 50;
    quint64 m_loadGeneration = 0; // a load that sees this change was overtaken by a newer one
    bool m_rejecting = false;     // a range message is on screen
    bool m_refocusing = false;    // focus is going back to a rejected editor
    bool m_toldNotesLocked = false;

    // --- File browser, file commands, start-up and links (frmMainBrowser.cpp,
    // frmMainFileCommands.cpp, frmMainStartup.cpp, frmMainLinks.cpp)
    enum class BrowseTarget { Directories, Files };
    void wireBrowser();
    void wireFileCommands();
    void wireLinks();
    void driveKVP_Change();
    void dirKVP_Change();
    void dirKVP_EnterFailed(const QString &path);
    void reportUnreadableDirectory(BrowseTarget target);
    void fileKVP_Click();
    void fileKVP_DblClick();
    void fileKVP_MouseUp(Qt::MouseButton button, QPoint globalPos);
    void frameVEXAFile_MouseMove();
    void lblHalvornCopyright_MouseMove();
    void chkPin_Click();
    void windowKeyReleased(int qtKey);
    void setFileCommandsEnabled(bool enabled);
    [[nodiscard]] bool fileBrowserPinned() const;
    void focusFileListIfShown();
    [[nodiscard]] QString selectedFilePath(const QString &fileName) const;
    [[nodiscard]] bool requireSelectedFile(const QString &fileName);
    void mnuFilePopupOpen_Click();
    void DeleteSelectedFile();
    void RenameSelectedFile();
    void openLink(const QString &target);
    void restoreLastDirectory();
    void LoadOptions();
    void SaveOptions();
    void Form_Unload();

    std::unique_ptr<quenloft::Preferences> m_preferences; // set by Form_Load
    quint64 m_fileSelection = 0; // a load that sees this change was overtaken by a newer click

    QPixmap m_background;

    quenloft::PaneFrame *m_frameVEXAFile = nullptr;
    quenloft::DriveListBox *m_driveKVP = nullptr;
    quenloft::DirListBox *m_dirKVP = nullptr;
    quenloft::FileListBox *m_fileKVP = nullptr;
    QLabel *m_lblFileHints = nullptr;
    QPushButton *m_chkPin = nullptr;

    QLabel *m_lblVehicleNotes = nullptr;
    QPlainTextEdit *m_txtVehicleNotes = nullptr;
    QPushButton *m_cmdEdit = nullptr;
    QPushButton *m_cmdUndo = nullptr;
    QPushButton *m_cmdSave = nullptr;
    QLabel *m_lblRecordsRead = nullptr;
    QLabel *m_lblVEXAVersion = nullptr;
    quenloft::ClickLabel *m_lblUnits = nullptr;
    quenloft::ClickLabel *m_lblAbout = nullptr;
    quenloft::ClickLabel *m_lblVersionHistory = nullptr;
    quenloft::ClickLabel *m_lblHalvorn = nullptr;
    quenloft::ClickLabel *m_lblHalvornCopyright = nullptr;
    QLabel *m_imageNox = nullptr;
    QLabel *m_imageSolvane = nullptr;

    QMenu *m_mnuFilePopup = nullptr;
    QAction *m_mnuFilePopupEdit = nullptr;
    QAction *m_mnuFilePopupDelete = nullptr;
    QAction *m_mnuFilePopupRename = nullptr;
    QAction *m_mnuFilePopupRefresh = nullptr;
    QAction *m_mnuFilePopupOpen = nullptr;

    // --- Desktop integration: paths from the command line and from drops
    // (frmMainOpenPath.cpp; the drop events are in frmMain.cpp)
public:
    // Shows a run file or a folder named from outside the window. A file gets its folder
    // in the browser and is selected there, which loads it as a click in fileKVP does; a
    // folder is shown in the browser. A path that does not exist, or is neither a run file
    // nor a folder, is reported in a message and changes nothing.
    void showPathFromOutside(const QString &path);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    [[nodiscard]] bool isShowableFromOutside(const QString &path) const;
    bool showFolderFromOutside(const QString &folder);
    // The one local run file or folder a drag carries; empty for anything else.
    [[nodiscard]] QString droppablePath(const QMimeData *data) const;
};
