// The unit system of the Solvane weight and frontal area: captions, tool tips and the
// conversion of the shown values when the user switches.
#pragma once

#include "vehicle/UnitFactors.h"

#include <QString>

namespace quenloft {

[[nodiscard]] QString UnitsCaption(bool metric); // "Metric Units" / "Imperial Units"
[[nodiscard]] QString WeightToolTip(bool metric);
[[nodiscard]] QString FrontalAreaToolTip(bool metric);

// The shown weight and frontal area, numbers without units, after a switch of the unit
// system to `toMetric`. An empty value, and one of 0 or less or that is no number, stays
// as it is.
struct UnitValues
{
    QString weight;
    QString frontalArea;
};
[[nodiscard]] UnitValues ConvertUnitValues(const UnitValues &shown, bool toMetric);

} // namespace quenloft
