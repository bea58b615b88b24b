#include "support/NumberText.h"

#include "fixtures/QtPrinters.h"

#include <gtest/gtest.h>

namespace quenloft {
namespace {

QString q(const char *ascii)
{
    return QString::fromLatin1(ascii);
}

TEST(IsNumeric, AcceptsSignDigitsOnePointAndAnExponentWithBlanksAround)
{
    const struct
    {
        const char *text;
        bool numeric;
    } rows[] = {
        {"12", true},    {"-12", true},    {"+1.5", true},   {".5", true},     {"5.", true},
        {" 7 ", true},   {"1e3", true},    {"1.5E-2", true}, {"-.5e+2", true}, {"007", true},
        {"", false},     {"   ", false},   {".", false},     {"-", false},     {"1.2.3", false},
        {"1e", false},   {"e5", false},    {"abc", false},   {"1 2", false},   {"--1", false},
        {"0x10", false}, {"12abc", false}, {"nan", false},   {"inf", false},   {"1e+", false},
        {"+-1", false},  {"1.5.", false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(IsNumeric(q(row.text)), row.numeric);
        EXPECT_EQ(ParseDouble(q(row.text)).has_value(), row.numeric);
        EXPECT_EQ(ParseSingle(q(row.text)).has_value(), row.numeric);
    }
}

TEST(ParseReal, ValuesAndTheLimitsOfEachPrecision)
{
    EXPECT_EQ(ParseDouble(q(" -2.5e1 ")), -25.0);
    EXPECT_EQ(ParseSingle(q(".355")), 0.355f);
    EXPECT_EQ(ParseSingle(q("9.")), 9.0f);
    // Numeric but too large for single precision: no value, so it counts as out of range.
    EXPECT_TRUE(ParseSingle(q("3.4e38")).has_value());
    EXPECT_FALSE(ParseSingle(q("1e39")).has_value());
    EXPECT_EQ(ParseDouble(q("1e39")), 1e39);
    EXPECT_FALSE(ParseDouble(q("1e309")).has_value());
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour)
{
    const struct
    {
        double value, expected;
    } rows[] = {{0.5, 0},    {1.5, 2},   {2.5, 2},         {3.5, 4},      {2.4999, 2},
                {2.5001, 3}, {-1.5, -2}, {65535.5, 65536}, {1234.6, 1235}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.value);
        EXPECT_EQ(RoundHalfEven(row.value), row.expected);
    }
}

TEST(PlainDecimal, NoExponentNoTrailingZerosAtMostTheGivenSignificantDigits)
{
    const struct
    {
        const char *name;
        double value;
        int digits;
        const char *expected;
    } rows[] = {
        {"1234 kg in pounds", 1234 * 2.2, 15, "2714.8"},
        {"1000 kg in pounds", 1000 * 2.2, 15, "2200"},
        {"stored area 150 in square feet", 150 / 100.0 * 10.76, 15, "16.14"},
        {"stored area 150 in square metres", 150 / 100.0, 15, "1.5"},
        {"zero", 0.0, 15, "0"},
        {"a small fraction", 0.001, 15, "0.001"},
        {"a tiny value has no exponent", 1.5e-7, 7, "0.00000015"},
        {"a large value has no exponent", 1e20, 15, "100000000000000000000"},
        {"digits beyond the limit are rounded", 123456789.0, 7, "123456800"},
        {"rounding can carry into a new digit", 9.99999999, 7, "10"},
        {"negative", -2.5, 15, "-2.5"},
        {"0.1 + 0.2 on 15 digits", 0.1 + 0.2, 15, "0.3"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(PlainDecimal(row.value, row.digits), q(row.expected));
    }
    EXPECT_EQ(SingleText(0.355f), q("0.355"));
    EXPECT_EQ(SingleText(0.01f), q("0.01"));
    EXPECT_EQ(DoubleText(double(0.355f)), q("0.354999989271164"));
}

TEST(FormatFixed, WritesExactlyTheGivenDecimalsWithADigitBeforeThePoint)
{
    const struct
    {
        const char *text;
        int decimals;
        const char *expected;
    } rows[] = {
        {"0.36", 2, "0.36"}, {"1", 2, "1.00"},    {"100", 3, "100.000"}, {"9", 0, "9"},
        {".5", 1, "0.5"},    {"1.25", 1, "1.3"},  {"0.995", 2, "1.00"},  {"16.14", 3, "16.140"},
        {"12.7", 0, "13"},   {"-1.5", 1, "-1.5"}, {"abc", 2, "abc"},     {"", 2, ""},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(std::string(row.text) + " to " + std::to_string(row.decimals));
        EXPECT_EQ(FormatFixed(q(row.text), row.decimals), q(row.expected));
    }
}

TEST(RoundDecimals, CutsThenAddsOneUnitWhenTheNextDigitIsFiveOrMore)
{
    const struct
    {
        const char *name;
        QString result;
        const char *expected;
    } rows[] = {
        {"single 0.355 to 2 rounds up on its 7-digit text", RoundDecimals(0.355f, 2), "0.36"},
        {"the same value as a double rounds on 15 digits", RoundDecimals(double(0.355f), 2),
         "0.35"},
        {"single 2.25 to 1", RoundDecimals(2.25f, 1), "2.3"},
        {"double 1.495 to 2 drops the trailing zero", RoundDecimals(1.495, 2), "1.5"},
        {"double 1.2049 to 2 keeps the cut text with its zero", RoundDecimals(1.2049, 2), "1.20"},
        {"double 12.7 to 0 is cut, not rounded", RoundDecimals(12.7, 0), "12"},
        {"single 99.9 to 0 is cut", RoundDecimals(99.9f, 0), "99"},
        {"a negative count of decimals counts as 0", RoundDecimals(12.7, -1), "12"},
        {"fewer decimals than asked stay as they are", RoundDecimals(16.14, 3), "16.14"},
        {"a text without a point is unchanged", RoundDecimals(12.0, 2), "12"},
        {"single 0.005 to 2", RoundDecimals(0.005f, 2), "0.01"},
        {"single 0.995 to 2 carries into the whole part", RoundDecimals(0.995f, 2), "1"},
        {"double 99.95 to 1 carries over two digits", RoundDecimals(99.95, 1), "100"},
        {"single 655.005 to 2", RoundDecimals(655.005f, 2), "655.01"},
        {"single 655.004 to 2", RoundDecimals(655.004f, 2), "655.00"},
        {"16.14 ft^2 back to square metres", RoundDecimals(double(16.14f) / 10.76, 2), "1.5"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.result, q(row.expected));
    }
}

} // namespace
} // namespace quenloft
