#include "app/pane/PaneFrame.h"

#include "app/look/OwnSurface.h"
#include "app/look/Twips.h"

#include <QMouseEvent>
#include <QStyleOptionGroupBox>
#include <QStylePainter>

namespace quenloft {

namespace {

// A one-pixel ring just inside `outer`, filled as four whole-pixel strips. Strokes would
// draw the same ring pixel by pixel, and the painter would blend such a long run of
// single pixels across worker threads; strips blend as a few rows. Without its corners
// the ring reads as slightly rounded.
void fillRing(QPainter &painter, const QRect &outer, const QColor &colour, bool corners)
{
    const int inset = corners ? 0 : 1;
    painter.fillRect(outer.left() + inset, outer.top(), outer.width() - 2 * inset, 1, colour);
    painter.fillRect(outer.left() + inset, outer.bottom(), outer.width() - 2 * inset, 1, colour);
    painter.fillRect(outer.left(), outer.top() + 1, 1, outer.height() - 2, colour);
    painter.fillRect(outer.right(), outer.top() + 1, 1, outer.height() - 2, colour);
}

} // namespace

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
    painter.fillRect(box.adjusted(1, 1, -1, -1), QColor(0, 0, 0, 3));
    fillRing(painter, box.adjusted(1, 1, -1, -1), QColor(0, 0, 0, 4), true);
    fillRing(painter, box, QColor(117, 117, 117, 50), false);

    option.subControls &= ~QStyle::SC_GroupBoxFrame;
    painter.drawComplexControl(QStyle::CC_GroupBox, option);
}

} // namespace quenloft
