// Shows the window with a run file loaded and saves a picture of it:
//   quenloft-window-snapshot RUNFILE OUT.png [--metric]
// Run it on a real (or virtual) display so the picture is what a person sees.
#include "app/frmMain.h"
#include "browser/pane/FileListBox.h"

#include <QApplication>
#include <QFileInfo>
#include <QScreen>
#include <QSignalBlocker>
#include <QTextStream>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quenloft"));
    const QStringList args = QApplication::arguments();
    if (args.size() < 3) {
        QTextStream(stderr) << "Usage: quenloft-window-snapshot RUNFILE OUT.png [--metric]\n";
        return 2;
    }
    const QFileInfo file(args.at(1));
    frmMain window;
    if (args.contains(QStringLiteral("--metric")))
        window.ToggleUnits();
    window.show();
    {
        const QSignalBlocker quiet(window.fileKVP());
        (void)window.fileKVP()->setPath(file.absolutePath());
        window.fileKVP()->setFileName(file.fileName());
    }
    window.SetModelFromFileName(file.fileName());
    if (!window.LoadRunFile())
        return 1;
    window.cmdEdit_Click();
    int code = 0;
    QTimer::singleShot(1000, &window, [&] {
        const QPixmap shot = window.screen()->grabWindow(window.winId());
        code = shot.save(args.at(2)) ? 0 : 1;
        app.quit();
    });
    app.exec();
    return code;
}
