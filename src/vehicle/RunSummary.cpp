#include "vehicle/RunSummary.h"

#include "runfile/FieldCodec.h"
#include "runfile/LoadMessages.h"
#include "support/General.h"
#include "support/NativePath.h"
#include "vehicle/VehicleSession.h"

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
    VehicleSession session;
    if (session.metric() != metric)
        session.switchUnits();
    // A row only reads: an unfinished save is left for a load that edits to put back.
    const auto opened = session.open(path, PendingSave::LeaveAsIs, observer);
    row.model = session.model();
    row.recovery = session.recovery().message;
    if (!opened) {
        row.loadFailure = opened.failure();
        row.error = LoadErrorMessage(opened.failure(), FileNameOfPath(path))
                        .replace(kCRLF, QStringLiteral(" "));
        return row;
    }
    row.contents = session.contents();
    row.display = session.display();
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
    return row.display.caption(id);
}

std::optional<qint64> StoredNumberOf(const RunSummary &row, FieldId id)
{
    if (!row.loaded() || !includes(fieldInfo(id).shownIn, *row.model) || !isNumeric(id, *row.model))
        return std::nullopt;
    const StoredValue value = ValueOf(row.contents, *storedField(id, *row.model));
    if (const auto *number = std::get_if<qint64>(&value))
        return *number;
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
