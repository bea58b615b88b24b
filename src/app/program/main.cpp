#include "app/program/CommandLine.h"
#include "app/program/Desktop.h"
#include "app/program/Preferences.h"
#include "app/window/frmMain.h"
#include "support/NativePath.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Answered before anything connects to a display: --help, --version and mistakes. A file
    // named on the command line keeps its name, also where it is not valid text.
    const quenloft::CommandLine commandLine =
        quenloft::ParseCommandLine(quenloft::ProgramArguments(argc, argv));
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
