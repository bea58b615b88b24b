#include "app/program/Desktop.h"

#include "app/look/Appearance.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

#include <iterator>

namespace quenloft {

namespace {

constexpr int kIconSides[] = {16, 24, 32, 48, 64, 128, 256};

// Reads each size of the icon when it is first asked for. An icon built from files reads
// every one of them at once, which costs start-up more than the window ever needs: it
// draws one or two sizes. The 32 px one is the window's classic 16-colour icon; the others
// are drawn from the same design at their own size.
class ProgramIconEngine final : public QIconEngine
{
public:
    QPixmap pixmap(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = sideFor(size);
        QPixmap &loaded = m_loaded[side];
        if (loaded.isNull()) {
            (void)loaded.load(side == 32
                                  ? QStringLiteral(":/images/quenloft.png")
                                  : QStringLiteral(":/images/icons/quenloft-%1.png").arg(side));
        }
        if (loaded.width() > size.width() || loaded.height() > size.height())
            return loaded.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        return loaded;
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = qMin(sideFor(size), qMin(size.width(), size.height()));
        return QSize(side, side);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (const int side : kIconSides)
            sizes.append(QSize(side, side));
        return sizes;
    }

    QString key() const override { return QStringLiteral("quenloft-program-icon"); }
    QIconEngine *clone() const override { return new ProgramIconEngine(*this); }

private:
    // The smallest size that covers `size`, or the largest there is.
    static int sideFor(const QSize &size)
    {
        const int wanted = qMax(size.width(), size.height());
        for (const int side : kIconSides) {
            if (side >= wanted)
                return side;
        }
        return kIconSides[std::size(kIconSides) - 1];
    }

    QHash<int, QPixmap> m_loaded;
};

} // namespace

QIcon ProgramIcon()
{
    return QIcon(new ProgramIconEngine);
}

void SetUpWindowProgram()
{
    QApplication::setApplicationName(QStringLiteral("Quenloft"));
    QApplication::setOrganizationName(QStringLiteral("Quenloft"));
    // Lets the desktop match the window to its entry, and so to the icon and the name.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
    QApplication::setWindowIcon(ProgramIcon());
    // Fusion: the window's colours are set through palettes, which it honours everywhere.
    QApplication::setStyle(QStringLiteral("Fusion"));
    // The window's design font for every control and dialog. It also spares start-up
    // loading the desktop's default face only for the first layout each text field does
    // before its own font applies.
    QApplication::setFont(appearance::windowFont());
}

QString VersionHistoryPath(const QString &programDirectory)
{
    const QDir program(programDirectory);
    const QString installed =
        QDir::cleanPath(program.filePath(QStringLiteral("../share/quenloft/version_history.html")));
    if (QFileInfo(installed).isFile())
        return installed;
    return program.filePath(QStringLiteral("version_history.html"));
}

} // namespace quenloft
