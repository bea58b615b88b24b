#include "CliCommon.h"

#include "PlainText.h"
#include "runfile/LoadMessages.h"
#include "support/NativeFolder.h"

#include <QJsonDocument>

namespace quenloft::cli {

QCommandLineOption metricOption()
{
    return QCommandLineOption(QStringLiteral("metric"),
                              QStringLiteral("Solvane weight in kg and frontal area in m^2."));
}

QCommandLineOption jsonOption()
{
    return QCommandLineOption(QStringLiteral("json"), QStringLiteral("Machine-readable output."));
}

int badUsage(const QString &reason, QTextStream &err)
{
    err << Escaped(reason) << '\n' << kTryHelp;
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

void reportRecovery(const JournalRecovery &recovery, QTextStream &err)
{
    reportRecovery(recovery.message, err);
}

void reportRecovery(const QString &message, QTextStream &err)
{
    if (message.isEmpty())
        return;
    // One line per paragraph, the texts in it escaped.
    const QStringList paragraphs = message.split(QStringLiteral("\r\n\r\n"));
    for (const QString &paragraph : paragraphs)
        err << Escaped(paragraph) << '\n';
}

QString PlainLoadError(const Failure &failure, const QString &fileName)
{
    // The description can quote the file's own bytes (a version text), so it is escaped
    // as well as the name.
    const Failure escaped{failure.number, Escaped(failure.description)};
    return ForTerminal(LoadErrorMessage(escaped, Escaped(fileName)));
}

bool refuseFolder(const QString &path, QTextStream &err)
{
    const auto kind = KindOfPath(path);
    if (!kind || (kind.value() != EntryKind::Folder && kind.value() != EntryKind::FolderLink))
        return false;
    err << Escaped(path) << " is a folder, not a run file.\n";
    return true;
}

std::optional<Failure> openRunFile(VehicleSession &session, const QString &path, bool metric,
                                   PendingSave pending, QTextStream &err)
{
    if (session.metric() != metric)
        session.switchUnits();
    const auto opened = session.open(path, pending);
    reportRecovery(session.recovery(), err);
    if (!opened)
        return opened.failure();
    return std::nullopt;
}

bool openSession(VehicleSession &session, const QString &path, bool metric, PendingSave pending,
                 QTextStream &err)
{
    const auto failure = openRunFile(session, path, metric, pending, err);
    if (failure)
        err << PlainLoadError(*failure, FileNameOfPath(path)) << '\n';
    return !failure;
}

std::optional<LoadedRunFile> loadForDisplay(const QString &path, bool metric, QTextStream &err)
{
    VehicleSession session;
    if (!openSession(session, path, metric, PendingSave::LeaveAsIs, err))
        return std::nullopt;
    return LoadedRunFile{session.contents(), session.display()};
}

JsonArrayWriter::JsonArrayWriter(QTextStream &out) : m_out(out)
{
    m_out << '[';
}

JsonArrayWriter::~JsonArrayWriter()
{
    finish();
}

void JsonArrayWriter::append(const QJsonObject &element)
{
    m_out << (m_empty ? "\n" : ",\n")
          << QString::fromUtf8(QJsonDocument(element).toJson(QJsonDocument::Compact));
    m_empty = false;
}

void JsonArrayWriter::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    m_out << (m_empty ? "]\n" : "\n]\n");
}

} // namespace quenloft::cli
