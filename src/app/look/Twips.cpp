#include "app/look/Twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace quenloft::twips {

double screenDpi()
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) == nullptr) {
        return kDefaultDpi;
    }
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen == nullptr || screen->logicalDotsPerInchX() <= 0.0) {
        return kDefaultDpi;
    }
    return screen->logicalDotsPerInchX();
}

double twipsPerPixel(double dpi)
{
    return kTwipsPerInch / dpi;
}

int toPixels(int twips, double dpi)
{
    return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

int toPixels(int twips)
{
    return toPixels(twips, screenDpi());
}

int fromPixels(double pixels, double dpi)
{
    return static_cast<int>(std::lround(pixels * twipsPerPixel(dpi)));
}

int fromPixels(double pixels)
{
    return fromPixels(pixels, screenDpi());
}

QRect rectFromTwips(int left, int top, int width, int height, double dpi)
{
    return {toPixels(left, dpi), toPixels(top, dpi), toPixels(width, dpi), toPixels(height, dpi)};
}

QRect rectFromTwips(int left, int top, int width, int height)
{
    return rectFromTwips(left, top, width, height, screenDpi());
}

} // namespace quenloft::twips
