#include "vehicle/VehicleSession.h"

#include "vehicle/SaveValues.h"
#include "vehicle/Units.h"

namespace quenloft {

void VehicleSession::switchUnits()
{
    m_metric = !m_metric;
    if (shownModel() != Model::Solvane)
        return; // only the Solvane weight and area have units
    const UnitCaptions shown{text(FieldId::Weight), text(FieldId::FrontalArea)};
    const UnitCaptions converted = ConvertUnitCaptions(shown, m_metric);
    if (!converted.weight.isEmpty())
        m_display.captions[FieldId::Weight] = converted.weight;
    if (!converted.frontalArea.isEmpty())
        m_display.captions[FieldId::FrontalArea] = converted.frontalArea;
}

Result<Done> VehicleSession::open(const QString &path, PendingSave pending,
                                  const ScanObserver &observer)
{
    close();
    const quint64 generation = ++m_openGeneration;
    const Model model = shownModel();
    RunFileRead read = ReadRunFileAfterJournal(path, model, pending, observer);
    if (generation != m_openGeneration)
        return Failure{LoadAbandoned, QStringLiteral("A newer load took over")};
    m_recovery = std::move(read.recovery);
    if (!read.contents)
        return read.contents.failure();
    m_contents = std::move(read.contents).value();
    m_file = LoadedFileInfo::from(m_contents);
    m_path = path;
    m_display = DisplayOf(m_contents, m_metric);
    m_dirty = false;
    return Done{};
}

void VehicleSession::close()
{
    m_file.reset();
    m_path.clear();
    m_contents = RunFileContents{};
    m_display = VehicleDisplay{};
    m_display.model = shownModel();
    m_recovery = JournalRecovery{};
    m_dirty = false;
}

QString VehicleSession::editorText(FieldId id) const
{
    return EditorTextFromCaption(id, shownModel(), text(id));
}

bool VehicleSession::notesStorable() const
{
    return !(shownModel() == Model::Nox && m_file && m_file->notesPos <= 0);
}

bool VehicleSession::markChanged()
{
    const bool first = !m_dirty;
    m_dirty = true;
    return first;
}

LeaveOutcome VehicleSession::leaveEditor(FieldId id, const QString &typed)
{
    LeaveOutcome outcome = LeaveEditor(id, shownModel(), m_metric, typed);
    if (outcome.accepted && outcome.caption != text(id)) {
        m_display.captions[id] = outcome.caption;
        m_dirty = true;
    }
    return outcome;
}

void VehicleSession::setNotes(const QString &notes)
{
    if (notes == m_display.notes)
        return;
    m_display.notes = notes;
    m_dirty = true;
}

Result<QList<Patch>> VehicleSession::computeSave() const
{
    if (!m_file)
        return Failure{CannotStoreValue, QStringLiteral("No run file is shown")};
    return ComputePatches(m_display.captions, m_display.notes, m_metric, *m_file);
}

Result<Done> VehicleSession::save()
{
    const auto patches = computeSave();
    if (!patches)
        return patches.failure();
    const auto stamp = WritePatchesToFile(m_path, m_file->stamp, patches.value());
    if (!stamp)
        return stamp.failure();
    m_file->stamp = stamp.value();
    m_contents.stamp = stamp.value();
    m_dirty = false;
    return Done{};
}

} // namespace quenloft
