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

// A Solvane two-byte field from a value in stored units; 0 or less stores as 0, which the
// writer leaves unwritten.
Result<quint16> storedUnits(double stored, const QString &text, const QString &field,
                            const QString &limit)
{
    const double whole = RoundHalfEven(stored);
    if (!(whole <= 65535.0))
        return cannotStore(QStringLiteral("The %1 %2 does not fit its field (at most %3)")
                               .arg(field, text, limit));
    return whole <= 0.0 ? quint16(0) : quint16(whole);
}

// The Solvane weight or area in stored units from the shown text in the user's units.
Result<quint16> storedMeasure(const QString &text, bool metric, double factor, double scale,
                              const QString &field, const QString &limit)
{
    const auto value = ParseDouble(text);
    if (!value)
        return notANumber(field, text);
    const double metricValue = metric ? *value : *value / factor;
    return storedUnits(metricValue * scale, text, field, limit);
}

} // namespace

Result<NoxStoredValues> NoxStoredValuesOf(const NoxShownValues &shown, const LoadedFileInfo &file)
{
    NoxStoredValues stored;
    stored.runName = shown.runName;
    stored.vehicleName = shown.vehicleName;
    stored.notes = shown.notes;
    if (file.fileVersion >= 2.0f) {
        const auto pitch = storedTenths(shown.pitchFactor, QStringLiteral("pitch factor"));
        if (!pitch)
            return pitch.failure();
        stored.pitchFactor = pitch.value();
    }
    const auto weight = storedWord(shown.weight, QStringLiteral("weight"));
    if (!weight)
        return weight.failure();
    stored.weight = weight.value();
    const auto rollout = storedTenths(shown.rolloutLength, QStringLiteral("rollout length"));
    if (!rollout)
        return rollout.failure();
    stored.rolloutLength = rollout.value();
    const auto redline = storedWord(shown.redline, QStringLiteral("redline"));
    if (!redline)
        return redline.failure();
    stored.redline = redline.value();
    const auto shiftPoint = storedWord(shown.shiftPoint, QStringLiteral("shift point"));
    if (!shiftPoint)
        return shiftPoint.failure();
    stored.shiftPoint = shiftPoint.value();
    return stored;
}

Result<SolvaneStoredValues> SolvaneStoredValuesOf(const SolvaneShownValues &shown)
{
    SolvaneStoredValues stored;
    const auto weight = storedMeasure(shown.weight, shown.metric, PoundsPerKilogram, 1.0,
                                      QStringLiteral("weight"), QStringLiteral("65535 kg"));
    if (!weight)
        return weight.failure();
    stored.weight = weight.value();
    const auto area =
        storedMeasure(shown.frontalArea, shown.metric, SquareFeetPerSquareMetre, 100.0,
                      QStringLiteral("frontal area"), QStringLiteral("655.35 m^2"));
    if (!area)
        return area.failure();
    stored.frontalArea = area.value();
    // Via a 15-digit text, so 0.29 * 100 = 28.999999999999996 is stored as 29.
    const auto drag = ParseDouble(shown.coeffOfDrag);
    if (!drag)
        return notANumber(QStringLiteral("coefficient of drag"), shown.coeffOfDrag);
    const auto dragUnits =
        storedByte(DoubleText(*drag * 100.0), QStringLiteral("coefficient of drag"));
    if (!dragUnits)
        return dragUnits.failure();
    stored.coeffOfDrag = dragUnits.value();
    const auto loss = storedByte(shown.drivelineLoss, QStringLiteral("driveline loss"));
    if (!loss)
        return loss.failure();
    stored.drivelineLoss = loss.value();
    return stored;
}

Result<QList<Patch>> NoxPatchesOf(const NoxShownValues &shown, const LoadedFileInfo &file)
{
    const auto stored = NoxStoredValuesOf(shown, file);
    if (!stored)
        return stored.failure();
    return ComputeNoxPatches(stored.value(), file);
}

Result<QList<Patch>> SolvanePatchesOf(const SolvaneShownValues &shown)
{
    const auto stored = SolvaneStoredValuesOf(shown);
    if (!stored)
        return stored.failure();
    return ComputeSolvanePatches(stored.value());
}

NoxShownValues NoxValuesFromCaptions(const Captions &captions, const QString &notes)
{
    auto value = [&](FieldId id) { return ValueFromCaption(id, Model::Nox, captions.value(id)); };
    NoxShownValues v;
    v.runName = value(FieldId::RunName);
    v.vehicleName = value(FieldId::VehicleName);
    v.weight = value(FieldId::Weight);
    v.rolloutLength = value(FieldId::RolloutLength);
    v.redline = value(FieldId::Redline);
    v.shiftPoint = value(FieldId::ShiftPoint);
    v.pitchFactor = value(FieldId::PitchFactor);
    v.notes = notes;
    return v;
}

SolvaneShownValues SolvaneValuesFromCaptions(const Captions &captions, bool metric)
{
    auto value = [&](FieldId id) {
        return ValueFromCaption(id, Model::Solvane, captions.value(id));
    };
    SolvaneShownValues v;
    v.metric = metric;
    v.weight = value(FieldId::Weight);
    v.frontalArea = value(FieldId::FrontalArea);
    v.coeffOfDrag = value(FieldId::CoeffOfDrag);
    v.drivelineLoss = value(FieldId::DrivelineLoss);
    return v;
}

Result<QList<Patch>> ComputePatches(const Captions &captions, const QString &notes, bool metric,
                                    const LoadedFileInfo &file)
{
    if (file.model == Model::Nox)
        return NoxPatchesOf(NoxValuesFromCaptions(captions, notes), file);
    return SolvanePatchesOf(SolvaneValuesFromCaptions(captions, metric));
}

} // namespace quenloft
