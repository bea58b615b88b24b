// The rules of the field editors: what an editor starts with, how a typed value is
// normalised and range-checked when the editor is left, and what the label then shows.
#pragma once

#include "vehicle/Fields.h"

#include <QString>

namespace quenloft {

// "You entered a value that is out of the allowable range (lower-upper)." CR LF
// "Please correct this now."
[[nodiscard]] QString OutOfRangeMessage(const QString &lower, const QString &upper);

struct RangeCheck
{
    bool ok = false;
    QString message; // the out-of-range message; set also when ok
};

// A numeric text whose value, rounded half to even, fits 32 bits and lies in the bounds.
[[nodiscard]] RangeCheck CheckIntegerRange(const QString &text, qint32 lower, qint32 upper);
// A numeric text whose single-precision value lies in the bounds, without rounding.
[[nodiscard]] RangeCheck CheckRealRange(const QString &text, float lower, float upper);

// Rounds and formats a numeric entry of the fields that normalise (rollout length,
// frontal area, coefficient of drag, driveline loss); anything else comes back unchanged.
[[nodiscard]] QString NormaliseEntry(FieldId id, bool metric, const QString &text);

struct LeaveOutcome
{
    bool accepted = false;
    QString editorText; // the editor's text after normalising
    QString value;      // the field's new value, when accepted: the number, without a unit
    QString message;    // the out-of-range message, when not accepted
};

// What leaving a field's editor with `editorText` does.
[[nodiscard]] LeaveOutcome LeaveEditor(FieldId id, Model model, bool metric,
                                       const QString &editorText);

} // namespace quenloft
