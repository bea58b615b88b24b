// From what the window shows to what a run file stores: the shown texts of every field in
// the user's units, converted to the stored units the writer takes.
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

// The stored values of the shown ones, or why one cannot be stored.
[[nodiscard]] Result<NoxStoredValues> NoxStoredValuesOf(const NoxShownValues &shown,
                                                        const LoadedFileInfo &file);
[[nodiscard]] Result<SolvaneStoredValues> SolvaneStoredValuesOf(const SolvaneShownValues &shown);

// The patches that store the shown values that changed in the loaded file.
[[nodiscard]] Result<QList<Patch>> NoxPatchesOf(const NoxShownValues &shown,
                                                const LoadedFileInfo &file);
[[nodiscard]] Result<QList<Patch>> SolvanePatchesOf(const SolvaneShownValues &shown,
                                                    const LoadedFileInfo &file = {});

using Captions = QMap<FieldId, QString>;

[[nodiscard]] NoxShownValues NoxValuesFromCaptions(const Captions &captions, const QString &notes);
[[nodiscard]] SolvaneShownValues SolvaneValuesFromCaptions(const Captions &captions, bool metric);

// All patches for a save of the shown values of the loaded file.
[[nodiscard]] Result<QList<Patch>> ComputePatches(const Captions &captions, const QString &notes,
                                                  bool metric, const LoadedFileInfo &file);

} // namespace quenloft
