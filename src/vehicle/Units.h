// The unit system of the Solvane weight and frontal area: captions, tool tips and the
// conversion of the shown values when the user switches.
#pragma once

#include "vehicle/UnitFactors.h"

#include <QString>

namespace quenloft {

[[nodiscard]] QString UnitsCaption(bool metric); // "Metric Units" / "Imperial Units"
[[nodiscard]] QString WeightToolTip(bool metric);
[[nodiscard]] QString FrontalAreaToolTip(bool metric);

[[nodiscard]] QString WeightSuffix(bool metric);      // " kgs" / " lbs"
[[nodiscard]] QString FrontalAreaSuffix(bool metric); // " m^2" / " ft^2"

// The shown weight and frontal area after a switch of the unit system to `toMetric`,
// computed from the shown captions (the number before the first blank). An empty caption,
// and a value of 0 or less, stays as it is.
struct UnitCaptions
{
    QString weight;
    QString frontalArea;
};
[[nodiscard]] UnitCaptions ConvertUnitCaptions(const UnitCaptions &shown, bool toMetric);

} // namespace quenloft
