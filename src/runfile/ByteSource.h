// Random-access bytes for the reader: a file on disk or bytes in memory.
#pragma once

#include "support/NativeFile.h"
#include "support/Result.h"

#include <QByteArray>
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

// The first HeadSize bytes of the file are read once, at the first read, and the reads
// that fall in them are answered from memory: the fields of either model lie there, and a
// run file of ordinary size fits whole, so reading one takes one system call instead of
// one per field (which counts when a folder of thousands is read).
class FileByteSource final : public ByteSource
{
public:
    static constexpr qint64 HeadSize = 64 * 1024;

    // `size` is the file's size when it was opened.
    FileByteSource(NativeFile &file, qint64 size) : m_file(file), m_size(size) {}
    [[nodiscard]] qint64 size() const override { return m_size; }
    Result<qint64> readAt(qint64 offset, char *buffer, qint64 length) override;

private:
    NativeFile &m_file;
    qint64 m_size;
    bool m_headTried = false;
    bool m_headIsWholeFile = false; // the file ended within the head when it was read
    QByteArray m_head;
};

} // namespace quenloft
