#include "app/column/FieldColumn.h"

#include "app/column/AccessibleField.h"
#include "app/column/ClickLabel.h"
#include "app/column/FieldEditor.h"
#include "app/look/Appearance.h"
#include "app/look/ControlBuilders.h"
#include "vehicle/Units.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>

#include <array>

namespace quenloft {
namespace {

constexpr int kCaptionWidth = 1455;
constexpr int kCaptionHeight = 255;
constexpr int kCaptionDrop = 45; // caption text sits level with the text inside the border
constexpr int kValueLeft = 9120;
constexpr int kValueWidth = 2295;
constexpr int kValueHeight = 285;
// Where each row of the column starts; the first rows sit further apart.
constexpr std::array<int, 7> kRowTops = {1320, 1680, 2160, 2520, 2880, 3240, 3600};
// Every field of the column has a row top, and two fields share a row only when no file
// shows both (a Nox-only field and a Solvane-only one).
static_assert([] {
    for (const FieldInfo &a : kFields) {
        if (a.id == FieldId::Notes)
            continue;
        if (a.row < 0 || size_t(a.row) >= kRowTops.size())
            return false;
        for (const FieldInfo &b : kFields)
            if (b.id != a.id && b.id != FieldId::Notes && b.row == a.row &&
                ((includes(a.shownIn, Model::Nox) && includes(b.shownIn, Model::Nox)) ||
                 (includes(a.shownIn, Model::Solvane) && includes(b.shownIn, Model::Solvane))))
                return false;
    }
    return true;
}());
// The captions of the Solvane-only fields are wider, so they start further left.
constexpr int kCaptionLeft = 7650;
constexpr int kSolvaneCaptionLeft = 7560;

bool inBothModels(FieldId id)
{
    return fieldInfo(id).shownIn == Models::Both;
}

} // namespace

FieldColumn::FieldColumn(QWidget *window, VehicleSession &session,
                         std::function<Prompter &()> prompter, std::function<bool()> editing)
    : QObject(window), m_session(session), m_prompter(std::move(prompter)),
      m_editing(std::move(editing))
{
    build(window);
    for (const Field &f : m_fields) {
        const FieldId id = f.id;
        f.label->installEventFilter(this); // the keys that open and leave a field
        f.editor->installEventFilter(this);
        connect(f.label, &ClickLabel::clicked, this, [this, id] { openEditor(id); });
        connect(f.editor, &QLineEdit::textChanged, this, &FieldColumn::textChanged);
        connect(f.editor, &FieldEditor::lostFocus, this, [this, id] {
            // Focus taken away to give it back to a refused editor is not leaving.
            if (!m_refocusing && !m_rejecting)
                leaveEditor(id);
        });
    }
}

void FieldColumn::build(QWidget *window)
{
    using namespace controls;
    for (const FieldId id : columnFields()) {
        const FieldInfo &info = fieldInfo(id);
        const QString toolTip = QString::fromUtf8(info.toolTip);
        const int top = kRowTops.at(size_t(info.row));
        const bool shown = includes(info.shownIn, Model::Solvane);
        const int captionLeft =
            info.shownIn == Models::Solvane ? kSolvaneCaptionLeft : kCaptionLeft;

        auto *caption = makeLabel<QLabel>(window, info.captionName, captionLeft, top + kCaptionDrop,
                                          kCaptionWidth, kCaptionHeight);
        caption->setText(captionOf(id, Model::Solvane));
        caption->setFont(appearance::boldSansFont());
        caption->setAlignment(Qt::AlignRight | Qt::AlignTop);
        setForeground(caption, appearance::textBlue());
        caption->setVisible(shown);

        auto *label = makeLabel<ClickLabel>(window, info.labelName, kValueLeft, top, kValueWidth,
                                            kValueHeight);
        label->setFont(appearance::boldSansFont());
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        giveSingleBorder(label);
        setForeground(label, appearance::textBlue());
        label->setToolTip(toolTip);
        label->setVisible(shown);

        auto *editor = new FieldEditor(window);
        editor->setObjectName(QString::fromLatin1(info.editorName));
        placeTwips(editor, kValueLeft, top, kValueWidth, kValueHeight);
        editor->setFont(appearance::boldSansFont());
        paintInput(editor);
        editor->setTypingLimit(info.editorLimit);
        editor->setToolTip(toolTip);
        editor->setEnabled(false);
        editor->hide();

        NameField(caption, label, editor);
        m_fields.append({id, caption, label, editor});
    }
}

const FieldColumn::Field *FieldColumn::field(FieldId id) const
{
    for (const Field &f : m_fields)
        if (f.id == id)
            return &f;
    return nullptr;
}

void FieldColumn::openEditor(FieldId id)
{
    if (!m_editing())
        return; // outside edit mode a click does nothing
    const Field *f = field(id);
    // The label shows the value without its unit while its editor is open.
    f->label->setText(m_session.value(id));
    if (!isEditable(id, m_session.shownModel()))
        return; // the Solvane run date cannot be edited
    BeginFieldEdit(f->editor, f->label);
}

void FieldColumn::BeginFieldEdit(FieldEditor *editor, ClickLabel *label)
{
    if (!m_editing())
        return;
    editor->setProgramText(label->text());
    editor->show();
    label->hide();
    editor->setFocus(Qt::MouseFocusReason);
    editor->setSelection(0, int(editor->text().size()));
}

void FieldColumn::EndFieldEdit(FieldEditor *editor, ClickLabel *label)
{
    label->setText(editor->text());
    label->show();
    const QSignalBlocker quiet(editor); // a closed editor has been left already
    editor->hide();
}

void FieldColumn::leaveEditor(FieldId id)
{
    const Field *f = field(id);
    FieldEditor *editor = f->editor;
    if (editor->isHidden())
        return;
    const LeaveOutcome outcome = m_session.leaveEditor(id, editor->text());
    if (outcome.editorText != editor->text())
        editor->setProgramText(
            outcome.editorText); // a change like any other: it marks the data changed
    if (!outcome.accepted) {
        m_lastRefusal = Refusal{id, editor->text()};
        reject(editor, outcome.message);
        return;
    }
    EndFieldEdit(editor, f->label);
    f->label->setText(m_session.caption(id)); // with its unit
}

void FieldColumn::leaveEditorsForSave()
{
    for (const Field &f : m_fields) {
        const bool toldAlready =
            m_lastRefusal && m_lastRefusal->id == f.id && m_lastRefusal->text == f.editor->text();
        if (!toldAlready)
            leaveEditor(f.id);
    }
    m_lastRefusal.reset();
}

void FieldColumn::reject(FieldEditor *editor, const QString &message)
{
    m_rejecting = true;
    m_prompter().message(editor->window(), message, PromptIcon::Stop);
    m_rejecting = false;
    // Taking the focus back makes whichever editor had it lose it; that is not the user
    // leaving it, so it is not checked now (it will be when the user leaves it).
    m_refocusing = true;
    editor->setFocus(Qt::OtherFocusReason);
    editor->selectAll();
    m_refocusing = false;
}

void FieldColumn::closeEditors()
{
    for (const Field &f : m_fields)
        if (!f.editor->isHidden())
            closeEditor(f);
}

bool FieldColumn::editorHoldsChange() const
{
    for (const Field &f : m_fields)
        if (!f.editor->isHidden() && f.editor->text() != m_session.value(f.id))
            return true;
    return false;
}

void FieldColumn::closeEditor(const Field &f)
{
    // Closing is not leaving: the entry is dropped unchecked and the field keeps its last
    // accepted value, with the unit its label lost when the editor opened.
    const QSignalBlocker quiet(f.editor);
    f.editor->hide();
    f.label->setText(m_session.caption(f.id));
    if (f.caption->isVisible())
        f.label->show();
}

void FieldColumn::enableEditors(bool enabled, std::optional<Model> model)
{
    for (const Field &f : m_fields) {
        const Models enabledIn = fieldInfo(f.id).editorIn;
        f.editor->setEnabled(enabled &&
                             (enabledIn == Models::Both || (model && includes(enabledIn, *model))));
        // In edit mode the keyboard reaches a field through its label, in the editors'
        // place of the focus order. Only Tab gives a label the focus: a click opens the
        // field without taking the focus from an editor first.
        f.label->setFocusPolicy(f.editor->isEnabled() ? Qt::TabFocus : Qt::NoFocus);
    }
}

void FieldColumn::showModel(Model model)
{
    const QList<FieldId> shown = shownFields(model, false);
    for (const Field &f : m_fields) {
        if (inBothModels(f.id))
            continue;
        const bool visible = shown.contains(f.id);
        f.caption->setVisible(visible);
        f.label->setVisible(visible);
        if (!visible)
            f.label->clear();
    }
    field(FieldId::RunName)->caption->setText(captionOf(FieldId::RunName, model));
    if (model == Model::Nox) {
        showUnitToolTips(FieldId::Weight, false); // a Nox weight is in pounds
    } else {
        field(FieldId::RunName)->label->clear();
        showUnits(model, m_session.metric());
    }
}

void FieldColumn::showUnitToolTips(FieldId id, bool metric)
{
    const QString toolTip =
        id == FieldId::Weight ? WeightToolTip(metric) : FrontalAreaToolTip(metric);
    field(id)->label->setToolTip(toolTip);
    field(id)->editor->setToolTip(toolTip);
}

void FieldColumn::showUnits(Model model, bool metric)
{
    for (const FieldId id : {FieldId::Weight, FieldId::FrontalArea}) {
        showUnitToolTips(id, metric);
        if (model == Model::Solvane && m_session.hasFile())
            field(id)->label->setText(m_session.caption(id));
    }
}

void FieldColumn::showValues(const VehicleDisplay &display)
{
    for (const Field &f : m_fields)
        if (display.shown.contains(f.id))
            f.label->setText(display.caption(f.id));
    if (display.model == Model::Nox) {
        const Field *pitch = field(FieldId::PitchFactor);
        const bool hasPitch = display.shown.contains(FieldId::PitchFactor);
        pitch->label->setText(display.caption(FieldId::PitchFactor));
        pitch->caption->setVisible(hasPitch);
        pitch->label->setVisible(hasPitch);
    }
}

void FieldColumn::clearValues()
{
    for (const Field &f : m_fields)
        f.label->clear();
}

bool FieldColumn::keyPressed(const Field &f, QObject *watched, const QKeyEvent &key)
{
    const int k = key.key();
    if (watched == f.label) {
        // A value label has the focus only in edit mode: Enter, Space or F2 opens it.
        if (k != Qt::Key_Return && k != Qt::Key_Enter && k != Qt::Key_Space && k != Qt::Key_F2)
            return false;
        openEditor(f.id);
        return true;
    }
    if (k == Qt::Key_Return || k == Qt::Key_Enter) {
        // Enter leaves the editor as moving away does; once the value is taken the focus
        // stays on the field.
        leaveEditor(f.id);
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

bool FieldColumn::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        for (const Field &f : m_fields)
            if (watched == f.label || watched == f.editor)
                return keyPressed(f, watched, *static_cast<QKeyEvent *>(event));
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quenloft
