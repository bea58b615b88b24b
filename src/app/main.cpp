#include "app/Preferences.h"
#include "app/frmMain.h"
#include "browser/Process.h"

#include <QApplication>
#include <QDesktopServices>
#include <QStyleFactory>
#include <QUrl>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quenloft"));
    QApplication::setOrganizationName(QStringLiteral("Quenloft"));
    // The window's colours are set through palettes, which Fusion honours everywhere.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // Documents and web pages go to the desktop's own choice of program.
    (void)quenloft::SetShellOpener(quenloft::DesktopOpener());

    frmMain window;
    window.Form_Load(std::make_unique<quenloft::Preferences>());
    window.show();
    return QApplication::exec();
}
