#include "vehicle/Units.h"

#include "support/NumberText.h"

namespace quenloft {
namespace {

QString beforeFirstBlank(const QString &caption)
{
    const qsizetype blank = caption.indexOf(u' ');
    return blank < 0 ? caption : caption.left(blank);
}

} // namespace

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

QString WeightSuffix(bool metric)
{
    return metric ? QStringLiteral(" kgs") : QStringLiteral(" lbs");
}

QString FrontalAreaSuffix(bool metric)
{
    return metric ? QStringLiteral(" m^2") : QStringLiteral(" ft^2");
}

UnitCaptions ConvertUnitCaptions(const UnitCaptions &shown, bool toMetric)
{
    // The weight is taken as a whole number and the area in single precision, as the
    // captions are read; a caption that is not a number is left alone.
    double weight = 0.0;
    if (!shown.weight.isEmpty())
        weight = RoundHalfEven(ParseDouble(beforeFirstBlank(shown.weight)).value_or(0.0));
    float area = 0.0f;
    if (!shown.frontalArea.isEmpty())
        area = ParseSingle(beforeFirstBlank(shown.frontalArea)).value_or(0.0f);

    UnitCaptions result = shown;
    if (toMetric) {
        if (weight > 0)
            result.weight = RoundDecimals(weight / PoundsPerKilogram, 0) + WeightSuffix(true);
        if (area > 0)
            result.frontalArea =
                RoundDecimals(double(area) / SquareFeetPerSquareMetre, 2) + FrontalAreaSuffix(true);
    } else {
        if (weight > 0)
            result.weight = DoubleText(weight * PoundsPerKilogram) + WeightSuffix(false);
        if (area > 0)
            result.frontalArea = RoundDecimals(double(area) * SquareFeetPerSquareMetre, 3) +
                                 FrontalAreaSuffix(false);
    }
    return result;
}

} // namespace quenloft
