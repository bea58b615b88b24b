// Editing the vehicle data: the Edit, Undo and Save commands, the notes, and saving. The
// fields themselves are opened, checked and closed by the field column.
#include "app/window/frmMain.h"

#include "app/column/ClickLabel.h"
#include "app/column/FieldEditor.h"
#include "browser/lists/FileListBox.h"
#include "browser/lists/PathWatch.h"
#include "support/General.h"
#include "support/NativePath.h"
#include "vehicle/FieldEntry.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

namespace quenloft {

void frmMain::wireVehicleData()
{
    m_prompter = std::make_unique<DialogPrompter>();
    connect(m_column, &FieldColumn::textChanged, this, &frmMain::editorTextChanged);
    connect(m_txtVehicleNotes, &QPlainTextEdit::textChanged, this, &frmMain::notesTextChanged);
    m_txtVehicleNotes->installEventFilter(this);
    connect(m_cmdEdit, &QPushButton::clicked, this, &frmMain::cmdEdit_Click);
    connect(m_cmdUndo, &QPushButton::clicked, this, &frmMain::cmdUndo_Click);
    connect(m_cmdSave, &QPushButton::clicked, this, &frmMain::cmdSave_Click);
    connect(m_lblUnits, &ClickLabel::clicked, this, [this] {
        if (m_lblUnits->isEnabled())
            ToggleUnits();
    });
    m_session.setObserver([this] { sessionChanged(); });
    m_shownFileWatch = new PathWatch(this);
    connect(m_shownFileWatch, &PathWatch::changed, this, &frmMain::shownFileChangedOnDisk);
}

void frmMain::cmdEdit_Click()
{
    m_session.beginEditing();
}

void frmMain::cmdUndo_Click()
{
    (void)LoadRunFile();
}

void frmMain::cmdSave_Click()
{
    (void)saveAndReport(SaveWhat::SelectedFile);
}

bool frmMain::saveAndReport(SaveWhat what)
{
    const auto saved = SaveRunFile(what);
    if (saved) {
        showDisplay(); // what the file holds now, as a reload shows it
        return true;
    }
    // The changes stay on show and unsaved: the title says so, and Edit offers Save again.
    m_session.endEditing();
    QString text = QStringLiteral("Error saving the VEXA file!");
    if (!saved.failure().description.isEmpty())
        text += kCRLF + kCRLF + saved.failure().description + u'.';
    prompter().message(this, text, PromptIcon::Exclamation);
    return false;
}

bool frmMain::mayLeaveShownFile()
{
    if (!m_session.hasFile() || !(m_session.hasUnsavedChanges() || m_column->editorHoldsChange()))
        return true;
    const QString question =
        QStringLiteral("Save changes to %1?").arg(FileNameOfPath(m_session.path()));
    switch (prompter().askSaveChanges(this, question)) {
    case SaveChoice::Save:
        return saveAndReport(SaveWhat::ShownFile);
    case SaveChoice::Discard:
        m_session.discardChanges();
        showDisplay();
        return true;
    case SaveChoice::Cancel:
        break;
    }
    return false;
}

void frmMain::editorTextChanged()
{
    (void)m_session.markChanged();
}

void frmMain::notesTextChanged()
{
    editorTextChanged(); // first: the notes below would mark the data changed quietly
    QString notes = m_txtVehicleNotes->toPlainText();
    if (m_session.hasFile()) {
        // Notes the user has not changed are the loaded ones, exactly: the editor's text
        // need not convert back to the same characters (a stored LF alone reads back as
        // CR LF, a no-break space as a space), and unchanged notes are not written.
        const QString &loaded = m_session.loadedNotes();
        QString asShown = loaded;
        asShown.replace(kCRLF, QStringLiteral("\n"));
        QTextDocument document;
        document.setPlainText(asShown);
        if (notes == document.toPlainText()) {
            m_session.setNotes(loaded);
            return;
        }
    }
    notes.replace(u'\n', kCRLF);
    m_session.setNotes(notes);
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    // A Nox file without a notes block cannot take notes: say so the first time the user
    // tries to type into them while editing.
    if (watched == m_txtVehicleNotes && event->type() == QEvent::KeyPress &&
        m_session.mode() == SessionMode::Editing && !m_session.notesStorable() &&
        !m_toldNotesLocked) {
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

Result<Done> frmMain::SaveRunFile(SaveWhat what)
{
    if (what == SaveWhat::SelectedFile && m_pane->files()->fileName().isEmpty()) {
        prompter().message(this, kSelectFileFirst, PromptIcon::Exclamation);
        return Failure{};
    }
    // Open editors are left first, so each value is checked and shown in its label. The
    // focus need not have moved: Alt+S saves with the focus still in an editor.
    m_column->leaveEditorsForSave();

    if (!m_session.hasFile() ||
        (what == SaveWhat::SelectedFile && m_pane->selectedPath() != m_session.path()))
        return Failure{0, QStringLiteral("The selected file is not the one shown; select it "
                                         "again to load it")};
    return m_session.save();
}

} // namespace quenloft
