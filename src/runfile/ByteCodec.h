// The only place where the byte order of run-file integers is decided.
// Nox integers are big-endian, Solvane integers little-endian.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace quenloft {

// Sum of byte[i] * 256^(n-1-i); 0 for no bytes. Up to four bytes are meaningful.
[[nodiscard]] qint32 BigEndianToLong(QByteArrayView bytes);

// The decimal text's value, rounded to a whole number (a half to the even neighbour), as
// the shortest big-endian byte string that holds it (never empty: 0 gives 00).
// nullopt when the text is not a number or the value is negative or beyond 32 bits.
[[nodiscard]] std::optional<QByteArray> ToBigEndianBytes(const QString &decimalText);

// Sum of byte[i] * 256^i; 0 for no bytes.
[[nodiscard]] qint32 LittleEndianToLong(QByteArrayView bytes);

// Two bytes, low byte first; empty for a value of 0 or less, so that nothing is written.
// nullopt above 65535, which two bytes cannot hold.
[[nodiscard]] std::optional<QByteArray> ToLittleEndianBytes(qint32 value);

} // namespace quenloft
