// The vehicle fields the window shows and edits, and what each one is.
#pragma once

#include "runfile/Model.h"

#include <QString>

#include <array>
#include <optional>

namespace quenloft {

enum class FieldId {
    RunName, // the run date for Solvane files, which shares its label
    VehicleName,
    Weight,
    Redline,
    ShiftPoint,
    RolloutLength,
    PitchFactor,
    FrontalArea,
    CoeffOfDrag,
    DrivelineLoss,
    Notes,
};

enum class CheckKind {
    None,    // text taken as typed
    Integer, // whole number in bounds, after rounding halves to even
    Real,    // single-precision number in bounds
};

struct FieldInfo
{
    FieldId id;
    const char *labelName;  // the display label's objectName
    const char *editorName; // the field editor's objectName
    const char *caption;    // the caption label's text
    int editorLimit;        // characters the editor accepts; 0 for no limit
    CheckKind check;
    int decimals; // normalised to this many decimals on leaving the editor; -1 for none
};

inline constexpr std::array<FieldInfo, 11> kFields{{
    {FieldId::RunName, "lblRunName", "txtRunName", "Run Name:", 47, CheckKind::None, -1},
    {FieldId::VehicleName, "lblVehicleName", "txtVehicleName", "Vehicle Name:", 15, CheckKind::None,
     -1},
    {FieldId::Weight, "lblVehicleWeight", "txtVehicleWeight", "Vehicle Weight:", 6,
     CheckKind::Integer, -1},
    {FieldId::Redline, "lblVehicleRedline", "txtVehicleRedline", "Redline:", 5, CheckKind::Integer,
     -1},
    {FieldId::ShiftPoint, "lblVehicleShiftPoint", "txtVehicleShiftPoint", "Shift Point:", 5,
     CheckKind::Integer, -1},
    {FieldId::RolloutLength, "lblVehicleRolloutLength", "txtVehicleRolloutLength",
     "Rollout Length:", 4, CheckKind::Real, 1},
    {FieldId::PitchFactor, "lblPitchFactor", "txtPitchFactor", "Pitch Factor:", 3, CheckKind::Real,
     -1},
    {FieldId::FrontalArea, "lblVehicleFrontalArea", "txtVehicleFrontalArea", "Frontal Area:", 7,
     CheckKind::Real, 2}, // 3 in imperial units
    {FieldId::CoeffOfDrag, "lblVehicleCoeffOfDrag", "txtVehicleCoeffOfDrag", "Coeff. of Drag:", 4,
     CheckKind::Real, 2},
    {FieldId::DrivelineLoss, "lblVehicleDrivelineLoss", "txtVehicleDrivelineLoss",
     "Driveline Loss:", 2, CheckKind::Real, 0},
    {FieldId::Notes, "", "txtVehicleNotes", "Vehicle Notes:", 0, CheckKind::None, -1},
}};

[[nodiscard]] const FieldInfo &fieldInfo(FieldId id);

// The fields a file of `model` shows (pitch factor only when `hasPitchFactor`), in the
// order of the window's column.
[[nodiscard]] QList<FieldId> shownFields(Model model, bool hasPitchFactor);

// The key that names a field in the command-line program and its JSON output.
[[nodiscard]] QString jsonKey(FieldId id, Model model);
[[nodiscard]] std::optional<FieldId> fieldFromJsonKey(const QString &key, Model model);

// The caption label's text; "Run Date:" for the Solvane run date.
[[nodiscard]] QString captionOf(FieldId id, Model model);

// Whether the user can change the field of a file of `model`.
[[nodiscard]] bool isEditable(FieldId id, Model model);

} // namespace quenloft
