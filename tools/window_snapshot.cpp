// Shows the window with a run file loaded and saves a picture of it:
//   quenloft-window-snapshot RUNFILE OUT.png [--metric]
// Run it on a real (or virtual) display so the picture is what a person sees.
#include "app/column/ClickLabel.h"
#include "app/program/Desktop.h"
#include "app/window/frmMain.h"

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QTextStream>
#include <QTimer>

using quenloft::frmMain;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // As the program sets itself up, so the picture shows its style and icon.
    quenloft::SetUpWindowProgram();
    const QStringList args = QApplication::arguments();
    if (args.size() < 3) {
        QTextStream(stderr) << "Usage: quenloft-window-snapshot RUNFILE OUT.png [--metric]\n";
        return 2;
    }
    frmMain window;
    window.show();
    if (!window.showRunFile(args.at(1)))
        return 1;
    // As a user would: a click on the unit switch, then on Edit.
    if (args.contains(QStringLiteral("--metric")))
        window.findChild<quenloft::ClickLabel *>(QStringLiteral("lblUnits"))->click();
    window.findChild<QPushButton *>(QStringLiteral("cmdEdit"))->click();
    int code = 0;
    QTimer::singleShot(1000, &window, [&] {
        const QPixmap shot = window.screen()->grabWindow(window.winId());
        code = shot.save(args.at(2)) ? 0 : 1;
        app.quit();
    });
    app.exec();
    return code;
}
