#include "vehicle/RunSummaryCsv.h"

#include "support/NativePath.h"

#include <algorithm>
#include <optional>

namespace quenloft {
namespace {

const QString kRecordEnd = QStringLiteral("\r\n");

bool needsQuotes(QStringView text)
{
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c == u',' || c == u'"' || c == u'\r' || c == u'\n'; });
}

void appendField(QString &record, const QString &text)
{
    if (!needsQuotes(text)) {
        record += text;
        return;
    }
    record += u'"';
    for (const QChar c : text) {
        if (c == u'"')
            record += u'"';
        record += c;
    }
    record += u'"';
}

void appendNumber(QString &record, const std::optional<qint64> &value)
{
    if (value)
        record += QString::number(*value);
}

enum class Cell { Path, Model, Version, Text, Stored, Records, DamagedCount, Error };

struct Column
{
    QString name;
    Cell cell;
    FieldId field = FieldId::Notes;
    std::optional<Model> only; // a text of this model's files only
};

Column column(const QString &name, Cell cell, FieldId field = FieldId::Notes,
              std::optional<Model> only = std::nullopt)
{
    return Column{name, cell, field, only};
}

// One table for the header and the records, so the two cannot drift apart.
const QList<Column> &columns()
{
    static const QList<Column> table = [] {
        QList<Column> c;
        c.append(column(QStringLiteral("path"), Cell::Path));
        c.append(column(QStringLiteral("model"), Cell::Model));
        c.append(column(QStringLiteral("version"), Cell::Version));
        for (const FieldInfo &f : kFields) {
            // A field the models name apart (the run name, the Solvane run date) shares a
            // label but not a meaning: a column each.
            if (f.solvaneKey) {
                c.append(column(jsonKey(f.id, Model::Nox), Cell::Text, f.id, Model::Nox));
                c.append(column(jsonKey(f.id, Model::Solvane), Cell::Text, f.id, Model::Solvane));
            } else {
                c.append(column(jsonKey(f.id, Model::Nox), Cell::Text, f.id));
            }
        }
        for (const FieldInfo &f : kFields)
            if (isNumeric(f.id, Model::Nox) || isNumeric(f.id, Model::Solvane))
                c.append(column(QStringLiteral("stored_") + jsonKey(f.id, Model::Nox), Cell::Stored,
                                f.id));
        c.append(column(QStringLiteral("records"), Cell::Records));
        c.append(column(QStringLiteral("damaged_count"), Cell::DamagedCount));
        c.append(column(QStringLiteral("error"), Cell::Error));
        return c;
    }();
    return table;
}

void appendCell(QString &record, const Column &column, const RunSummary &row)
{
    switch (column.cell) {
    case Cell::Path:
        appendField(record, PathAsValidText(row.path));
        return;
    case Cell::Model:
        if (row.model)
            record += ModelName(*row.model);
        return;
    case Cell::Version:
        if (row.loaded())
            appendField(record, row.display.versionCaption);
        return;
    case Cell::Text:
        if (column.only && row.model != column.only)
            return;
        if (const auto text = FieldText(row, column.field))
            appendField(record, *text);
        return;
    case Cell::Stored:
        appendNumber(record, StoredNumberOf(row, column.field));
        return;
    case Cell::Records:
        appendNumber(record, RecordCount(row));
        return;
    case Cell::DamagedCount:
        appendNumber(record, DamagedCount(row));
        return;
    case Cell::Error:
        appendField(record, row.error);
        return;
    }
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
    QString field;
    appendField(field, text);
    return field;
}

QString CsvHeader()
{
    return CsvColumns().join(u',') + kRecordEnd;
}

QString CsvRecord(const RunSummary &row)
{
    QString record;
    record.reserve(512);
    bool first = true;
    for (const Column &c : columns()) {
        if (!first)
            record += u',';
        first = false;
        appendCell(record, c, row);
    }
    record += kRecordEnd;
    return record;
}

} // namespace quenloft
