#include "vehicle/Fields.h"

#include <QList>

namespace quenloft {

const FieldInfo &fieldInfo(FieldId id)
{
    return kFields[size_t(id)];
}

QList<FieldId> shownFields(Model model, bool hasPitchFactor)
{
    if (model == Model::Solvane)
        return {FieldId::RunName,     FieldId::Weight,        FieldId::FrontalArea,
                FieldId::CoeffOfDrag, FieldId::DrivelineLoss, FieldId::Notes};
    QList<FieldId> fields{FieldId::RunName, FieldId::VehicleName, FieldId::Weight,
                          FieldId::Redline, FieldId::ShiftPoint,  FieldId::RolloutLength};
    if (hasPitchFactor)
        fields.append(FieldId::PitchFactor);
    fields.append(FieldId::Notes);
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
    if (model == Model::Solvane)
        return id == FieldId::Weight || id == FieldId::FrontalArea || id == FieldId::CoeffOfDrag ||
               id == FieldId::DrivelineLoss;
    return id != FieldId::FrontalArea && id != FieldId::CoeffOfDrag && id != FieldId::DrivelineLoss;
}

} // namespace quenloft
