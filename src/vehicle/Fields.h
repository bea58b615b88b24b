// The vehicle fields the window shows and edits, and what each one is: one record per
// field that the window's column, the editors, the command-line program and the save all
// take their facts from.
#pragma once

#include "runfile/Model.h"

#include <QList>
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
    Notes, // the last
};

enum class CheckKind {
    None,    // text taken as typed
    Integer, // whole number in bounds, after rounding halves to even
    Real,    // single-precision number in bounds
};

// The models a fact holds for.
enum class Models { Nox, Solvane, Both };

[[nodiscard]] constexpr bool includes(Models models, Model model)
{
    return models == Models::Both || (models == Models::Nox) == (model == Model::Nox);
}

struct FieldInfo
{
    FieldId id;
    const char *captionName; // the caption label's objectName
    const char *labelName;   // the display label's objectName ("" for the notes)
    const char *editorName;  // the field editor's objectName
    const char *caption;     // the caption label's text
    const char *toolTip;     // as the window is designed; the unit switch rewrites two
    int row;                 // the row of the window's value column, 0 at the top
    Models shownIn;          // the models whose files have the field
    Models editorIn;         // the models whose edit mode enables the field's editor
    int editorLimit;         // characters the editor accepts; 0 for no limit
    int decimals;            // normalised to this many decimals on leaving the editor; -1 for none
};

// In the window's order: the column from the top, then the notes.
inline constexpr std::array<FieldInfo, 11> kFields{{
    {FieldId::RunName, "lblRunNameLabel", "lblRunName", "txtRunName",
     "Run Name:", "The name of the run.  Maximum length is 47 characters.", 0, Models::Both,
     Models::Nox, 47, -1},
    {FieldId::VehicleName, "lblVehicleNameLabel", "lblVehicleName", "txtVehicleName",
     "Vehicle Name:", "The name of the vehicle.  Maximum length is 15 characters.", 1, Models::Nox,
     Models::Both, 15, -1},
    {FieldId::Weight, "lblVehicleWeightLabel", "lblVehicleWeight", "txtVehicleWeight",
     "Vehicle Weight:", "The weight of the vehicle in kilograms.  The range is 1 to 65,535.", 2,
     Models::Both, Models::Both, 6, -1},
    {FieldId::Redline, "lblRedlineLabel", "lblVehicleRedline", "txtVehicleRedline", "Redline:",
     "The redline of the vehicle.  The range is 1 to 65,535.", 3, Models::Nox, Models::Both, 5, -1},
    {FieldId::ShiftPoint, "lblShiftPointLabel", "lblVehicleShiftPoint", "txtVehicleShiftPoint",
     "Shift Point:", "The shift point of the vehicle.  The range is 1 to 65,535.", 4, Models::Nox,
     Models::Both, 5, -1},
    {FieldId::RolloutLength, "lblRolloutLengthLabel", "lblVehicleRolloutLength",
     "txtVehicleRolloutLength",
     "Rollout Length:", "The rollout length of the vehicle in inches.  The range is 1 to 6,553.", 5,
     Models::Nox, Models::Both, 4, 1},
    {FieldId::PitchFactor, "lblPitchFactorLabel", "lblPitchFactor", "txtPitchFactor",
     "Pitch Factor:", "The pitch factor of the vehicle in degrees per G.  The range is 0.0 to 9.9.",
     6, Models::Nox, Models::Both, 3, -1},
    {FieldId::FrontalArea, "lblFrontalAreaLabel", "lblVehicleFrontalArea", "txtVehicleFrontalArea",
     "Frontal Area:", "The frontal area of the vehicle in square meters.  The range is 0.1 to 9.9.",
     3, Models::Solvane, Models::Both, 7, 2}, // 3 decimals in imperial units
    {FieldId::CoeffOfDrag, "lblCoeffOfDragLabel", "lblVehicleCoeffOfDrag", "txtVehicleCoeffOfDrag",
     "Coeff. of Drag:", "The coefficient of drag of the vehicle.  The range is 0.01 to 0.99.", 4,
     Models::Solvane, Models::Both, 4, 2},
    {FieldId::DrivelineLoss, "lblDrivelineLossLabel", "lblVehicleDrivelineLoss",
     "txtVehicleDrivelineLoss", "Driveline Loss:",
     "The loss of power due to the driveline in percentage.  The range is 1 to 99.", 5,
     Models::Solvane, Models::Both, 2, 0},
    {FieldId::Notes, "lblVehicleNotes", "", "txtVehicleNotes", "Vehicle Notes:", "", -1,
     Models::Both, Models::Nox, 0, -1},
}};

[[nodiscard]] const FieldInfo &fieldInfo(FieldId id);

// The fields of the value column (all but the notes), in the window's order.
[[nodiscard]] QList<FieldId> columnFields();

// The fields a file of `model` shows (pitch factor only when `hasPitchFactor`), in the
// order of the window's column, the notes last.
[[nodiscard]] QList<FieldId> shownFields(Model model, bool hasPitchFactor);

// The key that names a field in the command-line program and its JSON output.
[[nodiscard]] QString jsonKey(FieldId id, Model model);
[[nodiscard]] std::optional<FieldId> fieldFromJsonKey(const QString &key, Model model);

// The caption label's text; "Run Date:" for the Solvane run date.
[[nodiscard]] QString captionOf(FieldId id, Model model);

// Whether the user can change the field of a file of `model`.
[[nodiscard]] bool isEditable(FieldId id, Model model);

} // namespace quenloft
