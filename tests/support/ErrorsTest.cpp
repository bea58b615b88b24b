#include "support/Errors.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>

namespace quenloft {
namespace {

const QString kUnknown = QStringLiteral("Unknown / Unlisted Error");

TEST(GetErrorName, KnowsExactly514Codes)
{
    // Every system code of the table lies between 0 and 6118; the severity values are far
    // outside that range and counted on their own.
    int known = 0;
    for (qint32 code = -100000; code <= 100000; ++code)
        known += GetErrorName(code) != kUnknown ? 1 : 0;
    for (qint32 code : {1073741824, std::numeric_limits<qint32>::min(), -1073741824})
        known += GetErrorName(code) != kUnknown ? 1 : 0;
    EXPECT_EQ(known, 514);
}

TEST(GetErrorName, NamesFromEveryBlockOfTheTable)
{
    struct Case
    {
        qint32 code;
        const char *name;
    };
    const Case cases[] = {
        {std::numeric_limits<qint32>::min(), "Severity Warning"},
        {-1073741824, "Severity Error"},
        {0, "Severity Success"},
        {2, "File Not Found"},
        {5, "Access Denied"},
        {23, "CRC"},
        {32, "Sharing Violation"},
        {55, "Device Doesn't Exist"},
        {80, "File Exists"},
        {194, "Iterated Data Exceeds 64K"},
        {267, "Directory"},
        {275, "EAS Didn't Fit"},
        {999, "Swap Error"},
        {1001, "Stack Overflow"},
        {1111, "Bus Reset"},
        {1114, "DLL Init Failed"},
        {1132, "Mapped Alignment"},
        {1200, "Bad Device"},
        {1300, "Not All Assigned"},
        {1334, "LuIDs Exhausted"},
        {1369, "RxAct Invalid State"},
        {1406, "Tlw With WSChild"},
        {1428, "Hook Needs HMod"},
        {1449, "Invalid ShowWin Command"},
        {1500, "Eventlog File Corrupt"},
        {1784, "Invalid User Buffer"},
        {1816, "Not Enough Quota"},
        {1906, "Invalid Printer State"},
        {2000, "Invalid Pixel Format"},
        {2202, "Bad Username"},
        {2404, "Device In Use"},
        {3003, "Spooler Didn't Start Doc"},
        {3006, "Print Monitor Already Installed"},
        {4006, "RPL Not Allowed"},
        {6118, "No Browser Servers Found"},
        {1073741824, "Severity Informational"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(GetErrorName(c.code), QString::fromLatin1(c.name)) << "code " << c.code;
}

TEST(GetErrorName, CodesOutsideTheTableAreUnknown)
{
    const qint32 gaps[] = {35,   37,          40,          73,         1000,       1023,
                           1199, 1223,        1339,        1450,       6117,       6119,
                           -1,   -2147483647, -1073741823, 1073741823, 1073741825, 2147483647};
    for (qint32 code : gaps)
        EXPECT_EQ(GetErrorName(code), kUnknown) << "code " << code;
}

TEST(LastError, IsClearedBeforeAnyFailure)
{
    // Other tests in this program record errors, so look at a fresh process.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const ErrObject &record = LastError();
            const bool cleared = record.Number() == 0 && record.Description().isEmpty() &&
                                 record.ExtendedInfo().isEmpty();
            std::exit(cleared ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

TEST(RecordError, SecondFailureReplacesTheWholeFirst)
{
    RecordError(2, QStringLiteral("File Not Found"), QStringLiteral("/runs/a.kvp"));
    RecordError(5, QStringLiteral("Access Denied"), QString());

    const ErrObject &record = LastError();
    EXPECT_EQ(record.Number(), 5);
    EXPECT_EQ(record.Description(), QStringLiteral("Access Denied"));
    EXPECT_TRUE(record.ExtendedInfo().isEmpty());
    EXPECT_EQ(&record, &LastError());
}

} // namespace
} // namespace quenloft
