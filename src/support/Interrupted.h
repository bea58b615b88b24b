// Shared by the native file and folder layers.
#pragma once

#include <cerrno>

namespace quenloft {

// Runs a system call again for as long as a signal interrupts it (-1 with EINTR).
template <typename Call> auto RetriedWhileInterrupted(Call call)
{
    decltype(call()) result;
    do {
        result = call();
    } while (result < 0 && errno == EINTR);
    return result;
}

} // namespace quenloft
