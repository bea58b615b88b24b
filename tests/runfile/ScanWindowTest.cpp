// The run-data walk reads through a fixed window. These cases put records, damaged
// separators, notes and the end of the file on and around window boundaries and compare
// the walk with a plain byte-by-byte reference walk.
#include "fixtures/CaseNames.h"
#include "fixtures/RunFileBuilder.h"
#include "runfile/RunFileReader.h"

#include <gtest/gtest.h>

#include <random>

using namespace quenloft;
using namespace quenloft::fixtures;

namespace {

struct Walk
{
    qint64 records = 0;
    QList<qint64> damaged;
    qint64 notesPos = 0;
};

// The walk written as plainly as possible: one byte at a time, no window.
Walk referenceWalk(const QByteArray &file, qint64 start)
{
    Walk walk;
    auto byteAt = [&](qint64 pos) { return pos < file.size() ? int(quint8(file[pos])) : -1; };
    const int L = byteAt(start);
    if (L <= 0)
        return walk;
    qint64 pos = start;
    for (;;) {
        const int current = byteAt(pos);
        if (current == -1)
            return walk;
        if (current != L) {
            walk.notesPos = pos + 1;
            return walk;
        }
        ++walk.records;
        const qint64 sep = pos + 1 + L;
        if (byteAt(sep) != 0 || byteAt(sep + 1) != 0 || byteAt(sep + 2) != 0)
            walk.damaged.append(sep + 1);
        pos = sep + 3;
    }
}

struct Case
{
    const char *name;
    int recordLength;
    int records;
    bool notes;
    qint64 cutFromEnd; // bytes removed from the end of the built file
};

class ScanWindow : public ::testing::TestWithParam<Case>
{
};

TEST_P(ScanWindow, MatchesTheReferenceWalk)
{
    const Case c = GetParam();
    NoxFileBuilder builder;
    builder.version("2.0").records(c.records, quint8(c.recordLength));
    if (c.notes)
        builder.notes("notes across windows");
    // Damage near every window boundary and at a few random records.
    const qint64 stride = c.recordLength + 4;
    std::mt19937 random(c.recordLength * 1000 + c.records);
    QList<int> bad;
    for (qint64 boundary = ScanBufferSize; boundary < qint64(c.records) * stride;
         boundary += ScanBufferSize)
        for (int delta = -2; delta <= 1; ++delta)
            bad.append(int((boundary - 311) / stride) + delta);
    for (int i = 0; i < 5; ++i)
        bad.append(int(random() % unsigned(c.records)));
    for (int index : bad)
        if (index >= 0 && index < c.records)
            builder.separator(index, QByteArray("\x00\x00\x01", 3));
    QByteArray file = builder.build();
    file.chop(c.cutFromEnd);

    MemoryByteSource source(file);
    int observed = 0;
    const auto contents = ReadRunFile(source, Model::Nox, [&](qint64, qint64) {
        ++observed;
        return true;
    });
    ASSERT_TRUE(contents.ok()) << contents.failure().description.toStdString();
    const Walk expected = referenceWalk(file, 311);
    EXPECT_EQ(contents->nox.numRecords, expected.records);
    EXPECT_EQ(contents->nox.damagedPositions, expected.damaged);
    EXPECT_EQ(contents->nox.damagedCount, expected.damaged.size());
    EXPECT_EQ(contents->nox.notesPos, expected.notesPos);
    EXPECT_GE(observed, int(file.size() / ScanBufferSize)) << "the observer sees every window";
}

INSTANTIATE_TEST_SUITE_P(AcrossWindows, ScanWindow,
                         ::testing::Values(Case{"one byte records", 1, 700000, true, 0},
                                           Case{"seven byte records", 7, 330000, true, 0},
                                           Case{"longest records", 255, 12000, true, 0},
                                           Case{"no notes", 40, 60000, false, 0},
                                           Case{"last separator cut", 40, 60000, false, 2},
                                           Case{"last record cut in its data", 40, 60000, false,
                                                20},
                                           Case{"notes cut", 40, 60000, true, 5}),
                         [](const auto &info) { return fixtures::caseName(info.param.name); });

} // namespace
