// Random-access bytes for the reader: a file on disk or bytes in memory.
#pragma once

#include "support/NativeFile.h"
#include "support/Result.h"

#include <QByteArrayView>

namespace quenloft {

class ByteSource
{
public:
    virtual ~ByteSource() = default;
    [[nodiscard]] virtual qint64 size() const = 0;
    // Up to `length` bytes at `offset`; fewer (possibly none) at the end.
    virtual Result<qint64> readAt(qint64 offset, char *buffer, qint64 length) = 0;
};

class MemoryByteSource final : public ByteSource
{
public:
    explicit MemoryByteSource(QByteArrayView bytes) : m_bytes(bytes) {}
    [[nodiscard]] qint64 size() const override { return m_bytes.size(); }
    Result<qint64> readAt(qint64 offset, char *buffer, qint64 length) override;

private:
    QByteArrayView m_bytes;
};

class FileByteSource final : public ByteSource
{
public:
    // `size` is the file's size when it was opened.
    FileByteSource(NativeFile &file, qint64 size) : m_file(file), m_size(size) {}
    [[nodiscard]] qint64 size() const override { return m_size; }
    Result<qint64> readAt(qint64 offset, char *buffer, qint64 length) override
    {
        return m_file.readAt(offset, buffer, length);
    }

private:
    NativeFile &m_file;
    qint64 m_size;
};

} // namespace quenloft
