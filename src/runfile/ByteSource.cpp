#include "runfile/ByteSource.h"
#include "support/Errors.h"

#include <cstring>

namespace quenloft {

Result<qint64> MemoryByteSource::readAt(qint64 offset, char *buffer, qint64 length)
{
    if (offset < 0 || length < 0)
        return Failure{ErrorInvalidParameter, GetErrorName(ErrorInvalidParameter)};
    if (offset >= m_bytes.size())
        return qint64(0);
    const qint64 n = qMin(length, m_bytes.size() - offset);
    std::memcpy(buffer, m_bytes.data() + offset, size_t(n));
    return n;
}

Result<qint64> FileByteSource::readAt(qint64 offset, char *buffer, qint64 length)
{
    if (offset < 0 || length < 0)
        return Failure{ErrorInvalidParameter, GetErrorName(ErrorInvalidParameter)};
    if (!m_headTried) {
        m_headTried = true;
        const qint64 wanted = qBound<qint64>(0, m_size, HeadSize);
        m_head = QByteArray(wanted, Qt::Uninitialized);
        const auto n = m_file.readAt(0, m_head.data(), wanted);
        if (n) {
            m_head.truncate(n.value());
            m_headIsWholeFile = n.value() < HeadSize;
        } else {
            m_head.clear(); // read each range from the file, which reports the failure
        }
    }
    const qint64 held = m_head.size();
    const bool inHead = offset + length <= held || (m_headIsWholeFile && offset <= held);
    if (!inHead || (held == 0 && !m_headIsWholeFile))
        return m_file.readAt(offset, buffer, length);
    const qint64 n = qMax<qint64>(0, qMin(length, held - offset));
    if (n > 0)
        std::memcpy(buffer, m_head.constData() + offset, size_t(n));
    return n;
}

} // namespace quenloft
