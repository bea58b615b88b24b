#include "support/SystemError.h"

#include "support/Errors.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace quenloft {
namespace {

TEST(WindowsErrorFromErrno, MapsToTheNearestWindowsCode)
{
    struct Case
    {
        int errnoValue;
        qint32 code;
        const char *name;
    };
    const Case cases[] = {
        {ENOENT, 2, "File Not Found"},      {ENOTDIR, 3, "Path Not Found"},
        {EMFILE, 4, "Too Many Open Files"}, {EACCES, 5, "Access Denied"},
        {EPERM, 5, "Access Denied"},        {EISDIR, 5, "Access Denied"},
        {EXDEV, 17, "Not Same Device"},     {EROFS, 19, "Write Protect"},
        {EBUSY, 32, "Sharing Violation"},   {EEXIST, 80, "File Exists"},
        {EINVAL, 87, "Invalid Parameter"},  {ENOSPC, 112, "Disk Full"},
        {ENOTEMPTY, 145, "Dir Not Empty"},  {ENAMETOOLONG, 206, "Filename Exceeded Range"},
        {EIO, 1117, "IO Device"},
    };
    for (const Case &c : cases) {
        const qint32 code = WindowsErrorFromErrno(c.errnoValue);
        EXPECT_EQ(code, c.code) << "errno " << c.errnoValue;
        EXPECT_EQ(GetErrorName(code), QString::fromLatin1(c.name)) << "errno " << c.errnoValue;
    }
}

TEST(WindowsErrorFromErrno, UnmappedValuesAreAGeneralFailureNeverSuccess)
{
    // errno 0 and nonsense values included: a failure must never read as code 0.
    for (int errnoValue : {0, -1, ECHILD, EDOM, ERANGE, 100000}) {
        const qint32 code = WindowsErrorFromErrno(errnoValue);
        EXPECT_EQ(code, 31) << "errno " << errnoValue;
        EXPECT_EQ(GetErrorName(code), QStringLiteral("General Failure"));
    }
}

#ifndef Q_OS_WIN
TEST(LastSystemError, ReadsTheCallingThreadsErrno)
{
    errno = ENOTEMPTY;
    EXPECT_EQ(LastSystemError(), 145);
    errno = 0;
    EXPECT_EQ(LastSystemError(), 31);
}
#endif

} // namespace
} // namespace quenloft
