#include "vehicle/SaveValues.h"

#include "runfile/FieldCodec.h"
#include "support/NumberText.h"
#include "vehicle/UnitFactors.h"
#include "vehicle/VehicleDisplay.h"

namespace quenloft {
namespace {

// The number a file stores for a numeric field's shown value in the user's units, or why it
// cannot store it.
Result<qint64> storedNumber(FieldId id, Model model, bool metric, const QString &text)
{
    const StoredField &field = *storedField(id, model);
    const Stored stored = storedAs(id, model);
    const bool measure = stored == Stored::Kilograms || stored == Stored::AreaHundredths;
    const qint64 largest = LargestStored(field);

    // Imperial units per metric unit, and stored units per metric unit, of a weight or area.
    const double imperial =
        stored == Stored::Kilograms ? PoundsPerKilogram : SquareFeetPerSquareMetre;
    const double perMetric = stored == Stored::Kilograms ? 1.0 : 100.0;

    // The shown number in stored units, not yet rounded: tenths in single precision;
    // hundredths through a 15-digit text, so that 0.29 * 100 = 28.999999999999996 is 29; a
    // weight or area from the user's units.
    std::optional<double> scaled;
    bool positive = false;
    if (stored == Stored::Tenths) {
        if (const auto single = ParseSingle(text))
            scaled = double(*single * 10.0f);
    } else if (const auto value = ParseDouble(text)) {
        positive = *value > 0.0;
        if (stored == Stored::Hundredths)
            scaled = ParseDouble(DoubleText(*value * 100.0));
        else if (measure)
            scaled = (metric ? *value : *value / imperial) * perMetric;
        else
            scaled = *value;
    }
    const double whole = RoundHalfEven(scaled.value_or(0.0));

    const QString name = QString::fromLatin1(field.name);
    if (!scaled)
        return CannotStore(QStringLiteral("The %1 \"%2\" is not a number").arg(name, text));
    const QString unit = SuffixOf(id, model, metric);
    // A weight or area of 0 or less stores as 0, which is not written; one above 0 that
    // rounds to 0 is refused: the writer would leave the old value in the file, and a save
    // that says so beats one that reports a value it did not store.
    if (measure && whole <= 0.0 && positive)
        return CannotStore(QStringLiteral("The %1 %2%3 is too small to be stored; the smallest "
                                          "%1 a run file can hold is %4%3")
                               .arg(name, text, unit, StoredNumberText(stored, 1, metric)));
    if (measure && whole <= 0.0)
        return qint64(0);
    if (!(whole >= 0.0 && whole <= double(largest)))
        return CannotStore(QStringLiteral("The %1 %2 does not fit its field (0 to %3%4)")
                               .arg(name, text, StoredNumberText(stored, largest, metric), unit));
    return qint64(whole);
}

} // namespace

Result<SavePlan> PlanShownSave(const FieldValues &values, const QString &notes, bool metric,
                               const RunFileContents &loaded)
{
    const Model model = loaded.model;
    RunFileContents wanted = loaded;
    if (model == Model::Nox)
        wanted.nox.notes = notes;
    // In the window's order: the first value that cannot be stored is the one reported.
    for (const FieldId id : shownFields(model, loaded.nox.pitchFactor.has_value())) {
        const StoredField *field = storedField(id, model);
        if (!field || !isEditable(id, model))
            continue;
        const QString shown = values.value(id);
        StoredValue value = shown;
        if (isNumeric(id, model)) {
            const auto number = storedNumber(id, model, metric, shown);
            if (!number)
                return number.failure();
            value = number.value();
        }
        if (const auto set = SetValue(wanted, *field, value); !set)
            return set.failure();
    }
    return PlanSave(loaded, wanted);
}

} // namespace quenloft
