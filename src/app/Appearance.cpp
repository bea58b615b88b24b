#include "app/Appearance.h"

#include <QStringList>

namespace quenloft::appearance {
namespace {

// Families are tried in order. The window is laid out for the metrics of the classic
// dialog sans serif and Arial; away from Windows, Liberation Sans (Debian package
// fonts-liberation2) has Arial's metrics, so it comes first there for both.
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
#ifdef Q_OS_WIN
    return {QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
            QStringLiteral("Arial")};
#else
    return {QStringLiteral("Liberation Sans"), QStringLiteral("MS Sans Serif"),
            QStringLiteral("Arimo"), QStringLiteral("Sans Serif")};
#endif
}

QStringList arialFamilies()
{
#ifdef Q_OS_WIN
    return {QStringLiteral("Arial")};
#else
    return {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("Arimo"),
            QStringLiteral("Sans Serif")};
#endif
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
