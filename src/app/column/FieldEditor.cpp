#include "app/column/FieldEditor.h"

#include "app/column/AccessibleField.h"

#include <QFocusEvent>
#include <QValidator>

namespace quenloft {
namespace {

// Accepts every text the program sets, and an edit that keeps the text within the limit
// or does not make a longer program-set text any longer.
class TypingLimitValidator final : public QValidator
{
public:
    TypingLimitValidator(FieldEditor *editor, int limit)
        : QValidator(editor), m_editor(editor), m_limit(limit),
          m_acceptedLength(int(editor->text().size()))
    {
    }

    State validate(QString &input, int &) const override
    {
        const int length = int(input.size());
        if (m_editor->isSettingText() || length <= m_limit || length <= m_acceptedLength) {
            m_acceptedLength = length;
            return Acceptable;
        }
        return Invalid;
    }

private:
    const FieldEditor *m_editor;
    int m_limit;
    mutable int m_acceptedLength; // the length of the text before the edit being validated
};

} // namespace

FieldEditor::FieldEditor(QWidget *parent) : QLineEdit(parent) {}

void FieldEditor::setProgramText(const QString &text)
{
    m_settingText = true;
    QLineEdit::setText(text);
    m_settingText = false;
}

void FieldEditor::setTypingLimit(int characters)
{
    m_typingLimit = characters;
    delete validator();
    setValidator(characters > 0 ? new TypingLimitValidator(this, characters) : nullptr);
}

void FieldEditor::setFieldCaption(QLabel *caption)
{
    m_fieldCaption = caption;
    setAccessibleName(FieldNameOf(caption));
}

void FieldEditor::showEvent(QShowEvent *event)
{
    QLineEdit::showEvent(event);
    if (m_fieldCaption)
        setAccessibleName(FieldNameOf(m_fieldCaption));
}

void FieldEditor::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) {
        emit lostFocus();
    }
}

} // namespace quenloft
