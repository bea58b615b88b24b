// A thin layer over the system's file calls, so failures carry the system's error code
// (as a Windows system error code) and writes can be synced to the disk.
#pragma once

#include "support/Result.h"

#include <QString>

#include <optional>

namespace quenloft {

// What identifies one version of a file on disk: a file replaced, grown or rewritten since
// the stamp was taken has a different stamp.
struct FileStamp
{
    qint64 size = -1;
    qint64 modifiedNs = 0;
    quint64 device = 0;
    quint64 inode = 0;
    // When the file was created, where the system records it (statx on Linux, the creation
    // time on Windows); 0 where it does not. A file that reuses a deleted file's number
    // still has a birth time of its own.
    qint64 birthNs = 0;

    friend bool operator==(const FileStamp &, const FileStamp &) = default;
};

class NativeFile
{
public:
    enum class Mode {
        Read,              // reading only
        ReadWriteExisting, // reading and writing; never creates, never truncates
        WriteNew,          // writing a file of the program's own: created (owner only) or emptied
        ReadOwn,           // reading a file of the program's own: never through a link
    };

    // Failure numbers are system error codes, descriptions their names. The path is taken
    // without loss (support/NativePath.h); 123 "Invalid Name" for one no system path can be.
    // Every call is retried when a signal interrupts it.
    static Result<NativeFile> open(const QString &path, Mode mode);

    NativeFile(NativeFile &&other) noexcept;
    NativeFile &operator=(NativeFile &&other) noexcept;
    NativeFile(const NativeFile &) = delete;
    NativeFile &operator=(const NativeFile &) = delete;
    ~NativeFile();

    // Reads up to `length` bytes at `offset`; fewer at the end of the file.
    Result<qint64> readAt(qint64 offset, char *buffer, qint64 length);
    // Writes all `length` bytes at `offset`, growing the file when needed.
    Result<Done> writeAt(qint64 offset, const char *data, qint64 length);
    Result<Done> truncate(qint64 size);
    // Makes written bytes durable (fsync / FlushFileBuffers).
    Result<Done> sync();
    Result<FileStamp> stamp() const;
    // The stamp the file had when it was opened, taken then (one system call less per file
    // read).
    Result<FileStamp> openedStamp() const;
    // Takes an exclusive lock that other programs honouring locks respect; fails at once
    // (33 "Lock Violation") when another holder has the file.
    Result<Done> lockExclusive();

    void close();
    [[nodiscard]] int descriptor() const { return m_fd; }

private:
    explicit NativeFile(int fd, std::optional<FileStamp> opened = std::nullopt)
        : m_fd(fd), m_opened(opened)
    {
    }
    int m_fd = -1;
    std::optional<FileStamp> m_opened;
};

// A failure from the calling thread's last system error.
[[nodiscard]] Failure LastSystemFailure();

// The stamp of the file at `path`, or a failure when it cannot be examined.
Result<FileStamp> StampOfPath(const QString &path);

} // namespace quenloft
