#include "support/SystemError.h"

#include <cerrno>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace quenloft {
namespace {

struct ErrnoMapping
{
    int errnoValue;
    qint32 windowsCode;
};

// Windows codes by name: 2 File Not Found, 3 Path Not Found, 4 Too Many Open Files,
// 5 Access Denied, 8 Not Enough Memory, 17 Not Same Device, 19 Write Protect,
// 21 Not Ready, 32 Sharing Violation, 33 Lock Violation, 50 Not Supported,
// 80 File Exists, 87 Invalid Parameter, 112 Disk Full, 123 Invalid Name,
// 145 Dir Not Empty, 206 Filename Exceeded Range, 1117 IO Device.
constexpr ErrnoMapping kErrnoMappings[] = {
    {ENOENT, 2},       {ENOTDIR, 3},     {EMFILE, 4},         {ENFILE, 4},   {EACCES, 5},
    {EPERM, 5},        {EISDIR, 5},      {ENOMEM, 8},         {EXDEV, 17},   {EROFS, 19},
    {ENXIO, 21},       {ENODEV, 21},     {EBUSY, 32},         {ETXTBSY, 32}, {EAGAIN, 33},
#if defined(EWOULDBLOCK) && EWOULDBLOCK != EAGAIN
    {EWOULDBLOCK, 33},
#endif
    {ENOTSUP, 50},
#if defined(EOPNOTSUPP) && EOPNOTSUPP != ENOTSUP
    {EOPNOTSUPP, 50},
#endif
    {EEXIST, 80},      {EINVAL, 87},     {ENOSPC, 112},
#ifdef EDQUOT
    {EDQUOT, 112},
#endif
    {EILSEQ, 123},     {ENOTEMPTY, 145}, {ENAMETOOLONG, 206}, {ELOOP, 206},  {EIO, 1117},
};

// 31 "General Failure": an error the table above does not know.
constexpr qint32 kUnmappedError = 31;

} // namespace

qint32 WindowsErrorFromErrno(int errnoValue)
{
    for (const auto &m : kErrnoMappings)
        if (m.errnoValue == errnoValue)
            return m.windowsCode;
    return kUnmappedError;
}

qint32 LastSystemError()
{
#ifdef Q_OS_WIN
    const DWORD code = GetLastError();
    return code == 0 ? kUnmappedError : qint32(code);
#else
    return WindowsErrorFromErrno(errno);
#endif
}

} // namespace quenloft
