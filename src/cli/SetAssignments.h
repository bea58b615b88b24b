// The FIELD=VALUE assignments of `set`, and how they are applied to an edit session: each
// value left in its field's editor as if typed into the window. The one-file and the batch
// form of `set` share them, so both accept and refuse the same values.
#pragma once

#include "vehicle/VehicleSession.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <optional>

namespace quenloft::cli {

struct Assignment
{
    QString key;
    QString value;
};

// The pair of `pairs` that has no '=', if any.
[[nodiscard]] std::optional<QString> FirstNonPair(const QStringList &pairs);
// Splits each pair at its first '='.
[[nodiscard]] QList<Assignment> ParseAssignments(const QStringList &pairs);

// Why an assignment's key names no field a file of `model` can change, for the first one
// that does not.
[[nodiscard]] std::optional<QString> UnchangeableKey(const QList<Assignment> &assignments,
                                                     Model model);

struct Refusal
{
    int code; // BadUsage for a field the file does not show, Rejected for a value
    QString message;
};

// Leaves each value in its field's editor of `session`, in order; stops at the first one
// refused. The keys have passed UnchangeableKey for the session's model.
[[nodiscard]] std::optional<Refusal> ApplyAssignments(VehicleSession &session,
                                                      const QList<Assignment> &assignments);

// Saves the file of `session` as the window's Save does and prints "Saved PATH"; or, when
// the values leave every field as the file holds it, prints "Unchanged PATH" and writes
// nothing at all (no write call, which a lock would refuse, and no new modification time).
// Returns why a save failed.
[[nodiscard]] std::optional<Failure> SaveChanges(VehicleSession &session, QTextStream &out);

// The batch form: the assignments applied to every run file of `paths`, by the file rules
// of check. Every file is read and every value checked before any file is written.
int RunBatchSet(const QStringList &paths, const QStringList &pairs, bool metric, bool dryRun,
                QTextStream &out, QTextStream &err);

} // namespace quenloft::cli
