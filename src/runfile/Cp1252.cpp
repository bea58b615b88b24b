#include "runfile/Cp1252.h"

namespace quenloft {
namespace {

// 0x80..0x9F; the five bytes the code page leaves undefined map to the C1 control of
// the same value, as the system's converter does, so every byte survives a round trip.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

std::optional<char> encodeChar(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == c)
            return char(0x80 + i);
    return std::nullopt;
}

} // namespace

QString DecodeCp1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        text[i] = QChar(b >= 0x80 && b <= 0x9F ? kHighControls[b - 0x80] : char16_t(b));
    }
    return text;
}

std::optional<QByteArray> EncodeCp1252(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text) {
        const auto b = encodeChar(c.unicode());
        if (!b)
            return std::nullopt;
        bytes.append(*b);
    }
    return bytes;
}

qsizetype FirstUnencodableCp1252(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i)
        if (!encodeChar(text.at(i).unicode()))
            return i;
    return -1;
}

} // namespace quenloft
