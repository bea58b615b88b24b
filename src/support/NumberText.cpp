#include "support/NumberText.h"

#include "support/General.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>
#include <system_error>

namespace quenloft {
namespace {

// The ASCII form of a numeric text, ready for std::from_chars (which takes no '+'),
// or an empty string when the text is not numeric.
std::string numericAscii(const QString &text)
{
    const QString t = TrimSpaces(text);
    std::string out;
    out.reserve(size_t(t.size()));
    qsizetype i = 0;
    auto at = [&](qsizetype k) { return k < t.size() ? t.at(k).unicode() : char16_t(0); };
    auto isDigit = [](char16_t c) { return c >= u'0' && c <= u'9'; };

    if (at(i) == u'+' || at(i) == u'-') {
        if (at(i) == u'-')
            out.push_back('-');
        ++i;
    }
    int mantissaDigits = 0;
    bool point = false;
    for (; i < t.size(); ++i) {
        const char16_t c = at(i);
        if (isDigit(c)) {
            ++mantissaDigits;
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            break;
        }
        out.push_back(char(c));
    }
    if (mantissaDigits == 0)
        return {};
    if (at(i) == u'e' || at(i) == u'E') {
        out.push_back('e');
        ++i;
        if (at(i) == u'+' || at(i) == u'-')
            out.push_back(char(at(i++)));
        int exponentDigits = 0;
        for (; isDigit(at(i)); ++i, ++exponentDigits)
            out.push_back(char(at(i)));
        if (exponentDigits == 0)
            return {};
    }
    if (i != t.size())
        return {};
    return out;
}

// A decimal number that from_chars finds out of range: is it tiny (underflows to zero)
// rather than huge?
bool underflows(const std::string &ascii)
{
    const size_t e = ascii.find('e');
    long long exponent = 0;
    if (e != std::string::npos) {
        const char *first = ascii.data() + e + 1;
        if (*first == '+')
            ++first;
        if (std::from_chars(first, ascii.data() + ascii.size(), exponent).ec != std::errc())
            return ascii[e + 1] == '-'; // an exponent beyond long long
    }
    std::string mantissa = ascii.substr(0, e);
    if (!mantissa.empty() && mantissa.front() == '-')
        mantissa.erase(0, 1);
    const size_t point = mantissa.find('.');
    const std::string integer = mantissa.substr(0, point);
    const std::string fraction =
        point == std::string::npos ? std::string() : mantissa.substr(point + 1);
    // Decimal exponent of the first significant digit.
    long long leading = 0;
    if (const size_t k = integer.find_first_not_of('0'); k != std::string::npos) {
        leading = (long long)(integer.size() - 1 - k);
    } else if (const size_t f = fraction.find_first_not_of('0'); f != std::string::npos) {
        leading = -(long long)(f + 1);
    } else {
        return true; // all zeros
    }
    return leading + exponent < 0;
}

template <typename Real> std::optional<Real> parseReal(const QString &text)
{
    const std::string ascii = numericAscii(text);
    if (ascii.empty())
        return std::nullopt;
    Real value{};
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (underflows(ascii))
            return ascii.front() == '-' ? -Real(0) : Real(0);
        return std::nullopt;
    }
    if (result.ec != std::errc() || result.ptr != ascii.data() + ascii.size())
        return std::nullopt;
    return value;
}

QString stripTrailingFractionZeros(QString text)
{
    if (!text.contains(u'.'))
        return text;
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text;
}

// Adds one unit in the last place to a string of decimal digits.
QString incrementDigits(QString digits)
{
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] == u'9') {
            digits[i] = u'0';
        } else {
            digits[i] = QChar(digits[i].unicode() + 1);
            return digits;
        }
    }
    return u'1' + digits;
}

// Subtracts one unit in the last place from a non-zero string of decimal digits.
QString decrementDigits(QString digits)
{
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] == u'0') {
            digits[i] = u'9';
        } else {
            digits[i] = QChar(digits[i].unicode() - 1);
            break;
        }
    }
    return digits;
}

struct DecimalParts
{
    bool negative = false;
    QString integer;  // at least one digit
    QString fraction; // possibly empty
};

std::optional<DecimalParts> splitPlainDecimal(const QString &text)
{
    DecimalParts parts;
    QString t = text;
    if (t.startsWith(u'-')) {
        parts.negative = true;
        t.remove(0, 1);
    }
    const qsizetype point = t.indexOf(u'.');
    parts.integer = point < 0 ? t : t.left(point);
    parts.fraction = point < 0 ? QString() : t.mid(point + 1);
    if (parts.integer.isEmpty())
        parts.integer = QStringLiteral("0");
    for (const QString *s : {&parts.integer, &parts.fraction})
        for (QChar c : *s)
            if (!c.isDigit() || c.unicode() > u'9')
                return std::nullopt;
    return parts;
}

// Joins scaled digits back into a decimal text with `decimals` digits behind the point.
QString joinScaled(bool negative, QString digits, int decimals)
{
    while (digits.size() <= decimals)
        digits.prepend(u'0');
    QString text = decimals > 0
                       ? digits.left(digits.size() - decimals) + u'.' + digits.right(decimals)
                       : digits;
    // Drop leading zeros of the integer part, keeping one.
    qsizetype lead = 0;
    while (lead + 1 < text.size() && text[lead] == u'0' && text[lead + 1] != u'.')
        ++lead;
    text.remove(0, lead);
    bool zero = true;
    for (QChar c : text)
        if (c != u'0' && c != u'.')
            zero = false;
    return (negative && !zero) ? u'-' + text : text;
}

QString roundDecimalText(const QString &text, int decimals)
{
    const qsizetype point = text.indexOf(u'.');
    if (point < 0 || point == text.size() - 1)
        return text;
    if (decimals <= 0)
        return text.left(point);
    const qsizetype cutLength = qMin<qsizetype>(text.size(), point + 1 + decimals);
    const QString cut = text.left(cutLength);
    const QChar next = cutLength < text.size() ? text.at(cutLength) : QChar(u'0');
    if (next < u'5')
        return cut;

    // The cut text has exactly `decimals` digits behind its point here.
    const auto parts = splitPlainDecimal(cut);
    if (!parts)
        return cut;
    QString digits = parts->integer + parts->fraction;
    bool negative = parts->negative;
    if (!negative) {
        digits = incrementDigits(digits);
    } else if (digits.count(u'0') == digits.size()) {
        digits = incrementDigits(digits); // -0.0 + 0.1 = 0.1
        negative = false;
    } else {
        digits = decrementDigits(digits);
    }
    return stripTrailingFractionZeros(joinScaled(negative, digits, decimals));
}

} // namespace

bool IsNumeric(const QString &text)
{
    return !numericAscii(text).empty();
}

std::optional<double> ParseDouble(const QString &text)
{
    return parseReal<double>(text);
}

std::optional<float> ParseSingle(const QString &text)
{
    return parseReal<float>(text);
}

double RoundHalfEven(double value)
{
    // nearbyint rounds in the current mode, which is round-to-nearest-even by default.
    return std::nearbyint(value);
}

QString PlainDecimal(double value, int significantDigits)
{
    if (!std::isfinite(value))
        return QString::number(value);
    if (value == 0.0)
        return QStringLiteral("0");
    significantDigits = qBound(1, significantDigits, 17);

    // Composed in bytes and turned into text once: the program writes these for every
    // Solvane row of a table of thousands.
    char scientific[64];
    const auto result = std::to_chars(scientific, scientific + sizeof scientific, value,
                                      std::chars_format::scientific, significantDigits - 1);
    const char *end = result.ptr;
    const char *e = std::find(static_cast<const char *>(scientific), end, 'e');
    int exponent = 0;
    const char *first = e + 1;
    if (first < end && *first == '+')
        ++first;
    std::from_chars(first, end, exponent);

    const bool negative = scientific[0] == '-';
    char digits[32];
    int count = 0;
    for (const char *p = scientific; p < e; ++p)
        if (*p >= '0' && *p <= '9')
            digits[count++] = *p;
    while (count > 1 && digits[count - 1] == '0')
        --count;

    // At most a sign, "0.", 323 zeros and 17 digits (or 309 digits before the point).
    char text[400];
    int length = 0;
    if (negative)
        text[length++] = '-';
    if (exponent >= 0) {
        const int intLength = exponent + 1;
        if (count <= intLength) {
            std::memcpy(text + length, digits, size_t(count));
            length += count;
            std::memset(text + length, '0', size_t(intLength - count));
            length += intLength - count;
        } else {
            std::memcpy(text + length, digits, size_t(intLength));
            length += intLength;
            text[length++] = '.';
            std::memcpy(text + length, digits + intLength, size_t(count - intLength));
            length += count - intLength;
        }
    } else {
        text[length++] = '0';
        text[length++] = '.';
        std::memset(text + length, '0', size_t(-exponent - 1));
        length += -exponent - 1;
        std::memcpy(text + length, digits, size_t(count));
        length += count;
    }
    return QString::fromLatin1(text, length);
}

QString SingleText(float value)
{
    return PlainDecimal(double(value), 7);
}

QString DoubleText(double value)
{
    return PlainDecimal(value, 15);
}

QString FormatFixed(const QString &decimalText, int decimals)
{
    decimals = qMax(decimals, 0);
    const auto parts = splitPlainDecimal(decimalText);
    const bool hasDigit = std::any_of(decimalText.begin(), decimalText.end(),
                                      [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!parts || !hasDigit)
        return decimalText;
    QString fraction = parts->fraction;
    QString digits = parts->integer;
    if (fraction.size() <= decimals) {
        digits += fraction + QString(decimals - fraction.size(), u'0');
    } else {
        const bool roundUp = fraction.at(decimals) >= u'5';
        digits += fraction.left(decimals);
        if (roundUp)
            digits = incrementDigits(digits);
    }
    return joinScaled(parts->negative, digits, decimals);
}

QString RoundDecimals(float value, int decimals)
{
    return roundDecimalText(SingleText(value), decimals);
}

QString RoundDecimals(double value, int decimals)
{
    return roundDecimalText(DoubleText(value), decimals);
}

} // namespace quenloft
