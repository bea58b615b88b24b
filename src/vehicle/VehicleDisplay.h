// What the window shows for a loaded run file: the display text of every field of its
// model, computed from the file's contents. Knows nothing of widgets.
#pragma once

#include "runfile/RunFileReader.h"
#include "vehicle/Fields.h"

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>

#include <optional>

namespace quenloft {

enum class VersionColour { Blue, Red, Unchanged };

struct VehicleDisplay
{
    Model model = Model::Solvane;
    bool metric = false; // the units of the values that have one
    QString versionCaption;
    VersionColour versionColour = VersionColour::Unchanged;
    QList<FieldId> shown;                  // the fields of the model, in column order
    QMap<FieldId, QString> values;         // the shown fields but notes: texts, and numbers
                                           // without their units
    QString notes;                         // line breaks as CR LF
    std::optional<QString> recordsCaption; // nullopt while the records label is hidden
    QString damagedList; // "Error(s) found at: …", empty when nothing is damaged

    // A display label's text: the value, and the unit after a number that has one.
    [[nodiscard]] QString caption(FieldId id) const
    {
        const QString value = values.value(id);
        return value.isEmpty() ? value : value + SuffixOf(id, model, metric);
    }
};

[[nodiscard]] VehicleDisplay DisplayOf(const RunFileContents &contents, bool metric);

// The value of one field of a file's contents as shown, a number without its unit (the
// notes with CR LF line breaks).
[[nodiscard]] QString ValueText(FieldId id, const RunFileContents &contents, bool metric);
// The same with its unit: a display label's text.
[[nodiscard]] QString DisplayText(FieldId id, const RunFileContents &contents, bool metric);

// Display texts of single values.
[[nodiscard]] QString TenthsText(int tenths);         // pattern "0.0": 12 → "1.2"
[[nodiscard]] QString HundredthsText(int hundredths); // pattern "0.00": 5 → "0.05"
// A stored number as a file of the model shows it, without a unit.
[[nodiscard]] QString StoredNumberText(Stored stored, qint64 value, bool metric);
[[nodiscard]] QString RunDateText(const QDateTime &when); // "3/7/2005 2:05:09 PM"
[[nodiscard]] QString VersionCaption(const NoxContents &nox);
[[nodiscard]] QString RecordsCaption(qint64 numRecords);
[[nodiscard]] QString DamagedListText(const QList<qint64> &positions, qint64 total);

} // namespace quenloft
