#pragma once
// Standard value series: every synthesised resistor and capacitor is rounded to the series the
// user chose (Exact, E12 .. E192 for resistors, E6, E12, E24 for capacitors). In the
// high-pass design or half a part is rounded through its dual part of the high-pass circuit, so
// that the capacitor the user will buy is the series value.
#include <optional>
#include <vector>

#include "engine/choices.h"

namespace engine {

// What the rounding reads from the design.
struct SeriesChoice {
  ResistorSeries Resistors = ResistorSeries::Exact;
  CapacitorSeries Capacitors = CapacitorSeries::E12;
  // Dual rounding of the high-pass design or half: the stage frequency and the design frequency
  // in hertz fix the dual part (a resistor r stands for the capacitor f0 / (2 pi Fc^2 r)).
  int HighPassHalf = 0;
  float StageF0 = 0;
  float DesignCutoff = 0;
};

// Direction of a capacitor rounding.
inline constexpr int CapNearest = 0;
inline constexpr int CapNextLarger = 1;
inline constexpr int CapNextSmaller = -1;

// Rounds a resistor (ohms) to the resistor series. Exact leaves it as it is, except in the high-pass half, where the resistor is snapped so that its dual capacitor
// is a value of the capacitor series. A value that is not positive or not finite is returned
// unchanged.
float StdRes(float r, const SeriesChoice& series);

// The plain series rounding, never through the dual part (the Sallen-Key gain resistors and the
// band-pass and notch stages use it).
float StdResPlain(float r, ResistorSeries series);

// Rounds a capacitor (farads) to the capacitor series: op CapNearest, CapNextLarger (one step
// above the nearest value) or CapNextSmaller (one step below it). capdiv 2 rounds the half
// value and doubles the result back (the bridging capacitors of a fully differential stage).
// In the high-pass half the capacitor is rounded through its dual resistor instead, which takes
// the nearest resistor and ignores op. A value that is not positive or not finite is given
// back unchanged. decadeCount, when given, receives the
// decimal exponent of the plainly rounded value.
float StdCaps(float c, int op, int capdiv, const SeriesChoice& series,
              int* decadeCount = nullptr);

// The plain capacitor rounding, never through the dual part.
float StdCapsPlain(float c, int op, int capdiv, CapacitorSeries series,
                   int* decadeCount = nullptr);

// Values per decade of the capacitor series: 6, 12 or 24.
int CapSeriesSize(CapacitorSeries series);

// The mantissas (1 <= m < 10) of one decade of a resistor series, ascending; empty for Exact.
std::vector<float> ResistorSeriesMantissas(ResistorSeries series);

// The smallest value of the resistor series that is larger than r (r positive and finite);
// empty for Exact, which has no series.
std::optional<float> NextLargerStdRes(float r, ResistorSeries series);

}  // namespace engine
