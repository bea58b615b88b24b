#include "vehicle/SaveValues.h"

#include "support/NumberText.h"
#include "vehicle/FieldEntry.h"
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

// A shown whole number, rounded half to even. Negative values are no number of the file.
Result<double> wholeNumber(const QString &text, const QString &field)
{
    const auto value = ParseDouble(text);
    if (!value)
        return notANumber(field, text);
    const double whole = RoundHalfEven(*value);
    if (!(whole >= 0.0) || whole > 4294967295.0)
        return notANumber(field, text);
    return whole;
}

// A Nox integer field of two bytes.
Result<quint16> storedWord(const QString &text, const QString &field)
{
    const auto whole = wholeNumber(text, field);
    if (!whole)
        return whole.failure();
    if (whole.value() > 65535.0)
        return cannotStore(
            QStringLiteral("The %1 %2 does not fit its field (0 to 65535)").arg(field, text));
    return quint16(whole.value());
}

// A one-byte field of whole stored units, from their decimal text.
Result<quint8> storedByte(const QString &text, const QString &field)
{
    const auto whole = wholeNumber(text, field);
    if (!whole)
        return whole.failure();
    if (whole.value() > 255.0)
        return cannotStore(
            QStringLiteral("The %1 %2 does not fit its field (0 to 255 stored units)")
                .arg(field, text));
    return quint8(whole.value());
}

// The shown number times ten in single precision, rounded half to even.
Result<quint8> storedTenths(const QString &text, const QString &field)
{
    const auto value = ParseSingle(text);
    if (!value)
        return notANumber(field, text);
    const float tenths = *value * 10.0f;
    const double whole = RoundHalfEven(double(tenths));
    if (!(whole >= 0.0 && whole <= 255.0))
        return cannotStore(
            QStringLiteral("The %1 %2 does not fit its field (0 to 25.5)").arg(field, text));
    return quint8(whole);
}

// The Solvane weight or area in stored units from the shown text in the user's units. A
// shown value above 0 that rounds to 0 is refused: the writer would leave the old value in
// the file, and a save that says so beats one that reports a value it did not store. 0 or
// less stores as 0, which the writer leaves unwritten.
struct Measure
{
    double factor; // user units per metric unit, when imperial
    double scale;  // stored units per metric unit
    QString field;
    QString limit;    // the largest value, for the message
    QString unit;     // the user's unit
    QString smallest; // the smallest value stored, in the user's units
};

Result<quint16> storedMeasure(const QString &text, bool metric, const Measure &m)
{
    const auto value = ParseDouble(text);
    if (!value)
        return notANumber(m.field, text);
    const double metricValue = metric ? *value : *value / m.factor;
    const double whole = RoundHalfEven(metricValue * m.scale);
    if (!(whole <= 65535.0))
        return cannotStore(QStringLiteral("The %1 %2 does not fit its field (at most %3)")
                               .arg(m.field, text, m.limit));
    if (*value > 0.0 && whole <= 0.0)
        return cannotStore(QStringLiteral("The %1 %2 %3 is too small to be stored; the smallest "
                                          "%1 a run file can hold is %4")
                               .arg(m.field, text, m.unit, m.smallest));
    return whole <= 0.0 ? quint16(0) : quint16(whole);
}

} // namespace

Result<NoxStoredValues> NoxStoredValuesOf(const NoxShownValues &shown, const LoadedFileInfo &file)
{
    std::optional<quint8> pitchFactor;
    if (file.fileVersion >= 2.0f) {
        const auto pitch = storedTenths(shown.pitchFactor, QStringLiteral("pitch factor"));
        if (!pitch)
            return pitch.failure();
        pitchFactor = pitch.value();
    }
    const auto weight = storedWord(shown.weight, QStringLiteral("weight"));
    if (!weight)
        return weight.failure();
    const auto rollout = storedTenths(shown.rolloutLength, QStringLiteral("rollout length"));
    if (!rollout)
        return rollout.failure();
    const auto redline = storedWord(shown.redline, QStringLiteral("redline"));
    if (!redline)
        return redline.failure();
    const auto shiftPoint = storedWord(shown.shiftPoint, QStringLiteral("shift point"));
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
    const auto weight =
        storedMeasure(shown.weight, shown.metric,
                      {PoundsPerKilogram, 1.0, QStringLiteral("weight"), QStringLiteral("65535 kg"),
                       shown.metric ? QStringLiteral("kgs") : QStringLiteral("lbs"),
                       shown.metric ? QStringLiteral("1 kgs") : QStringLiteral("2.2 lbs")});
    if (!weight)
        return weight.failure();
    const auto area =
        storedMeasure(shown.frontalArea, shown.metric,
                      {SquareFeetPerSquareMetre, 100.0, QStringLiteral("frontal area"),
                       QStringLiteral("655.35 m^2"),
                       shown.metric ? QStringLiteral("m^2") : QStringLiteral("ft^2"),
                       shown.metric ? QStringLiteral("0.01 m^2") : QStringLiteral("0.1076 ft^2")});
    if (!area)
        return area.failure();
    // Via a 15-digit text, so 0.29 * 100 = 28.999999999999996 is stored as 29.
    const auto drag = ParseDouble(shown.coeffOfDrag);
    if (!drag)
        return notANumber(QStringLiteral("coefficient of drag"), shown.coeffOfDrag);
    const auto dragUnits =
        storedByte(DoubleText(*drag * 100.0), QStringLiteral("coefficient of drag"));
    if (!dragUnits)
        return dragUnits.failure();
    const auto loss = storedByte(shown.drivelineLoss, QStringLiteral("driveline loss"));
    if (!loss)
        return loss.failure();
    return SolvaneStoredValues{
        .weight = weight.value(),
        .frontalArea = area.value(),
        .coeffOfDrag = dragUnits.value(),
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

NoxShownValues NoxValuesFromCaptions(const Captions &captions, const QString &notes)
{
    auto value = [&](FieldId id) { return ValueFromCaption(id, Model::Nox, captions.value(id)); };
    return NoxShownValues{
        .runName = value(FieldId::RunName),
        .vehicleName = value(FieldId::VehicleName),
        .weight = value(FieldId::Weight),
        .rolloutLength = value(FieldId::RolloutLength),
        .redline = value(FieldId::Redline),
        .shiftPoint = value(FieldId::ShiftPoint),
        .pitchFactor = value(FieldId::PitchFactor),
        .notes = notes,
    };
}

SolvaneShownValues SolvaneValuesFromCaptions(const Captions &captions, bool metric)
{
    auto value = [&](FieldId id) {
        return ValueFromCaption(id, Model::Solvane, captions.value(id));
    };
    return SolvaneShownValues{
        .metric = metric,
        .weight = value(FieldId::Weight),
        .frontalArea = value(FieldId::FrontalArea),
        .coeffOfDrag = value(FieldId::CoeffOfDrag),
        .drivelineLoss = value(FieldId::DrivelineLoss),
    };
}

Result<QList<Patch>> ComputePatches(const Captions &captions, const QString &notes, bool metric,
                                    const LoadedFileInfo &file)
{
    if (file.model == Model::Nox)
        return NoxPatchesOf(NoxValuesFromCaptions(captions, notes), file);
    return SolvanePatchesOf(SolvaneValuesFromCaptions(captions, metric), file);
}

} // namespace quenloft
