// Writing vehicle fields back into a run file in place. Every byte is computed and
// checked first (a list of patches); only then is the file touched.
#pragma once

#include "runfile/Model.h"
#include "runfile/RunFileReader.h"
#include "support/Errors.h"
#include "support/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace quenloft {

// The vehicle fields in their stored units, as the reader returns them. No member has a
// default: built with designated initializers, a field left out does not compile.
struct NoxStoredValues
{
    QString runName;
    QString vehicleName;
    quint16 weight;
    quint8 rolloutLength; // tenths of an inch
    quint16 redline;
    quint16 shiftPoint;
    std::optional<quint8> pitchFactor; // tenths; written only to files of version 2.0 and later
    QString notes;                     // line breaks as CR LF

    friend bool operator==(const NoxStoredValues &, const NoxStoredValues &) = default;
};

struct SolvaneStoredValues
{
    quint16 weight;       // whole kilograms; 0 is not written
    quint16 frontalArea;  // hundredths of a square metre; 0 is not written
    quint8 coeffOfDrag;   // hundredths
    quint8 drivelineLoss; // whole percent

    friend bool operator==(const SolvaneStoredValues &, const SolvaneStoredValues &) = default;
};

// What the writer needs to know about the file as it was loaded.
struct LoadedFileInfo
{
    Model model = Model::Solvane;
    float fileVersion = 0.0f;     // sngFileVersion
    qint64 notesPos = 0;          // lngNotesPos; 0 when the file has no notes block
    quint8 recordLength = 0;      // L of the run data
    qint64 brokenLengthBytes = 0; // damaged length bytes in the run data
    FileStamp stamp;              // the file as it was loaded
    // The values the file held, as the reader read them: only a field whose value differs
    // from them is written, so the bytes of a field nobody changed stay as they are, also
    // where they are not what the writer would write (NUL padding, text after the NUL,
    // blanks around a name). Unset for a file whose values are not known: every field is
    // then written.
    std::optional<NoxStoredValues> nox;
    std::optional<SolvaneStoredValues> solvane;

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
    CannotStoreValue = ErrorInvalidData, // a value the file's field cannot hold
    FileChangedOnDisk = 1110,            // "Media Changed"
    FilePartlyWritten = 1392, // "File Corrupt": a failed save that could not be undone; its
                              // journal puts the original bytes back on the next load
};

// The patches that store the values that changed in a file loaded as `file`. Refused only
// for texts a run file cannot hold and for notes it has no place for.
[[nodiscard]] Result<QList<Patch>> ComputeNoxPatches(const NoxStoredValues &values,
                                                     const LoadedFileInfo &file);
[[nodiscard]] Result<QList<Patch>> ComputeSolvanePatches(const SolvaneStoredValues &values,
                                                         const LoadedFileInfo &file = {});

// What a file loaded as `loaded` holds once the values are saved, as the loader will read
// it: every field that changed as its written bytes read back (a name without the blanks
// around it, notes with CR LF line breaks), every other field as it was.
[[nodiscard]] RunFileContents ContentsAfterSave(const RunFileContents &loaded,
                                                const NoxStoredValues &values);
[[nodiscard]] RunFileContents ContentsAfterSave(const RunFileContents &loaded,
                                                const SolvaneStoredValues &values);

// Whether a save of a file of `model` can write `bytes` at `offset`: one of the model's
// vehicle fields whole, or a Nox notes block after the start of the run data. A rollback
// journal that covers anything else was not written by a save.
[[nodiscard]] bool IsSavedRange(Model model, qint64 offset, const QByteArray &bytes);

// The smallest file of the model the loader reads.
[[nodiscard]] qint64 MinimumFileSize(Model model);

} // namespace quenloft
