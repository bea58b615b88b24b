// Writing vehicle fields back into a run file in place. Every byte is computed and
// checked first (a list of patches); only then is the file touched.
#pragma once

#include "runfile/Model.h"
#include "runfile/RunFileReader.h"
#include "support/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace quenloft {

// The values the window shows, as texts without unit suffixes.
struct NoxShownValues
{
    QString runName;
    QString vehicleName;
    QString weight;
    QString rolloutLength;
    QString redline;
    QString shiftPoint;
    QString pitchFactor; // written only to files of version 2.0 and later
    QString notes;       // line breaks as CR LF; written only when not the loaded notes
};

struct SolvaneShownValues
{
    bool metric = false; // weight in kg and area in m^2, else lb and ft^2
    QString weight;
    QString frontalArea;
    QString coeffOfDrag;
    QString drivelineLoss;
};

// What the writer needs to know about the file as it was loaded.
struct LoadedFileInfo
{
    Model model = Model::Solvane;
    float fileVersion = 0.0f; // sngFileVersion
    qint64 notesPos = 0;      // lngNotesPos; 0 when the file has no notes block
    quint8 recordLength = 0;  // L of the run data
    QString loadedNotes;      // the notes as loaded, line breaks as CR LF
    FileStamp stamp;          // the file as it was loaded

    static LoadedFileInfo from(const RunFileContents &contents);
};

struct Patch
{
    qint64 offset = 0;
    QByteArray bytes;
    QString field; // for messages
};

// Error numbers of the writer's own refusals.
enum WriteFailure : qint32 {
    CannotStoreValue = 13,    // a value the file's field cannot hold
    FileChangedOnDisk = 1110, // "Media Changed"
    FilePartlyWritten = 1392, // "File Corrupt": a failed save that could not be undone; its
                              // journal puts the original bytes back on the next load
};

[[nodiscard]] Result<QList<Patch>> ComputeNoxPatches(const NoxShownValues &values,
                                                     const LoadedFileInfo &file);
[[nodiscard]] Result<QList<Patch>> ComputeSolvanePatches(const SolvaneShownValues &values);

} // namespace quenloft
