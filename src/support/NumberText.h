// Numbers to and from the decimal texts the program shows and accepts.
#pragma once

#include <QString>

#include <optional>

namespace quenloft {

// True when `text`, with spaces around it ignored, reads completely as a decimal number:
// an optional sign, digits with at most one decimal point, an optional exponent.
[[nodiscard]] bool IsNumeric(const QString &text);

// The value of a numeric text in double precision; nullopt when it is not numeric or
// beyond the double range.
[[nodiscard]] std::optional<double> ParseDouble(const QString &text);

// The value of a numeric text in single precision; nullopt when it is not numeric or
// beyond the single-precision range.
[[nodiscard]] std::optional<float> ParseSingle(const QString &text);

// Nearest whole number, a half going to the even neighbour.
[[nodiscard]] double RoundHalfEven(double value);

// `value` with at most `significantDigits` significant digits: no exponent, no
// thousands separators, no trailing zeros ("2714.8", "1.5", "16.14", "0.001").
[[nodiscard]] QString PlainDecimal(double value, int significantDigits);

// The text a single-precision number converts to (7 significant digits).
[[nodiscard]] QString SingleText(float value);

// The text a double-precision number converts to (15 significant digits).
[[nodiscard]] QString DoubleText(double value);

// A decimal text written with the pattern "0", "0.0", "0.00", … : at least one digit
// before the point and exactly `decimals` after it, a half rounded away from zero.
// Returns `decimalText` unchanged when it is not a plain decimal number.
[[nodiscard]] QString FormatFixed(const QString &decimalText, int decimals);

// Decimal rounding on the number's decimal text (7 digits for single, 15 for double).
// With 0 decimals the fraction is cut off. Otherwise the text is cut after `decimals`
// digits behind the point; when the next digit is 5 or more the result is the exact
// decimal sum of the cut number and 10^-decimals (no trailing zeros), else the cut text
// (trailing zeros kept: 1.2049 to 2 gives "1.20"). A text without a point comes back as
// it is.
[[nodiscard]] QString RoundDecimals(float value, int decimals);
[[nodiscard]] QString RoundDecimals(double value, int decimals);

} // namespace quenloft
