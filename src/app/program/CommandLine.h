// The window program's command line: quenloft [--help] [--version] [FILE|FOLDER].
#pragma once

#include <QString>
#include <QStringList>

namespace quenloft {

struct CommandLine
{
    enum class Outcome { Open, Help, Version, Error };
    Outcome outcome = Outcome::Open;
    // What to print for Help and Version (standard output) and Error (standard error).
    QString text;
    // With Open: the FILE or FOLDER named, absolute; empty when none was.
    QString path;
};

// Reads the arguments, the program's name first, before the application object exists, so
// --help, --version and mistakes need no display. The toolkit's own options (-style NAME,
// -platform NAME ...) are passed over; QApplication takes them.
[[nodiscard]] CommandLine ParseCommandLine(const QStringList &arguments);

// Prints Help, Version and Error texts and gives the exit code: 0, 0, 2.
int FinishCommandLine(const CommandLine &commandLine);

} // namespace quenloft
