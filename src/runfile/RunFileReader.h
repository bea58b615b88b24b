// Reading a run file: a pure function from the file's bytes to what it holds.
#pragma once

#include "runfile/ByteSource.h"
#include "runfile/Model.h"
#include "support/Errors.h"
#include "support/NativeFile.h"
#include "support/Result.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace quenloft {

struct NoxContents
{
    bool versionTagKnown = false; // the version area starts with "VEXAVERSION"
    QString versionText;          // what follows the tag
    float fileVersion = 0.0f;     // sngFileVersion: 1.1.1 reads as 1.11, 2.0.3 as 2.03
    qint64 runDataStart = 0;      // lngRunDataStart: 1-based position of the first length byte

    QString runName;
    QString vehicleName;
    std::optional<quint8> pitchFactor; // tenths; only in files of version 2.0 and later
    quint16 weight = 0;
    quint8 rolloutLength = 0; // tenths of an inch
    quint16 redline = 0;
    quint16 shiftPoint = 0;

    // The run-data walk.
    quint8 recordLength = 0;        // L; 0 means no run data (and no notes block)
    qint64 numRecords = 0;          // lngNumRecords
    QList<qint64> damagedPositions; // 1-based positions of bad separators and length bytes,
                                    // the first ones
    qint64 damagedCount = 0;        // all damaged records, listed or not
    qint64 brokenLengthBytes = 0;   // damaged length bytes among them (not L, and not a notes
                                    // block at the end of the file)
    qint64 notesPos = 0;            // lngNotesPos: 1-based position of the notes length byte
    QString notes;                  // line breaks as CR LF
};

struct SolvaneContents
{
    std::optional<QDateTime> runDate; // UTC-held wall clock; none when the date bytes are all 0
    quint16 frontalArea = 0;          // hundredths of a square metre
    quint8 coeffOfDrag = 0;           // hundredths
    quint8 drivelineLoss = 0;         // whole percent
    quint16 weight = 0;               // whole kilograms
    QString notes;
};

struct RunFileContents
{
    Model model = Model::Solvane;
    FileStamp stamp; // of the file the contents came from; unset for bytes in memory
    NoxContents nox;
    SolvaneContents solvane;
};

// How far a long scan has come. Returning false from the observer abandons the load.
using ScanObserver = std::function<bool(qint64 bytesScanned, qint64 totalBytes)>;

// Error numbers of the reader's own failures.
enum ReadFailure : qint32 {
    TypeMismatch = ErrorInvalidData,       // a version text or date that is not one
    InputPastEnd = 62,                     // a file too short for its model's header
    LoadAbandoned = ErrorOperationAborted, // the observer asked to stop
};

// How many bytes may follow the NUL of the notes block that ends the run data: what a
// shorter rewrite leaves of the longest block (length byte, 255 notes, NUL), and one more.
inline constexpr qint64 MaxBytesAfterNotes = 256;

// At most this many damaged positions are listed; all are counted.
inline constexpr qsizetype MaxListedDamagedRecords = 10000;

// The size of the window the run-data walk reads through.
inline constexpr qint64 ScanBufferSize = 1 << 20;

[[nodiscard]] Result<RunFileContents> ReadRunFile(ByteSource &source, Model model,
                                                  const ScanObserver &observer = {});

// Opens the file for reading, reads it and closes it again, also after a failure.
[[nodiscard]] Result<RunFileContents> ReadRunFileAt(const QString &path, Model model,
                                                    const ScanObserver &observer = {});

// A text field's text: up to its first NUL (the writer's terminator; 0xFF fill follows
// it), without blanks and NULs at either end.
[[nodiscard]] QString TextOfField(QByteArrayView bytes);
// The notes of a notes block's bytes: each CR and each NUL becomes CR LF.
[[nodiscard]] QString NotesOfBytes(QByteArrayView bytes);

// The version number formed from the text after the version tag, or nullopt when that
// text is not a number.
[[nodiscard]] std::optional<float> FileVersionFromText(const QString &text);

} // namespace quenloft
