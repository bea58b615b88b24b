#include "support/General.h"

#include "fixtures/QtPrinters.h"

#include <gtest/gtest.h>

#include <string_view>

namespace quenloft {
namespace {

using namespace std::literals;

// Texts with NUL characters in them cannot be written as ordinary string literals.
QString text(std::u16string_view chars)
{
    return QString(reinterpret_cast<const QChar *>(chars.data()), qsizetype(chars.size()));
}

TEST(TrimSpaces, RemovesOnlyBlanksAtBothEnds)
{
    EXPECT_EQ(TrimSpaces(QStringLiteral("  a b  ")), QStringLiteral("a b"));
    EXPECT_EQ(TrimSpaces(QStringLiteral("\ta\t ")), QStringLiteral("\ta\t"));
    EXPECT_EQ(TrimSpaces(QStringLiteral("   ")), QString());
}

TEST(StripAffix, RemovesRepeatsAtTheEndFirstThenAtTheStart)
{
    struct Row
    {
        const char *name;
        std::u16string_view input;
        std::u16string_view affix;
        bool trim;
        std::u16string_view expected;
    };
    const Row rows[] = {
        {"only NULs give the empty text", u"\0\0\0"sv, u"\0"sv, false, u""sv},
        {"NULs between letters stay", u"A\0B\0\0"sv, u"\0"sv, false, u"A\0B"sv},
        {"trimming alternates with NUL removal", u" \0X \0"sv, u"\0"sv, true, u"X"sv},
        {"without trimming the blanks stay", u" \0X \0"sv, u"\0"sv, false, u" \0X "sv},
        {"blanks between trailing NULs go", u"AB  \0 \0"sv, u"\0"sv, true, u"AB"sv},
        {"an empty text stays empty", u""sv, u"\0"sv, true, u""sv},
        {"a longer affix repeats at both ends", u"ababXab"sv, u"ab"sv, false, u"X"sv},
        {"the suffix stage finishes before the prefix stage", u"ababa"sv, u"aba"sv, false, u"ab"sv},
        {"a text shorter than the affix stays", u"a"sv, u"ab"sv, false, u"a"sv},
        {"a text shorter than the affix is still trimmed", u" a "sv, u"ab"sv, true, u"a"sv},
        {"comparison is case-sensitive", u"AbXab"sv, u"ab"sv, false, u"AbX"sv},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(StripAffix(text(row.input), text(row.affix), row.trim), text(row.expected));
        if (row.affix == u"\0"sv) {
            EXPECT_EQ(StripNulls(text(row.input), row.trim), text(row.expected));
        }
    }
}

TEST(ToApiString, EmptyTextBecomesTheNullStringOtherwiseOneNulIsAppended)
{
    EXPECT_EQ(ToApiString(QString(), false), std::nullopt);
    EXPECT_EQ(ToApiString(QStringLiteral("   "), true), std::nullopt);
    EXPECT_EQ(ToApiString(QStringLiteral("   "), false), text(u"   \0"sv));
    EXPECT_EQ(ToApiString(QStringLiteral("C:\\runs\\*.kvp"), false), text(u"C:\\runs\\*.kvp\0"sv));
    EXPECT_EQ(ToApiString(QStringLiteral(" a "), true), text(u"a\0"sv));
    // A text that already holds a NUL anywhere comes back unchanged.
    EXPECT_EQ(ToApiString(text(u"a\0b"sv), false), text(u"a\0b"sv));

    // The null string is distinguishable from an empty one.
    const ApiString empty = ToApiString(QString(), false);
    EXPECT_FALSE(empty.has_value());
}

TEST(ReplaceAll, SearchesAgainFromTheStartAfterEachReplacement)
{
    struct Row
    {
        const char *name;
        std::u16string_view input, find, replacement, expected;
    };
    const Row rows[] = {
        {"a text without find is unchanged", u"abc"sv, u"x"sv, u"y"sv, u"abc"sv},
        {"a text equal to find becomes the replacement", u"\r\n"sv, u"\r\n"sv, u"\r"sv, u"\r"sv},
        {"a pair formed by a replacement is replaced too", u"\r\r\n\n"sv, u"\r\n"sv, u"\r"sv,
         u"\r\r"sv},
        {"an empty replacement can join a new occurrence", u"aabb"sv, u"ab"sv, u""sv, u""sv},
        {"every occurrence is replaced", u"A\r\nB\r\nC"sv, u"\r\n"sv, u"\r"sv, u"A\rB\rC"sv},
        {"a longer replacement", u"A\0B\0"sv, u"\0"sv, u"\r\n"sv, u"A\r\nB\r\n"sv},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ReplaceAll(text(row.input), text(row.find), text(row.replacement)),
                  text(row.expected));
    }
}

TEST(ReplaceAll, NotesLineBreaksAsTheLoaderConvertsThem)
{
    // Carriage returns and NULs both become CR LF: CR to NUL first, then NUL to CR LF.
    const QString stored = text(u"A\rB\0C\r"sv);
    const QString shown = ReplaceAll(ReplaceAll(stored, QStringLiteral("\r"), text(u"\0"sv)),
                                     text(u"\0"sv), QStringLiteral("\r\n"));
    EXPECT_EQ(shown, QStringLiteral("A\r\nB\r\nC\r\n"));
}

} // namespace
} // namespace quenloft
