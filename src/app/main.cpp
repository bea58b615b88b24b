#include "app/frmMain.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quenloft"));
    // The window's colours are set through palettes, which Fusion honours everywhere.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    frmMain window;
    window.show();
    return QApplication::exec();
}
