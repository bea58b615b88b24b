#include "app/Appearance.h"

#include <QStringList>

namespace quenloft::appearance {
namespace {

// Families are tried in order; the last ones ship with practically every Linux desktop.
QFont fontFrom(const QStringList &families, bool bold, bool italic)
{
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(kPointSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setItalic(italic);
    return font;
}

QStringList sansFamilies()
{
    return {QStringLiteral("MS Sans Serif"),   QStringLiteral("Microsoft Sans Serif"),
            QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
            QStringLiteral("Nimbus Sans"),     QStringLiteral("DejaVu Sans"),
            QStringLiteral("Sans Serif")};
}

QStringList arialFamilies()
{
    return {QStringLiteral("Arial"),       QStringLiteral("Liberation Sans"),
            QStringLiteral("Arimo"),       QStringLiteral("Nimbus Sans"),
            QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")};
}

} // namespace

QColor panelGrey()
{
    return {222, 222, 222};
}

QColor textBlue()
{
    return {0, 0, 255};
}

QColor frameCaption()
{
    return {64, 0, 64};
}

QColor noticeGreen()
{
    return {0, 128, 0};
}

QFont windowFont()
{
    return fontFrom(sansFamilies(), false, false);
}

QFont boldSansFont()
{
    return fontFrom(sansFamilies(), true, false);
}

QFont italicArialFont()
{
    return fontFrom(arialFamilies(), false, true);
}

QFont boldItalicArialFont()
{
    return fontFrom(arialFamilies(), true, true);
}

} // namespace quenloft::appearance
