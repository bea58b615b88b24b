// Editing the vehicle data: the Edit, Undo and Save commands, opening a field's editor
// from its label, checking an entry when its editor is left, and saving.
#include "app/frmMain.h"

#include "app/ClickLabel.h"
#include "app/FieldEditor.h"
#include "browser/pane/FileListBox.h"
#include "vehicle/FieldEntry.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

using namespace quenloft;

namespace {

const QString kCRLF = QStringLiteral("\r\n");

} // namespace

void frmMain::wireVehicleData()
{
    m_prompter = std::make_unique<DialogPrompter>();
    m_fieldWidgets = {
        {FieldId::RunName, m_lblRunNameLabel, m_lblRunName, m_txtRunName},
        {FieldId::VehicleName, m_lblVehicleNameLabel, m_lblVehicleName, m_txtVehicleName},
        {FieldId::Weight, m_lblVehicleWeightLabel, m_lblVehicleWeight, m_txtVehicleWeight},
        {FieldId::Redline, m_lblRedlineLabel, m_lblVehicleRedline, m_txtVehicleRedline},
        {FieldId::ShiftPoint, m_lblShiftPointLabel, m_lblVehicleShiftPoint, m_txtVehicleShiftPoint},
        {FieldId::RolloutLength, m_lblRolloutLengthLabel, m_lblVehicleRolloutLength,
         m_txtVehicleRolloutLength},
        {FieldId::PitchFactor, m_lblPitchFactorLabel, m_lblPitchFactor, m_txtPitchFactor},
        {FieldId::FrontalArea, m_lblFrontalAreaLabel, m_lblVehicleFrontalArea,
         m_txtVehicleFrontalArea},
        {FieldId::CoeffOfDrag, m_lblCoeffOfDragLabel, m_lblVehicleCoeffOfDrag,
         m_txtVehicleCoeffOfDrag},
        {FieldId::DrivelineLoss, m_lblDrivelineLossLabel, m_lblVehicleDrivelineLoss,
         m_txtVehicleDrivelineLoss},
    };
    for (const FieldWidgets &f : m_fieldWidgets) {
        const FieldId id = f.id;
        connect(f.label, &ClickLabel::clicked, this, [this, id] { labelClicked(id); });
        connect(f.editor, &QLineEdit::textChanged, this, &frmMain::editorTextChanged);
        connect(f.editor, &FieldEditor::lostFocus, this, [this, id] {
            // Focus taken away to give it back to a rejected editor is not leaving.
            if (!m_refocusing && !m_rejecting)
                leaveEditor(id);
        });
    }
    connect(m_txtVehicleNotes, &QPlainTextEdit::textChanged, this, &frmMain::editorTextChanged);
    m_txtVehicleNotes->installEventFilter(this);
    connect(m_cmdEdit, &QPushButton::clicked, this, &frmMain::cmdEdit_Click);
    connect(m_cmdUndo, &QPushButton::clicked, this, &frmMain::cmdUndo_Click);
    connect(m_cmdSave, &QPushButton::clicked, this, &frmMain::cmdSave_Click);
    connect(m_lblUnits, &ClickLabel::clicked, this, [this] {
        if (m_lblUnits->isEnabled())
            ToggleUnits();
    });
    // A load still scanning gives up when the window closes.
    connect(this, &frmMain::closing, this, [this] { ++m_loadGeneration; });
}

void frmMain::cmdEdit_Click()
{
    UpdateControls(false, true, false, true);
}

void frmMain::cmdUndo_Click()
{
    (void)LoadRunFile();
}

void frmMain::cmdSave_Click()
{
    const bool saved = SaveRunFile();
    UpdateControls(true, false, false, false);
    if (!saved) {
        QString text = QStringLiteral("Error saving the VEXA file!");
        if (!m_saveFailure.isEmpty())
            text += kCRLF + kCRLF + m_saveFailure + u'.';
        prompter().message(this, text, PromptIcon::Exclamation);
    }
}

void frmMain::labelClicked(FieldId id)
{
    if (!m_cmdUndo->isEnabled())
        return; // outside edit mode a click does nothing
    const FieldWidgets *f = fieldWidgets(id);
    const Model shownModel = model();
    // The unit suffix is not part of the value being edited.
    if ((id == FieldId::Weight && shownModel == Model::Solvane) || id == FieldId::FrontalArea ||
        id == FieldId::DrivelineLoss)
        f->label->setText(EditorTextFromCaption(id, shownModel, f->label->text()));
    if (id == FieldId::RunName && shownModel != Model::Nox)
        return; // the Solvane run date cannot be edited
    BeginFieldEdit(f->editor, f->label);
}

void frmMain::BeginFieldEdit(FieldEditor *editor, ClickLabel *label)
{
    if (!m_cmdUndo->isEnabled())
        return;
    editor->setText(label->text());
    editor->show();
    label->hide();
    editor->setFocus(Qt::MouseFocusReason);
    editor->setSelection(0, int(editor->text().size()));
}

void frmMain::EndFieldEdit(FieldEditor *editor, ClickLabel *label)
{
    label->setText(editor->text());
    label->show();
    const QSignalBlocker quiet(editor); // a closed editor has been left already
    editor->hide();
}

void frmMain::editorTextChanged()
{
    if (blnDirtyData)
        return;
    blnDirtyData = true;
    UpdateControls(false, true, true, true);
}

void frmMain::leaveEditor(FieldId id)
{
    const FieldWidgets *f = fieldWidgets(id);
    FieldEditor *editor = f->editor;
    if (editor->isHidden())
        return;
    const Model shownModel = model();
    const FieldBounds bounds = BoundsOf(id, shownModel, blnMetricUnits);
    if (bounds.check == CheckKind::None) {
        EndFieldEdit(editor, f->label);
        return;
    }
    const QString normalised = NormaliseEntry(id, blnMetricUnits, editor->text());
    if (normalised != editor->text())
        editor->setText(normalised); // a change like any other: it marks the data changed
    const bool accepted =
        bounds.check == CheckKind::Integer
            ? CheckIntegerRange(editor, qint32(bounds.lower), qint32(bounds.upper))
            : CheckRealRange(editor, float(bounds.lower), float(bounds.upper));
    if (!accepted)
        return;
    EndFieldEdit(editor, f->label);
    f->label->setText(f->label->text() + SuffixOf(id, shownModel, blnMetricUnits));
}

bool frmMain::CheckIntegerRange(FieldEditor *editor, qint32 lower, qint32 upper)
{
    const RangeCheck check = quenloft::CheckIntegerRange(editor->text(), lower, upper);
    if (!check.ok)
        rejectEntry(editor, check.message);
    return check.ok;
}

bool frmMain::CheckRealRange(FieldEditor *editor, float lower, float upper)
{
    const RangeCheck check = quenloft::CheckRealRange(editor->text(), lower, upper);
    if (!check.ok)
        rejectEntry(editor, check.message);
    return check.ok;
}

void frmMain::rejectEntry(FieldEditor *editor, const QString &message)
{
    m_rejecting = true;
    prompter().message(this, message, PromptIcon::Stop);
    m_rejecting = false;
    // Taking the focus back makes whichever editor had it lose it; that is not the user
    // leaving it, so it is not checked now (it will be when the user leaves it).
    m_refocusing = true;
    editor->setFocus(Qt::OtherFocusReason);
    editor->selectAll();
    m_refocusing = false;
}

void frmMain::txtRunName_LostFocus()
{
    leaveEditor(FieldId::RunName);
}
void frmMain::txtVehicleName_LostFocus()
{
    leaveEditor(FieldId::VehicleName);
}
void frmMain::txtVehicleWeight_LostFocus()
{
    leaveEditor(FieldId::Weight);
}
void frmMain::txtVehicleRedline_LostFocus()
{
    leaveEditor(FieldId::Redline);
}
void frmMain::txtVehicleShiftPoint_LostFocus()
{
    leaveEditor(FieldId::ShiftPoint);
}
void frmMain::txtVehicleRolloutLength_LostFocus()
{
    leaveEditor(FieldId::RolloutLength);
}
void frmMain::txtPitchFactor_LostFocus()
{
    leaveEditor(FieldId::PitchFactor);
}
void frmMain::txtVehicleFrontalArea_LostFocus()
{
    leaveEditor(FieldId::FrontalArea);
}
void frmMain::txtVehicleCoeffOfDrag_LostFocus()
{
    leaveEditor(FieldId::CoeffOfDrag);
}
void frmMain::txtVehicleDrivelineLoss_LostFocus()
{
    leaveEditor(FieldId::DrivelineLoss);
}

bool frmMain::notesAreStorable() const
{
    return !(strMode == u"Nox" && m_loadedFile && m_loadedFile->notesPos <= 0);
}

Captions frmMain::shownCaptions() const
{
    Captions captions;
    for (const FieldWidgets &f : m_fieldWidgets)
        captions[f.id] = f.label->text();
    return captions;
}

QString frmMain::shownNotes() const
{
    QString notes = m_txtVehicleNotes->toPlainText();
    if (m_loadedFile) {
        // Notes the user has not changed are the loaded ones, exactly: the editor's text
        // need not convert back to the same characters (a stored LF alone reads back as
        // CR LF, a no-break space as a space).
        QString loaded = m_loadedFile->loadedNotes;
        loaded.replace(kCRLF, QStringLiteral("\n"));
        QTextDocument asShown;
        asShown.setPlainText(loaded);
        if (notes == asShown.toPlainText())
            return m_loadedFile->loadedNotes;
    }
    notes.replace(u'\n', kCRLF);
    return notes;
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    // A Nox file without a notes block cannot take notes: say so the first time the user
    // tries to type into them while editing.
    if (watched == m_txtVehicleNotes && event->type() == QEvent::KeyPress &&
        m_cmdUndo->isEnabled() && !notesAreStorable() && !m_toldNotesLocked) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!key->text().isEmpty() || key->key() == Qt::Key_Backspace ||
            key->key() == Qt::Key_Delete) {
            m_toldNotesLocked = true;
            prompter().message(this,
                               QStringLiteral("This file has no notes block, so its notes cannot "
                                              "be changed."),
                               PromptIcon::Exclamation);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool frmMain::SaveRunFile()
{
    m_saveFailure.clear();
    if (m_fileKVP->fileName().isEmpty()) {
        prompter().message(this, QStringLiteral("You must select a VEXA file first!"),
                           PromptIcon::Exclamation);
        return false;
    }
    // Open editors are left first, so each value is checked and shown in its label.
    const std::initializer_list<void (frmMain::*)()> leaveOpenEditors = {
        &frmMain::txtRunName_LostFocus,           &frmMain::txtVehicleName_LostFocus,
        &frmMain::txtVehicleWeight_LostFocus,     &frmMain::txtVehicleRedline_LostFocus,
        &frmMain::txtVehicleShiftPoint_LostFocus, &frmMain::txtVehicleRolloutLength_LostFocus,
        &frmMain::txtPitchFactor_LostFocus};
    for (auto leave : leaveOpenEditors)
        (this->*leave)();

    const QString path = currentRunFilePath();
    if (!m_loadedFile || path != m_loadedPath) {
        m_saveFailure = QStringLiteral("The selected file is not the one shown; select it again "
                                       "to load it");
        return false;
    }
    const auto patches =
        ComputePatches(shownCaptions(), shownNotes(), blnMetricUnits, *m_loadedFile);
    if (!patches) {
        m_saveFailure = patches.failure().description;
        return false;
    }
    const auto stamp = WritePatchesToFile(path, m_loadedFile->stamp, patches.value());
    if (!stamp) {
        m_saveFailure = stamp.failure().description;
        return false;
    }
    m_loadedFile->stamp = stamp.value();
    blnDirtyData = false;
    UpdateControls(true, false, false, false);
    return true;
}
