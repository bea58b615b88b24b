#include "vehicle/VehicleSession.h"

#include "support/NativePath.h"
#include "vehicle/Units.h"

namespace quenloft {

void VehicleSession::changed()
{
    if (m_observer)
        m_observer();
}

void VehicleSession::switchUnits()
{
    m_metric = !m_metric;
    m_display.metric = m_metric;
    if (shownModel() != Model::Solvane)
        return; // only the Solvane weight and area have units
    const UnitValues converted =
        ConvertUnitValues({value(FieldId::Weight), value(FieldId::FrontalArea)}, m_metric);
    if (!converted.weight.isEmpty())
        m_display.values[FieldId::Weight] = converted.weight;
    if (!converted.frontalArea.isEmpty())
        m_display.values[FieldId::FrontalArea] = converted.frontalArea;
}

Result<Done> VehicleSession::open(const QString &path, PendingSave pending,
                                  const ScanObserver &observer)
{
    close();
    m_model = ModelFromFileName(FileNameOfPath(path));
    m_display.model = *m_model;
    const quint64 generation = ++m_openGeneration;
    const auto stillWanted = [&](qint64 scanned, qint64 total) {
        return (!observer || observer(scanned, total)) && generation == m_openGeneration;
    };
    RunFileRead read = ReadRunFileAfterJournal(path, *m_model, pending, stillWanted);
    if (generation != m_openGeneration)
        return Failure{LoadAbandoned, QStringLiteral("A newer load took over")};
    m_recovery = std::move(read.recovery);
    if (!read.contents)
        return read.contents.failure();
    m_contents = std::move(read.contents).value();
    m_path = path;
    m_display = DisplayOf(m_contents, m_metric);
    m_dirty = false;
    m_mode = SessionMode::Viewing;
    changed();
    return Done{};
}

void VehicleSession::close()
{
    m_path.clear();
    m_contents = RunFileContents{};
    m_display = VehicleDisplay{};
    m_display.model = shownModel();
    m_display.metric = m_metric;
    m_recovery = JournalRecovery{};
    m_dirty = false;
    m_mode = SessionMode::NoFile;
    changed();
}

bool VehicleSession::notesStorable() const
{
    return !(hasFile() && shownModel() == Model::Nox && m_contents.nox.notesPos <= 0);
}

void VehicleSession::beginEditing()
{
    if (!hasFile())
        return;
    m_mode = SessionMode::Editing;
    changed();
}

void VehicleSession::endEditing()
{
    if (!hasFile())
        return;
    m_mode = SessionMode::Viewing;
    changed();
}

void VehicleSession::discardChanges()
{
    if (!hasFile())
        return;
    m_display = DisplayOf(m_contents, m_metric);
    m_dirty = false;
    m_mode = SessionMode::Viewing;
    changed();
}

bool VehicleSession::hasUnsavedChanges() const
{
    if (!hasFile() || !m_dirty)
        return false;
    const auto plan = planSave();
    return !plan || !plan->patches.isEmpty();
}

bool VehicleSession::markChanged()
{
    const bool first = !m_dirty;
    m_dirty = true;
    changed();
    return first;
}

LeaveOutcome VehicleSession::leaveEditor(FieldId id, const QString &typed)
{
    LeaveOutcome outcome = LeaveEditor(id, shownModel(), m_metric, typed);
    if (outcome.accepted && outcome.value != value(id)) {
        m_display.values[id] = outcome.value;
        markChanged();
    }
    return outcome;
}

void VehicleSession::setNotes(const QString &notes)
{
    if (notes == m_display.notes)
        return;
    m_display.notes = notes;
    markChanged();
}

Result<SavePlan> VehicleSession::planSave() const
{
    if (!hasFile())
        return CannotStore(QStringLiteral("No run file is shown"));
    return PlanShownSave(m_display.values, m_display.notes, m_metric, m_contents);
}

Result<Done> VehicleSession::save()
{
    const auto plan = planSave();
    if (!plan)
        return plan.failure();
    const auto stamp = WritePatchesToFile(m_path, m_contents.stamp, plan->patches);
    if (!stamp)
        return stamp.failure();
    m_contents = plan->after;
    m_contents.stamp = stamp.value();
    m_display = DisplayOf(m_contents, m_metric);
    m_dirty = false;
    m_mode = SessionMode::Viewing;
    changed();
    return Done{};
}

} // namespace quenloft
