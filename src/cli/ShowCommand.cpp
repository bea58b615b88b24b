// quenloft-cli show [--metric] [--json] FILE
#include "CliCommon.h"

#include "PlainText.h"
#include "vehicle/RunSummaryJson.h"

#include <QJsonDocument>

namespace quenloft::cli {
namespace {

// One "Label: text" line per field. Texts from the file are escaped, so a line break in
// a run name or the notes shows as \n and never starts a line of its own.
void printPlain(const LoadedRunFile &file, QTextStream &out)
{
    const VehicleDisplay &d = file.display;
    out << "Model: " << ModelName(d.model) << '\n';
    out << "Version: " << Escaped(d.versionCaption) << '\n';
    for (FieldId id : d.shown) {
        if (id == FieldId::Notes)
            continue;
        out << captionOf(id, d.model) << ' ' << Escaped(d.caption(id)) << '\n';
    }
    if (d.recordsCaption)
        out << "Records: " << *d.recordsCaption << '\n';
    if (!d.damagedList.isEmpty())
        out << "Damaged: " << d.damagedList << '\n';
    out << captionOf(FieldId::Notes, d.model) << ' ' << Escaped(ForTerminal(d.notes)) << '\n';
}

} // namespace

int RunShow(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.addOption(metricOption());
    parser.addOption(jsonOption());
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A run file."));
    if (!parseCommand(parser, arguments, err))
        return BadUsage;
    if (parser.positionalArguments().size() != 1)
        return badUsage(QStringLiteral("show takes exactly one FILE."), err);

    const QString path = parser.positionalArguments().first();
    if (refuseFolder(path, err))
        return Failed;
    const auto file = loadForDisplay(path, parser.isSet(QStringLiteral("metric")), err);
    if (!file)
        return Failed;
    if (parser.isSet(QStringLiteral("json")))
        out << QJsonDocument(ShowJson(file->contents, file->display))
                   .toJson(QJsonDocument::Indented);
    else
        printPlain(*file, out);
    return Success;
}

} // namespace quenloft::cli
