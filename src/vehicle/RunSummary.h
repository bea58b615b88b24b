// One run file as a row of a table: what `export`, `check --json` and the window's folder
// summary show for it. A row is read as the window reads the file (the loader and the
// display texts), so the three always agree.
#pragma once

#include "runfile/Model.h"
#include "runfile/RunFileReader.h"
#include "support/Result.h"
#include "vehicle/Fields.h"
#include "vehicle/VehicleDisplay.h"

#include <QString>

#include <optional>

namespace quenloft {

struct RunSummary
{
    QString path;
    std::optional<Model> model;         // from the name; none for a path that is no file
    QString error;                      // why it did not load, on one line; empty when it did
    std::optional<Failure> loadFailure; // the loader's own failure, when that was the reason
    QString recovery;         // what putting back an interrupted save did (CR LF); mostly empty
    RunFileContents contents; // valid when loaded()
    VehicleDisplay display;   // valid when loaded()

    [[nodiscard]] bool loaded() const { return error.isEmpty(); }
};

// Reads the run file at `path` in the given units. A file that does not load is still a
// row, with its error. Nothing is written: an unfinished earlier save is left for a load
// that edits to put back, and the row shows the file as that will leave it.
[[nodiscard]] RunSummary ReadRunSummary(const QString &path, bool metric,
                                        const ScanObserver &observer = {});

// The row of a path that names no run file to read: a folder that cannot be listed, a
// path that is not there. `why` is not empty.
[[nodiscard]] RunSummary UnreadableSummary(const QString &path, const QString &why);

// The display text of a field of the row's model, as the window shows it (the notes with
// CR LF line breaks); nullopt for a field its model does not have and for a row that did
// not load. The pitch factor of a Nox file before version 2.0 is "n/a".
[[nodiscard]] std::optional<QString> FieldText(const RunSummary &row, FieldId id);

// The value a numeric field holds in the file, in its stored unit: the Nox weight, redline
// and shift point as stored, the Solvane weight in kilograms, rollout length and pitch
// factor in tenths, the frontal area in hundredths of a square metre, the coefficient of
// drag in hundredths, the driveline loss in percent. Nullopt for a text field, a field the
// model does not have (the pitch factor before version 2.0) and a row that did not load.
[[nodiscard]] std::optional<qint64> StoredNumberOf(const RunSummary &row, FieldId id);

// The run-data record count and the damaged-record count: only Nox files have run data.
[[nodiscard]] std::optional<qint64> RecordCount(const RunSummary &row);
[[nodiscard]] std::optional<qint64> DamagedCount(const RunSummary &row);

} // namespace quenloft
