#include "vehicle/SessionChanges.h"

#include "vehicle/SaveValues.h"

namespace quenloft {
namespace {

// The fields whose stored form differs, by comparing what the file holds with what a save
// of the shown texts would store.
QList<FieldId> changedNoxFields(const VehicleSession &session)
{
    const NoxContents &loaded = session.contents().nox;
    const auto stored = NoxStoredValuesOf(
        NoxValuesFromCaptions(session.display().captions, session.notes()), session.loadedFile());
    if (!stored)
        return {};
    const NoxStoredValues &now = stored.value();
    QList<FieldId> changed;
    const auto note = [&changed](bool differs, FieldId id) {
        if (differs)
            changed.append(id);
    };
    note(now.runName != loaded.runName, FieldId::RunName);
    note(now.vehicleName != loaded.vehicleName, FieldId::VehicleName);
    note(now.weight != loaded.weight, FieldId::Weight);
    note(now.redline != loaded.redline, FieldId::Redline);
    note(now.shiftPoint != loaded.shiftPoint, FieldId::ShiftPoint);
    note(now.rolloutLength != loaded.rolloutLength, FieldId::RolloutLength);
    note(loaded.pitchFactor && now.pitchFactor != loaded.pitchFactor, FieldId::PitchFactor);
    note(now.notes != loaded.notes, FieldId::Notes);
    return changed;
}

QList<FieldId> changedSolvaneFields(const VehicleSession &session)
{
    const SolvaneContents &loaded = session.contents().solvane;
    const auto stored = SolvaneStoredValuesOf(
        SolvaneValuesFromCaptions(session.display().captions, session.metric()));
    if (!stored)
        return {};
    const SolvaneStoredValues &now = stored.value();
    QList<FieldId> changed;
    const auto note = [&changed](bool differs, FieldId id) {
        if (differs)
            changed.append(id);
    };
    // A weight or area of 0 is not written, so it changes nothing.
    note(now.weight != 0 && now.weight != loaded.weight, FieldId::Weight);
    note(now.frontalArea != 0 && now.frontalArea != loaded.frontalArea, FieldId::FrontalArea);
    note(now.coeffOfDrag != loaded.coeffOfDrag, FieldId::CoeffOfDrag);
    note(now.drivelineLoss != loaded.drivelineLoss, FieldId::DrivelineLoss);
    return changed;
}

} // namespace

QList<FieldChange> PendingChanges(const VehicleSession &session)
{
    if (!session.hasFile())
        return {};
    const QList<FieldId> changed = session.shownModel() == Model::Nox
                                       ? changedNoxFields(session)
                                       : changedSolvaneFields(session);
    QList<FieldChange> changes;
    for (const FieldId id : changed) {
        const bool notes = id == FieldId::Notes;
        changes.append({id, DisplayText(id, session.contents(), session.metric()),
                        notes ? session.notes() : session.text(id)});
    }
    return changes;
}

} // namespace quenloft
