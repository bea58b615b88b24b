#include "app/FieldEditor.h"

#include <QFocusEvent>

namespace quenloft {

FieldEditor::FieldEditor(QWidget *parent) : QLineEdit(parent) {}

void FieldEditor::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) {
        emit lostFocus();
    }
}

} // namespace quenloft
