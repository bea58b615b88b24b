#include "vehicle/RunSummary.h"

#include "runfile/JournalRecovery.h"
#include "runfile/JournalStore.h"
#include "runfile/LoadMessages.h"
#include "support/NativePath.h"

namespace quenloft {
namespace {

bool isNox(const RunSummary &row)
{
    return row.loaded() && row.model == Model::Nox;
}

// How long the reader trusts that the journal folder holds no journal.
constexpr qint64 kJournalLookIntervalMs = 1000;

RunSummary readRow(const QString &path, bool metric, bool recover, const ScanObserver &observer)
{
    RunSummary row;
    row.path = path;
    if (recover)
        row.recovery = RecoverPendingJournal(path).message;
    const QString name = FileNameOfPath(path);
    const Model model = ModelFromFileName(name);
    row.model = model;
    auto contents = ReadRunFileAt(path, model, observer);
    if (!contents) {
        row.loadFailure = contents.failure();
        row.error = LoadErrorMessage(contents.failure(), name)
                        .replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        return row;
    }
    row.contents = std::move(contents).value();
    row.display = DisplayOf(row.contents, metric);
    return row;
}

} // namespace

RunSummary ReadRunSummary(const QString &path, bool metric, const ScanObserver &observer)
{
    return readRow(path, metric, true, observer);
}

RunSummary RunSummaryReader::read(const QString &path, const ScanObserver &observer)
{
    if (!m_sinceLooked.isValid() || m_sinceLooked.elapsed() >= kJournalLookIntervalMs) {
        const auto pending = PendingJournalPaths();
        // A folder that cannot be read is left to RecoverPendingJournal to report.
        m_journalsPending = !pending || !pending->isEmpty();
        m_sinceLooked.start();
    }
    return readRow(path, m_metric, m_journalsPending, observer);
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
