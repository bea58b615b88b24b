// Showing a run file: the model's fields, the loader, the unit switch and the command
// states. The texts come from the core; this file only puts them on screen.
#include "app/frmMain.h"

#include "app/ClickLabel.h"
#include "app/FieldEditor.h"
#include "browser/Files.h"
#include "browser/pane/FileListBox.h"
#include "runfile/JournalRecovery.h"
#include "runfile/LoadMessages.h"
#include "runfile/RunFileReader.h"
#include "vehicle/FieldEntry.h"
#include "vehicle/Units.h"
#include "vehicle/VehicleDisplay.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

using namespace quenloft;

namespace {

const QString kCRLF = QStringLiteral("\r\n");

// A long scan shows its progress once it has taken this long.
constexpr qint64 kProgressAfterMs = 300;

void setTextColour(QLabel *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

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

Model frmMain::model() const
{
    return strMode == u"Nox" ? Model::Nox : Model::Solvane;
}

const frmMain::FieldWidgets *frmMain::fieldWidgets(FieldId id) const
{
    for (const FieldWidgets &f : m_fieldWidgets)
        if (f.id == id)
            return &f;
    return nullptr;
}

QString frmMain::currentRunFilePath() const
{
    const QString name = m_fileKVP->fileName();
    return name.isEmpty() ? QString() : QDir(m_fileKVP->path()).filePath(name);
}

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
        closeEditors();
    m_cmdEdit->setEnabled(blnEnableEdit);
    m_cmdUndo->setEnabled(blnEnableUndo);
    m_cmdSave->setEnabled(blnEnableSave);
    m_txtRunName->setEnabled(blnEnableFields && strMode == u"Nox");
    for (FieldEditor *editor :
         {m_txtVehicleName, m_txtVehicleWeight, m_txtVehicleRedline, m_txtVehicleShiftPoint,
          m_txtVehicleRolloutLength, m_txtPitchFactor})
        editor->setEnabled(blnEnableFields);
    m_txtVehicleNotes->setReadOnly(strMode == u"Solvane" || !blnEnableFields ||
                                   !notesAreStorable());
    for (FieldEditor *editor :
         {m_txtVehicleFrontalArea, m_txtVehicleDrivelineLoss, m_txtVehicleCoeffOfDrag})
        editor->setEnabled(blnEnableFields);
    m_lblUnits->setEnabled(!blnEnableFields);
    if (!blnEnableFields)
        m_toldNotesLocked = false;
    // Qt repaints the new states by itself once control returns to the event loop.
}

void frmMain::SetModelFromFileName(const QString &fileName)
{
    const Model named = ModelFromFileName(fileName);
    strMode = ModelName(named);
    // A name with neither run-file ending reads as Solvane but keeps the picture shown.
    if (named == Model::Nox)
        setBackgroundFromImage(m_imageNox);
    else if (fileName.right(3).toUpper() == u"KVS")
        setBackgroundFromImage(m_imageSolvane);
}

void frmMain::ToggleUnits()
{
    const UnitCaptions shown{m_lblVehicleWeight->text(), m_lblVehicleFrontalArea->text()};
    blnMetricUnits = !blnMetricUnits;
    m_lblUnits->setText(UnitsCaption(blnMetricUnits));
    m_lblVehicleWeight->setToolTip(WeightToolTip(blnMetricUnits));
    m_txtVehicleWeight->setToolTip(WeightToolTip(blnMetricUnits));
    m_lblVehicleFrontalArea->setToolTip(FrontalAreaToolTip(blnMetricUnits));
    m_txtVehicleFrontalArea->setToolTip(FrontalAreaToolTip(blnMetricUnits));
    const UnitCaptions converted = ConvertUnitCaptions(shown, blnMetricUnits);
    m_lblVehicleWeight->setText(converted.weight);
    m_lblVehicleFrontalArea->setText(converted.frontalArea);
}

void frmMain::showModelFields(Model shownModel)
{
    const bool nox = shownModel == Model::Nox;
    for (const FieldWidgets &f : m_fieldWidgets) {
        if (f.id == FieldId::RunName || f.id == FieldId::Weight || f.id == FieldId::Notes)
            continue;
        const bool noxField = f.id == FieldId::VehicleName || f.id == FieldId::Redline ||
                              f.id == FieldId::ShiftPoint || f.id == FieldId::RolloutLength ||
                              f.id == FieldId::PitchFactor;
        const bool shown = noxField == nox && f.id != FieldId::PitchFactor;
        f.caption->setVisible(shown);
        f.label->setVisible(shown);
        if (!shown)
            f.label->clear();
    }
    m_lblUnits->setVisible(!nox);
    if (nox) {
        m_lblRunNameLabel->setText(QStringLiteral("Run Name:"));
        m_lblVehicleWeight->setToolTip(WeightToolTip(false));
        m_txtVehicleWeight->setToolTip(WeightToolTip(false));
    } else {
        m_lblVEXAVersion->setText(QStringLiteral("Solvane VEXA v1.0"));
        m_lblRunNameLabel->setText(QStringLiteral("Run Date:"));
        m_lblRunName->clear();
        m_lblUnits->setText(UnitsCaption(blnMetricUnits));
        m_lblVehicleWeight->setToolTip(WeightToolTip(blnMetricUnits));
        m_txtVehicleWeight->setToolTip(WeightToolTip(blnMetricUnits));
        m_lblVehicleFrontalArea->setToolTip(FrontalAreaToolTip(blnMetricUnits));
        m_txtVehicleFrontalArea->setToolTip(FrontalAreaToolTip(blnMetricUnits));
    }
}

void frmMain::clearValues()
{
    for (const FieldWidgets &f : m_fieldWidgets)
        if (f.label)
            f.label->clear();
    m_lblVEXAVersion->clear();
    const QSignalBlocker quiet(m_txtVehicleNotes);
    m_txtVehicleNotes->clear();
    m_lblRecordsRead->hide();
}

void frmMain::closeEditors()
{
    for (const FieldWidgets &f : m_fieldWidgets) {
        if (f.editor->isHidden())
            continue;
        // Closing is not leaving: the entry is dropped unchecked and the field keeps its
        // last accepted value, with the unit its label lost when the editor opened.
        const QSignalBlocker quiet(f.editor);
        f.editor->hide();
        const QString value = EditorTextFromCaption(f.id, model(), f.label->text());
        f.label->setText(value + SuffixOf(f.id, model(), blnMetricUnits));
        if (f.caption->isVisible())
            f.label->show();
    }
}

void frmMain::showRecordsProgress(qint64 bytesScanned, qint64 totalBytes)
{
    const int percent = totalBytes > 0 ? int(100 * bytesScanned / totalBytes) : 0;
    m_lblRecordsRead->setText(QStringLiteral("Reading run data... %1%").arg(percent));
    m_lblRecordsRead->show();
}

bool frmMain::LoadRunFile()
{
    const quint64 generation = ++m_loadGeneration;
    const QString fileName = m_fileKVP->fileName();
    if (fileName.isEmpty()) {
        prompter().message(this, QStringLiteral("You must select a VEXA file first!"),
                           PromptIcon::Exclamation);
        return false;
    }
    const QString path = currentRunFilePath();
    if (!FileExists(path)) {
        prompter().message(this,
                           QStringLiteral("The file does not exist!") + kCRLF +
                               QStringLiteral("The file list will be refreshed."),
                           PromptIcon::Exclamation);
        RefreshFiles();
        return false;
    }
    // A save of this file cut short (a crash, a failing disk) is undone before it is read.
    const JournalRecovery recovery = RecoverPendingJournal(path);
    if (!recovery.message.isEmpty())
        prompter().message(this, recovery.message,
                           recovery.outcome == RecoveryOutcome::Restored ||
                                   recovery.outcome == RecoveryOutcome::AlreadyOriginal
                               ? PromptIcon::Information
                               : PromptIcon::Exclamation);

    // Until the file is shown nothing can be edited or saved: the display is half
    // replaced, and a failed load must never offer Save over it.
    m_loadedFile.reset();
    m_loadedPath.clear();
    closeEditors();
    UpdateControls(false, false, false, false);
    {
        const QSignalBlocker quiet(m_txtVehicleNotes);
        m_txtVehicleNotes->clear();
    }
    m_lblRecordsRead->hide();
    const Model shownModel = model();
    showModelFields(shownModel);

    // A long scan lets the window repaint and take clicks; a newer load (another file
    // selected meanwhile) or the window closing makes this one give up.
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
        return generation == m_loadGeneration;
    };
    const auto contents = ReadRunFileAt(path, shownModel, observer);
    if (generation != m_loadGeneration)
        return false; // overtaken: the newer load owns the display
    if (!contents) {
        clearValues();
        prompter().message(this, LoadErrorMessage(contents.failure(), fileName), PromptIcon::Stop);
        return false;
    }

    const VehicleDisplay display = DisplayOf(contents.value(), blnMetricUnits);
    for (const FieldWidgets &f : m_fieldWidgets)
        if (f.label && display.shown.contains(f.id))
            f.label->setText(display.captions.value(f.id));
    if (shownModel == Model::Nox) {
        m_lblVEXAVersion->setText(display.versionCaption);
        setTextColour(m_lblVEXAVersion, display.versionColour == VersionColour::Blue
                                            ? QColor(0, 0, 255)
                                            : QColor(255, 0, 0));
        const bool pitch = display.shown.contains(FieldId::PitchFactor);
        m_lblPitchFactor->setText(display.captions.value(FieldId::PitchFactor));
        m_lblPitchFactorLabel->setVisible(pitch);
        m_lblPitchFactor->setVisible(pitch);
        lngNumRecords = qint32(qMin<qint64>(contents->nox.numRecords, INT32_MAX));
    }
    {
        const QSignalBlocker quiet(m_txtVehicleNotes);
        QString notes = display.notes;
        notes.replace(kCRLF, QStringLiteral("\n"));
        m_txtVehicleNotes->setPlainText(notes);
    }
    m_lblRecordsRead->setText(display.recordsCaption.value_or(QString()));
    m_lblRecordsRead->setVisible(display.recordsCaption.has_value());
    m_loadedFile = LoadedFileInfo::from(contents.value());
    m_loadedPath = path;

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

    blnDirtyData = false;
    UpdateControls(true, false, false, false);
    return true;
}
