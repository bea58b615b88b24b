// The few ways the window's controls are built and painted, shared by the window and the
// parts it is made of.
#pragma once

#include <QColor>
#include <QLabel>
#include <QString>

class QWidget;

namespace quenloft::controls {

// Places a widget in its parent, in twips.
void placeTwips(QWidget *widget, int left, int top, int width, int height);

// Colours of the grey-on-blue inputs: lists, the drive box, editors and the notes box.
void paintInput(QWidget *widget);

void setForeground(QWidget *widget, const QColor &colour);

// A thin sunken border, as the value labels and links have.
void giveSingleBorder(QLabel *label);

// Labels draw no background of their own, so the window's picture shows through.
template <typename Label>
Label *makeLabel(QWidget *parent, const char *name, int left, int top, int width, int height)
{
    auto *label = new Label(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAutoFillBackground(false);
    placeTwips(label, left, top, width, height);
    return label;
}

} // namespace quenloft::controls
