#include "vehicle/SaveValues.h"

#include "support/NumberText.h"
#include "vehicle/UnitFactors.h"

namespace quenloft {
namespace {

Failure cannotStore(const QString &what)
{
    return Failure{CannotStoreValue, what};
}

Failure notANumber(const QString &field, const QString &text)
{
    return cannotStore(QStringLiteral("The %1 \"%2\" is not a number").arg(field, text));
}

// A shown whole number, rounded half to even, in `maximum` stored units. Negative values
// are no number of the file.
Result<qint64> storedWhole(const QString &text, const QString &field, qint64 maximum)
{
    const auto value = ParseDouble(text);
    if (!value)
        return notANumber(field, text);
    const double whole = RoundHalfEven(*value);
    if (!(whole >= 0.0) || whole > 4294967295.0)
        return notANumber(field, text);
    if (whole > double(maximum))
        return cannotStore(
            maximum == 65535
                ? QStringLiteral("The %1 %2 does not fit its field (0 to 65535)").arg(field, text)
                : QStringLiteral("The %1 %2 does not fit its field (0 to %3 stored "
                                 "units)")
                      .arg(field, text)
                      .arg(maximum));
    return qint64(whole);
}

// The shown number times ten in single precision, rounded half to even.
Result<qint64> storedTenths(const QString &text, const QString &field)
{
    const auto value = ParseSingle(text);
    if (!value)
        return notANumber(field, text);
    const float tenths = *value * 10.0f;
    const double whole = RoundHalfEven(double(tenths));
    if (!(whole >= 0.0 && whole <= 255.0))
        return cannotStore(
            QStringLiteral("The %1 %2 does not fit its field (0 to 25.5)").arg(field, text));
    return qint64(whole);
}

// Via a 15-digit text, so 0.29 * 100 = 28.999999999999996 is stored as 29.
Result<qint64> storedHundredths(const QString &text, const QString &field)
{
    const auto value = ParseDouble(text);
    if (!value)
        return notANumber(field, text);
    return storedWhole(DoubleText(*value * 100.0), field, 255);
}

// The Solvane weight or area in stored units from the shown text in the user's units. A
// shown value above 0 that rounds to 0 is refused: the writer would leave the old value in
// the file, and a save that says so beats one that reports a value it did not store. 0 or
// less stores as 0, which the writer leaves unwritten.
struct Measure
{
    double factor; // user units per metric unit, when imperial
    double scale;  // stored units per metric unit
    QString limit; // the largest value, for the message
    QString metricUnit, imperialUnit;
    QString metricSmallest, imperialSmallest; // the smallest value stored
};

Result<qint64> storedMeasure(const QString &text, const QString &field, bool metric,
                             const Measure &m)
{
    const auto value = ParseDouble(text);
    if (!value)
        return notANumber(field, text);
    const double metricValue = metric ? *value : *value / m.factor;
    const double whole = RoundHalfEven(metricValue * m.scale);
    if (!(whole <= 65535.0))
        return cannotStore(QStringLiteral("The %1 %2 does not fit its field (at most %3)")
                               .arg(field, text, m.limit));
    if (*value > 0.0 && whole <= 0.0)
        return cannotStore(QStringLiteral("The %1 %2 %3 is too small to be stored; the smallest "
                                          "%1 a run file can hold is %4")
                               .arg(field, text, metric ? m.metricUnit : m.imperialUnit,
                                    metric ? m.metricSmallest : m.imperialSmallest));
    return whole <= 0.0 ? qint64(0) : qint64(whole);
}

const Measure kKilograms{PoundsPerKilogram,          1.0,
                         QStringLiteral("65535 kg"), QStringLiteral("kgs"),
                         QStringLiteral("lbs"),      QStringLiteral("1 kgs"),
                         QStringLiteral("2.2 lbs")};
const Measure kAreaHundredths{SquareFeetPerSquareMetre,     100.0,
                              QStringLiteral("655.35 m^2"), QStringLiteral("m^2"),
                              QStringLiteral("ft^2"),       QStringLiteral("0.01 m^2"),
                              QStringLiteral("0.1076 ft^2")};

// Each stored number checked, in the window's order: the first that cannot be stored is
// the one reported.
template <typename T> Result<T> narrowed(const Result<qint64> &number)
{
    if (!number)
        return number.failure();
    return T(number.value());
}

} // namespace

Result<qint64> StoredNumber(FieldId id, Model model, bool metric, const QString &value)
{
    const FieldInfo &f = fieldInfo(id);
    const QString name = QString::fromLatin1(f.name);
    switch (storedAs(id, model)) {
    case Stored::Whole:
        return storedWhole(value, name, f.storedMaximum);
    case Stored::Tenths:
        return storedTenths(value, name);
    case Stored::Hundredths:
        return storedHundredths(value, name);
    case Stored::Kilograms:
        return storedMeasure(value, name, metric, kKilograms);
    case Stored::AreaHundredths:
        return storedMeasure(value, name, metric, kAreaHundredths);
    case Stored::Text:
    case Stored::RunDate:
        break;
    }
    return cannotStore(QStringLiteral("The %1 is not a number a run file stores").arg(name));
}

Result<NoxStoredValues> NoxStoredValuesOf(const NoxShownValues &shown, const LoadedFileInfo &file)
{
    const auto number = [](FieldId id, const QString &value) {
        return StoredNumber(id, Model::Nox, true, value);
    };
    std::optional<quint8> pitchFactor;
    if (file.fileVersion >= 2.0f) {
        const auto pitch = narrowed<quint8>(number(FieldId::PitchFactor, shown.pitchFactor));
        if (!pitch)
            return pitch.failure();
        pitchFactor = pitch.value();
    }
    const auto weight = narrowed<quint16>(number(FieldId::Weight, shown.weight));
    if (!weight)
        return weight.failure();
    const auto rollout = narrowed<quint8>(number(FieldId::RolloutLength, shown.rolloutLength));
    if (!rollout)
        return rollout.failure();
    const auto redline = narrowed<quint16>(number(FieldId::Redline, shown.redline));
    if (!redline)
        return redline.failure();
    const auto shiftPoint = narrowed<quint16>(number(FieldId::ShiftPoint, shown.shiftPoint));
    if (!shiftPoint)
        return shiftPoint.failure();
    return NoxStoredValues{
        .runName = shown.runName,
        .vehicleName = shown.vehicleName,
        .weight = weight.value(),
        .rolloutLength = rollout.value(),
        .redline = redline.value(),
        .shiftPoint = shiftPoint.value(),
        .pitchFactor = pitchFactor,
        .notes = shown.notes,
    };
}

Result<SolvaneStoredValues> SolvaneStoredValuesOf(const SolvaneShownValues &shown)
{
    const auto number = [&](FieldId id, const QString &value) {
        return StoredNumber(id, Model::Solvane, shown.metric, value);
    };
    const auto weight = narrowed<quint16>(number(FieldId::Weight, shown.weight));
    if (!weight)
        return weight.failure();
    const auto area = narrowed<quint16>(number(FieldId::FrontalArea, shown.frontalArea));
    if (!area)
        return area.failure();
    const auto drag = narrowed<quint8>(number(FieldId::CoeffOfDrag, shown.coeffOfDrag));
    if (!drag)
        return drag.failure();
    const auto loss = narrowed<quint8>(number(FieldId::DrivelineLoss, shown.drivelineLoss));
    if (!loss)
        return loss.failure();
    return SolvaneStoredValues{
        .weight = weight.value(),
        .frontalArea = area.value(),
        .coeffOfDrag = drag.value(),
        .drivelineLoss = loss.value(),
    };
}

Result<QList<Patch>> NoxPatchesOf(const NoxShownValues &shown, const LoadedFileInfo &file)
{
    const auto stored = NoxStoredValuesOf(shown, file);
    if (!stored)
        return stored.failure();
    return ComputeNoxPatches(stored.value(), file);
}

Result<QList<Patch>> SolvanePatchesOf(const SolvaneShownValues &shown, const LoadedFileInfo &file)
{
    const auto stored = SolvaneStoredValuesOf(shown);
    if (!stored)
        return stored.failure();
    return ComputeSolvanePatches(stored.value(), file);
}

NoxShownValues NoxShownValuesOf(const FieldValues &values, const QString &notes)
{
    return NoxShownValues{
        .runName = values.value(FieldId::RunName),
        .vehicleName = values.value(FieldId::VehicleName),
        .weight = values.value(FieldId::Weight),
        .rolloutLength = values.value(FieldId::RolloutLength),
        .redline = values.value(FieldId::Redline),
        .shiftPoint = values.value(FieldId::ShiftPoint),
        .pitchFactor = values.value(FieldId::PitchFactor),
        .notes = notes,
    };
}

SolvaneShownValues SolvaneShownValuesOf(const FieldValues &values, bool metric)
{
    return SolvaneShownValues{
        .metric = metric,
        .weight = values.value(FieldId::Weight),
        .frontalArea = values.value(FieldId::FrontalArea),
        .coeffOfDrag = values.value(FieldId::CoeffOfDrag),
        .drivelineLoss = values.value(FieldId::DrivelineLoss),
    };
}

Result<QList<Patch>> ComputePatches(const FieldValues &values, const QString &notes, bool metric,
                                    const LoadedFileInfo &file)
{
    if (file.model == Model::Nox)
        return NoxPatchesOf(NoxShownValuesOf(values, notes), file);
    return SolvanePatchesOf(SolvaneShownValuesOf(values, metric), file);
}

Result<RunFileContents> ContentsAfterSaving(const FieldValues &values, const QString &notes,
                                            bool metric, const RunFileContents &loaded,
                                            const LoadedFileInfo &file)
{
    if (file.model == Model::Nox) {
        const auto stored = NoxStoredValuesOf(NoxShownValuesOf(values, notes), file);
        if (!stored)
            return stored.failure();
        return ContentsAfterSave(loaded, stored.value());
    }
    const auto stored = SolvaneStoredValuesOf(SolvaneShownValuesOf(values, metric));
    if (!stored)
        return stored.failure();
    return ContentsAfterSave(loaded, stored.value());
}

} // namespace quenloft
