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

VehicleDisplay DisplayOf(const RunFileContents &contents, bool metric)
{
    VehicleDisplay d;
    d.model = contents.model;
    if (contents.model == Model::Nox) {
        const NoxContents &nox = contents.nox;
        d.versionCaption = VersionCaption(nox);
        d.versionColour = nox.versionTagKnown ? VersionColour::Blue : VersionColour::Red;
        d.shown = shownFields(Model::Nox, nox.pitchFactor.has_value());
        d.captions[FieldId::RunName] = nox.runName;
        d.captions[FieldId::PitchFactor] =
            nox.pitchFactor ? TenthsText(*nox.pitchFactor) : QStringLiteral("n/a");
        d.captions[FieldId::VehicleName] = nox.vehicleName;
        d.captions[FieldId::Weight] = QString::number(nox.weight);
        d.captions[FieldId::RolloutLength] = TenthsText(nox.rolloutLength);
        d.captions[FieldId::Redline] = QString::number(nox.redline);
        d.captions[FieldId::ShiftPoint] = QString::number(nox.shiftPoint);
        d.notes = nox.notes;
        if (nox.recordLength != 0)
            d.recordsCaption = RecordsCaption(nox.numRecords);
        d.damagedList = DamagedListText(nox.damagedPositions, nox.damagedCount);
    } else {
        const SolvaneContents &s = contents.solvane;
        d.versionCaption = QStringLiteral("Solvane VEXA v1.0");
        d.shown = shownFields(Model::Solvane, false);
        d.captions[FieldId::RunName] = s.runDate ? RunDateText(*s.runDate) : QString();
        d.captions[FieldId::FrontalArea] = FrontalAreaCaption(s.frontalArea, metric);
        d.captions[FieldId::CoeffOfDrag] = HundredthsText(s.coeffOfDrag);
        d.captions[FieldId::DrivelineLoss] = QString::number(s.drivelineLoss) + u'%';
        d.captions[FieldId::Weight] = WeightCaption(s.weight, metric);
        d.notes = s.notes;
    }
    return d;
}

} // namespace quenloft
