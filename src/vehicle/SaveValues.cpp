#include "vehicle/SaveValues.h"

#include "vehicle/FieldEntry.h"

namespace quenloft {

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
        return ComputeNoxPatches(NoxValuesFromCaptions(captions, notes), file);
    return ComputeSolvanePatches(SolvaneValuesFromCaptions(captions, metric));
}

} // namespace quenloft
