// The conversion factors between the stored metric units and imperial display units.
#pragma once

namespace quenloft {

inline constexpr double PoundsPerKilogram = 2.2;
inline constexpr double SquareFeetPerSquareMetre = 10.76;

} // namespace quenloft
