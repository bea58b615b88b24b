#include "app/program/CommandLine.h"

#include "support/VersionInfo.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace quenloft {
namespace {

constexpr int kBadUsage = 2;

// Written out rather than taken from QCommandLineParser, which names the program by the
// application object this text must do without. help2man reads it for the manual page.
QString HelpText()
{
    return QStringLiteral(
        "Usage: quenloft [OPTION]... [FILE|FOLDER]\n"
        "Shows and edits the vehicle data of Kivra run files: .kvp files of the Nox\n"
        "meter and .kvs files of the Solvane meter.\n"
        "\n"
        "With a FILE, the window opens on the file's folder with the file shown. With a\n"
        "FOLDER, it opens on that folder. With neither, it opens on the folder it was\n"
        "closed in last time.\n"
        "\n"
        "Options:\n"
        "  -h, --help     display this help and exit\n"
        "  -v, --version  output version information and exit\n"
        "\n"
        "The toolkit's own options, such as -style NAME or -platform NAME, are taken as well.\n");
}

void Print(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

CommandLine Error(const QString &what)
{
    return {CommandLine::Outcome::Error,
            QStringLiteral("quenloft: ") + what +
                QStringLiteral("\nTry 'quenloft --help' for more information.\n"),
            QString()};
}

// The options QApplication takes out of the command line for itself, so they are not
// mistaken for ours or for a FILE before it has done so.
void AddToolkitOptions(QCommandLineParser &parser)
{
    for (const char *name :
         {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
          "geometry", "qwindowicon", "icon", "qwindowtitle", "title", "style", "stylesheet",
          "session", "display", "name", "qmljsdebugger"})
        parser.addOption(
            QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value")));
    for (const char *name : {"reverse", "widgetcount", "nograb", "dograb", "sync"})
        parser.addOption(QCommandLineOption(QString::fromLatin1(name)));
}

} // namespace

CommandLine ParseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    // Toolkit options are single-dash words: -style is not -s -t -y -l -e.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    AddToolkitOptions(parser);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    parser.addOption(help);
    parser.addOption(version);
    // The known options are read even when an unknown one is found, so "--help" wins over a
    // mistake beside it.
    const bool parsed = parser.parse(arguments);
    if (parser.isSet(help))
        return {CommandLine::Outcome::Help, HelpText(), QString()};
    if (parser.isSet(version))
        return {CommandLine::Outcome::Version, TitleOf(ProgramVersion()) + u'\n', QString()};
    if (!parsed)
        return Error(parser.errorText());
    const QStringList paths = parser.positionalArguments();
    if (paths.size() > 1)
        return Error(QStringLiteral("only one FILE or FOLDER can be opened"));
    if (paths.isEmpty())
        return {};
    if (paths.first().isEmpty())
        return Error(QStringLiteral("the FILE or FOLDER name is empty"));
    return {
        CommandLine::Outcome::Open, QString(),
        QDir::cleanPath(QFileInfo(QDir::fromNativeSeparators(paths.first())).absoluteFilePath())};
}

int FinishCommandLine(const CommandLine &commandLine)
{
    switch (commandLine.outcome) {
    case CommandLine::Outcome::Help:
    case CommandLine::Outcome::Version:
        Print(stdout, commandLine.text);
        return 0;
    case CommandLine::Outcome::Error:
        Print(stderr, commandLine.text);
        return kBadUsage;
    case CommandLine::Outcome::Open:
        break;
    }
    return 0;
}

} // namespace quenloft
