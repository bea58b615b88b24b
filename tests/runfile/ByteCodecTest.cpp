#include "runfile/ByteCodec.h"

#include "fixtures/QtPrinters.h"

#include <gtest/gtest.h>

namespace quenloft {
namespace {

QByteArray hex(const char *digits)
{
    return QByteArray::fromHex(digits);
}

TEST(BigEndian, BytesToNumber)
{
    const struct
    {
        const char *bytes;
        qint32 value;
    } rows[] = {{"", 0},        {"00", 0},       {"ff", 255},      {"0100", 256},
                {"05dc", 1500}, {"ffff", 65535}, {"011170", 70000}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.bytes);
        EXPECT_EQ(BigEndianToLong(hex(row.bytes)), row.value);
    }
}

TEST(BigEndian, DecimalTextToTheShortestByteString)
{
    const struct
    {
        const char *text;
        const char *bytes;
    } rows[] = {
        {"0", "00"},
        {"200", "c8"},
        {"255", "ff"},
        {"256", "0100"},
        {"1500", "05dc"},
        {"65535", "ffff"},
        {"65536", "010000"},
        {"70000", "011170"},
        {"2.5", "02"},
        {"3.5", "04"},
        {"28.999999999999996", "1d"},
        {"255.5", "0100"},
        {"1e3", "03e8"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(ToBigEndianBytes(QString::fromLatin1(row.text)), hex(row.bytes));
    }
    EXPECT_EQ(ToBigEndianBytes(QStringLiteral("abc")), std::nullopt);
    EXPECT_EQ(ToBigEndianBytes(QStringLiteral("-1")), std::nullopt);
}

TEST(LittleEndian, BytesToNumberAndBack)
{
    EXPECT_EQ(LittleEndianToLong(hex("dc05")), 1500);
    EXPECT_EQ(LittleEndianToLong(hex("ff")), 255);
    EXPECT_EQ(LittleEndianToLong(hex("")), 0);
    EXPECT_EQ(LittleEndianToLong(hex("ffff")), 65535);

    EXPECT_EQ(ToLittleEndianBytes(1500), hex("dc05"));
    EXPECT_EQ(ToLittleEndianBytes(255), hex("ff00"));
    EXPECT_EQ(ToLittleEndianBytes(256), hex("0001"));
    EXPECT_EQ(ToLittleEndianBytes(65535), hex("ffff"));
    // Nothing is written for 0 or less; more than two bytes cannot be written at all.
    EXPECT_EQ(ToLittleEndianBytes(0), QByteArray());
    EXPECT_EQ(ToLittleEndianBytes(-5), QByteArray());
    EXPECT_EQ(ToLittleEndianBytes(65536), std::nullopt);
}

TEST(ByteCodec, EverySixteenBitValueSurvivesBothRoundTrips)
{
    for (qint32 v = 0; v <= 65535; ++v) {
        const auto big = ToBigEndianBytes(QString::number(v));
        ASSERT_TRUE(big.has_value()) << v;
        ASSERT_EQ(big->size(), v < 256 ? 1 : 2) << v;
        ASSERT_EQ(BigEndianToLong(*big), v);
        if (v == 0)
            continue;
        const auto little = ToLittleEndianBytes(v);
        ASSERT_TRUE(little.has_value()) << v;
        ASSERT_EQ(little->size(), 2) << v;
        ASSERT_EQ(LittleEndianToLong(*little), v);
    }
}

} // namespace
} // namespace quenloft
