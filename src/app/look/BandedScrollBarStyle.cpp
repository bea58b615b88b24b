#include "app/look/BandedScrollBarStyle.h"

#include <QImage>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

namespace quenloft {
namespace {

// A band's tallest fill, its outline's two columns and two end rows, stays below the
// hundred or so spans from which the painter starts sharing work out.
constexpr int kBandRows = 40;
// A taller bar has rows enough for the shared-out fills to pay, and every further band
// repeats the style's work.
constexpr int kMostBands = 4;

} // namespace

BandedScrollBarStyle::BandedScrollBarStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
}

void BandedScrollBarStyle::drawComplexControl(ComplexControl control,
                                              const QStyleOptionComplex *option, QPainter *painter,
                                              const QWidget *widget) const
{
    const auto *bar = qstyleoption_cast<const QStyleOptionSlider *>(option);
    const QRect area = option->rect;
    if (control != CC_ScrollBar || !bar || bar->orientation != Qt::Vertical ||
        area.height() <= kBandRows || area.height() > kBandRows * kMostBands ||
        painter->transform().type() > QTransform::TxTranslate) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    // Each band is drawn whole by the style into an image of its own size, which clips
    // every fill to the band whatever clip the style sets; Fusion covers the bar with
    // opaque paint first, so the copies put down exactly the pixels it would have.
    const qreal ratio = painter->device()->devicePixelRatio();
    for (int top = area.top(); top <= area.bottom(); top += kBandRows) {
        const QRect band(area.left(), top, area.width(), qMin(kBandRows, area.bottom() + 1 - top));
        QImage image(band.size() * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::transparent);
        {
            QPainter bandPainter(&image);
            bandPainter.translate(-band.topLeft());
            bandPainter.setFont(painter->font());
            QProxyStyle::drawComplexControl(control, option, &bandPainter, widget);
        }
        painter->drawImage(band.topLeft(), image);
    }
}

} // namespace quenloft
