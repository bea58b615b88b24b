#include "app/column/ClickLabel.h"

#include "app/column/ClickLabelAccessible.h"

#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace quenloft {

ClickLabel::ClickLabel(QWidget *parent) : QLabel(parent)
{
    // Hover movement must reach the label itself, not fall through to the window.
    setMouseTracking(true);
    InstallClickLabelAccessible();
}

void ClickLabel::click()
{
    if (isEnabled())
        emit clicked();
}

void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    event->accept();
    if (wasPressed && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

void ClickLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // Labels draw no focus of their own; a value label that takes the keyboard must.
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = contentsRect().adjusted(1, 1, -1, -1);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

void ClickLabel::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    emit mouseMoved();
}

} // namespace quenloft
