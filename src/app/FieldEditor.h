// The single-line editor behind each vehicle display label.
#pragma once

#include <QLineEdit>

namespace quenloft {

class FieldEditor : public QLineEdit
{
    Q_OBJECT

public:
    explicit FieldEditor(QWidget *parent = nullptr);

signals:
    // Focus moved to another control of the window. Not raised when the whole window
    // loses activation (another program, or a message box the program opens) or a popup
    // opens: focus comes back to the editor then, so it has not been left.
    void lostFocus();

protected:
    void focusOutEvent(QFocusEvent *event) override;
};

} // namespace quenloft
