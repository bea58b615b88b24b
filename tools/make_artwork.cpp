// Draws the two device pictures (780 x 500) the main window shows behind its controls,
// the 32 x 32 window icon, and the same icon for the desktop's icon theme: icons/ holds it
// at 16 to 256 pixels and as SVG. The window's controls sit on top of the pictures at fixed
// places, so everything under a label is kept light and plain for the blue text; the
// maker's logo badge is where the window's logo hot spot is.
//
// Usage: quenloft-make-artwork OUTPUT_DIRECTORY

#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>
#include <QtMath>

#include <cstdio>

namespace {

constexpr int kWidth = 780;
constexpr int kHeight = 500;

struct Model
{
    QString name;
    QColor bodyTop;
    QColor bodyBottom;
    QColor outline;
    QColor bezel;
    QColor screen;
    QColor accent;
    QColor accentDark;
    bool roundKeys;
    bool fullDial; // a 270-degree tachometer dial, or a half-circle segmented arc
};

Model noxModel()
{
    return {QStringLiteral("NOX"),
            QColor(0xf1, 0xeb, 0xe1),
            QColor(0xd6, 0xcc, 0xbc),
            QColor(0x6e, 0x62, 0x52),
            QColor(0x3a, 0x34, 0x30),
            QColor(0xf4, 0xee, 0xd6),
            QColor(0xe0, 0x6a, 0x1b),
            QColor(0x9a, 0x42, 0x0c),
            true,
            true};
}

Model solvaneModel()
{
    return {QStringLiteral("SOLVANE"),
            QColor(0xea, 0xef, 0xf4),
            QColor(0xc8, 0xd3, 0xde),
            QColor(0x5b, 0x6b, 0x7b),
            QColor(0x2f, 0x3b, 0x47),
            QColor(0xe4, 0xf2, 0xef),
            QColor(0x12, 0x94, 0x8c),
            QColor(0x0b, 0x5e, 0x59),
            false,
            false};
}

QFont artFont(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void drawDesk(QPainter &p)
{
    QLinearGradient desk(0, 0, 0, kHeight);
    desk.setColorAt(0.0, QColor(0xf4, 0xf4, 0xf4));
    desk.setColorAt(1.0, QColor(0xde, 0xde, 0xde));
    p.fillRect(0, 0, kWidth, kHeight, desk);
}

void drawBody(QPainter &p, const Model &m)
{
    const QRectF body(4.5, 20.5, 770, 466);
    // Soft drop shadow.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 28));
    p.drawRoundedRect(body.translated(3, 4), 26, 26);

    QLinearGradient fill(0, body.top(), 0, body.bottom());
    fill.setColorAt(0.0, m.bodyTop);
    fill.setColorAt(1.0, m.bodyBottom);
    p.setBrush(fill);
    p.setPen(QPen(m.outline, 2));
    p.drawRoundedRect(body, 26, 26);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 150), 1));
    p.drawRoundedRect(body.adjusted(3, 3, -3, -3), 23, 23);
}

void drawScreen(QPainter &p, const Model &m)
{
    const QRectF bezel(491.5, 61.5, 281, 207);
    p.setPen(QPen(m.bezel.darker(130), 1));
    p.setBrush(m.bezel);
    p.drawRoundedRect(bezel, 10, 10);

    const QRectF glass = bezel.adjusted(6, 6, -6, -6);
    QLinearGradient lcd(0, glass.top(), 0, glass.bottom());
    lcd.setColorAt(0.0, m.screen.lighter(104));
    lcd.setColorAt(1.0, m.screen);
    p.setPen(Qt::NoPen);
    p.setBrush(lcd);
    p.drawRoundedRect(glass, 5, 5);
    // A faint inner shadow along the top edge gives the glass some depth.
    QLinearGradient shade(0, glass.top(), 0, glass.top() + 8);
    shade.setColorAt(0.0, QColor(0, 0, 0, 40));
    shade.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.setBrush(shade);
    p.drawRect(QRectF(glass.left() + 3, glass.top(), glass.width() - 6, 8));
}

void drawAccentStripe(QPainter &p, const Model &m)
{
    // A thin band along the top of the body, clear of the notice line above it.
    p.setPen(Qt::NoPen);
    p.setBrush(m.accent);
    p.drawRoundedRect(QRectF(40, 27, 700, 4), 2, 2);
}

void drawDial(QPainter &p, const Model &m)
{
    const QPointF centre(190, 280);
    const double radius = 150;

    QRadialGradient face(centre, radius);
    face.setColorAt(0.0, QColor(0xfb, 0xfb, 0xfa));
    face.setColorAt(1.0, m.bodyBottom.darker(104));
    p.setBrush(face);
    p.setPen(QPen(m.bezel, 8));
    p.drawEllipse(centre, radius, radius);

    // Qt measures angles counter-clockwise from three o'clock, in 1/16 degree.
    const double startDeg = m.fullDial ? 225 : 180;
    const double spanDeg = m.fullDial ? -270 : -180;
    const QRectF arcRect(centre.x() - radius + 20, centre.y() - radius + 20, 2 * radius - 40,
                         2 * radius - 40);

    if (m.fullDial) {
        p.setPen(QPen(m.accent, 10, Qt::SolidLine, Qt::FlatCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(arcRect, qRound((startDeg + spanDeg * 0.75) * 16), qRound(spanDeg * 0.25 * 16));
    } else {
        const int segments = 18;
        for (int i = 0; i < segments; ++i) {
            const double a = startDeg + spanDeg * (i + 0.1) / segments;
            const double span = spanDeg * 0.8 / segments;
            const QColor colour = i < 12 ? m.accent.lighter(150) : m.accent;
            p.setPen(QPen(colour, 12, Qt::SolidLine, Qt::FlatCap));
            p.drawArc(arcRect, qRound(a * 16), qRound(span * 16));
        }
    }

    // Ticks and numbers.
    const int majors = 10;
    p.setFont(artFont(13, true));
    for (int i = 0; i <= majors * 5; ++i) {
        const double deg = startDeg + spanDeg * i / (majors * 5);
        const double rad = qDegreesToRadians(deg);
        const QPointF dir(qCos(rad), -qSin(rad));
        const bool major = i % 5 == 0;
        // The segmented arc runs along the rim, so its ticks sit further in.
        const double outer = radius - (m.fullDial ? 14 : 32);
        const double inner = outer - (major ? 16 : 8);
        p.setPen(QPen(m.bezel, major ? 3 : 1.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(centre + dir * inner, centre + dir * outer);
        if (major) {
            const QPointF at = centre + dir * (inner - 16);
            p.drawText(QRectF(at.x() - 14, at.y() - 9, 28, 18), Qt::AlignCenter,
                       QString::number(i / 5));
        }
    }

    // Needle.
    const double needleDeg = startDeg + spanDeg * 0.62;
    const double rad = qDegreesToRadians(needleDeg);
    const QPointF dir(qCos(rad), -qSin(rad));
    const QPointF normal(-dir.y(), dir.x());
    QPainterPath needle;
    needle.moveTo(centre + normal * 5);
    needle.lineTo(centre + dir * (radius - 30));
    needle.lineTo(centre - normal * 5);
    needle.lineTo(centre - dir * 18);
    needle.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(m.accentDark);
    p.drawPath(needle);
    p.setBrush(m.bezel);
    p.drawEllipse(centre, 11, 11);

    p.setPen(m.bezel);
    p.setFont(artFont(22, true));
    p.drawText(QRectF(centre.x() - 90, centre.y() + 48, 180, 30), Qt::AlignCenter, m.name);
    p.setFont(artFont(11, false));
    p.drawText(QRectF(centre.x() - 90, centre.y() + 76, 180, 18), Qt::AlignCenter,
               QStringLiteral("x 1000"));
}

void drawKeys(QPainter &p, const Model &m)
{
    // Three hardware keys and a status light in the strip between pane and screen.
    const double x = 436;
    for (int i = 0; i < 3; ++i) {
        const QPointF centre(x, 110 + i * 52);
        QRadialGradient cap(centre - QPointF(4, 4), 22);
        cap.setColorAt(0.0, m.accent.lighter(130));
        cap.setColorAt(1.0, m.accentDark);
        p.setBrush(cap);
        p.setPen(QPen(m.bezel, 2));
        if (m.roundKeys) {
            p.drawEllipse(centre, 16, 16);
        } else {
            p.drawRoundedRect(QRectF(centre.x() - 20, centre.y() - 13, 40, 26), 6, 6);
        }
    }
    p.setBrush(QColor(0x3c, 0xd0, 0x4a));
    p.setPen(QPen(m.bezel, 1.5));
    p.drawEllipse(QPointF(x, 62), 5, 5);

    // Model plate.
    const QRectF plate(392.5, 252.5, 88, 28);
    p.setBrush(m.bezel);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(plate, 6, 6);
    p.setPen(m.accent.lighter(140));
    p.setFont(artFont(m.name.size() > 3 ? 13 : 16, true));
    p.drawText(plate, Qt::AlignCenter, m.name);
}

void drawMakerLogo(QPainter &p, const Model &m)
{
    // The window's logo hot spot covers x 656..769, y 454..482.
    const QRectF badge(660.5, 456.5, 106, 24);
    p.setBrush(m.bezel);
    p.setPen(QPen(m.outline, 1));
    p.drawRoundedRect(badge, 5, 5);

    // Abstract mark: three rising bars.
    p.setPen(Qt::NoPen);
    p.setBrush(m.accent.lighter(120));
    for (int i = 0; i < 3; ++i) {
        const double h = 6 + i * 4;
        p.drawRect(QRectF(badge.left() + 7 + i * 5, badge.bottom() - 5 - h, 3.5, h));
    }
    p.setPen(QColor(0xf2, 0xf2, 0xf2));
    p.setFont(artFont(11, true));
    p.drawText(badge.adjusted(24, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("HALVORN"));
}

QImage devicePicture(const Model &m)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawDesk(p);
    drawBody(p, m);
    drawAccentStripe(p, m);
    drawScreen(p, m);
    drawDial(p, m);
    drawKeys(p, m);
    drawMakerLogo(p, m);
    return image;
}

// The icon is a gauge: a light face in a dark ring, an orange and a teal arc and a
// needle. It is drawn on a 32 x 32 grid; every size is that drawing scaled, and the
// scalable icon is the same shapes written as SVG.
struct IconShapes
{
    QColor face = QColor(0xf4, 0xf4, 0xf4);
    QColor ring = solvaneModel().bezel;
    QColor teal = solvaneModel().accent;
    QColor orange = QColor(0xe0, 0x6a, 0x1b);
    QPointF centre = QPointF(16, 16);
    double faceRadius = 14;
    double ringWidth = 2.5;
    double arcRadius = 10;
    double arcWidth = 4;
    // Angles counter-clockwise from three o'clock, in degrees.
    double orangeStart = 0, orangeSpan = 90;
    double tealStart = 90, tealSpan = 135;
    QPointF needleTip = QPointF(24, 9);
    double needleWidth = 2.5;
    double hubRadius = 3;
};

void paintIcon(QPainter &p, const IconShapes &s)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(s.face);
    p.setPen(QPen(s.ring, s.ringWidth));
    p.drawEllipse(s.centre, s.faceRadius, s.faceRadius);
    const QRectF arcs(s.centre.x() - s.arcRadius, s.centre.y() - s.arcRadius, 2 * s.arcRadius,
                      2 * s.arcRadius);
    p.setPen(QPen(s.orange, s.arcWidth, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(arcs, qRound(s.orangeStart * 16), qRound(s.orangeSpan * 16));
    p.setPen(QPen(s.teal, s.arcWidth, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(arcs, qRound(s.tealStart * 16), qRound(s.tealSpan * 16));
    p.setPen(QPen(s.ring, s.needleWidth, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(s.centre, s.needleTip);
    p.setBrush(s.ring);
    p.setPen(Qt::NoPen);
    p.drawEllipse(s.centre, s.hubRadius, s.hubRadius);
}

// The 32 x 32 window icon, a 16-colour image as window icons were.
QImage windowIcon()
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const IconShapes s;
    QPainter p(&image);
    paintIcon(p, s);
    p.end();

    const Model m = solvaneModel();
    QList<QRgb> palette;
    for (QColor c : {QColor(Qt::transparent), QColor(0xf4, 0xf4, 0xf4), m.bezel, m.accent,
                     QColor(0xe0, 0x6a, 0x1b), QColor(Qt::black), QColor(Qt::white),
                     QColor(0xa0, 0xa0, 0xa0), QColor(0x60, 0x60, 0x60), m.accent.lighter(150),
                     QColor(0xf0, 0xa8, 0x78), QColor(0x8c, 0x9a, 0xa6), QColor(0xc8, 0xd0, 0xd6),
                     m.bezel.lighter(160), QColor(0x80, 0xc8, 0xc0), QColor(0xd8, 0xd8, 0xd8)}) {
        palette.append(c.rgba());
    }
    return image.convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither);
}

// The same icon in full colour at another size, for the desktop's icon theme.
QImage sizedIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.scale(size / 32.0, size / 32.0);
    paintIcon(p, IconShapes());
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QString svgNumber(double value)
{
    return QString::number(value, 'f', 3).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
}

QString svgPoint(QPointF point)
{
    return svgNumber(point.x()) + u',' + svgNumber(point.y());
}

// An arc as an SVG path; SVG's y axis points down, so counter-clockwise is sweep 0.
QString svgArc(QPointF centre, double radius, double startDeg, double spanDeg)
{
    const auto at = [&](double deg) {
        const double rad = qDegreesToRadians(deg);
        return QPointF(centre.x() + radius * qCos(rad), centre.y() - radius * qSin(rad));
    };
    return QStringLiteral("M %1 A %2,%2 0 %3 %4 %5")
        .arg(svgPoint(at(startDeg)), svgNumber(radius),
             QString::number(qAbs(spanDeg) > 180 ? 1 : 0), QString::number(spanDeg > 0 ? 0 : 1),
             svgPoint(at(startDeg + spanDeg)));
}

QByteArray scalableIcon()
{
    const IconShapes s;
    const auto colour = [](const QColor &c) { return c.name(); };
    QString svg;
    QTextStream out(&svg);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
           "viewBox=\"0 0 32 32\">\n"
        << "  <circle cx=\"" << svgNumber(s.centre.x()) << "\" cy=\"" << svgNumber(s.centre.y())
        << "\" r=\"" << svgNumber(s.faceRadius) << "\" fill=\"" << colour(s.face) << "\" stroke=\""
        << colour(s.ring) << "\" stroke-width=\"" << svgNumber(s.ringWidth) << "\"/>\n"
        << "  <path d=\"" << svgArc(s.centre, s.arcRadius, s.orangeStart, s.orangeSpan)
        << "\" fill=\"none\" stroke=\"" << colour(s.orange) << "\" stroke-width=\""
        << svgNumber(s.arcWidth) << "\"/>\n"
        << "  <path d=\"" << svgArc(s.centre, s.arcRadius, s.tealStart, s.tealSpan)
        << "\" fill=\"none\" stroke=\"" << colour(s.teal) << "\" stroke-width=\""
        << svgNumber(s.arcWidth) << "\"/>\n"
        << "  <line x1=\"" << svgNumber(s.centre.x()) << "\" y1=\"" << svgNumber(s.centre.y())
        << "\" x2=\"" << svgNumber(s.needleTip.x()) << "\" y2=\"" << svgNumber(s.needleTip.y())
        << "\" stroke=\"" << colour(s.ring) << "\" stroke-width=\"" << svgNumber(s.needleWidth)
        << "\" stroke-linecap=\"round\"/>\n"
        << "  <circle cx=\"" << svgNumber(s.centre.x()) << "\" cy=\"" << svgNumber(s.centre.y())
        << "\" r=\"" << svgNumber(s.hubRadius) << "\" fill=\"" << colour(s.ring) << "\"/>\n"
        << "</svg>\n";
    out.flush();
    return svg.toUtf8();
}

bool save(const QImage &image, const QString &path)
{
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("wrote %s\n", qPrintable(path));
    return true;
}

bool save(const QByteArray &text, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("wrote %s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quenloft-make-artwork OUTPUT_DIRECTORY\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool ok = save(devicePicture(noxModel()), out.filePath(QStringLiteral("nox.png"))) &&
              save(devicePicture(solvaneModel()), out.filePath(QStringLiteral("solvane.png"))) &&
              save(windowIcon(), out.filePath(QStringLiteral("quenloft.png"))) &&
              out.mkpath(QStringLiteral("icons")) &&
              save(scalableIcon(), out.filePath(QStringLiteral("icons/quenloft.svg")));
    for (const int size : {16, 24, 48, 64, 128, 256}) {
        ok = ok &&
             save(sizedIcon(size), out.filePath(QStringLiteral("icons/quenloft-%1.png").arg(size)));
    }
    return ok ? 0 : 1;
}
