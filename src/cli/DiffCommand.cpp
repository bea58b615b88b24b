// quenloft-cli diff [--metric] [--json] A B
// Compares two run files as the window shows them: model, version, every field either
// model shows, the record count, the damaged positions and the notes. Like diff(1) it
// exits 0 when nothing differs and 1 when something does.
#include "CliCommon.h"

#include "PlainText.h"
#include "support/NativePath.h"
#include "vehicle/RunSummary.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>

namespace quenloft::cli {
namespace {

// One compared item of one file: its plain text and its JSON value; none when the file's
// model does not have it.
struct Value
{
    QString text;
    QJsonValue json;
    friend bool operator==(const Value &, const Value &) = default;
};
using Item = std::optional<Value>;

struct Difference
{
    QString key;
    Item a;
    Item b;
};

Item textItem(const std::optional<QString> &text)
{
    if (!text)
        return std::nullopt;
    return Value{*text, *text};
}

Item damagedItem(const RunSummary &row)
{
    const auto count = DamagedCount(row);
    if (!count)
        return std::nullopt;
    const QList<qint64> &positions = row.contents.nox.damagedPositions;
    QJsonArray array;
    QStringList listed;
    for (const qint64 position : positions) {
        array.append(position);
        listed.append(QString::number(position));
    }
    QString text = *count == 0 ? QStringLiteral("none")
                               : QStringLiteral("%1 at %2").arg(*count).arg(listed.join(u", "));
    if (*count > positions.size())
        text += QStringLiteral(", …");
    // Two files whose listed positions agree but whose counts do not still differ.
    return Value{
        text, QJsonObject{{QStringLiteral("count"), *count}, {QStringLiteral("positions"), array}}};
}

// Everything compared, in the order the lines are printed.
QList<std::pair<QString, std::function<Item(const RunSummary &)>>> items()
{
    QList<std::pair<QString, std::function<Item(const RunSummary &)>>> list;
    list.append({QStringLiteral("model"),
                 [](const RunSummary &r) { return textItem(ModelName(*r.model)); }});
    list.append({QStringLiteral("version"),
                 [](const RunSummary &r) { return textItem(r.display.versionCaption); }});
    for (const FieldInfo &f : kFields) {
        const FieldId id = f.id;
        if (id == FieldId::Notes)
            continue;
        // The run name and the Solvane run date are compared apart.
        const QList<Model> models = id == FieldId::RunName
                                        ? QList<Model>{Model::Nox, Model::Solvane}
                                        : QList<Model>{Model::Nox};
        for (const Model model : models) {
            const bool own = id == FieldId::RunName;
            list.append({jsonKey(id, model), [id, model, own](const RunSummary &r) {
                             return own && r.model != model ? Item() : textItem(FieldText(r, id));
                         }});
        }
    }
    list.append({QStringLiteral("records"), [](const RunSummary &r) -> Item {
                     const auto count = RecordCount(r);
                     if (!count)
                         return std::nullopt;
                     return Value{QString::number(*count), *count};
                 }});
    list.append({QStringLiteral("damaged"), damagedItem});
    list.append({QStringLiteral("notes"),
                 [](const RunSummary &r) { return textItem(FieldText(r, FieldId::Notes)); }});
    return list;
}

QString plain(const Item &item)
{
    if (!item)
        return QStringLiteral("(none)");
    if (item->text.isEmpty())
        return QStringLiteral("\"\"");
    return Escaped(ForTerminal(item->text));
}

QJsonValue json(const Item &item)
{
    return item ? item->json : QJsonValue(QJsonValue::Null);
}

} // namespace

int RunDiff(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.addOption(metricOption());
    parser.addOption(jsonOption());
    parser.addPositionalArgument(QStringLiteral("A"), QStringLiteral("A run file."));
    parser.addPositionalArgument(QStringLiteral("B"), QStringLiteral("Another run file."));
    if (!parseCommand(parser, arguments, err))
        return BadUsage;
    const QStringList files = parser.positionalArguments();
    if (files.size() != 2)
        return badUsage(QStringLiteral("diff takes exactly two run files."), err);

    const bool metric = parser.isSet(QStringLiteral("metric"));
    QList<RunSummary> rows;
    for (const QString &path : files) {
        if (refuseFolder(path, err))
            return BadUsage;
        RunSummary row = ReadRunSummary(path, metric);
        reportRecovery(row.recovery, err);
        if (!row.loaded()) {
            err << PlainLoadError(*row.loadFailure, FileNameOfPath(path)) << '\n';
            return BadUsage;
        }
        rows.append(std::move(row));
    }

    QList<Difference> differences;
    for (const auto &[key, value] : items()) {
        Item a = value(rows.at(0));
        Item b = value(rows.at(1));
        if (a != b)
            differences.append({key, std::move(a), std::move(b)});
    }

    if (parser.isSet(QStringLiteral("json"))) {
        QJsonArray list;
        for (const Difference &d : differences)
            list.append(QJsonObject{{QStringLiteral("field"), d.key},
                                    {QStringLiteral("a"), json(d.a)},
                                    {QStringLiteral("b"), json(d.b)}});
        const QJsonObject result{{QStringLiteral("a"), PathAsValidText(files.at(0))},
                                 {QStringLiteral("b"), PathAsValidText(files.at(1))},
                                 {QStringLiteral("differences"), list}};
        out << QString::fromUtf8(QJsonDocument(result).toJson(QJsonDocument::Indented));
    } else {
        for (const Difference &d : differences)
            out << d.key << ": " << plain(d.a) << QStringView(u" → ") << plain(d.b) << '\n';
    }
    return differences.isEmpty() ? Success : Failed;
}

} // namespace quenloft::cli
