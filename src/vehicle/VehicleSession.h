// The life of the one run file shown: choosing its model, putting back an unfinished save,
// reading it, the values of every field and their units, the notes, editing and the
// unsaved-changes flag, and saving. The window and the command-line program both go
// through it, so a file is opened, a typed value accepted, shown and saved by one set of
// rules; the window only presents what the session says.
#pragma once

#include "runfile/Model.h"
#include "runfile/PatchWriter.h"
#include "runfile/ReadAfterJournal.h"
#include "runfile/RunFileReader.h"
#include "runfile/RunFileWriter.h"
#include "support/Result.h"
#include "vehicle/FieldEntry.h"
#include "vehicle/Fields.h"
#include "vehicle/SaveValues.h"
#include "vehicle/VehicleDisplay.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace quenloft {

enum class SessionMode {
    NoFile,  // nothing is shown
    Viewing, // a file is shown; its values can be looked at
    Editing, // the user is changing its values
};

class VehicleSession
{
public:
    // --- Model and units

    // The model of the file shown or being opened, chosen from its name; none until the
    // first file is opened. Fields of a session without a model follow Solvane's rules.
    [[nodiscard]] std::optional<Model> model() const { return m_model; }
    [[nodiscard]] Model shownModel() const { return m_model.value_or(Model::Solvane); }

    [[nodiscard]] bool metric() const { return m_metric; }
    // Switches the unit system and converts the shown weight and frontal area. The file
    // is not touched.
    void switchUnits();

    // --- The file's life

    // Opens the run file at `path`: chooses its model from its name, puts back an
    // unfinished earlier save of it (or, for a session that only reads, leaves it and reads
    // the file as putting it back would leave it; runfile/ReadAfterJournal.h), reads it and
    // shows it, in the Viewing mode. Until the read is done, and after it failed, no file
    // is shown. `observer` follows a long scan; cancel(), or a newer open() made from the
    // observer, stops it: this one then fails with LoadAbandoned and leaves the session to
    // the newer one. recovery() tells what was found of an unfinished save, also when the
    // read then fails.
    Result<Done> open(const QString &path, PendingSave pending = PendingSave::Apply,
                      const ScanObserver &observer = {});
    [[nodiscard]] const JournalRecovery &recovery() const { return m_recovery; }
    // Stops an open() that is still reading.
    void cancel() { ++m_openGeneration; }
    // Forgets the shown file and its values: the no-file state.
    void close();

    [[nodiscard]] SessionMode mode() const { return m_mode; }
    [[nodiscard]] bool hasFile() const { return m_mode != SessionMode::NoFile; }
    [[nodiscard]] const QString &path() const { return m_path; }
    // Valid while hasFile().
    [[nodiscard]] const RunFileContents &contents() const { return m_contents; }

    // Called after every change of the mode, the shown file or its values.
    void setObserver(std::function<void()> observer) { m_observer = std::move(observer); }

    // What the window shows: the fields of the model, their values, the notes and the
    // load's version, records and damage texts.
    [[nodiscard]] const VehicleDisplay &display() const { return m_display; }
    // A field's value: a text, or a number without its unit (what its editor opens with).
    [[nodiscard]] QString value(FieldId id) const { return m_display.values.value(id); }
    // A display label's text: the value and its unit.
    [[nodiscard]] QString caption(FieldId id) const { return m_display.caption(id); }
    [[nodiscard]] const QString &notes() const { return m_display.notes; }
    // The notes as the file holds them.
    [[nodiscard]] const QString &loadedNotes() const { return NotesOf(m_contents); }
    // False for a Nox file without a notes block, whose notes cannot be changed.
    [[nodiscard]] bool notesStorable() const;

    // --- Editing

    // The Editing mode, for a file shown.
    void beginEditing();
    // Back to Viewing; the values stay as they are, changed or not.
    void endEditing();
    // Drops every change since the file was read or saved: the values are the file's
    // again, in the Viewing mode.
    void discardChanges();

    [[nodiscard]] bool isDirty() const { return m_dirty; }
    // Whether the values differ from what the file holds: a save would write something,
    // or holds values it cannot store. (The dirty flag is set by any change of an editor,
    // also one that changes nothing.)
    [[nodiscard]] bool hasUnsavedChanges() const;
    // Marks the data changed (an editor's text changed); true when it was unchanged
    // before (the first change).
    bool markChanged();

    // Leaving a field's editor with `typed`: when the field's rules accept it, it becomes
    // the field's value. The outcome has the normalised editor text, and the out-of-range
    // message when it was refused.
    LeaveOutcome leaveEditor(FieldId id, const QString &typed);
    // The notes as edited, line breaks as CR LF.
    void setNotes(const QString &notes);

    // --- Saving

    // Every byte a save of the shown values would write and the file as a reload reads it
    // afterwards, or why the values cannot be stored.
    [[nodiscard]] Result<SavePlan> planSave() const;
    // Writes the shown values into the file in place. Afterwards the session shows what the
    // file holds (a reload's values: 3310 lbs saved as 1505 kg shows as 3311 lbs), in the
    // Viewing mode, and the data is unchanged.
    Result<Done> save();

private:
    void changed();

    std::optional<Model> m_model;
    bool m_metric = false;
    bool m_dirty = false;
    SessionMode m_mode = SessionMode::NoFile;
    QString m_path;
    RunFileContents m_contents;
    VehicleDisplay m_display;
    JournalRecovery m_recovery;
    std::function<void()> m_observer;
    quint64 m_openGeneration = 0;
};

} // namespace quenloft
