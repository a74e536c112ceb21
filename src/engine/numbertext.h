#pragma once
// Numbers to text and back with the decimal separator of the locale.
#include <QChar>
#include <QString>
#include <QStringView>
#include <optional>

namespace engine {

// The strict number conversion: optional leading and trailing blanks, an optional sign,
// digits with at most one decimalSep, and an optional exponent (E or e, optional sign,
// digits). Blanks are spaces and tabs; digits are "0" to "9" only. Nothing else: no
// "inf", "nan", hex, thousands separators or locale guessing. A value that overflows a
// double fails; one too small for a double reads as 0, and "-0" reads as 0 (never a
// negative zero).
std::optional<double> ParseNumber(QStringView text, QChar decimalSep);

// The number a box holds by the strict conversion; 0 when it holds none.
double NumberIn(QStringView text, QChar decimalSep);

// The number a cleaned-up count or ratio text begins with: digits with at most one separator
// ("." and "," both count, "5." is 5, ".5" is 0.5); 0 when it begins with none, HUGE_VAL for a
// number beyond the double range. Used where a box keeps only digits and separators.
double LeadingNumber(const QString& text, QChar decimalSep);

// True when text has the form the strict conversion reads, whether or not its value fits
// a double: "1e999" has the form (and fails to convert), "12 V" has not.
bool IsNumberForm(QStringView text, QChar decimalSep);

// The text of a single-precision value: at most 7 significant digits, no trailing zeros,
// decimalSep as separator, a leading "-" for negatives, "0" for zero (also for -0).
// Values whose 7-digit rounding lies in 1E-05 .. 9999999 are written out ("0.00001",
// "4700", "9999999"); all others take the exponent form with a signed exponent of at least
// two digits ("1E-09", "2.2E-06", "1.5E+07"). A non-finite value gives "0" (no text ever
// shows inf or nan).
QString SingleText(float v, QChar decimalSep);
// The same for a double: 15 significant digits, written out from 1E-05 up to 15 integer
// digits, exponent form outside ("1E+15", "1.79769313486232E+308").
QString DoubleText(double v, QChar decimalSep);

// A value with between minDecimals and maxDecimals decimals, rounded half away from zero
// (what a "0.0##"-style format shows): trailing zeros beyond minDecimals dropped, the point too
// when no decimal is left, "0.5" written ".5" without leadingZero, never "-0". A non-finite
// value gives an empty text.
QString FormatFixed(double v, int minDecimals, int maxDecimals, bool leadingZero,
                    QChar decimalSep);
// The same, but a non-finite value gives "0": the graph's captions and axis labels never stay
// empty.
QString FormatFixedOrZero(double v, int minDecimals, int maxDecimals, bool leadingZero,
                          QChar decimalSep);

}  // namespace engine
