// Reading a run file: a pure function from the file's bytes to what it holds.
#pragma once

#include "runfile/ByteSource.h"
#include "runfile/Model.h"
#include "runfile/RunFileContents.h"
#include "support/Errors.h"
#include "support/NativeFile.h"
#include "support/Result.h"

#include <QString>

#include <functional>
#include <optional>

namespace quenloft {

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

// The version number formed from the text after the version tag, or nullopt when that
// text is not a number.
[[nodiscard]] std::optional<float> FileVersionFromText(const QString &text);

} // namespace quenloft
