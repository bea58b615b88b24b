// Holds one handle number. A holder made with a closer owns what the number stands for
// (a directory search): replacing the number or destroying the holder closes a handle of
// 1 or more through the closer. A holder without a closer only stores its number.
#pragma once

#include <QtGlobal>

#include <functional>

namespace quenloft {

class FileHandle
{
public:
    using Closer = std::function<void(qint32 handle)>;

    FileHandle() = default;
    explicit FileHandle(Closer closer) : m_closer(std::move(closer)) {}
    ~FileHandle();

    FileHandle(const FileHandle &) = delete;
    FileHandle &operator=(const FileHandle &) = delete;

    [[nodiscard]] qint32 Handle() const { return m_handle; }
    void setHandle(qint32 lngNewFileHandle);

private:
    void closeCurrent();

    Closer m_closer;
    qint32 m_handle = 0;
};

} // namespace quenloft
