// Showing a run file: the model's fields, the loader, the unit switch and the command
// states. The texts come from the core; this file only puts them on screen.
#include "app/window/frmMain.h"

#include "app/column/ClickLabel.h"
#include "app/column/FieldEditor.h"
#include "app/look/ControlBuilders.h"
#include "browser/Files.h"
#include "browser/lists/FileListBox.h"
#include "runfile/JournalRecovery.h"
#include "runfile/LoadMessages.h"
#include "runfile/RunFileReader.h"
#include "support/General.h"
#include "support/NativePath.h"
#include "vehicle/FieldEntry.h"
#include "vehicle/Units.h"
#include "vehicle/VehicleDisplay.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace quenloft {
namespace {

// A long scan shows its progress once it has taken this long.
constexpr qint64 kProgressAfterMs = 300;

// The busy cursor for as long as a long load runs.
class BusyCursor
{
public:
    void show()
    {
        if (!m_shown)
            QApplication::setOverrideCursor(Qt::BusyCursor);
        m_shown = true;
    }
    ~BusyCursor()
    {
        if (m_shown)
            QApplication::restoreOverrideCursor();
    }

private:
    bool m_shown = false;
};

} // namespace

void frmMain::setPrompter(std::unique_ptr<Prompter> prompter)
{
    m_prompter = std::move(prompter);
}

void frmMain::UpdateControls(bool blnEnableEdit, bool blnEnableUndo, bool blnEnableSave,
                             bool blnEnableFields)
{
    // An editor still open when edit mode ends (one whose entry was rejected) is closed
    // rather than left disabled over its label.
    if (!blnEnableFields)
        m_column->closeEditors();
    m_cmdEdit->setEnabled(blnEnableEdit);
    // A command that is about to be disabled hands the focus to Edit, or to the notes,
    // rather than to the next control in order, which would be the browser pane's.
    const QWidget *focus = QApplication::focusWidget();
    if ((focus == m_cmdSave && !blnEnableSave) || (focus == m_cmdUndo && !blnEnableUndo) ||
        (focus == m_cmdEdit && !blnEnableEdit)) {
        QWidget *next = blnEnableEdit ? static_cast<QWidget *>(m_cmdEdit) : m_txtVehicleNotes;
        next->setFocus(Qt::OtherFocusReason);
    }
    m_cmdUndo->setEnabled(blnEnableUndo);
    m_cmdSave->setEnabled(blnEnableSave);
    const std::optional<Model> shown = m_session.model();
    m_column->enableEditors(blnEnableFields, shown);
    m_txtVehicleNotes->setReadOnly(shown == Model::Solvane || !blnEnableFields ||
                                   !m_session.notesStorable());
    m_lblUnits->setEnabled(!blnEnableFields);
    if (!blnEnableFields)
        m_toldNotesLocked = false;
    // Qt repaints the new states by itself once control returns to the event loop.
}

void frmMain::sessionChanged()
{
    // Edit is offered for a file shown; Undo, the fields and, once something changed,
    // Save while editing. Changes a refused save left unsaved enable Save with Edit.
    const SessionMode mode = m_session.mode();
    const bool editing = mode == SessionMode::Editing;
    UpdateControls(mode == SessionMode::Viewing, editing, editing && m_session.isDirty(), editing);
    // The file's name before the program's, and the desktop's mark while there are
    // changes not yet in it.
    if (m_session.hasFile()) {
        setWindowTitle(FileNameOfPath(m_session.path()) + QStringLiteral(" - ") + m_title +
                       QStringLiteral("[*]"));
        setWindowModified(m_session.hasUnsavedChanges());
    } else {
        setWindowModified(false);
        setWindowTitle(m_title);
    }
}

void frmMain::SetModelFromFileName(const QString &fileName)
{
    const Model named = ModelFromFileName(fileName);
    // A name with neither run-file ending reads as Solvane but keeps the picture shown.
    if (named == Model::Nox)
        setBackgroundFromImage(m_imageNox);
    else if (fileName.right(3).toUpper() == u"KVS")
        setBackgroundFromImage(m_imageSolvane);
}

void frmMain::ToggleUnits()
{
    m_session.switchUnits();
    m_lblUnits->setText(UnitsCaption(m_session.metric()));
    m_column->showUnits(model(), m_session.metric());
}

void frmMain::showModelFields(Model shownModel)
{
    m_column->showModel(shownModel);
    m_lblUnits->setVisible(shownModel == Model::Solvane);
    if (shownModel == Model::Solvane) {
        m_lblVEXAVersion->setText(QStringLiteral("Solvane VEXA v1.0"));
        m_lblUnits->setText(UnitsCaption(m_session.metric()));
    }
}

void frmMain::clearValues()
{
    m_column->clearValues();
    m_lblVEXAVersion->clear();
    const QSignalBlocker quiet(m_txtVehicleNotes);
    m_txtVehicleNotes->clear();
    m_lblRecordsRead->hide();
}

void frmMain::showRecordsProgress(qint64 bytesScanned, qint64 totalBytes)
{
    const int percent = totalBytes > 0 ? int(100 * bytesScanned / totalBytes) : 0;
    m_lblRecordsRead->setText(QStringLiteral("Reading run data... %1%").arg(percent));
    m_lblRecordsRead->show();
}

bool frmMain::LoadRunFile()
{
    const QString fileName = m_pane->files()->fileName();
    if (fileName.isEmpty()) {
        prompter().message(this, kSelectFileFirst, PromptIcon::Exclamation);
        return false;
    }
    const QString path = m_pane->selectedPath();
    if (!FileExists(path)) {
        prompter().message(this,
                           QStringLiteral("The file does not exist!") + kCRLF +
                               QStringLiteral("The file list will be refreshed."),
                           PromptIcon::Exclamation);
        m_pane->RefreshFiles();
        return false;
    }
    // Until the file is shown nothing can be edited or saved: the display is half
    // replaced, and a failed load must never offer Save over it.
    m_session.close();
    showNoFile();
    showModelFields(ModelFromFileName(fileName));

    // A long scan lets the window repaint and take clicks; a newer load (another file
    // selected meanwhile), a folder change or the window closing makes this one give up.
    QElapsedTimer sinceStart;
    sinceStart.start();
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    BusyCursor busy;
    const auto observer = [&](qint64 scanned, qint64 total) {
        if (sinceEvents.elapsed() >= m_scanEventIntervalMs) {
            if (sinceStart.elapsed() >= kProgressAfterMs) {
                busy.show();
                showRecordsProgress(scanned, total);
            }
            QCoreApplication::processEvents();
            sinceEvents.restart();
        }
        return true;
    };
    // A save of this file cut short (a crash, a failing disk) is undone before it is read.
    const auto opened = m_session.open(path, PendingSave::Apply, observer);
    if (!opened && opened.failure().number == LoadAbandoned)
        return false; // overtaken: whatever took over owns the display
    const JournalRecovery &recovery = m_session.recovery();
    if (!recovery.message.isEmpty())
        prompter().message(this, recovery.message,
                           recovery.outcome == RecoveryOutcome::Restored ||
                                   recovery.outcome == RecoveryOutcome::AlreadyOriginal
                               ? PromptIcon::Information
                               : PromptIcon::Exclamation);
    if (!opened) {
        clearValues();
        prompter().message(this, LoadErrorMessage(opened.failure(), fileName), PromptIcon::Stop);
        return false;
    }
    showDisplay();
    watchShownFile();

    const VehicleDisplay &display = m_session.display();
    if (!display.damagedList.isEmpty()) {
        const bool show = prompter().askYesNo(
            this,
            QStringLiteral("Warning:  errors were found in the run data of KVP file, it may be "
                           "corrupted.") +
                kCRLF + QStringLiteral("Do you want to see where the errors were found?"),
            PromptIcon::Exclamation, true);
        if (show)
            prompter().message(this, display.damagedList, PromptIcon::Information);
    }
    return true;
}

void frmMain::showDisplay()
{
    const VehicleDisplay &display = m_session.display();
    m_column->showValues(display);
    if (display.model == Model::Nox) {
        m_lblVEXAVersion->setText(display.versionCaption);
        controls::setForeground(m_lblVEXAVersion, display.versionColour == VersionColour::Blue
                                                      ? QColor(0, 0, 255)
                                                      : QColor(255, 0, 0));
    }
    {
        const QSignalBlocker quiet(m_txtVehicleNotes);
        QString notes = display.notes;
        notes.replace(kCRLF, QStringLiteral("\n"));
        m_txtVehicleNotes->setPlainText(notes);
    }
    m_lblRecordsRead->setText(display.recordsCaption.value_or(QString()));
    m_lblRecordsRead->setVisible(display.recordsCaption.has_value());
}

void frmMain::showNoFile()
{
    clearValues();
    watchShownFile();
}

} // namespace quenloft
