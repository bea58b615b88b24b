#include "vehicle/VehicleDisplay.h"

#include "support/NumberText.h"
#include "vehicle/Units.h"

#include <QLocale>

namespace quenloft {

QString TenthsText(int tenths)
{
    return QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10);
}

QString HundredthsText(int hundredths)
{
    return QStringLiteral("%1.%2").arg(hundredths / 100).arg(hundredths % 100, 2, 10, QChar(u'0'));
}

QString WeightCaption(int kilograms, bool metric)
{
    if (metric)
        return QString::number(kilograms) + WeightSuffix(true);
    return DoubleText(kilograms * PoundsPerKilogram) + WeightSuffix(false);
}

QString FrontalAreaCaption(int hundredthsOfSquareMetre, bool metric)
{
    const double squareMetres = hundredthsOfSquareMetre / 100.0;
    if (metric)
        return DoubleText(squareMetres) + FrontalAreaSuffix(true);
    return DoubleText(squareMetres * SquareFeetPerSquareMetre) + FrontalAreaSuffix(false);
}

QString RunDateText(const QDateTime &when)
{
    return QLocale::c().toString(when, QStringLiteral("M/d/yyyy h:mm:ss AP"));
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

QString DisplayText(FieldId id, const RunFileContents &contents, bool metric)
{
    const NoxContents &nox = contents.nox;
    const SolvaneContents &solvane = contents.solvane;
    const bool isNox = contents.model == Model::Nox;
    switch (id) {
    case FieldId::RunName:
        if (isNox)
            return nox.runName;
        return solvane.runDate ? RunDateText(*solvane.runDate) : QString();
    case FieldId::VehicleName:
        return nox.vehicleName;
    case FieldId::Weight:
        return isNox ? QString::number(nox.weight) : WeightCaption(solvane.weight, metric);
    case FieldId::Redline:
        return QString::number(nox.redline);
    case FieldId::ShiftPoint:
        return QString::number(nox.shiftPoint);
    case FieldId::RolloutLength:
        return TenthsText(nox.rolloutLength);
    case FieldId::PitchFactor:
        return nox.pitchFactor ? TenthsText(*nox.pitchFactor) : QStringLiteral("n/a");
    case FieldId::FrontalArea:
        return FrontalAreaCaption(solvane.frontalArea, metric);
    case FieldId::CoeffOfDrag:
        return HundredthsText(solvane.coeffOfDrag);
    case FieldId::DrivelineLoss:
        return QString::number(solvane.drivelineLoss) + u'%';
    case FieldId::Notes:
        return isNox ? nox.notes : solvane.notes;
    }
    return {};
}

VehicleDisplay DisplayOf(const RunFileContents &contents, bool metric)
{
    VehicleDisplay d;
    d.model = contents.model;
    // Every field of the model, the hidden pitch factor of older files included.
    for (const FieldId id : shownFields(contents.model, true)) {
        if (id == FieldId::Notes)
            d.notes = DisplayText(id, contents, metric);
        else
            d.captions[id] = DisplayText(id, contents, metric);
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
