// The program's one window: it coordinates the browser pane, the vehicle-data column, the
// notes, the commands and the links, and presents the edit session of the shown file.
// Its public face is what the program, the tools and the benchmarks need; its controls
// are its own, and tests find them by the object names of the window's design.
// The window's own events are in frmMain.cpp, its remaining controls are built in
// frmMainControls.cpp, loading and the command states in frmMainDisplay.cpp, the commands
// in frmMainEditing.cpp, start-up in frmMainStartup.cpp.
#pragma once

#include "app/column/FieldColumn.h"
#include "app/pane/BrowserPane.h"
#include "app/program/Preferences.h"
#include "app/program/Prompts.h"
#include "vehicle/Fields.h"
#include "vehicle/VehicleSession.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

#include <memory>

class QLabel;
class QMimeData;
class QPlainTextEdit;
class QPushButton;

namespace quenloft {

class ClickLabel;
class FolderSummaryDialog;
class PathWatch;

class frmMain : public QWidget
{
    Q_OBJECT

public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // The edit state of the shown file, which the window presents.
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

    // The device picture the window paints as its background: the shown model's.
    [[nodiscard]] QPixmap backgroundPicture() const { return m_background; }

    // How often a long scan lets the window handle its events.
    void setScanEventInterval(int milliseconds) { m_scanEventIntervalMs = milliseconds; }

    // Where the window's message boxes and questions go; tests install their own.
    [[nodiscard]] Prompter &prompter() const { return *m_prompter; }
    void setPrompter(std::unique_ptr<Prompter> prompter);

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

    // frmMainDisplay.cpp: showing a file
    // Applies the four enable flags to the commands, the field editors and lblUnits.
    void UpdateControls(bool blnEnableEdit, bool blnEnableUndo, bool blnEnableSave,
                        bool blnEnableFields);
    // What the session says, on screen: the command states (the four flags follow from its
    // mode and unsaved changes), the file commands and the title.
    void sessionChanged();
    // The session's values, version, records and notes in the controls.
    void showDisplay();
    // Leaves the no-file state's controls: no values, no file watched.
    void showNoFile();
    // Sets the background picture from a run file's name: its model's device.
    void SetModelFromFileName(const QString &fileName);
    // Makes `image`'s picture the window's background picture (the model's device).
    void setBackgroundFromImage(const QLabel *image);
    // Switches between metric and imperial units and converts the shown values.
    void ToggleUnits();
    // Shows the file selected in fileKVP; false when none is selected, it is missing or it
    // could not be read (the user has been told why).
    bool LoadRunFile();
    [[nodiscard]] Model model() const { return m_session.shownModel(); }
    void showModelFields(Model model);
    void clearValues();
    void showRecordsProgress(qint64 bytesScanned, qint64 totalBytes);

    // frmMainEditing.cpp: the commands and the notes
    void wireVehicleData();
    void cmdEdit_Click();
    void cmdUndo_Click();
    void cmdSave_Click();
    // Save saves the file selected in fileKVP, which must be the one shown; the question
    // before leaving a file saves the file shown, wherever the selection has gone.
    enum class SaveWhat { SelectedFile, ShownFile };
    // Stores the shown values into the file in place; the reason when it could not.
    Result<Done> SaveRunFile(SaveWhat what);
    // Save's whole step: the file written and shown as it now holds its values, or the
    // error saving it reported and the changes kept on show. True when saved.
    bool saveAndReport(SaveWhat what);
    // Before the shown file is left with unsaved changes: "Save changes to NAME?" with
    // Save, Discard and Cancel. True when it may be left (nothing unsaved, saved, or
    // discarded); false leaves everything as it was.
    bool mayLeaveShownFile();
    void editorTextChanged();
    void notesTextChanged();

    // frmMainWatch.cpp
    void watchShownFile();
    void shownFileChangedOnDisk();

    // frmMainBrowser.cpp, frmMainStartup.cpp, frmMainLinks.cpp, frmMainOpenPath.cpp
    void wireBrowser();
    void ownFileRenamed(const QString &from, const QString &to);
    void ownFileDeleted(const QString &path);
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
    // A path as the window's messages name it: "[/home/ann/runs/run3.kvp]".
    [[nodiscard]] static QString bracketed(const QString &path);

    VehicleSession m_session;
    std::unique_ptr<Prompter> m_prompter;
    std::unique_ptr<Preferences> m_preferences; // set by Form_Load
    int m_scanEventIntervalMs = 50;
    QString m_title; // the program's title, which a shown file's name goes in front of
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
