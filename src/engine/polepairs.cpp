#include "engine/polepairs.h"

#include <cfloat>
#include <cmath>

#include "engine/poletables.h"
#include "engine/rounding.h"

namespace engine {
namespace {

constexpr int kMaxPoles = 10;

// Rounds to single precision when the value fits; empty for overflow and non-finite values.
std::optional<float> single(double x) {
  if (!std::isfinite(x) || std::fabs(x) > FLT_MAX) return std::nullopt;
  return Sng(x);
}

bool usableFrequency(float f) { return std::isfinite(f) && f > 0; }

// Butterworth: every section has wn = 1; the middle pole of an odd order (t = -1) becomes the
// first-order section b0 = 1, b1 = 0 at the last place.
void butterworth(int n, int m, SectionArray& b0, SectionArray& b1) {
  for (int k = 1; k <= m; ++k) {
    float t = Sng(-std::sin((2 * k - 1) * Pi / (2 * n)));
    if (t == -1.0f) t = 0;
    b0[k] = 1;
    b1[k] = Sng(-2.0 * t);
  }
}

// Chebychev of the given ripple. 1 rad/s is the edge of the ripple band (no renormalising);
// the real pole of an odd order (w = 0) is the last section with b0 = |sigma|.
void chebychev(int n, int m, float ripple, SectionArray& b0, SectionArray& b1) {
  if (!(ripple > 0) || !std::isfinite(ripple)) ripple = 1;
  const double eps = std::sqrt(std::pow(10.0, ripple / 10.0) - 1.0);
  const float g = Sng(1.0 / eps);
  const float a = Sng(std::log(g + std::sqrt(double(g) * g + 1.0)) / n);
  if (!(g > 0) || !(a > 0) || !std::isfinite(a)) return;  // a ripple far beyond any entry
  const double sinhA = (std::exp(double(a)) - std::exp(-double(a))) / 2;
  const double coshA = (std::exp(double(a)) + std::exp(-double(a))) / 2;
  for (int k = 1; k <= m; ++k) {
    const float theta = Sng((2 * k - 1) * Pi / (2 * n));
    const float sigma = Sng(-std::sin(double(theta)) * sinhA);
    const float omega = Sng(std::cos(double(theta)) * coshA);
    if (std::fabs(omega) < 0.00001f) {
      b0[k] = std::fabs(sigma);
      b1[k] = 0;
    } else {
      b0[k] = Sng(double(omega) * omega + double(sigma) * sigma);
      b1[k] = Sng(-2.0 * sigma);
    }
  }
}

// Routes a natural frequency wn (rad/s, normalised) through hertz at the design frequency fc
// and back, as the custom responses store it; wn itself when fc cannot be used.
double throughHertz(double wn, float fc) {
  if (!usableFrequency(fc)) return wn;
  const std::optional<float> fn = single(wn * fc);
  if (!fn || !(*fn > 0)) return wn;
  return double(*fn) / fc;
}

// "Custom Q": every second-order section keeps its natural frequency and its Q is scaled by
// CustomQScale^(1/c), c the number of sections with a positive Q, so that the product of the
// Qs becomes CustomQProduct * CustomQScale. First-order sections are left alone.
float customQ(int m, float scale, float fc, SectionArray& b0, SectionArray& b1) {
  float product = 1;
  int c = 0;
  for (int k = 1; k <= m; ++k) {
    if (b1[k] == 0 || !(b0[k] > 0)) continue;
    const float q = Sng(std::sqrt(double(b0[k])) / b1[k]);
    if (q > 0) {
      product = single(double(product) * q).value_or(product);
      ++c;
    }
  }
  if (c == 0) c = 1;
  if (!(scale > 0) || !std::isfinite(scale)) scale = 1;
  const double factor = std::pow(double(scale), 1.0 / c);
  for (int k = 1; k <= m; ++k) {
    if (b1[k] == 0 || !(b0[k] > 0)) continue;
    const double wn0 = std::sqrt(double(b0[k]));
    const std::optional<float> q = single(wn0 / b1[k] * factor);
    if (!q || !(*q > 0)) continue;
    const double wn = throughHertz(wn0, fc);
    const std::optional<float> newB0 = single(wn * wn);
    const std::optional<float> newB1 = single(wn / *q);
    if (!newB0 || !newB1 || !(*newB0 > 0) || !(*newB1 > 0)) continue;
    b0[k] = *newB0;
    b1[k] = *newB1;
  }
  return product;
}

// "Custom Fn&Q": box row j - 1 (A, B, ...) fills section m + 1 - j from its frequency (Hz) and
// Q. A row without a Q box is the real pole and always fills section m. The high-pass half
// mirrors each frequency about the design frequency. The first row that is hidden, empty,
// unreadable, not positive or beyond the design's sections ends the reading; the sections not
// reached keep what they had.
bool customFnQ(int m, const PolePairInputs& in, SectionArray& b0, SectionArray& b1) {
  const bool hideQ0 = in.Sections[0].QEmpty;

  const float fc = in.DesignCutoff;
  if (!usableFrequency(fc)) return hideQ0;
  const bool highPass = in.HighPassHalf != 0;

  for (int j = 1; j <= 5; ++j) {
    const int row = j - 1;
    const int section = m + 1 - j;
    if (section < 1) break;
    const SectionEntry& entry = in.Sections[row];
    if (!entry.FnShown) break;
    const std::optional<float> fn = entry.Fn;
    if (!fn || !(*fn > 0)) break;

    if (entry.QShown && !(row == 0 && hideQ0)) {
      const std::optional<float> q = entry.Q;
      if (!q || !(*q > 0)) break;
      std::optional<float> f = fn;
      if (highPass) f = single(double(fc) * fc / *fn);
      if (!f || !(*f > 0)) break;
      const double ratio = double(*f) / fc;
      const std::optional<float> newB0 = single(ratio * ratio);
      const std::optional<float> newB1 = single(ratio / *q);
      if (!newB0 || !newB1 || !(*newB0 > 0) || !(*newB1 > 0)) break;
      b0[section] = *newB0;
      b1[section] = *newB1;
    } else {
      // The real pole holds b0 = wn: fn/fc, or fc/fn mirrored for the high-pass half.
      const std::optional<float> wn = highPass ? single(double(fc) / *fn) : single(double(*fn) / fc);
      if (!wn || !(*wn > 0)) break;
      b0[m] = *wn;
      b1[m] = 0;
    }
  }
  return hideQ0;
}

}  // namespace

PolePairs polepairs(int n, float ripple, const PolePairInputs& in) {
  PolePairs out;
  SectionArray& b0 = out.PoleB0;
  SectionArray& b1 = out.PoleB1;
  const bool poleCountInRange = n >= 1 && n <= kMaxPoles;
  const int m = poleCountInRange ? (n + 1) / 2 : 0;
  out.SectionCount = m;

  if (poleCountInRange) {
    switch (in.ResponseCode) {
      case 0: butterworth(n, m, b0, b1); break;
      case 2: chebychev(n, m, ripple, b0, b1); break;
      default: CopyPoleTableRow(in.ResponseCode, n, b0, b1); break;
    }
  }

  // A one-pole design or half is the plain real pole at the design frequency, whatever the
  // response.
  const double poles = in.HighPassHalf == 1 ? in.PolesHighPass : in.PolesLowPass;
  if (poles == 1.0) {
    b0[1] = 1;
    b1[1] = 0;
  }

  if (in.Chosen == FilterResponse::CustomQ) {
    out.CustomQProduct = customQ(m, in.CustomQScale, in.DesignCutoff, b0, b1);
  }
  if (in.Chosen == FilterResponse::CustomFnQ) {
    out.HideQInput0 = customFnQ(m, in, b0, b1);
  }
  return out;
}

}  // namespace engine
