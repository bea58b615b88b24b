// The program's one window: it coordinates the browser pane, the vehicle-data column, the
// notes, the commands and the links, and presents the edit session of the shown file.
// The window's own events are in frmMain.cpp, its remaining controls are built in
// frmMainControls.cpp, loading and the command states in frmMainDisplay.cpp, the commands
// in frmMainEditing.cpp, start-up in frmMainStartup.cpp.
#pragma once

#include "app/column/FieldColumn.h"
#include "app/pane/BrowserPane.h"
#include "app/program/Preferences.h"
#include "app/program/Prompts.h"
#include "app/window/SessionMirror.h"
#include "vehicle/Fields.h"
#include "vehicle/VehicleSession.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

#include <memory>

class QAction;
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
class FolderSummaryDialog;
class PaneFrame;
class PathWatch;

class frmMain : public QWidget
{
    Q_OBJECT

    // The edit state of the shown file; the window only presents it.
    VehicleSession m_session;

public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // The session's state under the names the rest of the program uses: the model of the
    // shown file ("Nox", "Solvane", empty before the first selection), the unit system,
    // the unsaved-changes flag and the shown Nox file's record count.
    SessionMirror<QString, Mirror::Writable> strMode{
        [this] {
            const auto model = m_session.model();
            return model ? ModelName(*model) : QString();
        },
        [this](const QString &name) {
            m_session.setModel(name == ModelName(Model::Nox) ? Model::Nox : Model::Solvane);
        }};
    SessionMirror<bool> blnMetricUnits{[this] { return m_session.metric(); }};
    SessionMirror<bool, Mirror::Writable> blnDirtyData{
        [this] { return m_session.isDirty(); }, [this](bool dirty) { m_session.setDirty(dirty); }};
    SessionMirror<qint32> lngNumRecords{
        [this] { return qint32(qMin<qint64>(m_session.contents().nox.numRecords, INT32_MAX)); }};

    [[nodiscard]] const VehicleSession &session() const { return m_session; }

    // Selects the run file `path` in the browser, in its folder, and shows it as a click
    // there does (the same model choice, loader and command states). True when it loaded;
    // otherwise the user has been told why.
    bool showRunFile(const QString &path);
    // Shows a run file or a folder named from outside the window (the command line, a
    // drop). A folder is shown in the browser. A path that does not exist, or is neither
    // a run file nor a folder, is reported in a message and changes nothing.
    void showPathFromOutside(const QString &path);
    // Opens the summary of the folder the file list shows (its menu's Folder Summary);
    // a double-click on one of its rows shows that file here.
    FolderSummaryDialog *openFolderSummary();

    // Start-up, run once before the window is first shown: title, about caption,
    // collapsed pane, last directory, placement and the stored options. The window keeps
    // the store and writes the preferences back to it when it closes.
    void Form_Load(std::unique_ptr<Preferences> preferences);

    // Makes `image`'s picture the window's background picture (the model's device).
    void setBackgroundFromImage(const QLabel *image);
    [[nodiscard]] QPixmap backgroundPicture() const { return m_background; }

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

    // The full path of the file selected in fileKVP; empty when no file is selected.
    [[nodiscard]] QString currentRunFilePath() const { return m_pane->selectedPath(); }

    // How often a long scan lets the window handle its events.
    void setScanEventInterval(int milliseconds) { m_scanEventIntervalMs = milliseconds; }

    // Where the window's message boxes and questions go; tests install their own.
    [[nodiscard]] Prompter &prompter() const { return *m_prompter; }
    void setPrompter(std::unique_ptr<Prompter> prompter);

    // The file browser pane.
    void RefreshFiles() { m_pane->RefreshFiles(); }
    void ShowHideFileBrowser(int X) { m_pane->ShowHideFileBrowser(X); }
    void HandleFileKeys(qint16 KeyCode, qint16 Shift) { m_pane->HandleFileKeys(KeyCode, Shift); }
    [[nodiscard]] PaneFrame *frameVEXAFile() const { return m_pane->frame(); }
    [[nodiscard]] DriveListBox *driveKVP() const { return m_pane->drives(); }
    [[nodiscard]] DirListBox *dirKVP() const { return m_pane->directories(); }
    [[nodiscard]] FileListBox *fileKVP() const { return m_pane->files(); }
    [[nodiscard]] QLabel *lblFileHints() const { return m_pane->hints(); }
    [[nodiscard]] QPushButton *chkPin() const { return m_pane->pin(); }
    [[nodiscard]] QMenu *mnuFilePopup() const { return m_pane->menu(); }
    [[nodiscard]] QAction *mnuFilePopupEdit() const { return m_pane->editItem(); }
    [[nodiscard]] QAction *mnuFilePopupDelete() const { return m_pane->deleteItem(); }
    [[nodiscard]] QAction *mnuFilePopupRename() const { return m_pane->renameItem(); }
    [[nodiscard]] QAction *mnuFilePopupRefresh() const { return m_pane->refreshItem(); }
    [[nodiscard]] QAction *mnuFilePopupOpen() const { return m_pane->openItem(); }

    // The vehicle-data column: each field's caption label, display label and editor (in
    // its display label's place). Null for the notes, which have their own accessors.
    [[nodiscard]] QLabel *fieldCaption(FieldId id) const;
    [[nodiscard]] ClickLabel *fieldLabel(FieldId id) const;
    [[nodiscard]] FieldEditor *fieldEditor(FieldId id) const;

    // Notes, commands, status and links.
    [[nodiscard]] QLabel *lblVehicleNotes() const { return m_lblVehicleNotes; }
    [[nodiscard]] QPlainTextEdit *txtVehicleNotes() const { return m_txtVehicleNotes; }
    [[nodiscard]] QPushButton *cmdEdit() const { return m_cmdEdit; }
    [[nodiscard]] QPushButton *cmdUndo() const { return m_cmdUndo; }
    [[nodiscard]] QPushButton *cmdSave() const { return m_cmdSave; }
    [[nodiscard]] QLabel *lblRecordsRead() const { return m_lblRecordsRead; }
    [[nodiscard]] QLabel *lblVEXAVersion() const { return m_lblVEXAVersion; }
    [[nodiscard]] ClickLabel *lblUnits() const { return m_lblUnits; }
    [[nodiscard]] ClickLabel *lblAbout() const { return m_lblAbout; }
    [[nodiscard]] ClickLabel *lblVersionHistory() const { return m_lblVersionHistory; }
    [[nodiscard]] ClickLabel *lblHalvorn() const { return m_lblHalvorn; }
    [[nodiscard]] ClickLabel *lblHalvornCopyright() const { return m_lblHalvornCopyright; }
    [[nodiscard]] QLabel *imageNox() const { return m_imageNox; }
    [[nodiscard]] QLabel *imageSolvane() const { return m_imageSolvane; }

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
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // frmMainControls.cpp
    void createControls();
    void createNotesAndCommands();
    void createStatusAndLinks();
    void createImages();
    void setFocusOrder();

    // frmMainDisplay.cpp, frmMainEditing.cpp
    void wireVehicleData();
    [[nodiscard]] Model model() const { return m_session.shownModel(); }
    void showModelFields(Model model);
    void clearValues();
    void showRecordsProgress(qint64 bytesScanned, qint64 totalBytes);
    void editorTextChanged();
    void notesTextChanged();
    // The writer behind SaveRunFile, with the reason of a failure.
    Result<Done> writeShownFile();

    // frmMainWatch.cpp
    void watchShownFile();
    void shownFileChangedOnDisk();

    // frmMainBrowser.cpp, frmMainStartup.cpp, frmMainLinks.cpp, frmMainOpenPath.cpp
    void wireBrowser();
    void wireLinks();
    bool showSelectedFile();
    void windowKeyReleased(int qtKey);
    void openLink(const QString &target);
    void restoreLastDirectory();
    void LoadOptions();
    void SaveOptions();
    void Form_Unload();
    [[nodiscard]] bool isShowableFromOutside(const QString &path) const;
    // The one local run file or folder a drag carries; empty for anything else.
    [[nodiscard]] QString droppablePath(const QMimeData *data) const;

    std::unique_ptr<Prompter> m_prompter;
    std::unique_ptr<Preferences> m_preferences; // set by Form_Load
    int m_scanEventIntervalMs = 50;
    quint64 m_loadGeneration = 0; // a load that sees this change was overtaken by a newer one
    bool m_toldNotesLocked = false;
    bool m_toldChangedOnDisk = false; // about the file as it is shown now
    QPixmap m_background;

    BrowserPane *m_pane = nullptr;
    FieldColumn *m_column = nullptr;
    PathWatch *m_shownFileWatch = nullptr;
    QLabel *m_lblVehicleNotes = nullptr;
    QPlainTextEdit *m_txtVehicleNotes = nullptr;
    QPushButton *m_cmdEdit = nullptr;
    QPushButton *m_cmdUndo = nullptr;
    QPushButton *m_cmdSave = nullptr;
    QLabel *m_lblRecordsRead = nullptr;
    QLabel *m_lblVEXAVersion = nullptr;
    ClickLabel *m_lblUnits = nullptr;
    ClickLabel *m_lblAbout = nullptr;
    ClickLabel *m_lblVersionHistory = nullptr;
    ClickLabel *m_lblHalvorn = nullptr;
    ClickLabel *m_lblHalvornCopyright = nullptr;
    QLabel *m_imageNox = nullptr;
    QLabel *m_imageSolvane = nullptr;
};

} // namespace quenloft
