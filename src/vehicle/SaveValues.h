// From what the window shows to what a run file stores: the shown values of every field
// (numbers without their units) in the user's units, converted to the stored units the
// writer takes.
#pragma once

#include "runfile/RunFileWriter.h"
#include "vehicle/Fields.h"

#include <QMap>
#include <QString>

namespace quenloft {

// The shown values of every field but the notes: texts, and numbers without units.
using FieldValues = QMap<FieldId, QString>;

// What a save of the shown values writes into the file loaded as `loaded`, and what the
// file holds after it; or why a value cannot be stored. A Solvane weight or area of 0 or
// less stores as 0, which is not written; one above 0 that rounds to 0 is refused.
[[nodiscard]] Result<SavePlan> PlanShownSave(const FieldValues &values, const QString &notes,
                                             bool metric, const RunFileContents &loaded);

} // namespace quenloft
