#include "support/NativePath.h"

#include "fixtures/QtPrinters.h"

#include <gtest/gtest.h>

namespace quenloft {
namespace {

TEST(NativePath, EveryByteStringComesBackAsTheSameBytes)
{
    for (int a = 0; a < 256; ++a) {
        for (int b = -1; b < 256; ++b) {
            QByteArray bytes(1, char(a));
            if (b >= 0)
                bytes.append(char(b));
            const auto back = NativeBytesOfPath(PathFromNativeBytes(bytes));
            if (bytes.contains('\0')) {
                ASSERT_FALSE(back) << "a NUL names no path";
                continue;
            }
            ASSERT_TRUE(back) << a << ' ' << b;
            ASSERT_EQ(*back, bytes) << a << ' ' << b;
        }
    }
}

TEST(NativePath, ValidUtf8DecodesAsTextAndEveryOtherByteAsItsEscape)
{
    const auto esc = [](std::initializer_list<int> bytes) {
        QString text;
        for (const int b : bytes)
            text.append(QChar(char16_t(0xDC00 + b)));
        return text;
    };
    const struct
    {
        const char *name;
        QByteArray bytes;
        QString text;
    } rows[] = {
        {"ASCII", "run 1.kvp", QStringLiteral("run 1.kvp")},
        {"two-byte UTF-8", "caf\xc3\xa9", QStringLiteral("caf\u00E9")},
        {"four-byte UTF-8", "\xf0\x9f\x9a\x97", QStringLiteral("\U0001F697")},
        {"a Latin-1 byte", "lat\xe9.kvp", QStringLiteral("lat") + esc({0xE9}) + QStringLiteral(".kvp")},
        {"an overlong slash", "\xc0\xaf", esc({0xC0, 0xAF})},
        {"an encoded surrogate", "\xed\xa0\x80", esc({0xED, 0xA0, 0x80})},
        {"past U+10FFFF", "\xf4\x90\x80\x80", esc({0xF4, 0x90, 0x80, 0x80})},
        {"a sequence cut short", "a\xe2\x82", QStringLiteral("a") + esc({0xE2, 0x82})},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(PathFromNativeBytes(row.bytes), row.text);
        EXPECT_EQ(NativeBytesOfPath(row.text), std::optional<QByteArray>(row.bytes));
    }
    // Texts no path can be.
    for (const QString &text : {QStringLiteral("a") + QChar(u'\0'), QString(QChar(0xD800)),
                                QString(QChar(0xDC41))})
        EXPECT_FALSE(NativeBytesOfPath(text));
}

} // namespace
} // namespace quenloft
