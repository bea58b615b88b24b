#include "support/FileHandle.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace quenloft {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

class SearchHolder : public testing::Test
{
protected:
    std::unique_ptr<FileHandle> makeHolder()
    {
        return std::make_unique<FileHandle>([this](qint32 handle) { closed.push_back(handle); });
    }

    std::vector<qint32> closed;
};

TEST_F(SearchHolder, ReplacingAnOpenHandleClosesItAndDestructionClosesTheLast)
{
    auto holder = makeHolder();
    holder->setHandle(5);
    holder->setHandle(7);
    EXPECT_THAT(closed, ElementsAre(5));
    EXPECT_EQ(holder->Handle(), 7);
    holder.reset();
    EXPECT_THAT(closed, ElementsAre(5, 7));
}

TEST_F(SearchHolder, WritingZeroClosesTheSearchAndLeavesTheHolderEmpty)
{
    auto holder = makeHolder();
    holder->setHandle(1);
    holder->setHandle(0);
    EXPECT_THAT(closed, ElementsAre(1));
    holder.reset();
    EXPECT_THAT(closed, ElementsAre(1));
}

TEST_F(SearchHolder, ZeroAndNegativeValuesAreNeverClosed)
{
    auto holder = makeHolder();
    holder->setHandle(-1); // over 0
    holder->setHandle(-1); // over -1
    holder->setHandle(-2147483647 - 1);
    holder->setHandle(-1);
    EXPECT_EQ(holder->Handle(), -1);
    holder.reset();
    EXPECT_THAT(closed, IsEmpty());
}

TEST(FileNumberHolder, ReplacingAndDestroyingCloseNothing)
{
    // Without a closer the holder is the run-file number: the loader closes its own file.
    // A crash here would mean an empty closer was called.
    auto holder = std::make_unique<FileHandle>();
    holder->setHandle(3);
    holder->setHandle(4);
    EXPECT_EQ(holder->Handle(), 4);
    holder.reset();
}

} // namespace
} // namespace quenloft
