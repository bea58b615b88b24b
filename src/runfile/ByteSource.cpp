#include "runfile/ByteSource.h"

#include <cstring>

namespace quenloft {

Result<qint64> MemoryByteSource::readAt(qint64 offset, char *buffer, qint64 length)
{
    if (offset < 0 || length < 0)
        return Failure{87, QStringLiteral("Invalid Parameter")};
    if (offset >= m_bytes.size())
        return qint64(0);
    const qint64 n = qMin(length, m_bytes.size() - offset);
    std::memcpy(buffer, m_bytes.data() + offset, size_t(n));
    return n;
}

} // namespace quenloft
