// A label that reports clicks and pointer movement, for the display labels and links.
#pragma once

#include <QAccessible>
#include <QLabel>
#include <QPointer>

namespace quenloft {

class ClickLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ClickLabel(QWidget *parent = nullptr);

    // What screen readers take the label for: shown text (the default), a link, a button.
    void setAccessibleRole(QAccessible::Role role) { m_accessibleRole = role; }
    [[nodiscard]] QAccessible::Role accessibleRole() const { return m_accessibleRole; }

    // The caption of the field whose value the label shows. It names the label for screen
    // readers, which hear the value with the label's tool tip as its description.
    void setFieldCaption(QLabel *caption) { m_fieldCaption = caption; }
    [[nodiscard]] QLabel *fieldCaption() const { return m_fieldCaption; }

    // Acts as a click with the pointer does, for screen readers; nothing while disabled.
    void click();

signals:
    // Left button pressed and released over the label.
    void clicked();
    void mouseMoved();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_pressed = false;
    QAccessible::Role m_accessibleRole = QAccessible::StaticText;
    QPointer<QLabel> m_fieldCaption;
};

} // namespace quenloft
