// quenloft-cli show [--metric] [--json] FILE
#include "CliCommon.h"

#include "PlainText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace quenloft::cli {
namespace {

QJsonObject toJson(const LoadedRunFile &file)
{
    const VehicleDisplay &d = file.display;
    QJsonObject json;
    json[QStringLiteral("model")] = ModelName(d.model);
    json[QStringLiteral("version")] = d.versionCaption;
    // Every field of the model, the hidden pitch factor of older files included.
    const QList<FieldId> fields =
        d.model == Model::Nox ? shownFields(Model::Nox, true) : shownFields(Model::Solvane, false);
    for (FieldId id : fields)
        json[jsonKey(id, d.model)] = id == FieldId::Notes ? d.notes : d.captions.value(id);
    if (d.model == Model::Nox) {
        const NoxContents &nox = file.contents.nox;
        json[QStringLiteral("records")] = nox.numRecords;
        json[QStringLiteral("records_label")] =
            d.recordsCaption ? QJsonValue(*d.recordsCaption) : QJsonValue(QJsonValue::Null);
        QJsonArray damaged;
        for (qint64 position : nox.damagedPositions)
            damaged.append(position);
        json[QStringLiteral("damaged")] = damaged;
        json[QStringLiteral("damaged_count")] = nox.damagedCount;
        json[QStringLiteral("notes_position")] = nox.notesPos;
    }
    return json;
}

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
        out << captionOf(id, d.model) << ' ' << Escaped(d.captions.value(id)) << '\n';
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
    parser.addOption({QStringLiteral("json"), QStringLiteral("Machine-readable output.")});
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A run file."));
    if (!parseCommand(parser, arguments, err))
        return BadUsage;
    if (parser.positionalArguments().size() != 1)
        return badUsage(QStringLiteral("show takes exactly one FILE."), err);

    const auto file = loadForDisplay(parser.positionalArguments().first(),
                                     parser.isSet(QStringLiteral("metric")), err);
    if (!file)
        return Failed;
    if (parser.isSet(QStringLiteral("json")))
        out << QJsonDocument(toJson(*file)).toJson(QJsonDocument::Indented);
    else
        printPlain(*file, out);
    return Success;
}

} // namespace quenloft::cli
