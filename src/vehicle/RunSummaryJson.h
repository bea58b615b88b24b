// Run files as JSON objects: `show --json`'s object, and the rows of `export --json` and
// `check --json` built on it.
#pragma once

#include "vehicle/RunSummary.h"

#include <QJsonObject>

namespace quenloft {

// model, version, every field of the model by its key (display texts, notes with CR LF)
// and, for Nox files, records, records_label (null while the window hides it), damaged,
// damaged_count and notes_position.
[[nodiscard]] QJsonObject ShowJson(const RunFileContents &contents, const VehicleDisplay &display);

// ShowJson's keys (only model for a file that did not load) plus path and error (null when
// it loaded).
[[nodiscard]] QJsonObject ExportJson(const RunSummary &row);

// path, model, records, damaged_count, damaged and error; what a model does not have, and
// what a file that did not load does not tell, is null.
[[nodiscard]] QJsonObject CheckJson(const RunSummary &row);

} // namespace quenloft
