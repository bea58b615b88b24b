#include "vehicle/Fields.h"

#include <QList>

#include <algorithm>

namespace quenloft {

const FieldInfo &fieldInfo(FieldId id)
{
    return kFields[size_t(id)];
}

// The table is indexed by the enumeration, and has a record for each of its values (the
// notes come last).
static_assert(kFields.size() == size_t(FieldId::Notes) + 1);
static_assert([] {
    for (size_t i = 0; i < kFields.size(); ++i)
        if (size_t(kFields[i].id) != i)
            return false;
    return true;
}());

// Each field of the model that is kept in a fixed place names where, and each such place of
// a run file is some field's: a field added to one table and not to the other does not
// compile.
template <size_t N>
constexpr bool keptOnce(const std::array<const StoredField *, N> &places, Model model)
{
    for (const FieldInfo &f : kFields) {
        const StoredField *place = model == Model::Nox ? f.noxField : f.solvaneField;
        const Stored stored = model == Model::Nox ? f.nox : f.solvane;
        const bool fixed =
            includes(f.shownIn, model) && f.id != FieldId::Notes && stored != Stored::RunDate;
        if (fixed != (place != nullptr))
            return false;
        if (place && (stored == Stored::Text) != (place->encoding == Encoding::Text))
            return false;
        if (place && std::find(places.begin(), places.end(), place) == places.end())
            return false;
    }
    for (const StoredField *place : places) {
        int named = 0;
        for (const FieldInfo &f : kFields)
            named += (model == Model::Nox ? f.noxField : f.solvaneField) == place ? 1 : 0;
        if (named != 1)
            return false;
    }
    return true;
}
static_assert(keptOnce(NoxLayout::Fields, Model::Nox));
static_assert(keptOnce(SolvaneLayout::Fields, Model::Solvane));

QList<FieldId> columnFields()
{
    QList<FieldId> fields;
    for (const FieldInfo &f : kFields)
        if (f.id != FieldId::Notes)
            fields.append(f.id);
    return fields;
}

QList<FieldId> shownFields(Model model, bool hasPitchFactor)
{
    // Four lists in all, made once: every loaded file asks, and a table of thousands of
    // files asks thousands of times.
    static const std::array<QList<FieldId>, 4> lists = [] {
        std::array<QList<FieldId>, 4> made;
        for (size_t i = 0; i < made.size(); ++i) {
            const Model m = i / 2 == 0 ? Model::Nox : Model::Solvane;
            const bool pitch = i % 2 == 1;
            for (const FieldInfo &f : kFields)
                if (includes(f.shownIn, m) && (f.id != FieldId::PitchFactor || pitch))
                    made[i].append(f.id);
        }
        return made;
    }();
    return lists[(model == Model::Nox ? 0 : 2) + (hasPitchFactor ? 1 : 0)];
}

QString jsonKey(FieldId id, Model model)
{
    const FieldInfo &f = fieldInfo(id);
    return QString::fromLatin1(model == Model::Solvane && f.solvaneKey ? f.solvaneKey : f.key);
}

std::optional<FieldId> fieldFromJsonKey(const QString &key, Model model)
{
    for (const FieldInfo &f : kFields)
        if (jsonKey(f.id, model) == key)
            return f.id;
    return std::nullopt;
}

QString captionOf(FieldId id, Model model)
{
    if (storedAs(id, model) == Stored::RunDate)
        return QStringLiteral("Run Date:");
    return QString::fromLatin1(fieldInfo(id).caption);
}

bool isEditable(FieldId id, Model model)
{
    const FieldInfo &f = fieldInfo(id);
    return includes(f.shownIn, model) && includes(f.editorIn, model);
}

Stored storedAs(FieldId id, Model model)
{
    const FieldInfo &f = fieldInfo(id);
    return model == Model::Nox ? f.nox : f.solvane;
}

const StoredField *storedField(FieldId id, Model model)
{
    const FieldInfo &f = fieldInfo(id);
    return model == Model::Nox ? f.noxField : f.solvaneField;
}

bool isNumeric(FieldId id, Model model)
{
    const Stored stored = storedAs(id, model);
    return stored != Stored::Text && stored != Stored::RunDate;
}

FieldBounds BoundsOf(FieldId id, Model model, bool metric)
{
    const FieldInfo &f = fieldInfo(id);
    return model == Model::Solvane && !metric ? f.imperial : f.bounds;
}

QString SuffixOf(FieldId id, Model model, bool metric)
{
    if (model != Model::Solvane)
        return {};
    const FieldInfo &f = fieldInfo(id);
    return QString::fromLatin1(metric ? f.suffix : f.imperialSuffix);
}

} // namespace quenloft
