#include "vehicle/SessionChanges.h"

namespace quenloft {

QList<FieldChange> PendingChanges(const VehicleSession &session)
{
    if (!session.hasFile())
        return {};
    const auto plan = session.planSave();
    if (!plan)
        return {};
    // A field changes exactly when what a reload shows of it changes: the save writes a
    // field only when its stored value, read back, differs from the file's.
    const RunFileContents &before = session.contents();
    QList<FieldChange> changes;
    for (const FieldId id : session.display().shown) {
        const QString was = DisplayText(id, before, session.metric());
        const QString will = DisplayText(id, plan->after, session.metric());
        if (was != will)
            changes.append({id, was, will});
    }
    return changes;
}

} // namespace quenloft
