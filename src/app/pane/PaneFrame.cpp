#include "app/pane/PaneFrame.h"

#include "app/look/OwnSurface.h"
#include "app/look/Twips.h"

#include <QMouseEvent>
#include <QStyleOptionGroupBox>
#include <QStylePainter>

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

void PaneFrame::paintEvent(QPaintEvent *)
{
    // The style draws its group box frame from an image file, and reading the program's
    // first image file loads every image format plug-in, a cost start-up need not pay.
    // The same frame is drawn here: a faint rounded border below the title, with a shade
    // inside it; the style still draws the title.
    QStylePainter painter(this);
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    const int titleHeight =
        title().isEmpty()
            ? 0
            : qMax(style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, &option, this),
                   option.fontMetrics.height());
    const QRect box = option.rect.adjusted(1, titleHeight + 4, 0, 0);
    const QRect shade = box.adjusted(1, 1, -1, -1);
    painter.fillRect(shade, QColor(0, 0, 0, 3));
    painter.setPen(QColor(0, 0, 0, 4));
    painter.drawRect(shade.adjusted(0, 0, -1, -1));
    // Without its corners the outer ring reads as slightly rounded.
    painter.setPen(QColor(117, 117, 117, 50));
    painter.drawLine(box.left() + 1, box.top(), box.right() - 1, box.top());
    painter.drawLine(box.left() + 1, box.bottom(), box.right() - 1, box.bottom());
    painter.drawLine(box.left(), box.top() + 1, box.left(), box.bottom() - 1);
    painter.drawLine(box.right(), box.top() + 1, box.right(), box.bottom() - 1);

    option.subControls &= ~QStyle::SC_GroupBoxFrame;
    painter.drawComplexControl(QStyle::CC_GroupBox, option);
}

} // namespace quenloft
