// Where each vehicle field lives in a run file, and which member of the contents holds it.
// The reader, the writer, the journal's check and the tests all take fields from here.
// Offsets are 0-based; positions shown to users are offset + 1.
#pragma once

#include "runfile/RunFileContents.h"

#include <QtGlobal>

#include <array>
#include <optional>
#include <span>
#include <variant>

namespace quenloft {

enum class Encoding {
    Text,      // fixed length: the text, one NUL, then 0xFF up to the length
    U8,        // one unsigned byte
    U16BE,     // Nox integers
    U16LE,     // Solvane integers; 0 is never written
    DateTime6, // month, day, year - 2000, hour, minute, second
    Version,   // "VEXAVERSION" and the version text, NUL padded
};

struct FieldLayout
{
    qint64 offset;
    int length;
    Encoding encoding;

    [[nodiscard]] constexpr qint64 end() const { return offset + length; }
};

// The member of the contents that holds a field's value.
using ContentsMember =
    std::variant<QString NoxContents::*, quint8 NoxContents::*, quint16 NoxContents::*,
                 std::optional<quint8> NoxContents::*, quint8 SolvaneContents::*,
                 quint16 SolvaneContents::*>;

// A vehicle field that a save writes: where it lies, how, and where the contents keep it.
struct StoredField : FieldLayout
{
    ContentsMember member;
    const char *name;          // what messages call it
    float sinceVersion = 0.0f; // a Nox file has it from this version on
};

namespace NoxLayout {
// clang-format off
inline constexpr StoredField RunName{{19, 48, Encoding::Text}, &NoxContents::runName, "run name"};
inline constexpr StoredField PitchFactor{{76, 1, Encoding::U8}, &NoxContents::pitchFactor,
                                         "pitch factor", 2.0f};
inline constexpr StoredField VehicleName{{131, 16, Encoding::Text}, &NoxContents::vehicleName,
                                         "vehicle name"};
inline constexpr StoredField Weight{{147, 2, Encoding::U16BE}, &NoxContents::weight, "weight"};
inline constexpr StoredField RolloutLength{{149, 1, Encoding::U8}, &NoxContents::rolloutLength,
                                           "rollout length"};
inline constexpr StoredField Redline{{151, 2, Encoding::U16BE}, &NoxContents::redline, "redline"};
inline constexpr StoredField ShiftPoint{{153, 2, Encoding::U16BE}, &NoxContents::shiftPoint,
                                        "shift point"};
// clang-format on
inline constexpr FieldLayout VersionArea{272, 17, Encoding::Version};

// Every field above, in the order of the file. The notes lie in a block of their own after
// the run data, and the version area is read on its own.
inline constexpr std::array<const StoredField *, 7> Fields{
    &RunName, &PitchFactor, &VehicleName, &Weight, &RolloutLength, &Redline, &ShiftPoint};

// The run-data area starts at offset 310 for version text "1.1.1", else at 311.
inline constexpr qint64 RunDataOffsetV111 = 310;
inline constexpr qint64 RunDataOffset = 311;
inline constexpr int SeparatorLength = 3;

// A file must hold every header field to be read.
inline constexpr qint64 MinimumSize = VersionArea.end();
} // namespace NoxLayout

namespace SolvaneLayout {
inline constexpr FieldLayout Notes{7940, 23, Encoding::Text}; // never written
inline constexpr FieldLayout RunDate{7992, 6, Encoding::DateTime6};
// clang-format off
inline constexpr StoredField FrontalArea{{8004, 2, Encoding::U16LE}, &SolvaneContents::frontalArea,
                                         "frontal area"};
inline constexpr StoredField CoeffOfDrag{{8006, 1, Encoding::U8}, &SolvaneContents::coeffOfDrag,
                                         "coefficient of drag"};
inline constexpr StoredField DrivelineLoss{{8007, 1, Encoding::U8},
                                           &SolvaneContents::drivelineLoss, "driveline loss"};
inline constexpr StoredField Weight{{8074, 2, Encoding::U16LE}, &SolvaneContents::weight,
                                    "weight"};
// clang-format on

// The fields above that a save writes (not the run date and notes), in the order of the file.
inline constexpr std::array<const StoredField *, 4> Fields{&FrontalArea, &CoeffOfDrag,
                                                           &DrivelineLoss, &Weight};

inline constexpr qint64 MinimumSize = Weight.end();
} // namespace SolvaneLayout

// The fields of a file of the model that lie in a fixed place: the reader decodes them
// alike, and a save writes them.
[[nodiscard]] inline std::span<const StoredField *const> FieldsOf(Model model)
{
    if (model == Model::Nox)
        return NoxLayout::Fields;
    return SolvaneLayout::Fields;
}

// The tag at the start of the Nox version area.
inline constexpr char VersionTag[] = "VEXAVERSION";

} // namespace quenloft
