#include "runfile/RunFileWriter.h"

#include "runfile/ByteCodec.h"
#include "runfile/RunFileLayout.h"
#include "runfile/UnitFactors.h"
#include "support/Cp1252.h"
#include "support/General.h"
#include "support/NumberText.h"

namespace quenloft {
namespace {

Failure cannotStore(const QString &what)
{
    return Failure{CannotStoreValue, what};
}

Failure notANumber(const QString &field, const QString &text)
{
    return cannotStore(QStringLiteral("The %1 \"%2\" is not a number").arg(field, text));
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

// The shown number times ten in single precision, rounded half to even, as one byte.
Result<Patch> tenthsPatch(const QString &text, const FieldLayout &layout, const QString &field)
{
    const auto value = ParseSingle(text);
    if (!value)
        return notANumber(field, text);
    const float tenths = *value * 10.0f;
    const double whole = RoundHalfEven(double(tenths));
    if (!(whole >= 0.0 && whole <= 255.0))
        return cannotStore(
            QStringLiteral("The %1 %2 does not fit its field (0 to 25.5)").arg(field, text));
    return Patch{layout.offset, QByteArray(1, char(int(whole))), field};
}

// A whole number as two big-endian bytes.
Result<Patch> bigEndian16Patch(const QString &text, const FieldLayout &layout, const QString &field)
{
    auto bytes = ToBigEndianBytes(text);
    if (!bytes)
        return notANumber(field, text);
    if (bytes->size() == 1)
        bytes->prepend('\0');
    if (bytes->size() != 2)
        return cannotStore(
            QStringLiteral("The %1 %2 does not fit its field (0 to 65535)").arg(field, text));
    return Patch{layout.offset, *bytes, field};
}

// A whole number as one byte.
Result<Patch> bytePatch(const QString &text, const FieldLayout &layout, const QString &field)
{
    const auto bytes = ToBigEndianBytes(text);
    if (!bytes)
        return notANumber(field, text);
    if (bytes->size() != 1)
        return cannotStore(
            QStringLiteral("The %1 %2 does not fit its field (0 to 255 stored units)")
                .arg(field, text));
    return Patch{layout.offset, *bytes, field};
}

// Little-endian 16 bits of a value in stored units; no patch for 0 or less. A shown value
// above 0 that rounds to 0 is refused: the file would keep its old value, and a save that
// says so is better than one that reports a value it did not store.
Result<std::optional<Patch>> littleEndian16Patch(double shown, double stored, const QString &text,
                                                 const FieldLayout &layout, const QString &field,
                                                 const QString &limit, const QString &unit,
                                                 const QString &smallest)
{
    const double whole = RoundHalfEven(stored);
    if (!(whole <= 65535.0))
        return cannotStore(QStringLiteral("The %1 %2 does not fit its field (at most %3)")
                               .arg(field, text, limit));
    if (shown > 0.0 && whole <= 0.0)
        return cannotStore(QStringLiteral("The %1 %2 %3 is too small to be stored; the smallest "
                                          "%1 a run file can hold is %4")
                               .arg(field, text, unit, smallest));
    const auto bytes = ToLittleEndianBytes(whole <= 0.0 ? 0 : qint32(whole));
    if (!bytes || bytes->isEmpty())
        return std::optional<Patch>{};
    return std::optional<Patch>{Patch{layout.offset, *bytes, field}};
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

Result<QList<Patch>> ComputeNoxPatches(const NoxShownValues &values, const LoadedFileInfo &file)
{
    QList<Patch> patches;
    std::optional<Failure> failure;
    auto add = [&](Result<Patch> patch) {
        if (failure)
            return;
        if (patch)
            patches.append(patch.value());
        else
            failure = patch.failure();
    };
    add(textPatch(values.runName, NoxLayout::RunName, QStringLiteral("run name")));
    if (file.fileVersion >= 2.0f)
        add(tenthsPatch(values.pitchFactor, NoxLayout::PitchFactor,
                        QStringLiteral("pitch factor")));
    add(textPatch(values.vehicleName, NoxLayout::VehicleName, QStringLiteral("vehicle name")));
    add(bigEndian16Patch(values.weight, NoxLayout::Weight, QStringLiteral("weight")));
    add(tenthsPatch(values.rolloutLength, NoxLayout::RolloutLength,
                    QStringLiteral("rollout length")));
    add(bigEndian16Patch(values.redline, NoxLayout::Redline, QStringLiteral("redline")));
    add(bigEndian16Patch(values.shiftPoint, NoxLayout::ShiftPoint, QStringLiteral("shift point")));
    if (failure)
        return *failure;
    const auto notes = notesPatch(values.notes, file);
    if (!notes)
        return notes.failure();
    if (notes.value())
        patches.append(*notes.value());
    return patches;
}

Result<QList<Patch>> ComputeSolvanePatches(const SolvaneShownValues &values)
{
    QList<Patch> patches;

    const auto weight = ParseDouble(values.weight);
    if (!weight)
        return notANumber(QStringLiteral("weight"), values.weight);
    const double kilograms = values.metric ? *weight : *weight / PoundsPerKilogram;
    const auto weightPatch = littleEndian16Patch(
        *weight, kilograms, values.weight, SolvaneLayout::Weight, QStringLiteral("weight"),
        QStringLiteral("65535 kg"), values.metric ? QStringLiteral("kgs") : QStringLiteral("lbs"),
        values.metric ? QStringLiteral("1 kgs") : QStringLiteral("2.2 lbs"));
    if (!weightPatch)
        return weightPatch.failure();

    const auto area = ParseDouble(values.frontalArea);
    if (!area)
        return notANumber(QStringLiteral("frontal area"), values.frontalArea);
    const double squareMetres = values.metric ? *area : *area / SquareFeetPerSquareMetre;
    const auto areaPatch = littleEndian16Patch(
        *area, squareMetres * 100.0, values.frontalArea, SolvaneLayout::FrontalArea,
        QStringLiteral("frontal area"), QStringLiteral("655.35 m^2"),
        values.metric ? QStringLiteral("m^2") : QStringLiteral("ft^2"),
        values.metric ? QStringLiteral("0.01 m^2") : QStringLiteral("0.1076 ft^2"));
    if (!areaPatch)
        return areaPatch.failure();

    // Via a 15-digit text, so 0.29 * 100 = 28.999999999999996 is stored as 29.
    const auto drag = ParseDouble(values.coeffOfDrag);
    if (!drag)
        return notANumber(QStringLiteral("coefficient of drag"), values.coeffOfDrag);
    const auto dragPatch = bytePatch(DoubleText(*drag * 100.0), SolvaneLayout::CoeffOfDrag,
                                     QStringLiteral("coefficient of drag"));
    if (!dragPatch)
        return dragPatch.failure();

    const auto lossPatch = bytePatch(values.drivelineLoss, SolvaneLayout::DrivelineLoss,
                                     QStringLiteral("driveline loss"));
    if (!lossPatch)
        return lossPatch.failure();

    if (weightPatch.value())
        patches.append(*weightPatch.value());
    if (areaPatch.value())
        patches.append(*areaPatch.value());
    patches.append(dragPatch.value());
    patches.append(lossPatch.value());
    return patches;
}

} // namespace quenloft
