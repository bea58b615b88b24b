#include "app/look/Twips.h"

#include "fixtures/CaseNames.h"

#include <gtest/gtest.h>

namespace {

using namespace quenloft;

struct ToPixelsCase
{
    int twips;
    double dpi;
    int pixels;
};

class TwipsToPixels : public testing::TestWithParam<ToPixelsCase>
{
};

TEST_P(TwipsToPixels, RoundsToTheNearestPixel)
{
    EXPECT_EQ(twips::toPixels(GetParam().twips, GetParam().dpi), GetParam().pixels);
}

INSTANTIATE_TEST_SUITE_P(Cases, TwipsToPixels,
                         testing::Values(ToPixelsCase{0, 96, 0}, ToPixelsCase{15, 96, 1},
                                         ToPixelsCase{7, 96, 0}, ToPixelsCase{8, 96, 1},
                                         ToPixelsCase{605, 96, 40}, ToPixelsCase{6975, 96, 465},
                                         ToPixelsCase{11670, 96, 778}, ToPixelsCase{7335, 96, 489},
                                         ToPixelsCase{6650, 96, 443}, ToPixelsCase{1440, 96, 96},
                                         ToPixelsCase{1440, 120, 120}, ToPixelsCase{1440, 144, 144},
                                         ToPixelsCase{11670, 144, 1167}, ToPixelsCase{-15, 96, -1}),
                         [](const testing::TestParamInfo<ToPixelsCase> &info) {
                             const ToPixelsCase &c = info.param;
                             const std::string twips = c.twips < 0
                                                           ? "minus_" + std::to_string(-c.twips)
                                                           : std::to_string(c.twips);
                             return fixtures::caseName(twips + "_twips_at_" +
                                                       std::to_string(int(c.dpi)) + "_dpi");
                         });

struct FromPixelsCase
{
    double pixels;
    double dpi;
    int twips;
};

class PixelsToTwips : public testing::TestWithParam<FromPixelsCase>
{
};

TEST_P(PixelsToTwips, RoundsToTheNearestTwip)
{
    EXPECT_EQ(twips::fromPixels(GetParam().pixels, GetParam().dpi), GetParam().twips);
}

INSTANTIATE_TEST_SUITE_P(Cases, PixelsToTwips,
                         testing::Values(FromPixelsCase{0, 96, 0}, FromPixelsCase{1, 96, 15},
                                         FromPixelsCase{377, 96, 5655},
                                         FromPixelsCase{376.5, 96, 5648},
                                         FromPixelsCase{1, 120, 12}, FromPixelsCase{96, 144, 960}),
                         [](const testing::TestParamInfo<FromPixelsCase> &info) {
                             const FromPixelsCase &c = info.param;
                             return fixtures::caseName(std::to_string(int(c.pixels * 10)) +
                                                       "_tenth_pixels_at_" +
                                                       std::to_string(int(c.dpi)) + "_dpi");
                         });

TEST(Twips, FifteenTwipsPerPixelAtNinetySixDpi)
{
    EXPECT_DOUBLE_EQ(twips::twipsPerPixel(96), 15.0);
    EXPECT_DOUBLE_EQ(twips::twipsPerPixel(144), 10.0);
}

TEST(Twips, RectangleConvertsEachValueOnItsOwn)
{
    EXPECT_EQ(twips::rectFromTwips(7650, 1365, 1455, 255, 96), QRect(510, 91, 97, 17));
    EXPECT_EQ(twips::rectFromTwips(120, 240, 5535, 605, 96), QRect(8, 16, 369, 40));
    EXPECT_EQ(twips::rectFromTwips(120, 240, 5535, 605, 192), QRect(16, 32, 738, 81));
}

TEST(Twips, ScreenDpiIsTheOffscreenDefault)
{
    EXPECT_DOUBLE_EQ(twips::screenDpi(), 96.0);
    EXPECT_EQ(twips::toPixels(11670), 778);
}

} // namespace
