#include "vehicle/RunSummary.h"

#include "runfile/LoadMessages.h"
#include "runfile/ReadAfterJournal.h"
#include "support/NativePath.h"

namespace quenloft {
namespace {

bool isNox(const RunSummary &row)
{
    return row.loaded() && row.model == Model::Nox;
}

} // namespace

RunSummary ReadRunSummary(const QString &path, bool metric, const ScanObserver &observer)
{
    RunSummary row;
    row.path = path;
    const QString name = FileNameOfPath(path);
    const Model model = ModelFromFileName(name);
    row.model = model;
    // A row only reads: an unfinished save is left for a load that edits to put back.
    RunFileRead read = ReadRunFileAfterJournal(path, model, PendingSave::LeaveAsIs, observer);
    row.recovery = read.recovery.message;
    if (!read.contents) {
        row.loadFailure = read.contents.failure();
        row.error = LoadErrorMessage(read.contents.failure(), name)
                        .replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        return row;
    }
    row.contents = std::move(read.contents).value();
    row.display = DisplayOf(row.contents, metric);
    return row;
}

RunSummary UnreadableSummary(const QString &path, const QString &why)
{
    RunSummary row;
    row.path = path;
    row.error = why;
    return row;
}

std::optional<QString> FieldText(const RunSummary &row, FieldId id)
{
    if (!row.loaded() || !includes(fieldInfo(id).shownIn, *row.model))
        return std::nullopt;
    if (id == FieldId::Notes)
        return row.display.notes;
    return row.display.captions.value(id);
}

std::optional<qint64> StoredValue(const RunSummary &row, FieldId id)
{
    if (!row.loaded() || !includes(fieldInfo(id).shownIn, *row.model))
        return std::nullopt;
    const NoxContents &nox = row.contents.nox;
    const SolvaneContents &solvane = row.contents.solvane;
    switch (id) {
    case FieldId::Weight:
        return *row.model == Model::Nox ? nox.weight : solvane.weight;
    case FieldId::Redline:
        return nox.redline;
    case FieldId::ShiftPoint:
        return nox.shiftPoint;
    case FieldId::RolloutLength:
        return nox.rolloutLength;
    case FieldId::PitchFactor:
        if (nox.pitchFactor)
            return *nox.pitchFactor;
        return std::nullopt;
    case FieldId::FrontalArea:
        return solvane.frontalArea;
    case FieldId::CoeffOfDrag:
        return solvane.coeffOfDrag;
    case FieldId::DrivelineLoss:
        return solvane.drivelineLoss;
    case FieldId::RunName:
    case FieldId::VehicleName:
    case FieldId::Notes:
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<qint64> RecordCount(const RunSummary &row)
{
    if (!isNox(row))
        return std::nullopt;
    return row.contents.nox.numRecords;
}

std::optional<qint64> DamagedCount(const RunSummary &row)
{
    if (!isNox(row))
        return std::nullopt;
    return row.contents.nox.damagedCount;
}

} // namespace quenloft
