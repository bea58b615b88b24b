#include "app/program/CommandLine.h"
#include "app/program/Desktop.h"
#include "app/program/Preferences.h"
#include "app/window/frmMain.h"
#include "support/NativePath.h"

#include <QApplication>

namespace {

// A file named on the command line keeps its bytes, also where they are not valid text.
QStringList ArgumentsOf(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
#ifdef Q_OS_WIN
        arguments.append(QString::fromLocal8Bit(argv[i]));
#else
        arguments.append(quenloft::PathFromNativeBytes(argv[i]));
#endif
    return arguments;
}

} // namespace

int main(int argc, char *argv[])
{
    // Answered before anything connects to a display: --help, --version and mistakes.
    const quenloft::CommandLine commandLine = quenloft::ParseCommandLine(ArgumentsOf(argc, argv));
    if (commandLine.outcome != quenloft::CommandLine::Outcome::Open)
        return quenloft::FinishCommandLine(commandLine);

    QApplication app(argc, argv);
    quenloft::SetUpWindowProgram();

    quenloft::frmMain window;
    window.Form_Load(std::make_unique<quenloft::Preferences>());
    window.show();
    if (!commandLine.path.isEmpty())
        window.showPathFromOutside(commandLine.path);
    return QApplication::exec();
}
