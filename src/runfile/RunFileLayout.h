// Where each vehicle field lives in a run file. The reader, the writer and the tests all
// take offsets from here. Offsets are 0-based; positions shown to users are offset + 1.
#pragma once

#include <QtGlobal>

namespace quenloft {

enum class Encoding {
    Text,      // fixed length: the text, one NUL, then 0xFF up to the length
    U8,        // one unsigned byte
    U16BE,     // Nox integers
    U16LE,     // Solvane integers
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

namespace NoxLayout {
inline constexpr FieldLayout RunName{19, 48, Encoding::Text};
inline constexpr FieldLayout PitchFactor{76, 1, Encoding::U8};
inline constexpr FieldLayout VehicleName{131, 16, Encoding::Text};
inline constexpr FieldLayout Weight{147, 2, Encoding::U16BE};
inline constexpr FieldLayout RolloutLength{149, 1, Encoding::U8};
inline constexpr FieldLayout Redline{151, 2, Encoding::U16BE};
inline constexpr FieldLayout ShiftPoint{153, 2, Encoding::U16BE};
inline constexpr FieldLayout VersionArea{272, 17, Encoding::Version};

// The run-data area starts at offset 310 for version text "1.1.1", else at 311.
inline constexpr qint64 RunDataOffsetV111 = 310;
inline constexpr qint64 RunDataOffset = 311;
inline constexpr int SeparatorLength = 3;

// A file must hold every header field to be read.
inline constexpr qint64 MinimumSize = VersionArea.end();
} // namespace NoxLayout

namespace SolvaneLayout {
inline constexpr FieldLayout Notes{7940, 23, Encoding::Text};
inline constexpr FieldLayout RunDate{7992, 6, Encoding::DateTime6};
inline constexpr FieldLayout FrontalArea{8004, 2, Encoding::U16LE};
inline constexpr FieldLayout CoeffOfDrag{8006, 1, Encoding::U8};
inline constexpr FieldLayout DrivelineLoss{8007, 1, Encoding::U8};
inline constexpr FieldLayout Weight{8074, 2, Encoding::U16LE};

inline constexpr qint64 MinimumSize = Weight.end();
} // namespace SolvaneLayout

// The tag at the start of the Nox version area.
inline constexpr char VersionTag[] = "VEXAVERSION";

} // namespace quenloft
