// The fuzz targets: each takes arbitrary bytes and aborts, naming the broken rule, when
// the code under test misbehaves. libFuzzer drives them (FuzzEntry.cpp, clang builds);
// the normal test suite replays the regression corpus through them (ReplayTest.cpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quenloft::fuzz {

// The run-file reader and the display texts, on any bytes, as either model.
int FuzzRunFileReader(const uint8_t *data, size_t size);
// A field editor on any text: whatever it accepts, a save can store.
int FuzzFieldEntry(const uint8_t *data, size_t size);
// A save over a file whose k-th write, truncate or sync fails: after any failure the file
// is unchanged, or its journal puts it back.
int FuzzPatchFaults(const uint8_t *data, size_t size);
// The journal decoder on any bytes: what it accepts encodes back to the same bytes.
int FuzzJournalDecoder(const uint8_t *data, size_t size);

struct Target
{
    std::string_view name; // also the folder of its regression inputs
    int (*run)(const uint8_t *, size_t);
};

inline constexpr Target kTargets[] = {
    {"run_file_reader", FuzzRunFileReader},
    {"field_entry", FuzzFieldEntry},
    {"patch_faults", FuzzPatchFaults},
    {"journal_decoder", FuzzJournalDecoder},
};

} // namespace quenloft::fuzz
