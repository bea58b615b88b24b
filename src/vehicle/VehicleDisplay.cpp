#include "vehicle/VehicleDisplay.h"

#include "runfile/FieldCodec.h"
#include "support/NumberText.h"
#include "vehicle/UnitFactors.h"

namespace quenloft {

// The texts below are built by hand rather than with QString::arg or the locale's
// formatter, which cost more than reading a small run file: a folder's worth of rows
// (export, the folder summary) spends its time here otherwise.
namespace {

void appendTwoDigits(QString &text, int value)
{
    text += QChar(char16_t(u'0' + value / 10));
    text += QChar(char16_t(u'0' + value % 10));
}

} // namespace

QString TenthsText(int tenths)
{
    QString text = QString::number(tenths / 10);
    text += u'.';
    text += QChar(char16_t(u'0' + tenths % 10));
    return text;
}

QString HundredthsText(int hundredths)
{
    QString text = QString::number(hundredths / 100);
    text += u'.';
    appendTwoDigits(text, hundredths % 100);
    return text;
}

QString StoredNumberText(Stored stored, qint64 value, bool metric)
{
    switch (stored) {
    case Stored::Whole:
        return QString::number(value);
    case Stored::Tenths:
        return TenthsText(int(value));
    case Stored::Hundredths:
        return HundredthsText(int(value));
    case Stored::Kilograms:
        return metric ? QString::number(value) : DoubleText(double(value) * PoundsPerKilogram);
    case Stored::AreaHundredths:
        return metric ? DoubleText(double(value) / 100.0)
                      : DoubleText(double(value) / 100.0 * SquareFeetPerSquareMetre);
    case Stored::Text:
    case Stored::RunDate:
        break;
    }
    return {};
}

QString RunDateText(const QDateTime &when)
{
    // "M/d/yyyy h:mm:ss AP".
    const QDate day = when.date();
    const QTime time = when.time();
    const int hour = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    QString text;
    text.reserve(24);
    text += QString::number(day.month());
    text += u'/';
    text += QString::number(day.day());
    text += u'/';
    text += QString::number(day.year()).rightJustified(4, u'0');
    text += u' ';
    text += QString::number(hour);
    text += u':';
    appendTwoDigits(text, time.minute());
    text += u':';
    appendTwoDigits(text, time.second());
    text += time.hour() < 12 ? QStringView(u" AM") : QStringView(u" PM");
    return text;
}

QString VersionCaption(const NoxContents &nox)
{
    return nox.versionTagKnown ? QStringLiteral("VEXA Version ") + nox.versionText
                               : QStringLiteral("Unknown VEXA Version");
}

QString RecordsCaption(qint64 numRecords)
{
    return numRecords != 0 ? QStringLiteral("%1 record(s) read.").arg(numRecords)
                           : QStringLiteral("No run data found!");
}

QString DamagedListText(const QList<qint64> &positions, qint64 total)
{
    if (positions.isEmpty())
        return {};
    QString text = QStringLiteral("Error(s) found at: ") + QString::number(positions.first());
    for (qsizetype i = 1; i < positions.size(); ++i)
        text += QStringLiteral(", ") + QString::number(positions.at(i));
    if (total > positions.size())
        text += QStringLiteral(", … (%1 more)").arg(total - positions.size());
    return text;
}

QString ValueText(FieldId id, const RunFileContents &contents, bool metric)
{
    if (id == FieldId::Notes)
        return NotesOf(contents);
    const Stored stored = storedAs(id, contents.model);
    if (stored == Stored::RunDate)
        return contents.solvane.runDate ? RunDateText(*contents.solvane.runDate) : QString();
    const StoredValue value = ValueOf(contents, *storedField(id, contents.model));
    if (const auto *text = std::get_if<QString>(&value))
        return *text;
    if (const auto *number = std::get_if<qint64>(&value))
        return StoredNumberText(stored, *number, metric);
    return QStringLiteral("n/a");
}

QString DisplayText(FieldId id, const RunFileContents &contents, bool metric)
{
    return ValueText(id, contents, metric) + SuffixOf(id, contents.model, metric);
}

VehicleDisplay DisplayOf(const RunFileContents &contents, bool metric)
{
    VehicleDisplay d;
    d.model = contents.model;
    d.metric = metric;
    // Every field of the model, the hidden pitch factor of older files included.
    for (const FieldId id : shownFields(contents.model, true)) {
        if (id == FieldId::Notes)
            d.notes = ValueText(id, contents, metric);
        else
            d.values[id] = ValueText(id, contents, metric);
    }
    if (contents.model == Model::Nox) {
        const NoxContents &nox = contents.nox;
        d.versionCaption = VersionCaption(nox);
        d.versionColour = nox.versionTagKnown ? VersionColour::Blue : VersionColour::Red;
        d.shown = shownFields(Model::Nox, nox.pitchFactor.has_value());
        if (nox.recordLength != 0)
            d.recordsCaption = RecordsCaption(nox.numRecords);
        d.damagedList = DamagedListText(nox.damagedPositions, nox.damagedCount);
    } else {
        d.versionCaption = QStringLiteral("Solvane VEXA v1.0");
        d.shown = shownFields(Model::Solvane, false);
    }
    return d;
}

} // namespace quenloft
