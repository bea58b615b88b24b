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

using namespace quenloft;

namespace {

const QString kCRLF = QStringLiteral("\r\n");

} // namespace

void frmMain::wireVehicleData()
{
    m_prompter = std::make_unique<DialogPrompter>();
    for (const FieldWidgets &f : m_fieldWidgets) {
        const FieldId id = f.id;
        f.label->installEventFilter(this); // the keys that open and leave a field
        f.editor->installEventFilter(this);
        connect(f.label, &ClickLabel::clicked, this, [this, id] { labelClicked(id); });
        connect(f.editor, &QLineEdit::textChanged, this, &frmMain::editorTextChanged);
        connect(f.editor, &FieldEditor::lostFocus, this, [this, id] {
            // Focus taken away to give it back to a rejected editor is not leaving.
            if (!m_refocusing && !m_rejecting)
                fieldEditor_LostFocus(id);
        });
    }
    connect(m_txtVehicleNotes, &QPlainTextEdit::textChanged, this, &frmMain::notesTextChanged);
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
    const auto saved = writeShownFile();
    UpdateControls(true, false, false, false);
    if (!saved) {
        QString text = QStringLiteral("Error saving the VEXA file!");
        if (!saved.failure().description.isEmpty())
            text += kCRLF + kCRLF + saved.failure().description + u'.';
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
        f->label->setText(m_session.editorText(id));
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
    if (m_session.markChanged())
        UpdateControls(false, true, true, true);
}

void frmMain::notesTextChanged()
{
    QString notes = m_txtVehicleNotes->toPlainText();
    notes.replace(u'\n', kCRLF);
    editorTextChanged(); // first: the notes below would mark the data changed quietly
    m_session.setNotes(notes);
}

void frmMain::fieldEditor_LostFocus(FieldId id)
{
    const FieldWidgets *f = fieldWidgets(id);
    FieldEditor *editor = f->editor;
    if (editor->isHidden())
        return;
    const LeaveOutcome outcome = m_session.leaveEditor(id, editor->text());
    if (outcome.editorText != editor->text())
        editor->setText(outcome.editorText); // a change like any other: it marks the data changed
    if (!outcome.accepted) {
        rejectEntry(editor, outcome.message);
        return;
    }
    EndFieldEdit(editor, f->label);
    f->label->setText(m_session.text(id)); // with its unit
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

bool frmMain::fieldKeyPressed(const FieldWidgets &f, QObject *watched, const QKeyEvent &key)
{
    const int k = key.key();
    if (watched == f.label) {
        // A value label has the focus only in edit mode: Enter, Space or F2 opens it.
        if (k != Qt::Key_Return && k != Qt::Key_Enter && k != Qt::Key_Space && k != Qt::Key_F2)
            return false;
        labelClicked(f.id);
        return true;
    }
    if (k == Qt::Key_Return || k == Qt::Key_Enter) {
        // Enter leaves the editor as moving away does; once the value is taken the focus
        // stays on the field.
        fieldEditor_LostFocus(f.id);
        if (f.editor->isHidden())
            f.label->setFocus(Qt::OtherFocusReason);
        return true;
    }
    if (k == Qt::Key_Escape) {
        // Escape drops what was typed: the field keeps its last accepted value.
        closeEditor(f);
        f.label->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return false;
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        for (const FieldWidgets &f : m_fieldWidgets)
            if (watched == f.label || watched == f.editor)
                return fieldKeyPressed(f, watched, *static_cast<QKeyEvent *>(event)) ||
                       QWidget::eventFilter(watched, event);
    }
    // A Nox file without a notes block cannot take notes: say so the first time the user
    // tries to type into them while editing.
    if (watched == m_txtVehicleNotes && event->type() == QEvent::KeyPress &&
        m_cmdUndo->isEnabled() && !m_session.notesStorable() && !m_toldNotesLocked) {
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
    return writeShownFile().ok();
}

Result<Done> frmMain::writeShownFile()
{
    if (m_fileKVP->fileName().isEmpty()) {
        prompter().message(this, QStringLiteral("You must select a VEXA file first!"),
                           PromptIcon::Exclamation);
        return Failure{};
    }
    // The Nox fields' open editors are left first, so each value is checked and shown in
    // its label; a Solvane field's editor was left when the focus went to Save.
    for (const FieldId id : shownFields(Model::Nox, true))
        if (id != FieldId::Notes)
            fieldEditor_LostFocus(id);

    if (!m_session.hasFile() || currentRunFilePath() != m_session.path())
        return Failure{0, QStringLiteral("The selected file is not the one shown; select it "
                                         "again to load it")};
    const auto saved = m_session.save();
    if (!saved)
        return saved;
    UpdateControls(true, false, false, false);
    return Done{};
}
