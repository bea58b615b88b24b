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

// Notes are stored with each line break as one CR.
QString storedNotes(const QString &notes)
{
    return ReplaceAll(notes, kCRLF, QStringLiteral("\r"));
}

Result<std::optional<Patch>> notesPatch(const QString &notes, const LoadedFileInfo &file)
{
    if (file.notesPos <= 0)
        return cannotStore(file.brokenLengthBytes > 0
                               ? QStringLiteral("The run data of this file is damaged, so where "
                                                "its notes block lies cannot be told, and its "
                                                "notes cannot be changed")
                               : QStringLiteral("This file has no notes block, so its notes "
                                                "cannot be changed"));
    auto bytes = encodeText(storedNotes(notes), QStringLiteral("notes"));
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

// What the loader reads back from what the writer writes for a text (itself, for one a
// run file cannot hold, which the writer refuses).
QString readBackText(const QString &text, const FieldLayout &layout)
{
    const auto bytes = EncodeCp1252(text);
    return bytes ? TextOfField(
                       QByteArrayView(*bytes).first(qMin<qsizetype>(bytes->size(), layout.length)))
                 : text;
}

QString readBackNotes(const QString &notes)
{
    const auto bytes = EncodeCp1252(storedNotes(notes));
    return bytes ? NotesOfBytes(*bytes) : notes;
}

// What the file holds of each field after a save of `values`, as the loader reads it: a
// field whose value is what the file held stays as it is (its bytes are not written, and
// notes could not be written back the same: a stored CR LF reads as CR LF like a lone CR);
// any other is what its written bytes read back as, which may still be what the file held
// (a name typed again with blanks around it). Without the loaded values, every field is
// taken as changed.
NoxStoredValues afterSave(const std::optional<NoxStoredValues> &loaded,
                          const NoxStoredValues &values)
{
    NoxStoredValues after = values;
    const auto text = [&](QString NoxStoredValues::*field, const FieldLayout &layout) {
        if (!loaded || values.*field != (*loaded).*field)
            after.*field = readBackText(values.*field, layout);
    };
    text(&NoxStoredValues::runName, NoxLayout::RunName);
    text(&NoxStoredValues::vehicleName, NoxLayout::VehicleName);
    if (!loaded || values.notes != loaded->notes)
        after.notes = readBackNotes(values.notes);
    return after;
}

// Whether a field is to be written: what the file holds of it after the save differs from
// what it held.
template <typename Values, typename T>
bool changed(const std::optional<Values> &loaded, T Values::*field, const Values &after)
{
    return !loaded || (*loaded).*field != after.*field;
}

} // namespace

LoadedFileInfo LoadedFileInfo::from(const RunFileContents &contents)
{
    LoadedFileInfo info;
    info.model = contents.model;
    info.stamp = contents.stamp;
    if (contents.model == Model::Nox) {
        const NoxContents &nox = contents.nox;
        info.fileVersion = nox.fileVersion;
        info.notesPos = nox.notesPos;
        info.recordLength = nox.recordLength;
        info.brokenLengthBytes = nox.brokenLengthBytes;
        info.nox = NoxStoredValues{
            .runName = nox.runName,
            .vehicleName = nox.vehicleName,
            .weight = nox.weight,
            .rolloutLength = nox.rolloutLength,
            .redline = nox.redline,
            .shiftPoint = nox.shiftPoint,
            .pitchFactor = nox.pitchFactor,
            .notes = nox.notes,
        };
    } else {
        const SolvaneContents &solvane = contents.solvane;
        info.solvane = SolvaneStoredValues{
            .weight = solvane.weight,
            .frontalArea = solvane.frontalArea,
            .coeffOfDrag = solvane.coeffOfDrag,
            .drivelineLoss = solvane.drivelineLoss,
        };
    }
    return info;
}

Result<QList<Patch>> ComputeNoxPatches(const NoxStoredValues &values, const LoadedFileInfo &file)
{
    using V = NoxStoredValues;
    const auto &loaded = file.nox;
    const NoxStoredValues back = afterSave(loaded, values);
    QList<Patch> patches;
    if (changed(loaded, &V::runName, back)) {
        const auto runName =
            textPatch(values.runName, NoxLayout::RunName, QStringLiteral("run name"));
        if (!runName)
            return runName.failure();
        patches.append(runName.value());
    }
    if (values.pitchFactor && file.fileVersion >= 2.0f && changed(loaded, &V::pitchFactor, back))
        patches.append(
            bytePatch(*values.pitchFactor, NoxLayout::PitchFactor, QStringLiteral("pitch factor")));
    if (changed(loaded, &V::vehicleName, back)) {
        const auto vehicleName =
            textPatch(values.vehicleName, NoxLayout::VehicleName, QStringLiteral("vehicle name"));
        if (!vehicleName)
            return vehicleName.failure();
        patches.append(vehicleName.value());
    }
    if (changed(loaded, &V::weight, back))
        patches.append(
            bigEndian16Patch(values.weight, NoxLayout::Weight, QStringLiteral("weight")));
    if (changed(loaded, &V::rolloutLength, back))
        patches.append(bytePatch(values.rolloutLength, NoxLayout::RolloutLength,
                                 QStringLiteral("rollout length")));
    if (changed(loaded, &V::redline, back))
        patches.append(
            bigEndian16Patch(values.redline, NoxLayout::Redline, QStringLiteral("redline")));
    if (changed(loaded, &V::shiftPoint, back))
        patches.append(bigEndian16Patch(values.shiftPoint, NoxLayout::ShiftPoint,
                                        QStringLiteral("shift point")));
    // The loader's line-break conversion is not reversible (a stored CR LF or NUL reads as
    // CR LF like a lone CR): notes written back unchanged could change their bytes.
    if (changed(loaded, &V::notes, back)) {
        const auto notes = notesPatch(values.notes, file);
        if (!notes)
            return notes.failure();
        if (notes.value())
            patches.append(*notes.value());
    }
    return patches;
}

Result<QList<Patch>> ComputeSolvanePatches(const SolvaneStoredValues &values,
                                           const LoadedFileInfo &file)
{
    using V = SolvaneStoredValues;
    const auto &loaded = file.solvane;
    QList<Patch> patches;
    if (changed(loaded, &V::weight, values))
        if (auto weight =
                littleEndian16Patch(values.weight, SolvaneLayout::Weight, QStringLiteral("weight")))
            patches.append(*weight);
    if (changed(loaded, &V::frontalArea, values))
        if (auto area = littleEndian16Patch(values.frontalArea, SolvaneLayout::FrontalArea,
                                            QStringLiteral("frontal area")))
            patches.append(*area);
    if (changed(loaded, &V::coeffOfDrag, values))
        patches.append(bytePatch(values.coeffOfDrag, SolvaneLayout::CoeffOfDrag,
                                 QStringLiteral("coefficient of drag")));
    if (changed(loaded, &V::drivelineLoss, values))
        patches.append(bytePatch(values.drivelineLoss, SolvaneLayout::DrivelineLoss,
                                 QStringLiteral("driveline loss")));
    return patches;
}

RunFileContents ContentsAfterSave(const RunFileContents &loaded, const NoxStoredValues &values)
{
    RunFileContents after = loaded;
    NoxContents &nox = after.nox;
    const NoxStoredValues back = afterSave(LoadedFileInfo::from(loaded).nox, values);
    nox.runName = back.runName;
    nox.vehicleName = back.vehicleName;
    nox.weight = back.weight;
    nox.rolloutLength = back.rolloutLength;
    nox.redline = back.redline;
    nox.shiftPoint = back.shiftPoint;
    if (nox.pitchFactor && back.pitchFactor)
        nox.pitchFactor = back.pitchFactor;
    if (nox.notesPos > 0)
        nox.notes = back.notes;
    return after;
}

RunFileContents ContentsAfterSave(const RunFileContents &loaded, const SolvaneStoredValues &values)
{
    RunFileContents after = loaded;
    SolvaneContents &solvane = after.solvane;
    // A weight or area of 0 is not written: the file keeps its own.
    if (values.weight != 0)
        solvane.weight = values.weight;
    if (values.frontalArea != 0)
        solvane.frontalArea = values.frontalArea;
    solvane.coeffOfDrag = values.coeffOfDrag;
    solvane.drivelineLoss = values.drivelineLoss;
    return after;
}

bool IsSavedRange(Model model, qint64 offset, const QByteArray &bytes)
{
    const auto isField = [&](const FieldLayout &field) {
        return offset == field.offset && bytes.size() == field.length;
    };
    if (model == Model::Solvane)
        return isField(SolvaneLayout::Weight) || isField(SolvaneLayout::FrontalArea) ||
               isField(SolvaneLayout::CoeffOfDrag) || isField(SolvaneLayout::DrivelineLoss);
    if (isField(NoxLayout::RunName) || isField(NoxLayout::PitchFactor) ||
        isField(NoxLayout::VehicleName) || isField(NoxLayout::Weight) ||
        isField(NoxLayout::RolloutLength) || isField(NoxLayout::Redline) ||
        isField(NoxLayout::ShiftPoint))
        return true;
    // A notes block: its length byte, that many bytes, a NUL; after the first record.
    return offset > NoxLayout::RunDataOffset && bytes.size() >= 2 &&
           quint8(bytes.at(0)) == bytes.size() - 2 && bytes.endsWith('\0');
}

qint64 MinimumFileSize(Model model)
{
    return model == Model::Nox ? NoxLayout::MinimumSize : SolvaneLayout::MinimumSize;
}

} // namespace quenloft
