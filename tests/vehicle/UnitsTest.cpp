#include "vehicle/Units.h"

#include "fixtures/QtPrinters.h"

#include <gtest/gtest.h>

namespace quenloft {
namespace {

TEST(ConvertUnitCaptions, SwitchesTheShownWeightAndFrontalArea)
{
    const struct
    {
        const char *name;
        const char *weight, *area;
        bool toMetric;
        const char *expectedWeight, *expectedArea;
    } rows[] = {
        {"1234 kgs to pounds", "1234 kgs", "1.5 m^2", false, "2714.8 lbs", "16.14 ft^2"},
        {"2714.8 lbs back to 1234 kgs", "2714.8 lbs", "16.14 ft^2", true, "1234 kgs", "1.5 m^2"},
        {"2716 lbs are cut to 1234 kgs, not rounded", "2716 lbs", "", true, "1234 kgs", ""},
        {"1000 kgs to 2200 lbs", "1000 kgs", "", false, "2200 lbs", ""},
        {"a stored 123 in metric to 13.235 ft^2", "", "1.23 m^2", false, "", "13.235 ft^2"},
        {"the weight is rounded half to even first", "1232.5 kgs", "", false, "2710.4 lbs", ""},
        {"empty captions stay empty", "", "", false, "", ""},
        {"zero is not converted", "0 kgs", "0 m^2", false, "0 kgs", "0 m^2"},
        {"the largest metric values", "65535 kgs", "655.35 m^2", false, "144177 lbs",
         "7051.566 ft^2"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const UnitCaptions converted = ConvertUnitCaptions(
            {QString::fromLatin1(row.weight), QString::fromLatin1(row.area)}, row.toMetric);
        EXPECT_EQ(converted.weight, QString::fromLatin1(row.expectedWeight));
        EXPECT_EQ(converted.frontalArea, QString::fromLatin1(row.expectedArea));
    }
}

TEST(Units, CaptionsAndToolTipsOfEachSystem)
{
    EXPECT_EQ(UnitsCaption(true), QStringLiteral("Metric Units"));
    EXPECT_EQ(UnitsCaption(false), QStringLiteral("Imperial Units"));
    EXPECT_EQ(WeightToolTip(true),
              QStringLiteral("The weight of the vehicle in kilograms.  The range is 1 to 65,535."));
    EXPECT_EQ(WeightToolTip(false),
              QStringLiteral("The weight of the vehicle in pounds.  The range is 1 to 144,177."));
    EXPECT_EQ(FrontalAreaToolTip(true), QStringLiteral("The frontal area of the vehicle in square "
                                                       "meters.  The range is 0.1 to 655."));
    EXPECT_EQ(FrontalAreaToolTip(false), QStringLiteral("The frontal area of the vehicle in square "
                                                        "feet.  The range is 0.1 to 7051."));
}

} // namespace
} // namespace quenloft
