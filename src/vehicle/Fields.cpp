#include "vehicle/Fields.h"

#include <QList>

namespace quenloft {

const FieldInfo &fieldInfo(FieldId id)
{
    return kFields[size_t(id)];
}

// The table is indexed by the enumeration, and has a record for each of its values (the
// notes come last).
static_assert(kFields.size() == size_t(FieldId::Notes) + 1);
static_assert([] {
    for (size_t i = 0; i < kFields.size(); ++i)
        if (size_t(kFields[i].id) != i)
            return false;
    return true;
}());

QList<FieldId> columnFields()
{
    QList<FieldId> fields;
    for (const FieldInfo &f : kFields)
        if (f.id != FieldId::Notes)
            fields.append(f.id);
    return fields;
}

QList<FieldId> shownFields(Model model, bool hasPitchFactor)
{
    QList<FieldId> fields;
    for (const FieldInfo &f : kFields)
        if (includes(f.shownIn, model) && (f.id != FieldId::PitchFactor || hasPitchFactor))
            fields.append(f.id);
    return fields;
}

QString jsonKey(FieldId id, Model model)
{
    switch (id) {
    case FieldId::RunName:
        return model == Model::Nox ? QStringLiteral("run_name") : QStringLiteral("run_date");
    case FieldId::VehicleName:
        return QStringLiteral("vehicle_name");
    case FieldId::Weight:
        return QStringLiteral("weight");
    case FieldId::Redline:
        return QStringLiteral("redline");
    case FieldId::ShiftPoint:
        return QStringLiteral("shift_point");
    case FieldId::RolloutLength:
        return QStringLiteral("rollout_length");
    case FieldId::PitchFactor:
        return QStringLiteral("pitch_factor");
    case FieldId::FrontalArea:
        return QStringLiteral("frontal_area");
    case FieldId::CoeffOfDrag:
        return QStringLiteral("coeff_of_drag");
    case FieldId::DrivelineLoss:
        return QStringLiteral("driveline_loss");
    case FieldId::Notes:
        return QStringLiteral("notes");
    }
    return {};
}

std::optional<FieldId> fieldFromJsonKey(const QString &key, Model model)
{
    for (const FieldInfo &f : kFields)
        if (jsonKey(f.id, model) == key)
            return f.id;
    return std::nullopt;
}

QString captionOf(FieldId id, Model model)
{
    if (id == FieldId::RunName && model == Model::Solvane)
        return QStringLiteral("Run Date:");
    return QString::fromLatin1(fieldInfo(id).caption);
}

bool isEditable(FieldId id, Model model)
{
    const FieldInfo &f = fieldInfo(id);
    return includes(f.shownIn, model) && includes(f.editorIn, model);
}

} // namespace quenloft
