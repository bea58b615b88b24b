#include "browser/lists/FolderIcon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace quenloft {
namespace {

const QColor kOutline(128, 100, 24);
const QColor kBack(214, 170, 52);
const QColor kFront(250, 212, 96);

class FolderIconEngine final : public QIconEngine
{
public:
    explicit FolderIconEngine(FolderState state) : m_state(state) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        const int side = qMin(rect.width(), rect.height());
        if (side <= 0)
            return;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        // Drawn on a 16-unit grid, centred in the rectangle.
        painter->translate(rect.x() + (rect.width() - side) / 2.0,
                           rect.y() + (rect.height() - side) / 2.0);
        painter->scale(side / 16.0, side / 16.0);
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.45);
        QPen outline(kOutline, 1.0);
        outline.setJoinStyle(Qt::RoundJoin);
        painter->setPen(outline);

        // The back of the folder with its tab.
        QPainterPath back;
        back.moveTo(1.5, 3.5);
        back.lineTo(6.0, 3.5);
        back.lineTo(7.5, 5.0);
        back.lineTo(14.5, 5.0);
        back.lineTo(14.5, 13.5);
        back.lineTo(1.5, 13.5);
        back.closeSubpath();
        painter->setBrush(m_state == FolderState::Open ? kBack : kFront);
        painter->drawPath(back);

        if (m_state == FolderState::Open) {
            // The front flap, tipped forward.
            QPainterPath front;
            front.moveTo(1.5, 13.5);
            front.lineTo(4.0, 7.5);
            front.lineTo(15.5, 7.5);
            front.lineTo(13.0, 13.5);
            front.closeSubpath();
            painter->setBrush(kFront);
            painter->drawPath(front);
        } else {
            painter->drawLine(QPointF(1.5, 6.5), QPointF(14.5, 6.5));
        }
        painter->restore();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap picture(size);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        paint(&painter, QRect(QPoint(), size), mode, state);
        return picture;
    }

    QString key() const override { return QStringLiteral("quenloft-folder"); }
    QIconEngine *clone() const override { return new FolderIconEngine(*this); }

private:
    FolderState m_state;
};

} // namespace

QIcon FolderIcon(FolderState state)
{
    return QIcon(new FolderIconEngine(state));
}

} // namespace quenloft
