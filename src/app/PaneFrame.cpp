#include "app/PaneFrame.h"

#include "app/OwnSurface.h"
#include "app/Twips.h"

#include <QMouseEvent>

namespace quenloft {

PaneFrame::PaneFrame(QWidget *parent) : QGroupBox(parent)
{
    setMouseTracking(true);
}

void PaneFrame::setGeometryTwips(int left, int top, int width, int height)
{
    m_leftTwips = left;
    m_topTwips = top;
    m_widthTwips = width;
    m_heightTwips = height;
    setGeometry(twips::rectFromTwips(left, top, width, height));
}

void PaneFrame::setFrameHeightTwips(int heightTwips)
{
    if (heightTwips == m_heightTwips) {
        return;
    }
    setGeometryTwips(m_leftTwips, m_topTwips, m_widthTwips, heightTwips);
}

void PaneFrame::mouseMoveEvent(QMouseEvent *event)
{
    QGroupBox::mouseMoveEvent(event);
    event->accept();
    const QPoint pos = event->position().toPoint();
    if (isOverOwnSurface(this, pos)) {
        emit mouseMoved(twips::fromPixels(event->position().x()),
                        twips::fromPixels(event->position().y()));
    }
}

} // namespace quenloft
