// The window's controls as a test reaches them: by the object names of the window's
// design, the field controls by the names the field table gives them. A control that is
// not there fails the test at once, with its name.
#pragma once

#include "app/column/ClickLabel.h"
#include "app/column/FieldEditor.h"
#include "app/pane/PaneFrame.h"
#include "browser/lists/DirListBox.h"
#include "browser/lists/DriveListBox.h"
#include "browser/lists/FileListBox.h"
#include "vehicle/Fields.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

#include <stdexcept>
#include <string>

namespace quenloft::testing {

// The T named `name` among the window's children. Throws when there is none, which fails
// the test that asked (gtest reports the exception and its text).
template <typename T> T *control(const QObject &window, const char *name)
{
    T *found = window.findChild<T *>(QString::fromLatin1(name));
    if (found == nullptr)
        throw std::runtime_error(std::string("the window has no ") +
                                 T::staticMetaObject.className() + " named " + name);
    return found;
}

struct WindowControls
{
    explicit WindowControls(const QObject &window) : window(window) {}

    // A field's caption label, display label and editor.
    [[nodiscard]] QLabel *caption(FieldId id) const
    {
        return control<QLabel>(window, fieldInfo(id).captionName);
    }
    [[nodiscard]] ClickLabel *label(FieldId id) const
    {
        return control<ClickLabel>(window, fieldInfo(id).labelName);
    }
    [[nodiscard]] FieldEditor *editor(FieldId id) const
    {
        return control<FieldEditor>(window, fieldInfo(id).editorName);
    }

    const QObject &window;

    // The browser pane.
    PaneFrame *const frameVEXAFile = control<PaneFrame>(window, "frameVEXAFile");
    DriveListBox *const driveKVP = control<DriveListBox>(window, "driveKVP");
    DirListBox *const dirKVP = control<DirListBox>(window, "dirKVP");
    FileListBox *const fileKVP = control<FileListBox>(window, "fileKVP");
    QPushButton *const chkPin = control<QPushButton>(window, "chkPin");
    QMenu *const mnuFilePopup = control<QMenu>(window, "mnuFilePopup");
    QAction *const mnuFilePopupEdit = control<QAction>(window, "mnuFilePopupEdit");
    QAction *const mnuFilePopupDelete = control<QAction>(window, "mnuFilePopupDelete");
    QAction *const mnuFilePopupRename = control<QAction>(window, "mnuFilePopupRename");
    QAction *const mnuFilePopupOpen = control<QAction>(window, "mnuFilePopupOpen");

    // Notes, commands, status and links.
    QPlainTextEdit *const txtVehicleNotes = control<QPlainTextEdit>(window, "txtVehicleNotes");
    QPushButton *const cmdEdit = control<QPushButton>(window, "cmdEdit");
    QPushButton *const cmdUndo = control<QPushButton>(window, "cmdUndo");
    QPushButton *const cmdSave = control<QPushButton>(window, "cmdSave");
    QLabel *const lblRecordsRead = control<QLabel>(window, "lblRecordsRead");
    QLabel *const lblVEXAVersion = control<QLabel>(window, "lblVEXAVersion");
    ClickLabel *const lblUnits = control<ClickLabel>(window, "lblUnits");
    ClickLabel *const lblAbout = control<ClickLabel>(window, "lblAbout");
    ClickLabel *const lblVersionHistory = control<ClickLabel>(window, "lblVersionHistory");
    ClickLabel *const lblHalvorn = control<ClickLabel>(window, "lblHalvorn");
    ClickLabel *const lblHalvornCopyright = control<ClickLabel>(window, "lblHalvornCopyright");
    QLabel *const imageNox = control<QLabel>(window, "imageNox");
    QLabel *const imageSolvane = control<QLabel>(window, "imageSolvane");
};

} // namespace quenloft::testing
