#include "vehicle/RunSummaryCsv.h"

#include "support/NativePath.h"

#include <functional>

namespace quenloft {
namespace {

const QString kRecordEnd = QStringLiteral("\r\n");

bool isNumeric(FieldId id)
{
    return id != FieldId::RunName && id != FieldId::VehicleName && id != FieldId::Notes;
}

QString number(const std::optional<qint64> &value)
{
    return value ? QString::number(*value) : QString();
}

struct Column
{
    QString name;
    std::function<QString(const RunSummary &)> cell;
};

// One table for the header and the records, so the two cannot drift apart.
const QList<Column> &columns()
{
    static const QList<Column> table = [] {
        QList<Column> c;
        c.append(
            {QStringLiteral("path"), [](const RunSummary &r) { return PathAsValidText(r.path); }});
        c.append({QStringLiteral("model"),
                  [](const RunSummary &r) { return r.model ? ModelName(*r.model) : QString(); }});
        c.append({QStringLiteral("version"), [](const RunSummary &r) {
                      return r.loaded() ? r.display.versionCaption : QString();
                  }});
        for (const FieldInfo &f : kFields) {
            const FieldId id = f.id;
            // The run name and the Solvane run date share a label but not a meaning.
            const QList<Model> models = id == FieldId::RunName
                                            ? QList<Model>{Model::Nox, Model::Solvane}
                                            : QList<Model>{Model::Nox};
            for (const Model model : models) {
                const bool own = id == FieldId::RunName;
                c.append({jsonKey(id, model), [id, model, own](const RunSummary &r) {
                              if (own && r.model != model)
                                  return QString();
                              return FieldText(r, id).value_or(QString());
                          }});
            }
        }
        for (const FieldInfo &f : kFields) {
            const FieldId id = f.id;
            if (isNumeric(id))
                c.append({QStringLiteral("stored_") + jsonKey(id, Model::Nox),
                          [id](const RunSummary &r) { return number(StoredValue(r, id)); }});
        }
        c.append({QStringLiteral("records"),
                  [](const RunSummary &r) { return number(RecordCount(r)); }});
        c.append({QStringLiteral("damaged_count"),
                  [](const RunSummary &r) { return number(DamagedCount(r)); }});
        c.append({QStringLiteral("error"), [](const RunSummary &r) { return r.error; }});
        return c;
    }();
    return table;
}

} // namespace

QStringList CsvColumns()
{
    QStringList names;
    for (const Column &c : columns())
        names.append(c.name);
    return names;
}

QString CsvField(const QString &text)
{
    const bool quoted =
        text.contains(u',') || text.contains(u'"') || text.contains(u'\r') || text.contains(u'\n');
    if (!quoted)
        return text;
    QString field = text;
    field.replace(u'"', QStringLiteral("\"\""));
    return u'"' + field + u'"';
}

QString CsvHeader()
{
    return CsvColumns().join(u',') + kRecordEnd;
}

QString CsvRecord(const RunSummary &row)
{
    QString record;
    bool first = true;
    for (const Column &c : columns()) {
        if (!first)
            record += u',';
        first = false;
        record += CsvField(c.cell(row));
    }
    return record + kRecordEnd;
}

} // namespace quenloft
