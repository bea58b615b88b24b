// The vehicle fields the window shows and edits, and what each one is: one record per
// field that the window's column, the editors, the display texts, the saves, the
// command-line program and the exports all take their facts from.
#pragma once

#include "runfile/Model.h"
#include "runfile/RunFileReader.h"

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
    const char *name;        // what messages call it
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
    int storedMaximum;       // the largest stored number its bytes hold; 0 for no number
    FieldBounds bounds;      // what its editor accepts (metric units, and every Nox field)
    FieldBounds imperial;    // what its editor accepts on a Solvane file in imperial units
    const char *suffix;      // after the number on a Solvane file, in metric units
    const char *imperialSuffix;
    // The stored number, for the numeric fields of the file's model; nullopt where the
    // file has none (the pitch factor before version 2.0).
    std::optional<qint64> (*stored)(const RunFileContents &);
    // The text, for the text fields.
    const QString &(*text)(const RunFileContents &);
};

namespace fieldaccess {
inline std::optional<qint64> none(const RunFileContents &)
{
    return std::nullopt;
}
inline const QString &noText(const RunFileContents &)
{
    static const QString empty;
    return empty;
}
} // namespace fieldaccess

constexpr FieldBounds kNoBounds{};
constexpr FieldBounds kWordBounds{CheckKind::Integer, 1, 65535};

// In the window's order: the column from the top, then the notes. One record to a few
// lines, in the order of FieldInfo's members.
// clang-format off
inline constexpr std::array<FieldInfo, 11> kFields{{
    {FieldId::RunName, "lblRunNameLabel", "lblRunName", "txtRunName", "Run Name:", "run name",
     "The name of the run.  Maximum length is 47 characters.", 0, Models::Both, Models::Nox, 47,
     -1, "run_name", "run_date", Stored::Text, Stored::RunDate, 0, kNoBounds, kNoBounds, "", "",
     fieldaccess::none, [](const RunFileContents &c) -> const QString & { return c.nox.runName; }},
    {FieldId::VehicleName, "lblVehicleNameLabel", "lblVehicleName", "txtVehicleName",
     "Vehicle Name:", "vehicle name",
     "The name of the vehicle.  Maximum length is 15 characters.", 1, Models::Nox, Models::Both,
     15, -1, "vehicle_name", nullptr, Stored::Text, Stored::Text, 0,
     kNoBounds, kNoBounds, "", "", fieldaccess::none,
     [](const RunFileContents &c) -> const QString & { return c.nox.vehicleName; }},
    {FieldId::Weight, "lblVehicleWeightLabel", "lblVehicleWeight", "txtVehicleWeight",
     "Vehicle Weight:", "weight",
     "The weight of the vehicle in kilograms.  The range is 1 to 65,535.", 2, Models::Both,
     Models::Both, 6, -1, "weight", nullptr, Stored::Whole, Stored::Kilograms,
     65535, kWordBounds, {CheckKind::Integer, 1, 144177}, " kgs", " lbs",
     [](const RunFileContents &c) -> std::optional<qint64> {
         return c.model == Model::Nox ? c.nox.weight : c.solvane.weight;
     },
     fieldaccess::noText},
    {FieldId::Redline, "lblRedlineLabel", "lblVehicleRedline", "txtVehicleRedline", "Redline:",
     "redline",
     "The redline of the vehicle.  The range is 1 to 65,535.", 3, Models::Nox, Models::Both, 5,
     -1, "redline", nullptr, Stored::Whole, Stored::Whole, 65535, kWordBounds, kWordBounds, "",
     "", [](const RunFileContents &c) -> std::optional<qint64> { return c.nox.redline; },
     fieldaccess::noText},
    {FieldId::ShiftPoint, "lblShiftPointLabel", "lblVehicleShiftPoint", "txtVehicleShiftPoint",
     "Shift Point:", "shift point",
     "The shift point of the vehicle.  The range is 1 to 65,535.", 4, Models::Nox, Models::Both, 5,
     -1, "shift_point", nullptr, Stored::Whole, Stored::Whole, 65535,
     kWordBounds, kWordBounds, "", "",
     [](const RunFileContents &c) -> std::optional<qint64> { return c.nox.shiftPoint; },
     fieldaccess::noText},
    {FieldId::RolloutLength, "lblRolloutLengthLabel", "lblVehicleRolloutLength",
     "txtVehicleRolloutLength", "Rollout Length:", "rollout length",
     "The rollout length of the vehicle in inches.  The range is 1 to 6,553.", 5, Models::Nox,
     Models::Both, 4, 1, "rollout_length", nullptr, Stored::Tenths, Stored::Tenths, 255,
     {CheckKind::Real, 0.0, 25.5}, {CheckKind::Real, 0.0, 25.5}, "", "",
     [](const RunFileContents &c) -> std::optional<qint64> { return c.nox.rolloutLength; },
     fieldaccess::noText},
    {FieldId::PitchFactor, "lblPitchFactorLabel", "lblPitchFactor", "txtPitchFactor",
     "Pitch Factor:", "pitch factor",
     "The pitch factor of the vehicle in degrees per G.  The range is 0.0 to 9.9.", 6, Models::Nox,
     Models::Both, 3, -1, "pitch_factor", nullptr, Stored::Tenths, Stored::Tenths,
     255, {CheckKind::Real, 0.0, 9.9}, {CheckKind::Real, 0.0, 9.9}, "", "",
     [](const RunFileContents &c) -> std::optional<qint64> {
         if (c.nox.pitchFactor)
             return *c.nox.pitchFactor;
         return std::nullopt;
     },
     fieldaccess::noText},
    {FieldId::FrontalArea, "lblFrontalAreaLabel", "lblVehicleFrontalArea", "txtVehicleFrontalArea",
     "Frontal Area:", "frontal area",
     "The frontal area of the vehicle in square meters.  The range is 0.1 to 9.9.", 3,
     Models::Solvane, Models::Both, 7, 2, "frontal_area", nullptr, Stored::AreaHundredths,
     Stored::AreaHundredths, 65535, {CheckKind::Real, 0.01, 655}, {CheckKind::Real, 0.001, 7051},
     " m^2", " ft^2", // 3 decimals in imperial units
     [](const RunFileContents &c) -> std::optional<qint64> { return c.solvane.frontalArea; },
     fieldaccess::noText},
    {FieldId::CoeffOfDrag, "lblCoeffOfDragLabel", "lblVehicleCoeffOfDrag", "txtVehicleCoeffOfDrag",
     "Coeff. of Drag:", "coefficient of drag",
     "The coefficient of drag of the vehicle.  The range is 0.01 to 0.99.", 4, Models::Solvane,
     Models::Both, 4, 2, "coeff_of_drag", nullptr, Stored::Hundredths,
     Stored::Hundredths, 255, {CheckKind::Real, 0.01, 0.99}, {CheckKind::Real, 0.01, 0.99}, "",
     "", [](const RunFileContents &c) -> std::optional<qint64> { return c.solvane.coeffOfDrag; },
     fieldaccess::noText},
    {FieldId::DrivelineLoss, "lblDrivelineLossLabel", "lblVehicleDrivelineLoss",
     "txtVehicleDrivelineLoss", "Driveline Loss:", "driveline loss",
     "The loss of power due to the driveline in percentage.  The range is 1 to 99.", 5,
     Models::Solvane, Models::Both, 2, 0, "driveline_loss", nullptr, Stored::Whole, Stored::Whole,
     255, {CheckKind::Real, 1, 99}, {CheckKind::Real, 1, 99}, "%", "%",
     [](const RunFileContents &c) -> std::optional<qint64> { return c.solvane.drivelineLoss; },
     fieldaccess::noText},
    {FieldId::Notes, "lblVehicleNotes", "", "txtVehicleNotes", "Vehicle Notes:", "notes", "", -1,
     Models::Both, Models::Nox, 0, -1, "notes", nullptr, Stored::Text, Stored::Text, 0, kNoBounds,
     kNoBounds, "", "", fieldaccess::none,
     [](const RunFileContents &c) -> const QString & {
         return c.model == Model::Nox ? c.nox.notes : c.solvane.notes;
     }},
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

// Whether the field holds a number (on a file of `model`).
[[nodiscard]] bool isNumeric(FieldId id, Model model);

// What the field's editor accepts on a file of `model` in the unit system.
[[nodiscard]] FieldBounds BoundsOf(FieldId id, Model model, bool metric);

// The unit a label shows after the field's number ("" for none).
[[nodiscard]] QString SuffixOf(FieldId id, Model model, bool metric);

} // namespace quenloft
