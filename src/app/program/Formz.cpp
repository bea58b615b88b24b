#include "app/program/Formz.h"

#include "app/look/Twips.h"
#include "app/program/Preferences.h"
#include "support/NumberText.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>
#include <limits>
#include <optional>

namespace quenloft {
namespace {

const QString kSection = QStringLiteral("WindowPosition");

double twipsPerPixel()
{
    return twips::twipsPerPixel(twips::screenDpi());
}

qint32 toTwips(double pixels)
{
    const double rounded = RoundHalfEven(pixels * twipsPerPixel());
    return qint32(qBound<double>(std::numeric_limits<qint32>::min(), rounded,
                                 std::numeric_limits<qint32>::max()));
}

int toPixels(double twipsValue)
{
    return int(std::lround(twipsValue / twipsPerPixel()));
}

bool isSizable(const QWidget &form)
{
    return form.minimumSize() != form.maximumSize();
}

// A stored coordinate or size: a number above zero that fits a whole 32-bit value. Anything
// else counts as not stored.
std::optional<double> storedTwips(const Preferences &store, const QString &key)
{
    const std::optional<double> value = ParseDouble(store.value(kSection, key));
    if (!value || !(*value > 0.0))
        return std::nullopt;
    const double whole = RoundHalfEven(*value);
    if (whole > double(std::numeric_limits<qint32>::max()))
        return std::nullopt;
    return whole;
}

void storeTwips(Preferences &store, const QString &key, double pixels)
{
    store.setValue(kSection, key, SingleText(float(toTwips(pixels))));
}

bool isOnSomeScreen(const QRect &frame)
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    for (const QScreen *screen : screens) {
        if (screen->geometry().intersects(frame))
            return true;
    }
    return false;
}

} // namespace

WorkArea GetWorkAreaTwips()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return {};
    // The desktop less its task bars: on Windows the primary monitor's work area, as
    // SystemParametersInfo reports it.
    const QRect area = screen->availableGeometry();
    return {toTwips(area.left()), toTwips(area.top()), toTwips(area.left() + area.width()),
            toTwips(area.top() + area.height())};
}

void SaveFormPosition(const QWidget &form, Preferences &store)
{
    if (form.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    const QString name = form.objectName();
    const QRect frame = form.frameGeometry();
    storeTwips(store, name + QStringLiteral("_Left"), frame.x());
    storeTwips(store, name + QStringLiteral("_Top"), frame.y());
    if (isSizable(form)) {
        storeTwips(store, name + QStringLiteral("_Width"), frame.width());
        storeTwips(store, name + QStringLiteral("_Height"), frame.height());
    }
}

void RestoreFormPosition(QWidget &form, const Preferences &store)
{
    const QString name = form.objectName();
    const std::optional<double> left = storedTwips(store, name + QStringLiteral("_Left"));
    const std::optional<double> top = storedTwips(store, name + QStringLiteral("_Top"));
    const QRect frame = form.frameGeometry();
    const QPoint stored = left && top ? QPoint(toPixels(*left), toPixels(*top)) : QPoint();
    // A place on a screen that is no longer attached would leave the window where nobody
    // can see or reach it.
    if (left && top && isOnSomeScreen(QRect(stored, frame.size())))
        form.move(stored);
    else
        CenterForm(form);

    if (!isSizable(form))
        return;
    const std::optional<double> width = storedTwips(store, name + QStringLiteral("_Width"));
    const std::optional<double> height = storedTwips(store, name + QStringLiteral("_Height"));
    if (width && height) {
        // The stored size is the outer one; the frame's share stays as it is.
        const QSize border = frame.size() - form.size();
        form.resize(toPixels(*width) - border.width(), toPixels(*height) - border.height());
    }
}

void CenterForm(QWidget &form)
{
    const WorkArea area = GetWorkAreaTwips();
    const QRect frame = form.frameGeometry();
    const double widthTwips = frame.width() * twipsPerPixel();
    const double heightTwips = frame.height() * twipsPerPixel();
    double top = RoundHalfEven(area.Top + ((double(area.Bottom) - area.Top) - heightTwips) / 2);
    double left = RoundHalfEven(area.Left + ((double(area.Right) - area.Left) - widthTwips) / 2);
    top = qMax(top, 0.0);
    left = qMax(left, 0.0);
    form.move(toPixels(left), toPixels(top));
}

} // namespace quenloft
