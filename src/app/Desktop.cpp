#include "app/Desktop.h"

#include "browser/Process.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QStyleFactory>
#include <QUrl>

namespace quenloft {

QIcon ProgramIcon()
{
    // The 32 px one is the window's classic 16-colour icon; the others are drawn from the
    // same design at their own size.
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(size == 32 ? QStringLiteral(":/images/quenloft.png")
                                : QStringLiteral(":/images/icons/quenloft-%1.png").arg(size),
                     QSize(size, size));
    }
    return icon;
}

void SetUpWindowProgram()
{
    QApplication::setApplicationName(QStringLiteral("Quenloft"));
    QApplication::setOrganizationName(QStringLiteral("Quenloft"));
    // Lets the desktop match the window to its entry, and so to the icon and the name.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
    QApplication::setWindowIcon(ProgramIcon());
    // The window's colours are set through palettes, which Fusion honours everywhere.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // Documents and web pages go to the desktop's own choice of program.
    (void)SetShellOpener([](const QUrl &target) { return QDesktopServices::openUrl(target); });
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
