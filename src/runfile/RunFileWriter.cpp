#include "runfile/RunFileWriter.h"

#include "runfile/RunFileLayout.h"

namespace quenloft {
namespace {

// The notes are written when what their bytes read back as differs from what the file holds:
// the loader's line-break conversion is not reversible (a stored CR LF or NUL reads as CR LF
// like a lone CR), so notes written back unchanged could change their bytes.
std::optional<Failure> planNotes(const NoxContents &loaded, const QString &notes, SavePlan &plan)
{
    if (notes == loaded.notes)
        return std::nullopt;
    const auto bytes = NotesBytes(notes);
    const QString back = bytes ? NotesOfBytes(bytes.value()) : notes;
    if (back == loaded.notes)
        return std::nullopt;
    if (loaded.notesPos <= 0)
        return CannotStore(loaded.brokenLengthBytes > 0
                               ? QStringLiteral("The run data of this file is damaged, so where "
                                                "its notes block lies cannot be told, and its "
                                                "notes cannot be changed")
                               : QStringLiteral("This file has no notes block, so its notes "
                                                "cannot be changed"));
    if (!bytes)
        return bytes.failure();
    const qsizetype n = bytes->size();
    if (n > 255)
        return CannotStore(QStringLiteral("The notes are %1 bytes long; a run file holds at most "
                                          "255 (each line break counts as one)")
                               .arg(n));
    if (n == loaded.recordLength)
        return CannotStore(QStringLiteral("Notes of exactly %1 bytes would read back as run data "
                                          "in this file; add or remove a character")
                               .arg(n));
    QByteArray block;
    block.append(char(n));
    block.append(bytes.value());
    block.append('\0');
    plan.patches.append(Patch{loaded.notesPos - 1, block, QStringLiteral("notes")});
    plan.after.nox.notes = back;
    return std::nullopt;
}

} // namespace

Result<SavePlan> PlanSave(const RunFileContents &loaded, const RunFileContents &wanted)
{
    Q_ASSERT(loaded.model == wanted.model);
    SavePlan plan{{}, loaded};
    for (const StoredField *field : FieldsOf(loaded.model)) {
        const StoredValue held = ValueOf(loaded, *field);
        const StoredValue value = ValueOf(wanted, *field);
        if (std::holds_alternative<std::monostate>(held) || value == held)
            continue; // the file has no such field, or keeps its value
        const auto bytes = EncodeField(*field, value);
        if (!bytes)
            return bytes.failure();
        if (bytes->isEmpty())
            continue; // nothing is written: the file keeps its value
        // Written only when it reads back as something else: a name typed again with blanks
        // around it stays as it is.
        const StoredValue back = DecodeField(*field, bytes.value());
        if (back == held)
            continue;
        plan.patches.append(Patch{field->offset, bytes.value(), QString::fromLatin1(field->name)});
        if (const auto set = SetValue(plan.after, *field, back); !set)
            return set.failure();
    }
    if (loaded.model == Model::Nox)
        if (auto failure = planNotes(loaded.nox, wanted.nox.notes, plan))
            return *failure;
    return plan;
}

bool IsSavedRange(Model model, qint64 offset, const QByteArray &bytes)
{
    for (const StoredField *field : FieldsOf(model))
        if (offset == field->offset && bytes.size() == field->length)
            return true;
    if (model == Model::Solvane)
        return false;
    // A notes block: its length byte, that many bytes, a NUL; after the first record.
    return offset > NoxLayout::RunDataOffset && bytes.size() >= 2 &&
           quint8(bytes.at(0)) == bytes.size() - 2 && bytes.endsWith('\0');
}

qint64 MinimumFileSize(Model model)
{
    return model == Model::Nox ? NoxLayout::MinimumSize : SolvaneLayout::MinimumSize;
}

} // namespace quenloft
