#include "FuzzCheck.h"
#include "FuzzTargets.h"

#include "runfile/RunFileReader.h"
#include "vehicle/SaveValues.h"
#include "vehicle/VehicleDisplay.h"

namespace quenloft::fuzz {

int FuzzRunFileReader(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const Model model : {Model::Nox, Model::Solvane}) {
        MemoryByteSource source(bytes);
        const auto contents = ReadRunFile(source, model);
        if (!contents) {
            FUZZ_CHECK(!contents.failure().description.isEmpty(), "a failure says why");
            continue;
        }
        if (model == Model::Nox) {
            const NoxContents &nox = contents->nox;
            FUZZ_CHECK(nox.damagedCount >= nox.damagedPositions.size(),
                       "every listed damage counts");
            FUZZ_CHECK(nox.notesPos == 0 ||
                           (nox.notesPos > nox.runDataStart && nox.notesPos <= qint64(size)),
                       "the notes block lies after the run data, inside the file");
            FUZZ_CHECK(nox.notesPos == 0 ||
                           qint64(size) - (nox.notesPos + data[nox.notesPos - 1] + 1) <=
                               MaxBytesAfterNotes,
                       "a notes block is never taken from the middle of the run data");
        }
        for (const bool metric : {false, true}) {
            const VehicleDisplay shown = DisplayOf(contents.value(), metric);
            // Saving what a loaded file shows computes (the window offers exactly that), and
            // writes nothing: no field changed.
            const auto plan = PlanShownSave(shown.values, shown.notes, metric, contents.value());
            FUZZ_CHECK(plan.ok(), "a file that loads can be saved as it is shown");
            FUZZ_CHECK(plan->patches.isEmpty(), "a save of what a file shows writes nothing");
        }
    }
    return 0;
}

} // namespace quenloft::fuzz
