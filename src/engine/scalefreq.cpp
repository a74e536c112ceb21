#include "engine/scalefreq.h"

#include <cfloat>
#include <cmath>

#include "engine/rounding.h"

namespace engine {
namespace {

bool fitsSingle(double x) { return std::isfinite(x) && std::fabs(x) <= FLT_MAX; }

}  // namespace

ScaledSections ScaleFreq(double f, const SectionArray& b0, const SectionArray& b1) {
  ScaledSections out;
  const double w2pi = 2 * Pi * f;
  if (!(f > 0) || !fitsSingle(w2pi)) return out;
  const float w = Sng(w2pi);

  out.PoleB0 = b0;
  out.PoleB1 = b1;
  for (int k = 1; k <= kLastSection && b0[k] != 0; ++k) {
    double s0 = double(b0[k]) * w;
    if (!fitsSingle(s0)) return ScaledSections{};
    if (b1[k] != 0) {
      s0 = double(Sng(s0)) * w;
      if (!fitsSingle(s0)) return ScaledSections{};
    }
    const double s1 = double(b1[k]) * w;
    if (!fitsSingle(s1)) return ScaledSections{};
    out.PoleB0[k] = Sng(s0);
    out.PoleB1[k] = Sng(s1);
  }
  out.ok = true;
  return out;
}

std::optional<SectionFnQ> SectionFrequencyAndQ(float b0, float b1, double fc, bool highPass) {
  if (!(std::isfinite(b0) && b0 > 0.0f)) return std::nullopt;
  const double wn = b1 == 0.0f ? double(b0) : std::sqrt(double(b0));
  SectionFnQ out;
  out.Fn = Sng(highPass ? fc / wn : wn * fc);
  if (!std::isfinite(out.Fn)) return std::nullopt;
  if (b1 != 0.0f) {
    const float q = Sng(std::sqrt(double(b0)) / b1);
    if (std::isfinite(q)) out.Q = q;
  }
  return out;
}

}  // namespace engine
