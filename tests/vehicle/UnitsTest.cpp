#include "vehicle/Units.h"

#include "fixtures/QtPrinters.h"

#include <gtest/gtest.h>

namespace quenloft {
namespace {

TEST(ConvertUnitValues, SwitchesTheShownWeightAndFrontalArea)
{
    const struct
    {
        const char *name;
        const char *weight, *area;
        bool toMetric;
        const char *expectedWeight, *expectedArea;
    } rows[] = {
        {"1234 kgs to pounds", "1234", "1.5", false, "2714.8", "16.14"},
        {"2714.8 lbs back to 1234", "2714.8", "16.14", true, "1234", "1.5"},
        {"2716 lbs are cut to 1234 kgs, not rounded", "2716", "", true, "1234", ""},
        {"1000 kgs to 2200", "1000", "", false, "2200", ""},
        {"a stored 123 in metric to 13.235", "", "1.23", false, "", "13.235"},
        {"the weight is rounded half to even first", "1232.5", "", false, "2710.4", ""},
        {"empty values stay empty", "", "", false, "", ""},
        {"zero is not converted", "0", "0", false, "0", "0"},
        {"the largest metric values", "65535", "655.35", false, "144177", "7051.566"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const UnitValues converted = ConvertUnitValues(
            {QString::fromLatin1(row.weight), QString::fromLatin1(row.area)}, row.toMetric);
        EXPECT_EQ(converted.weight, QString::fromLatin1(row.expectedWeight));
        EXPECT_EQ(converted.frontalArea, QString::fromLatin1(row.expectedArea));
    }
}

} // namespace
} // namespace quenloft
