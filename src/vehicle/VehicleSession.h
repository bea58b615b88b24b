// The edit state of the one run file shown: the file as it was loaded, the display text of
// every field, the notes, the unit system and whether anything changed since the load or
// the last save. The window and the command-line program both edit through it, so a
// typed value is accepted, shown and saved by one set of rules.
#pragma once

#include "runfile/Model.h"
#include "runfile/PatchWriter.h"
#include "runfile/ReadAfterJournal.h"
#include "runfile/RunFileReader.h"
#include "runfile/RunFileWriter.h"
#include "support/Result.h"
#include "vehicle/FieldEntry.h"
#include "vehicle/Fields.h"
#include "vehicle/VehicleDisplay.h"

#include <QList>
#include <QString>

#include <optional>

namespace quenloft {

class VehicleSession
{
public:
    // --- Model and units

    // The model of the file to show, chosen from its name before it is read; none until
    // the first file is chosen. Fields of a session without a model follow Solvane's rules.
    [[nodiscard]] std::optional<Model> model() const { return m_model; }
    [[nodiscard]] Model shownModel() const { return m_model.value_or(Model::Solvane); }
    void setModel(Model model) { m_model = model; }

    [[nodiscard]] bool metric() const { return m_metric; }
    // Switches the unit system and converts the shown weight and frontal area. The file
    // is not touched.
    void switchUnits();

    // --- The loaded file

    // Reads the file as a file of model() and shows it. Until the read is done, and
    // after it failed, no file is shown. A newer open() made while this one reads (from
    // the observer) wins: this one then fails with LoadAbandoned and leaves it alone.
    // An unfinished earlier save of the file is put back first, or for a session that
    // only reads, left as it is (runfile/ReadAfterJournal.h); recovery() tells what was
    // found, also when the read then fails.
    Result<Done> open(const QString &path, PendingSave pending = PendingSave::Apply,
                      const ScanObserver &observer = {});
    [[nodiscard]] const JournalRecovery &recovery() const { return m_recovery; }
    // Forgets the shown file and its texts: the no-file state.
    void close();

    [[nodiscard]] bool hasFile() const { return m_file.has_value(); }
    [[nodiscard]] const QString &path() const { return m_path; }
    // Valid while hasFile().
    [[nodiscard]] const RunFileContents &contents() const { return m_contents; }
    [[nodiscard]] const LoadedFileInfo &loadedFile() const { return *m_file; }

    // What the window shows: the fields of the model, their current display texts, the
    // notes and the load's version, records and damage texts.
    [[nodiscard]] const VehicleDisplay &display() const { return m_display; }
    [[nodiscard]] QString text(FieldId id) const { return m_display.captions.value(id); }
    // What the field's editor opens with: the display text without its unit.
    [[nodiscard]] QString editorText(FieldId id) const;
    [[nodiscard]] const QString &notes() const { return m_display.notes; }
    // The notes as the file holds them.
    [[nodiscard]] const QString &loadedNotes() const
    {
        return shownModel() == Model::Nox ? m_contents.nox.notes : m_contents.solvane.notes;
    }
    // False for a Nox file without a notes block, whose notes cannot be changed.
    [[nodiscard]] bool notesStorable() const;

    // --- Editing

    [[nodiscard]] bool isDirty() const { return m_dirty; }
    void setDirty(bool dirty) { m_dirty = dirty; }
    // Marks the data changed; true when it was unchanged before (the first change).
    bool markChanged();

    // Leaving a field's editor with `typed`: when the field's rules accept it, it becomes
    // the field's display text. The outcome has the normalised editor text, and the
    // out-of-range message when it was refused.
    LeaveOutcome leaveEditor(FieldId id, const QString &typed);
    // The notes as edited, line breaks as CR LF.
    void setNotes(const QString &notes);

    // --- Saving

    // Every byte a save of the shown values would write, or why they cannot be stored.
    [[nodiscard]] Result<QList<Patch>> computeSave() const;
    // Writes the shown values into the file in place; afterwards the data is unchanged.
    Result<Done> save();

private:
    std::optional<Model> m_model;
    bool m_metric = false;
    bool m_dirty = false;
    QString m_path;
    RunFileContents m_contents;
    std::optional<LoadedFileInfo> m_file;
    VehicleDisplay m_display;
    JournalRecovery m_recovery;
    quint64 m_openGeneration = 0;
};

} // namespace quenloft
