#include "app/look/Appearance.h"

#include <QFontDatabase>
#include <QStringList>

#include <algorithm>

namespace quenloft::appearance {
namespace {

// Whether `family` is among the installed ones. The database's own list is read, rather
// than asking QFontDatabase::hasFamily(), which first has the font configuration resolve
// the name as an alias: a full round of its substitution rules for each name asked.
// A family several foundries make is listed as "Family [Foundry]".
bool isInstalled(const QString &family)
{
    static const QStringList installed = QFontDatabase::families();
    const QString foundryForm = family + QStringLiteral(" [");
    return std::any_of(installed.cbegin(), installed.cend(), [&](const QString &name) {
        return name.compare(family, Qt::CaseInsensitive) == 0 ||
               name.startsWith(foundryForm, Qt::CaseInsensitive);
    });
}

// The first of `families` that is installed, or the last, which the font configuration
// resolves by itself. The font is given that one family rather than the list: a font with
// several families has the system's fallback faces looked up as soon as it is first
// used, where one family leaves that until a character is missing from it.
QString firstInstalled(const QStringList &families)
{
    for (const QString &family : families) {
        if (isInstalled(family))
            return family;
    }
    return families.last();
}

// The window's places and sizes were measured with text set the classic way: each glyph
// fitted to the pixel grid and advanced by whole pixels, with no kerning. Full hinting
// gives whole-pixel advances, and unkerned Latin text needs no shaping, which also spares
// each face its shaping tables at start-up; scripts that need shaping still get it.
QFont fontFrom(const QString &family, bool bold, bool italic)
{
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(kPointSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setKerning(false);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// The window is laid out for the metrics of the classic dialog sans serif and Arial; away
// from Windows, Liberation Sans (Debian package fonts-liberation2) has Arial's metrics, so
// it comes first there for both.
QString sansFamily()
{
    static const QString family = firstInstalled({
#ifdef Q_OS_WIN
        QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
        QStringLiteral("Arial")
#else
        QStringLiteral("Liberation Sans"), QStringLiteral("MS Sans Serif"), QStringLiteral("Arimo"),
        QStringLiteral("Sans Serif")
#endif
    });
    return family;
}

QString arialFamily()
{
    static const QString family = firstInstalled({
#ifdef Q_OS_WIN
        QStringLiteral("Arial")
#else
        QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("Arimo"),
        QStringLiteral("Sans Serif")
#endif
    });
    return family;
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
    return fontFrom(sansFamily(), false, false);
}

QFont boldSansFont()
{
    return fontFrom(sansFamily(), true, false);
}

QFont italicArialFont()
{
    return fontFrom(arialFamily(), false, true);
}

QFont boldItalicArialFont()
{
    return fontFrom(arialFamily(), true, true);
}

} // namespace quenloft::appearance
