// From what the window shows to what a run file stores: the shown values of every field
// (numbers without their units) in the user's units, converted to the stored units the
// writer takes.
#pragma once

#include "runfile/RunFileWriter.h"
#include "vehicle/Fields.h"

#include <QMap>
#include <QString>

namespace quenloft {

// The values the window shows, as texts without unit suffixes. Like the stored values they
// have no defaults, so building one without a field does not compile.
struct NoxShownValues
{
    QString runName;
    QString vehicleName;
    QString weight;
    QString rolloutLength;
    QString redline;
    QString shiftPoint;
    QString pitchFactor; // stored only in files of version 2.0 and later
    QString notes;       // line breaks as CR LF
};

struct SolvaneShownValues
{
    bool metric; // weight in kg and area in m^2, else lb and ft^2
    QString weight;
    QString frontalArea;
    QString coeffOfDrag;
    QString drivelineLoss;
};

// The number a file of `model` stores for the numeric field's shown `value`, or why it
// cannot store it. A Solvane weight or area of 0 or less stores as 0, which is not
// written; one above 0 that rounds to 0 is refused.
[[nodiscard]] Result<qint64> StoredNumber(FieldId id, Model model, bool metric,
                                          const QString &value);

// The stored values of the shown ones, or why one cannot be stored.
[[nodiscard]] Result<NoxStoredValues> NoxStoredValuesOf(const NoxShownValues &shown,
                                                        const LoadedFileInfo &file);
[[nodiscard]] Result<SolvaneStoredValues> SolvaneStoredValuesOf(const SolvaneShownValues &shown);

// The patches that store the shown values that changed in the loaded file.
[[nodiscard]] Result<QList<Patch>> NoxPatchesOf(const NoxShownValues &shown,
                                                const LoadedFileInfo &file);
[[nodiscard]] Result<QList<Patch>> SolvanePatchesOf(const SolvaneShownValues &shown,
                                                    const LoadedFileInfo &file = {});

// The shown values of every field but the notes: texts, and numbers without units.
using FieldValues = QMap<FieldId, QString>;

[[nodiscard]] NoxShownValues NoxShownValuesOf(const FieldValues &values, const QString &notes);
[[nodiscard]] SolvaneShownValues SolvaneShownValuesOf(const FieldValues &values, bool metric);

// All patches for a save of the shown values of the loaded file.
[[nodiscard]] Result<QList<Patch>> ComputePatches(const FieldValues &values, const QString &notes,
                                                  bool metric, const LoadedFileInfo &file);

// The file loaded as `loaded` once the shown values are saved, as a reload reads it; or
// why they cannot be stored.
[[nodiscard]] Result<RunFileContents> ContentsAfterSaving(const FieldValues &values,
                                                          const QString &notes, bool metric,
                                                          const RunFileContents &loaded,
                                                          const LoadedFileInfo &file);

} // namespace quenloft
