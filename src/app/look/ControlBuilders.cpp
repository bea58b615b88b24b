#include "app/look/ControlBuilders.h"

#include "app/look/Appearance.h"
#include "app/look/Twips.h"

#include <QWidget>

namespace quenloft::controls {

void placeTwips(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(twips::rectFromTwips(left, top, width, height));
}

void paintInput(QWidget *widget)
{
    QPalette palette = widget->palette();
    for (QPalette::ColorRole role : {QPalette::Base, QPalette::Button, QPalette::Window})
        palette.setColor(role, appearance::panelGrey());
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
        palette.setColor(role, appearance::textBlue());
    widget->setPalette(palette);
}

void setForeground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

void giveSingleBorder(QLabel *label)
{
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setLineWidth(1);
}

} // namespace quenloft::controls
