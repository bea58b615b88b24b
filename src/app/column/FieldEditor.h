// The single-line editor behind each vehicle display label.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPointer>

namespace quenloft {

class FieldEditor : public QLineEdit
{
    Q_OBJECT

public:
    explicit FieldEditor(QWidget *parent = nullptr);

    // The most characters the user can type. Unlike QLineEdit's maximum length it never
    // cuts a text the program sets (a value read from a file may be longer); such a text
    // can be shortened but not lengthened. 0 means no limit.
    void setTypingLimit(int characters);
    [[nodiscard]] int typingLimit() const { return m_typingLimit; }

    // Sets the text as the program does (a shown value, a normalised entry): never cut by
    // the typing limit, which then lets the user shorten it but not lengthen it.
    void setProgramText(const QString &text);
    [[nodiscard]] bool isSettingText() const { return m_settingText; }

    // The caption of the field being edited. It names the editor for screen readers each
    // time the editor opens, so a caption changed meanwhile ("Run Date:" to "Run Name:")
    // is heard as shown.
    void setFieldCaption(QLabel *caption);

signals:
    // Focus moved to another control of the window. Not raised when the whole window
    // loses activation (another program, or a message box the program opens) or a popup
    // opens: focus comes back to the editor then, so it has not been left.
    void lostFocus();

protected:
    void focusOutEvent(QFocusEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    int m_typingLimit = 0;
    bool m_settingText = false;
    QPointer<QLabel> m_fieldCaption;
};

} // namespace quenloft
