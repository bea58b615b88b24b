// The vehicle fields the window shows and edits, and what each one is: one record per
// field that the window's column, the editors, the display texts, the saves, the
// command-line program and the exports all take their facts from.
#pragma once

#include "runfile/Model.h"
#include "runfile/RunFileLayout.h"

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

// The range an editor accepts.
struct FieldBounds
{
    CheckKind check = CheckKind::None;
    double lower = 0;
    double upper = 0;
};

// How a field's value is kept in a run file, and so how its number is shown and stored.
enum class Stored {
    Text,           // the text itself, in Windows-1252
    RunDate,        // six bytes of date and time, never written
    Whole,          // a whole number, shown as it is stored
    Tenths,         // tenths of the shown number: 12 shows as 1.2
    Hundredths,     // hundredths of the shown number: 35 shows as 0.35
    Kilograms,      // whole kilograms, shown in kg, or in lb at 2.2 lb to the kg
    AreaHundredths, // hundredths of a square metre, shown in m^2, or in ft^2 at 10.76 to the m^2
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
    const char *key;         // the name in the command-line program and in JSON and CSV
    const char *solvaneKey;  // the name for Solvane files where it differs, else nullptr
    Stored nox;              // how a Nox file keeps it
    Stored solvane;          // how a Solvane file keeps it
    // Where a file of the model keeps it; nullptr for the notes (a block of their own in a
    // Nox file, read only in a Solvane file) and the Solvane run date.
    const StoredField *noxField;
    const StoredField *solvaneField;
    FieldBounds bounds;   // what its editor accepts (metric units, and every Nox field)
    FieldBounds imperial; // what its editor accepts on a Solvane file in imperial units
    const char *suffix;   // after the number on a Solvane file, in metric units
    const char *imperialSuffix;
};

constexpr FieldBounds kNoBounds{};
constexpr FieldBounds kWordBounds{CheckKind::Integer, 1, 65535};

// In the window's order: the column from the top, then the notes. One record to a few
// lines, in the order of FieldInfo's members.
// clang-format off
inline constexpr std::array<FieldInfo, 11> kFields{{
    {FieldId::RunName, "lblRunNameLabel", "lblRunName", "txtRunName", "Run Name:",
     "The name of the run.  Maximum length is 47 characters.", 0, Models::Both, Models::Nox, 47,
     -1, "run_name", "run_date", Stored::Text, Stored::RunDate, &NoxLayout::RunName, nullptr,
     kNoBounds, kNoBounds, "", ""},
    {FieldId::VehicleName, "lblVehicleNameLabel", "lblVehicleName", "txtVehicleName",
     "Vehicle Name:", "The name of the vehicle.  Maximum length is 15 characters.", 1,
     Models::Nox, Models::Both, 15, -1, "vehicle_name", nullptr, Stored::Text, Stored::Text,
     &NoxLayout::VehicleName, nullptr, kNoBounds, kNoBounds, "", ""},
    {FieldId::Weight, "lblVehicleWeightLabel", "lblVehicleWeight", "txtVehicleWeight",
     "Vehicle Weight:", "The weight of the vehicle in kilograms.  The range is 1 to 65,535.", 2,
     Models::Both, Models::Both, 6, -1, "weight", nullptr, Stored::Whole, Stored::Kilograms,
     &NoxLayout::Weight, &SolvaneLayout::Weight, kWordBounds, {CheckKind::Integer, 1, 144177},
     " kgs", " lbs"},
    {FieldId::Redline, "lblRedlineLabel", "lblVehicleRedline", "txtVehicleRedline", "Redline:",
     "The redline of the vehicle.  The range is 1 to 65,535.", 3, Models::Nox, Models::Both, 5,
     -1, "redline", nullptr, Stored::Whole, Stored::Whole, &NoxLayout::Redline, nullptr,
     kWordBounds, kWordBounds, "", ""},
    {FieldId::ShiftPoint, "lblShiftPointLabel", "lblVehicleShiftPoint", "txtVehicleShiftPoint",
     "Shift Point:", "The shift point of the vehicle.  The range is 1 to 65,535.", 4, Models::Nox,
     Models::Both, 5, -1, "shift_point", nullptr, Stored::Whole, Stored::Whole,
     &NoxLayout::ShiftPoint, nullptr, kWordBounds, kWordBounds, "", ""},
    {FieldId::RolloutLength, "lblRolloutLengthLabel", "lblVehicleRolloutLength",
     "txtVehicleRolloutLength", "Rollout Length:",
     "The rollout length of the vehicle in inches.  The range is 1 to 6,553.", 5, Models::Nox,
     Models::Both, 4, 1, "rollout_length", nullptr, Stored::Tenths, Stored::Tenths,
     &NoxLayout::RolloutLength, nullptr, {CheckKind::Real, 0.0, 25.5},
     {CheckKind::Real, 0.0, 25.5}, "", ""},
    {FieldId::PitchFactor, "lblPitchFactorLabel", "lblPitchFactor", "txtPitchFactor",
     "Pitch Factor:",
     "The pitch factor of the vehicle in degrees per G.  The range is 0.0 to 9.9.", 6, Models::Nox,
     Models::Both, 3, -1, "pitch_factor", nullptr, Stored::Tenths, Stored::Tenths,
     &NoxLayout::PitchFactor, nullptr, {CheckKind::Real, 0.0, 9.9}, {CheckKind::Real, 0.0, 9.9},
     "", ""},
    {FieldId::FrontalArea, "lblFrontalAreaLabel", "lblVehicleFrontalArea", "txtVehicleFrontalArea",
     "Frontal Area:",
     "The frontal area of the vehicle in square meters.  The range is 0.1 to 9.9.", 3,
     Models::Solvane, Models::Both, 7, 2, "frontal_area", nullptr, Stored::AreaHundredths,
     Stored::AreaHundredths, nullptr, &SolvaneLayout::FrontalArea, {CheckKind::Real, 0.01, 655},
     {CheckKind::Real, 0.001, 7051}, " m^2", " ft^2"}, // 3 decimals in imperial units
    {FieldId::CoeffOfDrag, "lblCoeffOfDragLabel", "lblVehicleCoeffOfDrag", "txtVehicleCoeffOfDrag",
     "Coeff. of Drag:",
     "The coefficient of drag of the vehicle.  The range is 0.01 to 0.99.", 4, Models::Solvane,
     Models::Both, 4, 2, "coeff_of_drag", nullptr, Stored::Hundredths, Stored::Hundredths,
     nullptr, &SolvaneLayout::CoeffOfDrag, {CheckKind::Real, 0.01, 0.99},
     {CheckKind::Real, 0.01, 0.99}, "", ""},
    {FieldId::DrivelineLoss, "lblDrivelineLossLabel", "lblVehicleDrivelineLoss",
     "txtVehicleDrivelineLoss", "Driveline Loss:",
     "The loss of power due to the driveline in percentage.  The range is 1 to 99.", 5,
     Models::Solvane, Models::Both, 2, 0, "driveline_loss", nullptr, Stored::Whole, Stored::Whole,
     nullptr, &SolvaneLayout::DrivelineLoss, {CheckKind::Real, 1, 99}, {CheckKind::Real, 1, 99},
     "%", "%"},
    {FieldId::Notes, "lblVehicleNotes", "", "txtVehicleNotes", "Vehicle Notes:", "", -1,
     Models::Both, Models::Nox, 0, -1, "notes", nullptr, Stored::Text, Stored::Text, nullptr,
     nullptr, kNoBounds, kNoBounds, "", ""},
}};
// clang-format on

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

// How a file of `model` keeps the field.
[[nodiscard]] Stored storedAs(FieldId id, Model model);

// Where a file of `model` keeps the field; nullptr for the notes and the Solvane run date.
[[nodiscard]] const StoredField *storedField(FieldId id, Model model);

// Whether the field holds a number (on a file of `model`).
[[nodiscard]] bool isNumeric(FieldId id, Model model);

// What the field's editor accepts on a file of `model` in the unit system.
[[nodiscard]] FieldBounds BoundsOf(FieldId id, Model model, bool metric);

// The unit a label shows after the field's number ("" for none).
[[nodiscard]] QString SuffixOf(FieldId id, Model model, bool metric);

} // namespace quenloft
