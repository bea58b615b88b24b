// Rows of run files as CSV (RFC 4180): a header record, then one record per file, fields
// quoted where they hold a comma, a quote or a line break, quotes doubled, records ended
// by CR LF. Every file has every column; a field its model does not have is empty.
#pragma once

#include "vehicle/RunSummary.h"

#include <QString>
#include <QStringList>

namespace quenloft {

// The column names: path, model, version, each field's display text by its key
// (run_name for Nox and run_date for Solvane apart), each numeric field's stored value
// (stored_weight, ...), records, damaged_count, error.
[[nodiscard]] QStringList CsvColumns();

// The header record and the record of one row, each with its CR LF.
[[nodiscard]] QString CsvHeader();
[[nodiscard]] QString CsvRecord(const RunSummary &row);

// One field, quoted when it has to be.
[[nodiscard]] QString CsvField(const QString &text);

} // namespace quenloft
