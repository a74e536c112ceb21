#include "engine/bandpassnotch.h"

#include <cmath>

#include "engine/rounding.h"

namespace engine {

namespace {

bool Usable(double v) { return std::isfinite(v) && v > 0.0; }

constexpr double TwoPi = 2.0 * Pi;

// Trials of the resistor search: the seed / sqrt(10) to sqrt(10) x the seed in steps of a
// hundredth of the seed is about 285; the cap only guards against a step lost in rounding.
constexpr int MaxSearchTrials = 1000;

// The smallest gain reduction a band-pass divider is built for (relative).
constexpr double MinGainReduction = 1e-4;

struct RC {
  float R = 0;
  float C = 0;
};

float RoundedCap(float c, const SeriesChoice& series) {
  return c > 0.0f ? StdCapsPlain(c, CapNearest, 1, series.Capacitors) : c;
}

// The resistor near the seed that, with its rounded capacitor, lands nearest to f0. Among
// equally good trials the first, smallest one stays.
RC SearchResistor(float seed, float f0, const SeriesChoice& series) {
  const bool exact = series.Resistors == ResistorSeries::Exact;
  float r = seed;
  if (!exact) {
    const float first = Sng(seed / std::sqrt(10.0));
    const float step = Sng(seed / 100.0);
    const float last = Sng(std::sqrt(10.0) * seed);
    float bestErr = 1e25f;
    int trials = 0;
    for (float x = first; x <= last && trials < MaxSearchTrials; x = Sng(x + double(step))) {
      ++trials;
      const float trial = StdResPlain(x, series.Resistors);
      const float c = RoundedCap(Sng(1.0 / (TwoPi * f0 * trial)), series);
      const float err = Sng(std::fabs(double(Sng(1.0 / (TwoPi * c * trial))) - f0));
      if (err < bestErr) {
        bestErr = err;
        r = trial;
      }
    }
  }
  RC out;
  out.R = r;
  out.C = RoundedCap(Sng(1.0 / (TwoPi * f0 * r)), series);
  // Without a resistor series the resistor follows the rounded capacitor, so the stage stays
  // centred on f0.
  if (exact && Usable(out.C)) out.R = Sng(1.0 / (TwoPi * f0 * out.C));
  return out;
}

float RoundedRes(float r, const SeriesChoice& series) {
  return r > 0.0f ? StdResPlain(r, series.Resistors) : r;
}

}  // namespace

std::optional<BandPassStage> BandPassComponents(float gain, float q, float seed, float f0,
                                                const SeriesChoice& series) {
  if (!Usable(seed) || !Usable(f0) || !Usable(gain) || !std::isfinite(q)) return std::nullopt;
  const RC rc = SearchResistor(seed, f0, series);
  if (!Usable(rc.R) || !Usable(rc.C)) return std::nullopt;
  BandPassStage s;
  s.R = rc.R;
  s.C = rc.C;

  // Q' = R2 / (2 R) must stay above 0.5, or R3 would not be positive.
  s.R2 = RoundedRes(Sng(2.0 * double(q) * s.R), series);
  if (!(s.R2 > s.R)) {
    const std::optional<float> next = NextLargerStdRes(s.R, series.Resistors);
    s.R2 = next ? *next : Sng(1.02 * double(s.R));
  }
  s.Q = Sng(double(s.R2) / (2.0 * double(s.R)));

  // Gain divider: R5 in series, R4 = R to ground; no divider when the gain reaches Q'. A
  // divider that would take off less than a part in 10^4 of the gain (a requested gain equal to
  // Q' but for rounding noise) is left out rather than built from a milliohm resistor.
  s.R4 = RoundedRes(s.R, series);
  const double parallel = double(s.R) * s.R4 / (double(s.R) + s.R4);
  const double reduction = double(s.Q) / gain - 1.0;
  s.R5 = reduction > MinGainReduction ? RoundedRes(Sng(parallel * reduction), series) : 0.0f;
  s.Gain = Sng(double(s.Q) / ((double(s.R) + s.R4) * s.R5 / (double(s.R4) * s.R) + 1.0));
  if (s.Gain == s.Q) s.R5 = 0.0f;

  // R3 sets the centre: R3 in parallel with the resistance the node sees towards the input
  // (R plus the divider's R4 || R5) must be R / (2 Q').
  const double towardsInput = s.R + (s.R5 > 0.0f ? double(s.R4) * s.R5 / (double(s.R4) + s.R5)
                                                 : 0.0);
  s.R3 = RoundedRes(Sng(1.0 / (2.0 * s.Q / s.R - 1.0 / towardsInput)), series);

  if (!Usable(s.R2) || !Usable(s.R3) || !Usable(s.R4) || !Usable(s.Q) || !Usable(s.Gain) ||
      !std::isfinite(s.R5))
    return std::nullopt;
  return s;
}

std::optional<NotchStage> NotchComponents(float q, float seed, float f0,
                                          const SeriesChoice& series) {
  if (!Usable(seed) || !Usable(f0) || !Usable(q)) return std::nullopt;
  const RC rc = SearchResistor(seed, f0, series);
  if (!Usable(rc.R) || !Usable(rc.C)) return std::nullopt;
  NotchStage s;
  s.R = rc.R;
  s.C = rc.C;
  s.Rf = RoundedRes(Sng(1.0 / (TwoPi * f0 * s.C)), series);
  s.RQ = RoundedRes(Sng(2.0 * double(q) * s.Rf), series);
  if (!Usable(s.Rf) || !Usable(s.RQ)) return std::nullopt;
  return s;
}

}  // namespace engine
