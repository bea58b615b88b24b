#include "runfile/ByteCodec.h"

#include "support/NumberText.h"

#include <cmath>

namespace quenloft {

qint32 BigEndianToLong(QByteArrayView bytes)
{
    Q_ASSERT(bytes.size() <= 4);
    quint32 value = 0;
    for (char b : bytes)
        value = (value << 8) | static_cast<quint8>(b);
    return static_cast<qint32>(value);
}

std::optional<QByteArray> ToBigEndianBytes(const QString &decimalText)
{
    const auto number = ParseDouble(decimalText);
    if (!number)
        return std::nullopt;
    const double whole = RoundHalfEven(*number);
    if (!(whole >= 0.0) || whole > 4294967295.0)
        return std::nullopt;
    auto value = static_cast<quint32>(whole);
    QByteArray bytes;
    do {
        bytes.prepend(static_cast<char>(value & 0xFF));
        value >>= 8;
    } while (value != 0);
    return bytes;
}

qint32 LittleEndianToLong(QByteArrayView bytes)
{
    Q_ASSERT(bytes.size() <= 4);
    quint32 value = 0;
    for (qsizetype i = bytes.size() - 1; i >= 0; --i)
        value = (value << 8) | static_cast<quint8>(bytes[i]);
    return static_cast<qint32>(value);
}

std::optional<QByteArray> ToLittleEndianBytes(qint32 value)
{
    if (value <= 0)
        return QByteArray();
    if (value > 0xFFFF)
        return std::nullopt;
    QByteArray bytes(2, Qt::Uninitialized);
    bytes[0] = static_cast<char>(value % 256);
    bytes[1] = static_cast<char>(value / 256);
    return bytes;
}

} // namespace quenloft
