// Window geometry is designed in twips (1/1440 inch). These helpers turn it into the
// device-independent pixels Qt places widgets in, at the screen's logical DPI.
#pragma once

#include <QRect>

namespace quenloft::twips {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr double kDefaultDpi = 96.0;

// Logical DPI of the primary screen, or 96 when there is no screen (yet).
[[nodiscard]] double screenDpi();

// 15 at 96 DPI.
[[nodiscard]] double twipsPerPixel(double dpi);

// Nearest whole pixel / twip.
[[nodiscard]] int toPixels(int twips, double dpi);
[[nodiscard]] int toPixels(int twips);
[[nodiscard]] int fromPixels(double pixels, double dpi);
[[nodiscard]] int fromPixels(double pixels);

// Each of the four values is converted on its own, as the design gives them.
[[nodiscard]] QRect rectFromTwips(int left, int top, int width, int height, double dpi);
[[nodiscard]] QRect rectFromTwips(int left, int top, int width, int height);

} // namespace quenloft::twips
