#include "runfile/RunFileWriter.h"

#include "runfile/ByteCodec.h"
#include "runfile/RunFileLayout.h"
#include "support/Cp1252.h"
#include "support/General.h"

namespace quenloft {
namespace {

Failure cannotStore(const QString &what)
{
    return Failure{CannotStoreValue, what};
}

Result<QByteArray> encodeText(const QString &text, const QString &field)
{
    auto bytes = EncodeCp1252(text);
    if (!bytes) {
        // Name the whole character, also one beyond 16 bits (a surrogate pair).
        const qsizetype at = FirstUnencodableCp1252(text);
        const bool pair = text.at(at).isHighSurrogate() && at + 1 < text.size() &&
                          text.at(at + 1).isLowSurrogate();
        const char32_t c =
            pair ? QChar::surrogateToUcs4(text.at(at), text.at(at + 1)) : text.at(at).unicode();
        const QString code = QString::number(quint32(c), 16).toUpper().rightJustified(4, u'0');
        return cannotStore(QStringLiteral("The %1 contains \"%2\" (U+%3), a character a run file "
                                          "cannot hold")
                               .arg(field, text.mid(at, pair ? 2 : 1), code));
    }
    return *bytes;
}

// The text, one NUL, then 0xFF, cut to the field's length.
Result<Patch> textPatch(const QString &text, const FieldLayout &layout, const QString &field)
{
    auto bytes = encodeText(text, field);
    if (!bytes)
        return bytes.failure();
    QByteArray out = bytes.value();
    out.append('\0');
    out.append(QByteArray(layout.length, char(0xFF)));
    out.truncate(layout.length);
    return Patch{layout.offset, out, field};
}

Patch bytePatch(quint8 value, const FieldLayout &layout, const QString &field)
{
    return Patch{layout.offset, QByteArray(1, char(value)), field};
}

Patch bigEndian16Patch(quint16 value, const FieldLayout &layout, const QString &field)
{
    const char bytes[] = {char(value >> 8), char(value & 0xFF)};
    return Patch{layout.offset, QByteArray(bytes, 2), field};
}

// Nothing for 0: a Solvane weight or area of 0 is not written.
std::optional<Patch> littleEndian16Patch(quint16 value, const FieldLayout &layout,
                                         const QString &field)
{
    const auto bytes = ToLittleEndianBytes(value);
    if (!bytes || bytes->isEmpty())
        return std::nullopt;
    return Patch{layout.offset, *bytes, field};
}

// Notes left as they were loaded are not written: the loader's line-break conversion is
// not reversible (a stored CR LF or NUL reads as CR LF like a lone CR), so writing them
// back would change bytes the user never touched.
Result<std::optional<Patch>> notesPatch(const QString &notes, const LoadedFileInfo &file)
{
    if (notes == file.loadedNotes)
        return std::optional<Patch>{};
    if (file.notesPos <= 0)
        return cannotStore(QStringLiteral("This file has no notes block, so its notes cannot "
                                          "be changed"));
    const QString stored = ReplaceAll(notes, QStringLiteral("\r\n"), QStringLiteral("\r"));
    auto bytes = encodeText(stored, QStringLiteral("notes"));
    if (!bytes)
        return bytes.failure();
    const qsizetype n = bytes->size();
    if (n > 255)
        return cannotStore(QStringLiteral("The notes are %1 bytes long; a run file holds at most "
                                          "255 (each line break counts as one)")
                               .arg(n));
    if (n == file.recordLength)
        return cannotStore(QStringLiteral("Notes of exactly %1 bytes would read back as run data "
                                          "in this file; add or remove a character")
                               .arg(n));
    QByteArray block;
    block.append(char(n));
    block.append(bytes.value());
    block.append('\0');
    return std::optional<Patch>{Patch{file.notesPos - 1, block, QStringLiteral("notes")}};
}

} // namespace

LoadedFileInfo LoadedFileInfo::from(const RunFileContents &contents)
{
    LoadedFileInfo info;
    info.model = contents.model;
    info.stamp = contents.stamp;
    if (contents.model == Model::Nox) {
        info.fileVersion = contents.nox.fileVersion;
        info.notesPos = contents.nox.notesPos;
        info.recordLength = contents.nox.recordLength;
        info.loadedNotes = contents.nox.notes;
    } else {
        info.loadedNotes = contents.solvane.notes;
    }
    return info;
}

Result<QList<Patch>> ComputeNoxPatches(const NoxStoredValues &values, const LoadedFileInfo &file)
{
    QList<Patch> patches;
    const auto runName = textPatch(values.runName, NoxLayout::RunName, QStringLiteral("run name"));
    if (!runName)
        return runName.failure();
    patches.append(runName.value());
    if (values.pitchFactor && file.fileVersion >= 2.0f)
        patches.append(
            bytePatch(*values.pitchFactor, NoxLayout::PitchFactor, QStringLiteral("pitch factor")));
    const auto vehicleName =
        textPatch(values.vehicleName, NoxLayout::VehicleName, QStringLiteral("vehicle name"));
    if (!vehicleName)
        return vehicleName.failure();
    patches.append(vehicleName.value());
    patches.append(bigEndian16Patch(values.weight, NoxLayout::Weight, QStringLiteral("weight")));
    patches.append(bytePatch(values.rolloutLength, NoxLayout::RolloutLength,
                             QStringLiteral("rollout length")));
    patches.append(bigEndian16Patch(values.redline, NoxLayout::Redline, QStringLiteral("redline")));
    patches.append(
        bigEndian16Patch(values.shiftPoint, NoxLayout::ShiftPoint, QStringLiteral("shift point")));
    const auto notes = notesPatch(values.notes, file);
    if (!notes)
        return notes.failure();
    if (notes.value())
        patches.append(*notes.value());
    return patches;
}

Result<QList<Patch>> ComputeSolvanePatches(const SolvaneStoredValues &values)
{
    QList<Patch> patches;
    if (auto weight =
            littleEndian16Patch(values.weight, SolvaneLayout::Weight, QStringLiteral("weight")))
        patches.append(*weight);
    if (auto area = littleEndian16Patch(values.frontalArea, SolvaneLayout::FrontalArea,
                                        QStringLiteral("frontal area")))
        patches.append(*area);
    patches.append(bytePatch(values.coeffOfDrag, SolvaneLayout::CoeffOfDrag,
                             QStringLiteral("coefficient of drag")));
    patches.append(bytePatch(values.drivelineLoss, SolvaneLayout::DrivelineLoss,
                             QStringLiteral("driveline loss")));
    return patches;
}

} // namespace quenloft
