#include "engine/numbertext.h"

#include "engine/rounding.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <system_error>

namespace engine {

namespace {

bool IsBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

bool IsAsciiDigit(QChar c) { return c.unicode() >= '0' && c.unicode() <= '9'; }

// Significant digits kept from a typed mantissa. Beyond this a dropped non-zero tail is
// stood for by one sticky digit, which keeps the nearest double exact for any length.
constexpr std::size_t kMaxMantissaDigits = 800;

// Decimal exponents (of 0.ddd form) beyond these are certainly outside the range of a
// double, above or below.
constexpr long kOverflowExponent = 310;
constexpr long kUnderflowExponent = -330;

// The decimal digits and exponent of |v| rounded to `digits` significant digits, trailing
// zeros removed. v must be finite and non-zero.
struct Decimal {
  std::string digits;  // at least one digit, no trailing zeros
  int exponent = 0;    // decimal exponent of the first digit
};

template <typename T>
Decimal ToDecimal(T v, int digits) {
  std::array<char, 64> buf{};
  const auto res = std::to_chars(buf.data(), buf.data() + buf.size() - 1, std::fabs(v),
                                 std::chars_format::scientific, digits - 1);
  Decimal d;
  const char* p = buf.data();
  for (; p < res.ptr && *p != 'e'; ++p)
    if (*p >= '0' && *p <= '9') d.digits.push_back(*p);
  if (p < res.ptr) d.exponent = std::atoi(p + 1);
  while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
  return d;
}

// Writes a finite value with up to `digits` significant digits. Fixed form for decimal
// exponents minExp .. maxExp of the rounded value, exponent form ("1.5E+07", "2E-06")
// otherwise.
template <typename T>
QString NumberText(T v, int digits, int minExp, int maxExp, QChar decimalSep) {
  if (!std::isfinite(v) || v == 0) return QStringLiteral("0");
  const Decimal d = ToDecimal(v, digits);
  QString s;
  if (v < 0) s += QLatin1Char('-');
  const int n = static_cast<int>(d.digits.size());
  if (d.exponent >= minExp && d.exponent <= maxExp) {
    if (d.exponent < 0) {
      s += QLatin1Char('0');
      s += decimalSep;
      for (int k = -1; k > d.exponent; --k) s += QLatin1Char('0');
      s += QLatin1String(d.digits.data(), n);
    } else {
      const int intDigits = d.exponent + 1;
      for (int k = 0; k < intDigits; ++k)
        s += k < n ? QLatin1Char(d.digits[static_cast<std::size_t>(k)]) : QLatin1Char('0');
      if (n > intDigits) {
        s += decimalSep;
        s += QLatin1String(d.digits.data() + intDigits, n - intDigits);
      }
    }
    return s;
  }
  s += QLatin1Char(d.digits[0]);
  if (n > 1) {
    s += decimalSep;
    s += QLatin1String(d.digits.data() + 1, n - 1);
  }
  s += QLatin1Char('E');
  s += d.exponent < 0 ? QLatin1Char('-') : QLatin1Char('+');
  const int absExp = std::abs(d.exponent);
  if (absExp < 10) s += QLatin1Char('0');
  s += QString::number(absExp);
  return s;
}

}  // namespace

namespace {

enum class Scan { Number, NotANumber, OutOfRange };

// Reads text as described for ParseNumber; `value` is set for Scan::Number only.
Scan ScanNumber(QStringView text, QChar decimalSep, double& value) {
  qsizetype i = 0;
  qsizetype end = text.size();
  while (i < end && IsBlank(text[i])) ++i;
  while (end > i && IsBlank(text[end - 1])) --end;

  bool negative = false;
  if (i < end && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
    negative = text[i] == QLatin1Char('-');
    ++i;
  }

  // Mantissa: digits with at most one separator, at least one digit.
  std::string mantissa;     // significant digits, leading zeros removed
  long pointExponent = 0;   // the value is 0.<mantissa> * 10^pointExponent
  bool anyDigit = false;
  bool afterSep = false;
  bool sticky = false;      // a non-zero digit was dropped beyond kMaxMantissaDigits
  for (; i < end; ++i) {
    const QChar c = text[i];
    if (IsAsciiDigit(c)) {
      anyDigit = true;
      const char digit = static_cast<char>(c.unicode());
      if (mantissa.empty() && digit == '0') {
        if (afterSep) --pointExponent;
        continue;
      }
      if (mantissa.size() < kMaxMantissaDigits) {
        mantissa.push_back(digit);
      } else if (digit != '0') {
        sticky = true;
      }
      if (!afterSep) ++pointExponent;
    } else if (c == decimalSep && !afterSep) {
      afterSep = true;
    } else {
      break;
    }
  }
  // pointExponent is bounded by the text length, so it cannot overflow a long.
  if (!anyDigit) return Scan::NotANumber;

  long exponent = 0;
  if (i < end && (text[i] == QLatin1Char('E') || text[i] == QLatin1Char('e'))) {
    ++i;
    bool expNegative = false;
    if (i < end && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
      expNegative = text[i] == QLatin1Char('-');
      ++i;
    }
    bool expDigit = false;
    for (; i < end && IsAsciiDigit(text[i]); ++i) {
      expDigit = true;
      if (exponent < 1000000) exponent = exponent * 10 + (text[i].unicode() - '0');
    }
    if (!expDigit) return Scan::NotANumber;
    if (expNegative) exponent = -exponent;
  }
  if (i != end) return Scan::NotANumber;  // anything else anywhere is not a number

  value = 0.0;  // also for "-0" and underflow: never a negative zero
  // Trailing zeros carry no value, unless the sticky digit is to follow them.
  if (!sticky)
    while (!mantissa.empty() && mantissa.back() == '0') mantissa.pop_back();
  if (mantissa.empty()) return Scan::Number;

  const long scale = pointExponent + exponent;
  if (scale > kOverflowExponent) return Scan::OutOfRange;
  if (scale < kUnderflowExponent) return Scan::Number;

  std::string canonical = "0.";
  canonical += mantissa;
  if (sticky) canonical += '1';
  canonical += 'e';
  canonical += std::to_string(scale);
  double parsed = 0.0;
  const auto res = std::from_chars(canonical.data(), canonical.data() + canonical.size(), parsed);
  if (res.ec == std::errc::result_out_of_range) {
    if (scale > 0) return Scan::OutOfRange;
    return Scan::Number;  // underflow reads as 0
  }
  if (res.ec != std::errc() || !std::isfinite(parsed)) return Scan::OutOfRange;
  if (parsed != 0.0) value = negative ? -parsed : parsed;
  return Scan::Number;
}

}  // namespace

std::optional<double> ParseNumber(QStringView text, QChar decimalSep) {
  double value = 0.0;
  if (ScanNumber(text, decimalSep, value) != Scan::Number) return std::nullopt;
  return value;
}

bool IsNumberForm(QStringView text, QChar decimalSep) {
  double value = 0.0;
  return ScanNumber(text, decimalSep, value) != Scan::NotANumber;
}

// Fixed form from 1E-05 (0.00001) up to 9999999, the largest number seven digits write
// out in full; exponent form outside.
QString SingleText(float v, QChar decimalSep) { return NumberText(v, 7, -5, 6, decimalSep); }

// Fixed form from 1E-05 up to 15 integer digits; exponent form outside.
QString DoubleText(double v, QChar decimalSep) { return NumberText(v, 15, -5, 14, decimalSep); }

QString FormatFixed(double v, int minDecimals, int maxDecimals, bool leadingZero,
                    QChar decimalSep) {
  if (!std::isfinite(v)) return QString();
  const double r = RoundHalfAway(v, maxDecimals);
  QString s = QString::number(std::fabs(r), 'f', maxDecimals);
  if (maxDecimals > 0) {
    int decimals = maxDecimals;
    while (decimals > minDecimals && s.endsWith(QLatin1Char('0'))) {
      s.chop(1);
      --decimals;
    }
    if (decimals == 0) s.chop(1);  // the point itself
  }
  if (!leadingZero && s.startsWith(QLatin1String("0."))) s.remove(0, 1);
  s.replace(QLatin1Char('.'), decimalSep);
  if (r < 0) s.prepend(QLatin1Char('-'));
  return s;
}

QString FormatFixedOrZero(double v, int minDecimals, int maxDecimals, bool leadingZero,
                          QChar decimalSep) {
  if (!std::isfinite(v)) return QStringLiteral("0");
  return FormatFixed(v, minDecimals, maxDecimals, leadingZero, decimalSep);
}

double NumberIn(QStringView text, QChar decimalSep) {
  return ParseNumber(text, decimalSep).value_or(0.0);
}

double LeadingNumber(const QString& text, QChar decimalSep) {
  qsizetype end = 0;
  bool separatorSeen = false;
  while (end < text.size()) {
    const QChar c = text[end];
    if (c.unicode() >= '0' && c.unicode() <= '9') {
      ++end;
    } else if (!separatorSeen && (c == decimalSep || c == QLatin1Char('.') ||
                                  c == QLatin1Char(','))) {
      separatorSeen = true;
      ++end;
    } else {
      break;
    }
  }
  QString number = text.left(end);
  for (QChar& c : number)
    if (c == QLatin1Char('.') || c == QLatin1Char(',')) c = decimalSep;
  if (number.isEmpty() || number == QString(decimalSep)) return 0.0;
  // A lone trailing or leading separator still reads ("5." is 5, ".5" is 0.5).
  if (number.endsWith(decimalSep)) number.chop(1);
  if (number.startsWith(decimalSep)) number.prepend(QLatin1Char('0'));
  const auto v = ParseNumber(number, decimalSep);
  return v ? *v : HUGE_VAL;  // only a number beyond the double range fails here
}

}  // namespace engine
