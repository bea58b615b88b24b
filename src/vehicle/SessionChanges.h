// What a save of an edit session would change in its file: the fields whose stored value
// (or text), as a reload reads it, differs from the file as loaded. A value typed
// differently that stores the same (2714 lbs for the 1234 kg shown as 2714.8 lbs) is no
// change.
#pragma once

#include "vehicle/VehicleSession.h"

#include <QList>
#include <QString>

namespace quenloft {

struct FieldChange
{
    FieldId field;
    QString before; // the display text of the file as loaded
    QString after;  // the display text once the save is done, as a reload shows it
};

// In the window's order, the notes last. Empty when nothing changes, and when the shown
// values cannot be stored at all (planSave() says why).
[[nodiscard]] QList<FieldChange> PendingChanges(const VehicleSession &session);

} // namespace quenloft
