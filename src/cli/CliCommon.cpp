#include "CliCommon.h"

#include "runfile/LoadMessages.h"

#include <QFileInfo>

namespace quenloft::cli {

QCommandLineOption metricOption()
{
    return QCommandLineOption(QStringLiteral("metric"),
                              QStringLiteral("Solvane weight in kg and frontal area in m^2."));
}

int badUsage(const QString &reason, QTextStream &err)
{
    err << reason << "\n\n" << UsageText();
    return BadUsage;
}

bool parseCommand(QCommandLineParser &parser, const QStringList &arguments, QTextStream &err)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (!parser.parse(arguments)) {
        badUsage(parser.errorText(), err);
        return false;
    }
    return true;
}

std::optional<LoadedRunFile> loadForDisplay(const QString &path, bool metric, QTextStream &err)
{
    const QString name = QFileInfo(path).fileName();
    auto contents = ReadRunFileAt(path, ModelFromFileName(name));
    if (!contents) {
        err << ForTerminal(LoadErrorMessage(contents.failure(), name)) << '\n';
        return std::nullopt;
    }
    LoadedRunFile loaded{contents.value(), DisplayOf(contents.value(), metric)};
    return loaded;
}

} // namespace quenloft::cli
