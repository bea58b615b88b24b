#include "FuzzCheck.h"
#include "FuzzTargets.h"

#include "fixtures/RunFileBuilder.h"
#include "runfile/Cp1252.h"
#include "runfile/RunFileReader.h"
#include "vehicle/FieldEntry.h"
#include "vehicle/SaveValues.h"
#include "vehicle/VehicleDisplay.h"

namespace quenloft::fuzz {
namespace {

const RunFileContents &loaded(Model model)
{
    static const RunFileContents nox = [] {
        const QByteArray bytes =
            fixtures::NoxFileBuilder().version("2.0").records(3, 12).notes("notes").build();
        MemoryByteSource source(bytes);
        return ReadRunFile(source, Model::Nox).value();
    }();
    static const RunFileContents solvane = [] {
        const QByteArray bytes = fixtures::SolvaneFileBuilder().build();
        MemoryByteSource source(bytes);
        return ReadRunFile(source, Model::Solvane).value();
    }();
    return model == Model::Nox ? nox : solvane;
}

} // namespace

int FuzzFieldEntry(const uint8_t *data, size_t size)
{
    ByteReader in(data, size);
    const unsigned char flags = in.take();
    const Model model = (flags & 1) ? Model::Nox : Model::Solvane;
    const bool metric = flags & 2;
    QList<FieldId> fields;
    for (const FieldId id : shownFields(model, true))
        if (id != FieldId::Notes && isEditable(id, model))
            fields.append(id);
    const FieldId field = fields.at(in.take() % fields.size());
    std::size_t count = in.left();
    const char *text = in.takeBytes(count);
    QString typed = QString::fromUtf8(text, qsizetype(count));
    // The editor takes no more characters than its limit.
    const int limit = fieldInfo(field).editorLimit;
    if (limit > 0)
        typed.truncate(limit);

    const LeaveOutcome outcome = LeaveEditor(field, model, metric, typed);
    if (!outcome.accepted) {
        FUZZ_CHECK(!outcome.message.isEmpty(), "a refused entry says why");
        return 0;
    }
    VehicleDisplay shown = DisplayOf(loaded(model), metric);
    shown.values[field] = outcome.value;
    const auto plan = PlanShownSave(shown.values, shown.notes, metric, loaded(model));
    if (plan)
        return 0;
    // The two refusals a save makes of what an editor accepts, each naming its cause: a
    // character the file's code page lacks, and a Solvane value that rounds to nothing.
    const QString why = plan.failure().description;
    const bool unencodable = BoundsOf(field, model, metric).check == CheckKind::None &&
                             !EncodeCp1252(outcome.editorText).has_value() &&
                             why.contains(QStringLiteral("cannot hold"));
    const bool storesAsNothing = model == Model::Solvane &&
                                 (field == FieldId::Weight || field == FieldId::FrontalArea) &&
                                 why.contains(QStringLiteral("the smallest"));
    FUZZ_CHECK(unencodable || storesAsNothing, "every text the editor accepts saves");
    return 0;
}

} // namespace quenloft::fuzz
