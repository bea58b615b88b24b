// Preloaded into quenloft-cli by the fault tests: makes the system's write and sync calls
// fail for good from a chosen call on, as a failing or full disk does, or be interrupted
// by a signal once before each one goes through.
//   QUENLOFT_FAIL_CALL=pwrite|fsync  QUENLOFT_FAIL_FROM=n  (1-based, counted per kind)
//   QUENLOFT_INTERRUPT=1             every read, write, truncate and sync: EINTR first
#include <dlfcn.h>
#include <sys/types.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

std::atomic<long> s_calls{0};

bool failsNow(const char *kind)
{
    const char *which = std::getenv("QUENLOFT_FAIL_CALL");
    const char *from = std::getenv("QUENLOFT_FAIL_FROM");
    if (!which || !from || std::strcmp(which, kind) != 0)
        return false;
    return ++s_calls >= std::atol(from);
}

// Every other call of each kind is interrupted, so each succeeds only when retried.
bool interrupted(std::atomic<bool> &toggle)
{
    if (!std::getenv("QUENLOFT_INTERRUPT"))
        return false;
    return !toggle.exchange(!toggle.load());
}

template <typename F> F real(const char *name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

std::atomic<bool> s_readToggle{false}, s_writeToggle{false}, s_syncToggle{false},
    s_truncateToggle{false};

} // namespace

extern "C" {

ssize_t pread(int fd, void *buffer, size_t count, off_t offset)
{
    static const auto next = real<ssize_t (*)(int, void *, size_t, off_t)>("pread");
    if (interrupted(s_readToggle)) {
        errno = EINTR;
        return -1;
    }
    return next(fd, buffer, count, offset);
}

ssize_t pread64(int fd, void *buffer, size_t count, off_t offset)
{
    return pread(fd, buffer, count, offset);
}

ssize_t pwrite(int fd, const void *buffer, size_t count, off_t offset)
{
    static const auto next = real<ssize_t (*)(int, const void *, size_t, off_t)>("pwrite");
    if (interrupted(s_writeToggle)) {
        errno = EINTR;
        return -1;
    }
    if (failsNow("pwrite")) {
        errno = EIO;
        return -1;
    }
    return next(fd, buffer, count, offset);
}

ssize_t pwrite64(int fd, const void *buffer, size_t count, off_t offset)
{
    return pwrite(fd, buffer, count, offset);
}

int fsync(int fd)
{
    static const auto next = real<int (*)(int)>("fsync");
    if (interrupted(s_syncToggle)) {
        errno = EINTR;
        return -1;
    }
    if (failsNow("fsync")) {
        errno = EIO;
        return -1;
    }
    return next(fd);
}

int ftruncate(int fd, off_t length)
{
    static const auto next = real<int (*)(int, off_t)>("ftruncate");
    if (interrupted(s_truncateToggle)) {
        errno = EINTR;
        return -1;
    }
    return next(fd, length);
}

} // extern "C"
