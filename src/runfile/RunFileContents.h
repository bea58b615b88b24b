// What a run file holds, as the reader reads it.
#pragma once

#include "runfile/Model.h"
#include "support/NativeFile.h"

#include <QDateTime>
#include <QList>
#include <QString>

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

// The notes of either model.
[[nodiscard]] inline const QString &NotesOf(const RunFileContents &contents)
{
    return contents.model == Model::Nox ? contents.nox.notes : contents.solvane.notes;
}

} // namespace quenloft
