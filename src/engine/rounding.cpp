#include "engine/rounding.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <system_error>

namespace engine {

namespace {

// Rounds half to even to an integral double. Finite input only.
double RoundHalfEven(double x) {
  const double lower = std::floor(x);
  const double fraction = x - lower;  // exact for every finite double
  if (fraction > 0.5) return lower + 1.0;
  if (fraction < 0.5) return lower;
  return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

template <typename T>
T RoundToInteger(double x) {
  if (!std::isfinite(x)) return 0;
  const double r = RoundHalfEven(x);
  constexpr double lo = static_cast<double>(std::numeric_limits<T>::min());
  constexpr double hi = static_cast<double>(std::numeric_limits<T>::max());
  if (r <= lo) return std::numeric_limits<T>::min();
  if (r >= hi) return std::numeric_limits<T>::max();
  return static_cast<T>(r);
}

}  // namespace

float Sng(double x) {
  // The largest double that still rounds to FLT_MAX is just below FLT_MAX + half its
  // spacing (2^103); from there on the nearest single is infinity. Deciding that here
  // keeps the conversion defined for every input.
  constexpr double maxF = static_cast<double>(std::numeric_limits<float>::max());
  constexpr double overflowFrom = maxF + 0x1p103;
  if (std::isnan(x)) return std::numeric_limits<float>::quiet_NaN();
  if (x >= overflowFrom) return std::numeric_limits<float>::infinity();
  if (x <= -overflowFrom) return -std::numeric_limits<float>::infinity();
  if (x > maxF) return std::numeric_limits<float>::max();
  if (x < -maxF) return -std::numeric_limits<float>::max();
  return static_cast<float>(x);
}

double Int(double x) {
  if (!std::isfinite(x)) return x;
  return std::floor(x);
}

std::int16_t CInt(double x) { return RoundToInteger<std::int16_t>(x); }

std::int32_t CLng(double x) { return RoundToInteger<std::int32_t>(x); }

double RoundHalfAway(double x, int decimals) {
  if (!std::isfinite(x) || x == 0.0) return x == 0.0 ? 0.0 : x;
  // Round the decimal form a display shows (15 significant digits), not the binary value:
  // 2.675 is stored as 2.67499999..., yet it reads and must round as 2.675 -> 2.68.
  std::array<char, 40> buf{};
  const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(x),
                                 std::chars_format::scientific, 14);
  if (res.ec != std::errc()) return x;
  // buf holds "d.dddddddddddddde[+-]XXX".
  std::array<int, 15> digit{};
  digit[0] = buf[0] - '0';
  for (int k = 1; k < 15; ++k) digit[k] = buf[static_cast<std::size_t>(k + 1)] - '0';
  const int exponent = std::atoi(buf.data() + 17);
  // Digit k stands for 10^(exponent - k); keep the digits down to 10^-decimals.
  const long keepLong = static_cast<long>(exponent) + static_cast<long>(decimals) + 1;
  if (keepLong >= 15) return x;  // nothing to round away at this precision
  const bool negative = x < 0.0;
  if (keepLong < 0) return 0.0;
  const int keep = static_cast<int>(keepLong);
  // The kept digits as an integer count of units of 10^-decimals (at most 14 digits).
  long long units = 0;
  for (int k = 0; k < keep; ++k) units = units * 10 + digit[k];
  if (digit[keep] >= 5) ++units;
  if (units == 0) return 0.0;
  // units * 10^-decimals, written as text so the result is the double nearest that
  // decimal value.
  std::array<char, 64> out{};
  auto* p = out.data();
  if (negative) *p++ = '-';
  auto r1 = std::to_chars(p, out.data() + out.size() - 8, units);
  p = r1.ptr;
  *p++ = 'e';
  auto r2 = std::to_chars(p, out.data() + out.size(), -static_cast<long>(decimals));
  double value = 0.0;
  const auto parsed = std::from_chars(out.data(), r2.ptr, value);
  if (parsed.ec != std::errc()) return x;
  return value;
}

}  // namespace engine
