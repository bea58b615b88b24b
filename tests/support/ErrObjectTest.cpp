#include "support/ErrObject.h"

#include <gtest/gtest.h>

namespace quenloft {
namespace {

TEST(ErrObject, StartsCleared)
{
    const ErrObject record;
    EXPECT_EQ(record.Number(), 0);
    EXPECT_TRUE(record.Description().isEmpty());
    EXPECT_TRUE(record.ExtendedInfo().isEmpty());
}

TEST(ErrObject, SetErrorReplacesAllThreeFieldsAndClearEmptiesThem)
{
    ErrObject record;
    record.SetError(80, QStringLiteral("File Exists"), QStringLiteral("/runs/old.kvp"));
    record.SetError(-1, QStringLiteral("No File Specified"), QString());
    EXPECT_EQ(record.Number(), -1);
    EXPECT_EQ(record.Description(), QStringLiteral("No File Specified"));
    EXPECT_TRUE(record.ExtendedInfo().isEmpty());

    record.setExtendedInfo(QStringLiteral("context"));
    record.Clear();
    EXPECT_EQ(record.Number(), 0);
    EXPECT_TRUE(record.Description().isEmpty());
    EXPECT_TRUE(record.ExtendedInfo().isEmpty());
}

} // namespace
} // namespace quenloft
