// The few fonts and colours the window is designed with, in one place so the controls
// and the tests agree on them.
#pragma once

#include <QColor>
#include <QFont>

namespace quenloft::appearance {

[[nodiscard]] QColor panelGrey();    // 222,222,222
[[nodiscard]] QColor textBlue();     // 0,0,255
[[nodiscard]] QColor frameCaption(); // 64,0,64
[[nodiscard]] QColor noticeGreen();  // 0,128,0

inline constexpr double kPointSize = 8.25;

// The family the window's layout is measured for: Arial itself on Windows, its
// metric-compatible stand-in elsewhere, and where that comes from.
#ifdef Q_OS_WIN
inline constexpr char kMetricFamily[] = "Arial";
inline constexpr char kMetricFontPackage[] = "the system's own fonts";
#else
inline constexpr char kMetricFamily[] = "Liberation Sans";
inline constexpr char kMetricFontPackage[] = "fonts-liberation2";
#endif

// The window's default: the classic dialog sans serif at 8.25 pt; on Linux its
// metric-compatible stand-in first.
[[nodiscard]] QFont windowFont();
// windowFont(), weight 700.
[[nodiscard]] QFont boldSansFont();
// An Arial-like face at 8.25 pt, italic, weight 400.
[[nodiscard]] QFont italicArialFont();
// The same, weight 700.
[[nodiscard]] QFont boldItalicArialFont();

} // namespace quenloft::appearance
