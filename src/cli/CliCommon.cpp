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

bool openSession(VehicleSession &session, const QString &path, bool metric, QTextStream &err)
{
    const QString name = QFileInfo(path).fileName();
    session.setModel(ModelFromFileName(name));
    if (session.metric() != metric)
        session.switchUnits();
    const auto opened = session.open(path);
    if (!opened) {
        err << ForTerminal(LoadErrorMessage(opened.failure(), name)) << '\n';
        return false;
    }
    return true;
}

std::optional<LoadedRunFile> loadForDisplay(const QString &path, bool metric, QTextStream &err)
{
    VehicleSession session;
    if (!openSession(session, path, metric, err))
        return std::nullopt;
    return LoadedRunFile{session.contents(), session.display()};
}

} // namespace quenloft::cli
