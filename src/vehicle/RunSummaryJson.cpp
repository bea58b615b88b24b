#include "vehicle/RunSummaryJson.h"

#include "support/NativePath.h"

#include <QJsonArray>

namespace quenloft {
namespace {

QJsonValue nullable(const std::optional<qint64> &value)
{
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

QJsonArray positions(const QList<qint64> &damaged)
{
    QJsonArray array;
    for (const qint64 position : damaged)
        array.append(position);
    return array;
}

QJsonValue modelOf(const RunSummary &row)
{
    return row.model ? QJsonValue(ModelName(*row.model)) : QJsonValue(QJsonValue::Null);
}

QJsonValue errorOf(const RunSummary &row)
{
    return row.loaded() ? QJsonValue(QJsonValue::Null) : QJsonValue(row.error);
}

} // namespace

QJsonObject ShowJson(const RunFileContents &contents, const VehicleDisplay &display)
{
    QJsonObject json;
    json[QStringLiteral("model")] = ModelName(display.model);
    json[QStringLiteral("version")] = display.versionCaption;
    // Every field of the model, the hidden pitch factor of older files included.
    const QList<FieldId> fields = display.model == Model::Nox ? shownFields(Model::Nox, true)
                                                              : shownFields(Model::Solvane, false);
    for (FieldId id : fields)
        json[jsonKey(id, display.model)] =
            id == FieldId::Notes ? display.notes : display.caption(id);
    if (display.model == Model::Nox) {
        const NoxContents &nox = contents.nox;
        json[QStringLiteral("records")] = nox.numRecords;
        json[QStringLiteral("records_label")] = display.recordsCaption
                                                    ? QJsonValue(*display.recordsCaption)
                                                    : QJsonValue(QJsonValue::Null);
        json[QStringLiteral("damaged")] = positions(nox.damagedPositions);
        json[QStringLiteral("damaged_count")] = nox.damagedCount;
        json[QStringLiteral("notes_position")] = nox.notesPos;
    }
    return json;
}

QJsonObject ExportJson(const RunSummary &row)
{
    QJsonObject json;
    if (row.loaded())
        json = ShowJson(row.contents, row.display);
    else
        json[QStringLiteral("model")] = modelOf(row);
    json[QStringLiteral("path")] = PathAsValidText(row.path);
    json[QStringLiteral("error")] = errorOf(row);
    return json;
}

QJsonObject CheckJson(const RunSummary &row)
{
    QJsonObject json;
    json[QStringLiteral("path")] = PathAsValidText(row.path);
    json[QStringLiteral("model")] = modelOf(row);
    json[QStringLiteral("records")] = nullable(RecordCount(row));
    json[QStringLiteral("damaged_count")] = nullable(DamagedCount(row));
    json[QStringLiteral("damaged")] = RecordCount(row)
                                          ? QJsonValue(positions(row.contents.nox.damagedPositions))
                                          : QJsonValue(QJsonValue::Null);
    json[QStringLiteral("error")] = errorOf(row);
    return json;
}

} // namespace quenloft
