// CRC-32 (the polynomial of zip, PNG and Ethernet), for checking data of the program's own.
#pragma once

#include <QByteArrayView>

namespace quenloft {

[[nodiscard]] quint32 Crc32(QByteArrayView bytes);

} // namespace quenloft
