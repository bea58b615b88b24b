#include "vehicle/Units.h"

#include "support/NumberText.h"

namespace quenloft {

QString UnitsCaption(bool metric)
{
    return metric ? QStringLiteral("Metric Units") : QStringLiteral("Imperial Units");
}

QString WeightToolTip(bool metric)
{
    return metric
               ? QStringLiteral(
                     "The weight of the vehicle in kilograms.  The range is 1 to 65,535.")
               : QStringLiteral("The weight of the vehicle in pounds.  The range is 1 to 144,177.");
}

QString FrontalAreaToolTip(bool metric)
{
    return metric ? QStringLiteral("The frontal area of the vehicle in square meters.  The range "
                                   "is 0.1 to 655.")
                  : QStringLiteral("The frontal area of the vehicle in square feet.  The range is "
                                   "0.1 to 7051.");
}

UnitValues ConvertUnitValues(const UnitValues &shown, bool toMetric)
{
    // The weight is taken as a whole number and the area in single precision, as the
    // editors take them.
    double weight = 0.0;
    if (!shown.weight.isEmpty())
        weight = RoundHalfEven(ParseDouble(shown.weight).value_or(0.0));
    float area = 0.0f;
    if (!shown.frontalArea.isEmpty())
        area = ParseSingle(shown.frontalArea).value_or(0.0f);

    UnitValues result = shown;
    if (toMetric) {
        if (weight > 0)
            result.weight = RoundDecimals(weight / PoundsPerKilogram, 0);
        if (area > 0)
            result.frontalArea = RoundDecimals(double(area) / SquareFeetPerSquareMetre, 2);
    } else {
        if (weight > 0)
            result.weight = DoubleText(weight * PoundsPerKilogram);
        if (area > 0)
            result.frontalArea = RoundDecimals(double(area) * SquareFeetPerSquareMetre, 3);
    }
    return result;
}

} // namespace quenloft
