#pragma once
// Scaling of normalised section coefficients to the design frequency.
#include <optional>

#include "engine/sections.h"

namespace engine {

struct ScaledSections {
  bool ok = false;        // false: f unusable or a coefficient overflowed; both arrays are 0
  SectionArray PoleB0{};  // b0 = wn^2 in (rad/s)^2, or wn in rad/s for a first-order section
  SectionArray PoleB1{};  // b1 = wn/Q in rad/s, 0 for a first-order section
};

// Scales sections normalised to 1 rad/s to the design frequency f in hertz: with
// w = 2 pi f (single), b0 is multiplied by w twice (second order, each product single) or once
// (first order) and b1 by w. The scan starts at section 1 and ends at the first section whose
// b0 is 0; the sections behind it are copied unscaled. f must be positive and finite.
ScaledSections ScaleFreq(double f, const SectionArray& b0, const SectionArray& b1);

// The natural frequency and Q of one normalised section at the design frequency fc (hertz).
struct SectionFnQ {
  float Fn = 0;            // hertz; in the high-pass half the mirrored frequency fc / wn
  std::optional<float> Q;  // second-order sections only
};
// A real pole (b1 = 0) holds b0 = wn, a pair b0 = wn^2 and b1 = wn/Q. Nothing for a section
// whose b0 is not positive or whose frequency has no single-precision value; no Q where it has
// none.
std::optional<SectionFnQ> SectionFrequencyAndQ(float b0, float b1, double fc, bool highPass);

}  // namespace engine
