#include "runfile/FieldCodec.h"

#include "fixtures/QtPrinters.h"

#include <gtest/gtest.h>

namespace quenloft {
namespace {

QByteArray hex(const char *digits)
{
    return QByteArray::fromHex(digits);
}

TEST(FieldCodec, EachEncodingWritesItsBytesOrRefuses)
{
    const struct
    {
        const char *name;
        const StoredField &field;
        StoredValue value;
        const char *bytes; // nullptr when refused
    } rows[] = {
        {"a Nox word is big-endian", NoxLayout::Weight, qint64(1500), "05dc"},
        {"with its high byte also when 0", NoxLayout::Redline, qint64(200), "00c8"},
        {"the largest word", NoxLayout::ShiftPoint, qint64(65535), "ffff"},
        {"a word too large", NoxLayout::Weight, qint64(65536), nullptr},
        {"a negative number", NoxLayout::Weight, qint64(-1), nullptr},
        {"one byte", NoxLayout::RolloutLength, qint64(255), "ff"},
        {"one byte too large", NoxLayout::PitchFactor, qint64(256), nullptr},
        {"a Solvane word is little-endian", SolvaneLayout::Weight, qint64(1500), "dc05"},
        {"a Solvane word of 0 is not written", SolvaneLayout::FrontalArea, qint64(0), ""},
        {"a field the file lacks is not written", NoxLayout::PitchFactor, StoredValue(), ""},
        {"a text, a NUL, then 0xFF", NoxLayout::VehicleName, QStringLiteral("Car"),
         "43617200ffffffffffffffffffffffff"},
        {"a text of the field's length has no NUL", NoxLayout::VehicleName,
         QStringLiteral("0123456789abcdef"), "30313233343536373839616263646566"},
        {"a text is cut to its field", NoxLayout::VehicleName,
         QStringLiteral("0123456789abcdefXYZ"), "30313233343536373839616263646566"},
        {"a character outside the code page", NoxLayout::VehicleName, QStringLiteral("\u4E2D"),
         nullptr},
        {"a number for a text", NoxLayout::RunName, qint64(1), nullptr},
        {"a text for a number", NoxLayout::Weight, QStringLiteral("1"), nullptr},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const auto bytes = EncodeField(row.field, row.value);
        ASSERT_EQ(bytes.ok(), row.bytes != nullptr);
        if (row.bytes)
            EXPECT_EQ(bytes.value(), hex(row.bytes));
        else
            EXPECT_EQ(bytes.failure().number, CannotStoreValue);
    }
}

TEST(FieldCodec, EveryNumberOfAFieldReadsBackAsItself)
{
    for (const StoredField *field :
         {&NoxLayout::Weight, &NoxLayout::RolloutLength, &SolvaneLayout::Weight}) {
        for (qint64 v = field == &SolvaneLayout::Weight ? 1 : 0; v <= LargestStored(*field); ++v) {
            const auto bytes = EncodeField(*field, v);
            ASSERT_TRUE(bytes.ok()) << v;
            ASSERT_EQ(bytes->size(), field->length) << v;
            ASSERT_EQ(DecodeField(*field, bytes.value()), StoredValue(v)) << v;
        }
    }
}

TEST(FieldCodec, ValuesGoIntoTheirMembersOnlyWhenTheyFit)
{
    RunFileContents contents;
    contents.model = Model::Nox;
    EXPECT_EQ(ValueOf(contents, NoxLayout::PitchFactor), StoredValue()) << "no pitch factor";
    ASSERT_TRUE(SetValue(contents, NoxLayout::PitchFactor, qint64(12)).ok());
    EXPECT_EQ(contents.nox.pitchFactor, 12);
    EXPECT_FALSE(SetValue(contents, NoxLayout::PitchFactor, qint64(256)).ok());
    EXPECT_FALSE(SetValue(contents, NoxLayout::Weight, QStringLiteral("1")).ok());
    EXPECT_EQ(contents.nox.pitchFactor, 12);
    EXPECT_EQ(contents.nox.weight, 0);
}

} // namespace
} // namespace quenloft
