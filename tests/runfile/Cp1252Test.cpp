#include "runfile/Cp1252.h"

#include "fixtures/QtPrinters.h"

#include <QSet>

#include <gtest/gtest.h>

namespace quenloft {
namespace {

TEST(Cp1252, EveryByteSurvivesARoundTripAsADistinctCharacter)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = DecodeCp1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(QSet<QChar>(text.begin(), text.end()).size(), 256);
    EXPECT_EQ(EncodeCp1252(text), all);
    EXPECT_EQ(FirstUnencodableCp1252(text), -1);
}

TEST(Cp1252, CharactersOfTheHighRangeMapToTheirBytes)
{
    const struct
    {
        char16_t character;
        unsigned char byte;
    } rows[] = {
        {u'A', 0x41},   {u'\0', 0x00},  {0x20AC, 0x80}, // euro sign
        {0x201A, 0x82}, {0x0160, 0x8A}, {0x2122, 0x99}, {0x0178, 0x9F},
        {0x00A0, 0xA0}, {0x00E9, 0xE9}, {0x00FF, 0xFF},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(int(row.byte));
        const QString one(QChar(row.character));
        EXPECT_EQ(EncodeCp1252(one), QByteArray(1, char(row.byte)));
        EXPECT_EQ(DecodeCp1252(QByteArray(1, char(row.byte))), one);
    }
}

TEST(Cp1252, ACharacterOutsideTheCodePageIsRefusedNotReplaced)
{
    const QString cjk = QStringLiteral("A\u20AC\u4E2D");
    EXPECT_EQ(EncodeCp1252(cjk), std::nullopt);
    EXPECT_EQ(FirstUnencodableCp1252(cjk), 2);
    EXPECT_EQ(EncodeCp1252(QStringLiteral("\u0100")), std::nullopt); // Latin A with macron
    EXPECT_EQ(EncodeCp1252(QString()), QByteArray());
}

} // namespace
} // namespace quenloft
