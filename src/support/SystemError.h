// The calling thread's last system error as a Windows system error code, so that users
// see the same numbers and names on every platform.
#pragma once

#include <QtGlobal>

namespace quenloft {

// The Windows system error code nearest to a POSIX errno value; never 0.
[[nodiscard]] qint32 WindowsErrorFromErrno(int errnoValue);

// The last error of the calling thread (errno on POSIX, GetLastError on Windows),
// as a Windows system error code.
[[nodiscard]] qint32 LastSystemError();

} // namespace quenloft
