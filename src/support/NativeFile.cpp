#include "support/NativeFile.h"

#include "support/Errors.h"
#include "support/Interrupted.h"
#include "support/NativePath.h"
#include "support/SystemError.h"

#include <cerrno>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

namespace quenloft {
namespace {

#ifndef Q_OS_WIN
qint64 nanoseconds(const struct statx_timestamp &t)
{
    return qint64(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

// What one statx call tells of a file: its stamp, and its type for open()'s checks.
struct Examined
{
    FileStamp stamp;
    mode_t mode = 0;
};

// statx on the open file (AT_EMPTY_PATH) or on a path; errno is set on failure.
bool examine(int dirfd, const char *path, int flags, Examined &out)
{
    struct statx sx;
    if (RetriedWhileInterrupted(
            [&] { return ::statx(dirfd, path, flags, STATX_BASIC_STATS | STATX_BTIME, &sx); }) != 0)
        return false;
    out.mode = sx.stx_mode;
    out.stamp.size = qint64(sx.stx_size);
    out.stamp.modifiedNs = nanoseconds(sx.stx_mtime);
    out.stamp.device = quint64(makedev(sx.stx_dev_major, sx.stx_dev_minor));
    out.stamp.inode = quint64(sx.stx_ino);
    out.stamp.birthNs = (sx.stx_mask & STATX_BTIME) ? nanoseconds(sx.stx_btime) : 0;
    return true;
}

bool examineOpen(int fd, Examined &out)
{
    return examine(fd, "", AT_EMPTY_PATH, out);
}
#endif

#ifndef Q_OS_WIN
Failure failureFromErrno(int err)
{
    const qint32 code = WindowsErrorFromErrno(err);
    return Failure{code, GetErrorName(code)};
}
#endif

// 123 "Invalid Name".
Failure invalidName()
{
    return Failure{ErrorInvalidName, GetErrorName(ErrorInvalidName)};
}

} // namespace

Failure LastSystemFailure()
{
    const qint32 code = LastSystemError();
    return Failure{code, GetErrorName(code)};
}

#ifndef Q_OS_WIN

Result<NativeFile> NativeFile::open(const QString &path, Mode mode)
{
    const auto native = NativeBytesOfPath(path);
    if (!native)
        return invalidName();
    // O_NONBLOCK keeps a FIFO from hanging the open; regular files ignore it. Only WriteNew
    // creates: a missing run file stays missing.
    int flags = O_CLOEXEC | O_NONBLOCK;
    switch (mode) {
    case Mode::Read:
        flags |= O_RDONLY;
        break;
    case Mode::ReadWriteExisting:
        flags |= O_RDWR;
        break;
    case Mode::WriteNew:
        flags |= O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW;
        break;
    case Mode::ReadOwn:
        flags |= O_RDONLY | O_NOFOLLOW;
        break;
    }
    const int fd =
        RetriedWhileInterrupted([&] { return ::open(native->constData(), flags, 0600); });
    if (fd < 0)
        return failureFromErrno(errno);
    Examined examined;
    int err = 0;
    if (!examineOpen(fd, examined))
        err = errno;
    else if (S_ISDIR(examined.mode))
        err = EISDIR;
    else if (!S_ISREG(examined.mode))
        err = EINVAL; // devices and pipes are not run files
    if (err != 0) {
        ::close(fd);
        return failureFromErrno(err);
    }
    return NativeFile(fd, examined.stamp);
}

Result<qint64> NativeFile::readAt(qint64 offset, char *buffer, qint64 length)
{
    qint64 done = 0;
    while (done < length) {
        const ssize_t n = ::pread(m_fd, buffer + done, size_t(length - done), off_t(offset + done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return failureFromErrno(errno);
        }
        if (n == 0)
            break;
        done += n;
    }
    return done;
}

Result<Done> NativeFile::writeAt(qint64 offset, const char *data, qint64 length)
{
    qint64 done = 0;
    while (done < length) {
        const ssize_t n = ::pwrite(m_fd, data + done, size_t(length - done), off_t(offset + done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return failureFromErrno(errno);
        }
        if (n == 0)
            return failureFromErrno(ENOSPC);
        done += n;
    }
    return Done{};
}

Result<Done> NativeFile::truncate(qint64 size)
{
    if (RetriedWhileInterrupted([&] { return ::ftruncate(m_fd, off_t(size)); }) != 0)
        return failureFromErrno(errno);
    return Done{};
}

Result<Done> NativeFile::sync()
{
    if (RetriedWhileInterrupted([&] { return ::fsync(m_fd); }) != 0)
        return failureFromErrno(errno);
    return Done{};
}

Result<FileStamp> NativeFile::stamp() const
{
    Examined examined;
    if (!examineOpen(m_fd, examined))
        return failureFromErrno(errno);
    return examined.stamp;
}

Result<Done> NativeFile::lockExclusive()
{
    if (RetriedWhileInterrupted([&] { return ::flock(m_fd, LOCK_EX | LOCK_NB); }) != 0)
        return failureFromErrno(errno == EWOULDBLOCK ? EAGAIN : errno);
    return Done{};
}

void NativeFile::close()
{
    // Not retried: after an interrupted close the descriptor is already released, and a
    // second close could hit another thread's new file.
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

Result<FileStamp> StampOfPath(const QString &path)
{
    const auto native = NativeBytesOfPath(path);
    if (!native)
        return invalidName();
    Examined examined;
    if (!examine(AT_FDCWD, native->constData(), 0, examined))
        return failureFromErrno(errno);
    return examined.stamp;
}

#else // Q_OS_WIN

namespace {

HANDLE osHandle(int fd)
{
    return reinterpret_cast<HANDLE>(_get_osfhandle(fd));
}

// Wine reports a file's last status change as its creation time, so there a write
// "recreates" the file. Its ntdll says so by exporting wine_get_version.
bool creationTimeIsReliable()
{
    static const bool reliable = [] {
        const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        return ntdll == nullptr || GetProcAddress(ntdll, "wine_get_version") == nullptr;
    }();
    return reliable;
}

FileStamp stampFromInformation(const BY_HANDLE_FILE_INFORMATION &info)
{
    FileStamp s;
    s.size = (qint64(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    s.modifiedNs =
        ((qint64(info.ftLastWriteTime.dwHighDateTime) << 32) | info.ftLastWriteTime.dwLowDateTime) *
        100;
    // The volume's serial number and the file's index on it name the file, as the device and
    // the inode do on POSIX.
    s.device = info.dwVolumeSerialNumber;
    s.inode = (quint64(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    // 0 is "not known", as on a POSIX file system that keeps no birth time.
    if (creationTimeIsReliable())
        s.birthNs = ((qint64(info.ftCreationTime.dwHighDateTime) << 32) |
                     info.ftCreationTime.dwLowDateTime) *
                    100;
    return s;
}

OVERLAPPED at(quint64 offset)
{
    OVERLAPPED position{};
    position.Offset = DWORD(offset & 0xFFFFFFFFu);
    position.OffsetHigh = DWORD(offset >> 32);
    return position;
}

} // namespace

Result<NativeFile> NativeFile::open(const QString &path, Mode mode)
{
    // Windows names are UTF-16 already: the text goes down as it is, lone surrogates too.
    if (path.contains(QChar(u'\0')))
        return invalidName();
    const bool reading = mode == Mode::Read || mode == Mode::ReadOwn;
    const DWORD access = reading                  ? GENERIC_READ
                         : mode == Mode::WriteNew ? GENERIC_WRITE
                                                  : (GENERIC_READ | GENERIC_WRITE);
    // A reader keeps nobody out. A writer lets others read but not write: a program that
    // has the file open for writing makes the open fail with 32 "Sharing Violation", and
    // while the save runs nobody else writes. A new file of the program's own may be
    // renamed while open: a journal is written under a part name and renamed when whole.
    const DWORD share = reading ? (FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE)
                        : mode == Mode::WriteNew ? (FILE_SHARE_READ | FILE_SHARE_DELETE)
                                                 : FILE_SHARE_READ;
    const DWORD disposition = mode == Mode::WriteNew ? CREATE_ALWAYS : OPEN_EXISTING;
    // A file of the program's own is opened as the link itself, never what it leads to.
    const DWORD flags =
        FILE_ATTRIBUTE_NORMAL | (mode == Mode::ReadOwn ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
    HANDLE h = CreateFileW(reinterpret_cast<const wchar_t *>(path.utf16()), access, share, nullptr,
                           disposition, flags, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return LastSystemFailure();
    // Reserved names (CON, NUL, COM1, ... with any extension) open devices, not files.
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileType(h) != FILE_TYPE_DISK) {
        CloseHandle(h);
        return Failure{ErrorInvalidParameter, GetErrorName(ErrorInvalidParameter)};
    }
    if (!GetFileInformationByHandle(h, &info)) {
        const Failure failure = LastSystemFailure();
        CloseHandle(h);
        return failure;
    }
    const int descriptorFlags = reading ? _O_RDONLY : mode == Mode::WriteNew ? _O_WRONLY : _O_RDWR;
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), descriptorFlags | _O_BINARY);
    if (fd < 0) {
        CloseHandle(h);
        return Failure{4, GetErrorName(4)}; // the C runtime's descriptors ran out
    }
    return NativeFile(fd, stampFromInformation(info));
}

Result<qint64> NativeFile::readAt(qint64 offset, char *buffer, qint64 length)
{
    qint64 done = 0;
    while (done < length) {
        OVERLAPPED position = at(quint64(offset + done));
        DWORD n = 0;
        const DWORD chunk = DWORD(qMin<qint64>(length - done, 1 << 30));
        if (!ReadFile(osHandle(m_fd), buffer + done, chunk, &n, &position)) {
            if (GetLastError() == ERROR_HANDLE_EOF)
                break;
            return LastSystemFailure();
        }
        if (n == 0)
            break;
        done += n;
    }
    return done;
}

Result<Done> NativeFile::writeAt(qint64 offset, const char *data, qint64 length)
{
    qint64 done = 0;
    while (done < length) {
        OVERLAPPED position = at(quint64(offset + done));
        DWORD n = 0;
        const DWORD chunk = DWORD(qMin<qint64>(length - done, 1 << 30));
        if (!WriteFile(osHandle(m_fd), data + done, chunk, &n, &position))
            return LastSystemFailure();
        if (n == 0)
            return Failure{112, GetErrorName(112)}; // nothing written: the disk is full
        done += n;
    }
    return Done{};
}

Result<Done> NativeFile::truncate(qint64 size)
{
    FILE_END_OF_FILE_INFO end{};
    end.EndOfFile.QuadPart = size;
    if (!SetFileInformationByHandle(osHandle(m_fd), FileEndOfFileInfo, &end, sizeof end))
        return LastSystemFailure();
    return Done{};
}

Result<Done> NativeFile::sync()
{
    if (!FlushFileBuffers(osHandle(m_fd)))
        return LastSystemFailure();
    return Done{};
}

Result<FileStamp> NativeFile::stamp() const
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(osHandle(m_fd), &info))
        return LastSystemFailure();
    return stampFromInformation(info);
}

Result<Done> NativeFile::lockExclusive()
{
    // Every byte the file may ever have, so any other holder's lock, wherever it lies,
    // conflicts with it: 33 "Lock Violation" at once rather than a wait.
    OVERLAPPED whole = at(0);
    if (!LockFileEx(osHandle(m_fd), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0,
                    MAXDWORD, MAXDWORD, &whole))
        return LastSystemFailure();
    return Done{};
}

void NativeFile::close()
{
    // Closing the handle also ends its lock.
    if (m_fd >= 0)
        _close(m_fd);
    m_fd = -1;
}

Result<FileStamp> StampOfPath(const QString &path)
{
    auto file = NativeFile::open(path, NativeFile::Mode::Read);
    if (!file)
        return file.failure();
    return file->openedStamp();
}

#endif

NativeFile::NativeFile(NativeFile &&other) noexcept : m_fd(other.m_fd), m_opened(other.m_opened)
{
    other.m_fd = -1;
}

NativeFile &NativeFile::operator=(NativeFile &&other) noexcept
{
    if (this != &other) {
        close();
        m_fd = other.m_fd;
        m_opened = other.m_opened;
        other.m_fd = -1;
    }
    return *this;
}

Result<FileStamp> NativeFile::openedStamp() const
{
    if (m_opened)
        return *m_opened;
    return stamp();
}

NativeFile::~NativeFile()
{
    close();
}

} // namespace quenloft
