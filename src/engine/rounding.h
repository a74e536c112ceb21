#pragma once
// The rounding rules the design arithmetic follows, one helper each, and the constant pi.
#include <cstdint>

namespace engine {

// pi as 4 * arctan(1) in double precision.
inline constexpr double Pi = 3.141592653589793238462643383279502884;

// Rounds to single precision, as every store into a Single does. A value beyond the
// single range becomes an infinity of its sign (callers check with std::isfinite);
// NaN stays NaN.
float Sng(double x);
// Largest integer not above x (Int). Non-finite input is returned unchanged.
double Int(double x);
// Round half to even into a 16-bit integer (CInt); saturates at the 16-bit range,
// non-finite input gives 0.
std::int16_t CInt(double x);
// Round half to even into a 32-bit integer (CLng); saturates, non-finite gives 0.
std::int32_t CLng(double x);
// Round half away from zero to a number of decimals (what Format shows); decimals may be
// negative (-1 rounds to tens). The value is taken as its 15-significant-digit decimal
// text, so 2.675 (stored as 2.67499999...) rounds to 2.68. Never returns a negative zero;
// non-finite input is returned unchanged.
double RoundHalfAway(double x, int decimals);

}  // namespace engine
