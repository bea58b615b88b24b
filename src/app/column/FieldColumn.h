// The vehicle-data column of the window: for each field a caption label, a display label
// and an editor in the display label's place, built from the field table, and the steps
// that open a field, check it when it is left and close it. The values come from the edit
// session; the column shows them and hands what is typed back to it.
#pragma once

#include "app/program/Prompts.h"
#include "vehicle/Fields.h"
#include "vehicle/VehicleSession.h"

#include <QList>
#include <QObject>

#include <functional>
#include <optional>

class QKeyEvent;
class QLabel;
class QWidget;

namespace quenloft {

class ClickLabel;
class FieldEditor;

class FieldColumn : public QObject
{
    Q_OBJECT

public:
    struct Field
    {
        FieldId id;
        QLabel *caption;
        ClickLabel *label;
        FieldEditor *editor;
    };

    // Builds the column's controls on `window`, as the window is designed: showing a
    // Solvane file. `editing` tells whether the window is in edit mode.
    FieldColumn(QWidget *window, VehicleSession &session, std::function<Prompter &()> prompter,
                std::function<bool()> editing);

    [[nodiscard]] const QList<Field> &fields() const { return m_fields; }
    // Null for the notes, which are not part of the column.
    [[nodiscard]] const Field *field(FieldId id) const;

    // A click on a field's label in edit mode: opens its editor on the shown value.
    void openEditor(FieldId id);
    // Leaving a field's editor (the focus moving on, Enter, Save): the session checks the
    // typed text; an accepted value closes the editor, a refused one is reported and keeps
    // it open.
    void leaveEditor(FieldId id);
    // Leaves every open editor before a save. An entry refused a moment ago (the focus
    // going to Save refuses it) is not reported twice: the field keeps its last value.
    void leaveEditorsForSave();
    // Closes every open editor without taking what was typed.
    void closeEditors();
    // Whether an open editor holds text other than its field's value: typed, not yet left.
    [[nodiscard]] bool editorHoldsChange() const;

    // Which editors can be used: all while editing, those only some models enable only
    // when a file of such a model is shown.
    void enableEditors(bool enabled, std::optional<Model> model);
    // The rows and captions of `model` (the pitch factor's row is shown with the values).
    void showModel(Model model);
    // The tool tips of the weight and frontal area, and their values, in the units.
    void showUnits(Model model, bool metric);
    void showValues(const VehicleDisplay &display);
    void clearValues();

signals:
    // An editor's text changed, typed or set.
    void textChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build(QWidget *window);
    void BeginFieldEdit(FieldEditor *editor, ClickLabel *label);
    void EndFieldEdit(FieldEditor *editor, ClickLabel *label);
    void closeEditor(const Field &f);
    void reject(FieldEditor *editor, const QString &message);
    void showUnitToolTips(FieldId id, bool metric);
    bool keyPressed(const Field &f, QObject *watched, const QKeyEvent &key);

    VehicleSession &m_session;
    std::function<Prompter &()> m_prompter;
    std::function<bool()> m_editing;
    QList<Field> m_fields;
    bool m_rejecting = false;  // a range message is on screen
    bool m_refocusing = false; // focus is going back to a refused editor
    struct Refusal
    {
        FieldId id;
        QString text;
    };
    std::optional<Refusal> m_lastRefusal; // the entry the last range message was about
};

} // namespace quenloft
