#include "engine/sectionresponse.h"

#include <algorithm>
#include <cmath>

#include "engine/rounding.h"

namespace engine {
namespace {

constexpr float kMaxRelativeFrequency = 1e9f;
constexpr float kFloorDb = -400.0f;
// Above this a first-order x no longer changes what is shown (-90 degrees, the dB floor) and
// it still fits a single.
constexpr double kMaxFirstOrderX = 1e30;

float toDb(double magnitude) {
  if (!(magnitude > 0)) return kFloorDb;
  return std::max(Sng(20.0 * std::log10(magnitude)), kFloorDb);
}

}  // namespace

SectionResponse Response(float b0, float b1, float f) {
  SectionResponse out;
  out.B0 = b0;
  if (!std::isfinite(b0) || !std::isfinite(b1) || !std::isfinite(f) || b1 < 0) return out;

  double magnitude = 0;
  double phase = 0;
  if (b1 > 0) {
    if (!(b0 > 0)) return out;
    const double root = std::sqrt(double(b0));
    float x = Sng(std::clamp(2 * Pi * f / root, -1e30, 1e30));
    if (!(x <= kMaxRelativeFrequency)) x = kMaxRelativeFrequency;
    const double xx = double(x) * x;
    const double damping = xx * b1 * b1 / b0;
    magnitude = Sng(1.0 / std::sqrt((1 - xx) * (1 - xx) + damping));
    if (x == 1.0f) {
      phase = -Pi / 2;
    } else {
      phase = -std::atan((x * double(b1) / root) / (1 - xx));
      if (x > 1) phase -= Pi;
    }
  } else {
    if (b0 == 0) out.B0 = b0 = 1e-6f;
    const double ratio = std::clamp(2 * Pi * f / b0, -kMaxFirstOrderX, kMaxFirstOrderX);
    const float x = Sng(ratio);
    magnitude = Sng(1.0 / std::sqrt(double(x) * x + 1));
    phase = -std::atan(double(x));
  }

  out.GainDb = toDb(magnitude);
  out.PhaseDeg = phase * 180 / Pi;
  out.ok = true;
  return out;
}

}  // namespace engine
