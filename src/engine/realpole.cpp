#include "engine/realpole.h"

#include <cmath>

#include "engine/rounding.h"

namespace engine::detail {

RealPoleParts SynthesiseRealPole(float b0, float seed, float c1, int capdiv,
                                 const SeriesChoice& series) {
  RealPoleParts out;
  out.C1 = std::isfinite(c1) ? std::fabs(c1) : 0.0f;
  if (out.C1 == 0.0f) out.C1 = StdCaps(Sng(1.0 / (double(b0) * seed)), CapNearest, capdiv, series);
  out.R1 = StdRes(Sng(1.0 / (double(b0) * out.C1)), series);
  if (series.HighPassHalf != 0) {
    // The capacitor of the high-pass circuit is now a series value; its resistor follows it
    // (the capacitor rounding of the high-pass half rounds that resistor to the resistor series).
    const float c = StdCaps(Sng(1.0 / (double(b0) * out.R1)), CapNearest, capdiv, series);
    if (std::isfinite(c) && c > 0.0f) out.C1 = c;
  }
  return out;
}

}  // namespace engine::detail
