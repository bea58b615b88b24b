// Showing a run file: the model's fields, the loader, the unit switch and the command
// states. The texts come from the core; this file only puts them on screen.
#include "app/frmMain.h"

#include "app/ClickLabel.h"
#include "app/FieldEditor.h"
#include "browser/Files.h"
#include "browser/pane/FileListBox.h"
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
    return m_session.shownModel();
}

const frmMain::FieldWidgets *frmMain::fieldWidgets(FieldId id) const
{
    for (const FieldWidgets &f : m_fieldWidgets)
        if (f.id == id)
            return &f;
    return nullptr;
}

QLabel *frmMain::fieldCaption(FieldId id) const
{
    const FieldWidgets *f = fieldWidgets(id);
    return f ? f->caption : nullptr;
}

ClickLabel *frmMain::fieldLabel(FieldId id) const
{
    const FieldWidgets *f = fieldWidgets(id);
    return f ? f->label : nullptr;
}

FieldEditor *frmMain::fieldEditor(FieldId id) const
{
    const FieldWidgets *f = fieldWidgets(id);
    return f ? f->editor : nullptr;
}

void frmMain::showUnitToolTips(FieldId id, bool metric)
{
    const QString toolTip =
        id == FieldId::Weight ? WeightToolTip(metric) : FrontalAreaToolTip(metric);
    fieldLabel(id)->setToolTip(toolTip);
    fieldEditor(id)->setToolTip(toolTip);
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
    // An editor that only some models enable stays off until a file names its model.
    const std::optional<Model> shown = m_session.model();
    for (const FieldWidgets &f : m_fieldWidgets) {
        const Models enabledIn = fieldInfo(f.id).editorIn;
        f.editor->setEnabled(blnEnableFields &&
                             (enabledIn == Models::Both || (shown && includes(enabledIn, *shown))));
        // In edit mode the keyboard reaches a field through its label, in the editors'
        // place of the focus order. Only Tab gives a label the focus: a click opens the
        // field without taking the focus from an editor first.
        f.label->setFocusPolicy(f.editor->isEnabled() ? Qt::TabFocus : Qt::NoFocus);
    }
    m_txtVehicleNotes->setReadOnly(shown == Model::Solvane || !blnEnableFields ||
                                   !m_session.notesStorable());
    m_lblUnits->setEnabled(!blnEnableFields);
    if (!blnEnableFields)
        m_toldNotesLocked = false;
    // Qt repaints the new states by itself once control returns to the event loop.
}

void frmMain::SetModelFromFileName(const QString &fileName)
{
    const Model named = ModelFromFileName(fileName);
    m_session.setModel(named);
    // A name with neither run-file ending reads as Solvane but keeps the picture shown.
    if (named == Model::Nox)
        setBackgroundFromImage(m_imageNox);
    else if (fileName.right(3).toUpper() == u"KVS")
        setBackgroundFromImage(m_imageSolvane);
}

void frmMain::ToggleUnits()
{
    m_session.switchUnits();
    const bool metric = m_session.metric();
    m_lblUnits->setText(UnitsCaption(metric));
    for (const FieldId id : {FieldId::Weight, FieldId::FrontalArea}) {
        showUnitToolTips(id, metric);
        if (model() == Model::Solvane)
            fieldLabel(id)->setText(m_session.text(id));
    }
}

void frmMain::showModelFields(Model shownModel)
{
    // The pitch factor's row is shown by the loader, for the files that have one.
    const QList<FieldId> shown = shownFields(shownModel, false);
    for (const FieldWidgets &f : m_fieldWidgets) {
        if (includes(fieldInfo(f.id).shownIn, Model::Nox) &&
            includes(fieldInfo(f.id).shownIn, Model::Solvane))
            continue; // in both models' files
        const bool visible = shown.contains(f.id);
        f.caption->setVisible(visible);
        f.label->setVisible(visible);
        if (!visible)
            f.label->clear();
    }
    fieldCaption(FieldId::RunName)->setText(captionOf(FieldId::RunName, shownModel));
    m_lblUnits->setVisible(shownModel == Model::Solvane);
    if (shownModel == Model::Nox) {
        showUnitToolTips(FieldId::Weight, false); // a Nox weight is in pounds
    } else {
        m_lblVEXAVersion->setText(QStringLiteral("Solvane VEXA v1.0"));
        fieldLabel(FieldId::RunName)->clear();
        m_lblUnits->setText(UnitsCaption(m_session.metric()));
        showUnitToolTips(FieldId::Weight, m_session.metric());
        showUnitToolTips(FieldId::FrontalArea, m_session.metric());
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
    for (const FieldWidgets &f : m_fieldWidgets)
        if (!f.editor->isHidden())
            closeEditor(f);
}

void frmMain::closeEditor(const FieldWidgets &f)
{
    // Closing is not leaving: the entry is dropped unchecked and the field keeps its last
    // accepted value, with the unit its label lost when the editor opened.
    const QSignalBlocker quiet(f.editor);
    f.editor->hide();
    f.label->setText(m_session.text(f.id));
    if (f.caption->isVisible())
        f.label->show();
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

    // Until the file is shown nothing can be edited or saved: the display is half
    // replaced, and a failed load must never offer Save over it.
    closeEditors();
    m_session.close();
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
    const auto opened = m_session.open(path, observer);
    if (generation != m_loadGeneration)
        return false; // overtaken: the newer load owns the display
    if (!opened) {
        clearValues();
        prompter().message(this, LoadErrorMessage(opened.failure(), fileName), PromptIcon::Stop);
        return false;
    }

    const VehicleDisplay &display = m_session.display();
    for (const FieldWidgets &f : m_fieldWidgets)
        if (f.label && display.shown.contains(f.id))
            f.label->setText(display.captions.value(f.id));
    if (shownModel == Model::Nox) {
        m_lblVEXAVersion->setText(display.versionCaption);
        setTextColour(m_lblVEXAVersion, display.versionColour == VersionColour::Blue
                                            ? QColor(0, 0, 255)
                                            : QColor(255, 0, 0));
        const bool pitch = display.shown.contains(FieldId::PitchFactor);
        fieldLabel(FieldId::PitchFactor)->setText(display.captions.value(FieldId::PitchFactor));
        fieldCaption(FieldId::PitchFactor)->setVisible(pitch);
        fieldLabel(FieldId::PitchFactor)->setVisible(pitch);
    }
    {
        const QSignalBlocker quiet(m_txtVehicleNotes);
        QString notes = display.notes;
        notes.replace(kCRLF, QStringLiteral("\n"));
        m_txtVehicleNotes->setPlainText(notes);
    }
    m_lblRecordsRead->setText(display.recordsCaption.value_or(QString()));
    m_lblRecordsRead->setVisible(display.recordsCaption.has_value());

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

    m_session.setDirty(false);
    UpdateControls(true, false, false, false);
    return true;
}
