#include "engine/threepole.h"

#include <array>
#include <cmath>
#include <limits>
#include <vector>
#include <algorithm>

#include "engine/rounding.h"

namespace engine {

namespace {

bool usable(double v) { return std::isfinite(v) && v > 0.0; }

double sallenGain(const ThreePoleParts& p) { return p.R3 > 0 ? 1.0 + p.R4 / p.R3 : 1.0; }

// The real roots of sigma^3 - a2 sigma^2 + a1 sigma - a0 (the negated poles), the one nearest
// the hint, polished by Newton steps.
std::optional<double> realRoot(double a2, double a1, double a0, double hint) {
  const double shift = a2 / 3.0;
  const double p = a1 - a2 * a2 / 3.0;
  const double q = -2.0 * a2 * a2 * a2 / 27.0 + a2 * a1 / 3.0 - a0;
  const double disc = q * q / 4.0 + p * p * p / 27.0;
  std::array<double, 3> roots{};
  int n = 0;
  if (disc > 0) {
    const double s = std::sqrt(disc);
    roots[n++] = std::cbrt(-q / 2.0 + s) + std::cbrt(-q / 2.0 - s) + shift;
  } else if (p < 0) {
    const double m = 2.0 * std::sqrt(-p / 3.0);
    const double arg = std::clamp(3.0 * q / (p * m), -1.0, 1.0);
    const double theta = std::acos(arg) / 3.0;
    for (int k = 0; k < 3; ++k) roots[n++] = m * std::cos(theta - 2.0 * Pi * k / 3.0) + shift;
  } else {
    roots[n++] = shift;  // a triple root
  }
  double best = roots[0];
  for (int k = 1; k < n; ++k)
    if (std::fabs(roots[k] - hint) < std::fabs(best - hint)) best = roots[k];
  for (int i = 0; i < 4; ++i) {
    const double f = ((best - a2) * best + a1) * best - a0;
    const double df = (3.0 * best - 2.0 * a2) * best + a1;
    if (!(std::fabs(df) > 0)) break;
    const double next = best - f / df;
    if (!std::isfinite(next)) break;
    best = next;
  }
  if (!std::isfinite(best)) return std::nullopt;
  return best;
}

// ---- the search for the parts ----

constexpr int kMaxUnknowns = 4;
using Vec = std::array<double, kMaxUnknowns>;

// Solves A x = b (n unknowns) by elimination with partial pivoting.
bool solveLinear(std::array<Vec, kMaxUnknowns> a, Vec b, int n, Vec& x) {
  for (int c = 0; c < n; ++c) {
    int pivot = c;
    for (int r = c + 1; r < n; ++r)
      if (std::fabs(a[r][c]) > std::fabs(a[pivot][c])) pivot = r;
    if (!(std::fabs(a[pivot][c]) > 1e-300)) return false;
    std::swap(a[c], a[pivot]);
    std::swap(b[c], b[pivot]);
    for (int r = 0; r < n; ++r) {
      if (r == c) continue;
      const double m = a[r][c] / a[c][c];
      for (int j = c; j < n; ++j) a[r][j] -= m * a[c][j];
      b[r] -= m * b[c];
    }
  }
  for (int i = 0; i < n; ++i) x[i] = b[i] / a[i][i];
  for (int i = 0; i < n; ++i)
    if (!std::isfinite(x[i])) return false;
  return true;
}

// The unknown parts of a search and the equations they meet.
class Search {
 public:
  Search(const ThreePoleTarget& t, bool highPass, bool mfb) : highPass_(highPass) {
    target_[0] = 1.0 / t.Sigma + t.PairB1 / t.PairB0;
    target_[1] = t.PairB1 / (t.PairB0 * t.Sigma) + 1.0 / t.PairB0;
    target_[2] = 1.0 / (t.PairB0 * t.Sigma);
    target_[3] = t.Gain;
    // The low-pass MFB section also keeps its gain, with one more resistor free.
    n_ = !highPass && mfb ? 4 : 3;
  }

  int size() const { return n_; }

  // The free parts of p, as logarithms.
  Vec get(const ThreePoleParts& p) const {
    Vec x{};
    for (int i = 0; i < n_; ++i) x[i] = std::log(*slot(const_cast<ThreePoleParts&>(p), i));
    return x;
  }
  void set(ThreePoleParts& p, const Vec& x) const {
    for (int i = 0; i < n_; ++i) *slot(p, i) = std::exp(x[i]);
  }

  // Logarithmic misfit of each equation; nothing where it cannot be formed.
  std::optional<Vec> residual(const ThreePoleParts& p) const {
    const std::optional<ThirdOrder> d = LoadedDenominator(p);
    if (!d) return std::nullopt;
    const double got[4] = {d->d1, d->d2, d->d3, d->Gain};
    Vec r{};
    for (int i = 0; i < n_; ++i) {
      if (!usable(got[i])) return std::nullopt;
      r[i] = std::log(got[i] / target_[i]);
    }
    return r;
  }

  // Newton steps from p's free parts; true when the equations are met (p then holds them).
  bool solve(ThreePoleParts& p) const {
    Vec x = get(p);
    std::optional<Vec> r = residual(p);
    if (!r) return false;
    auto norm = [this](const Vec& v) {
      double s = 0;
      for (int i = 0; i < n_; ++i) s += v[i] * v[i];
      return s;
    };
    for (int iteration = 0; iteration < 40; ++iteration) {
      if (norm(*r) < 1e-24) return true;
      std::array<Vec, kMaxUnknowns> jac{};
      constexpr double h = 1e-7;
      for (int j = 0; j < n_; ++j) {
        ThreePoleParts q = p;
        Vec xj = x;
        xj[j] += h;
        set(q, xj);
        const std::optional<Vec> rj = residual(q);
        if (!rj) return false;
        for (int i = 0; i < n_; ++i) jac[i][j] = ((*rj)[i] - (*r)[i]) / h;
      }
      Vec minus{};
      for (int i = 0; i < n_; ++i) minus[i] = -(*r)[i];
      Vec dx{};
      if (!solveLinear(jac, minus, n_, dx)) return false;
      // Halve the step until the misfit shrinks.
      bool improved = false;
      for (double t = 1.0; t > 1e-6; t /= 2) {
        Vec xn = x;
        for (int i = 0; i < n_; ++i) xn[i] += t * dx[i];
        ThreePoleParts q = p;
        set(q, xn);
        const std::optional<Vec> rn = residual(q);
        if (rn && norm(*rn) < norm(*r)) {
          x = xn;
          p = q;
          r = rn;
          improved = true;
          break;
        }
      }
      if (!improved) return false;
    }
    return norm(*r) < 1e-24;
  }

 private:
  // Low-pass: Rr, R1, R2 (and R3 of MFB); high-pass: Cr, C1, C2.
  double* slot(ThreePoleParts& p, int i) const {
    if (highPass_) {
      double* c[3] = {&p.Cr, &p.C1, &p.C2};
      return c[i];
    }
    double* r[4] = {&p.Rr, &p.R1, &p.R2, &p.R3};
    return r[i];
  }

  bool highPass_;
  int n_ = 3;
  double target_[4] = {};
};

// The series values next to r on either side (r itself for "Exact" or a series value).
std::vector<double> seriesNeighbours(double r, ResistorSeries series) {
  const std::vector<float> mantissas = ResistorSeriesMantissas(series);
  if (mantissas.empty() || !usable(r)) return {r};
  const double e = std::floor(std::log10(r));
  double below = 0, above = 0;
  for (double decade = e - 1; decade <= e + 1; decade += 1)
    for (const float m : mantissas) {
      const double v = Sng(m * std::pow(10.0, decade));
      if (v <= r * (1 + 1e-7)) below = v;
      if (v >= r * (1 - 1e-7) && above == 0) above = v;
    }
  std::vector<double> out;
  if (usable(below)) out.push_back(below);
  if (usable(above) && above != below) out.push_back(above);
  if (out.empty()) out.push_back(r);
  return out;
}

// The values a chosen part may be rounded to: the resistor series' neighbours of a low-pass
// resistor, or of the high-pass resistor that a prototype capacitor stands for (f0: its stage
// frequency; capdiv 2 for a bridging capacitor).
std::vector<double> roundings(double v, bool highPass, int capdiv, const SeriesChoice& s) {
  if (!highPass) return seriesNeighbours(v, s.Resistors);
  const double w = 2.0 * Pi * s.StageF0;
  std::vector<double> out;
  for (const double r : seriesNeighbours(capdiv / (w * v), s.Resistors))
    out.push_back(Sng(capdiv / (w * r)));
  return out;
}

}  // namespace

std::optional<ThirdOrder> LoadedDenominator(const ThreePoleParts& p) {
  for (const double v : {p.Rr, p.Cr, p.R1, p.R2, p.C1, p.C2})
    if (!usable(v)) return std::nullopt;
  const double Rr = p.Rr, Cr = p.Cr, R1 = p.R1, R2 = p.R2, C1 = p.C1, C2 = p.C2;
  ThirdOrder d;
  if (p.Mfb) {
    const double R3 = p.R3;
    if (!usable(R3)) return std::nullopt;
    const double s = R1 + Rr;
    const double sum = R1 * R2 + R1 * R3 + R2 * R3;
    d.d1 = (C1 * (sum + R2 * Rr + R3 * Rr) + Cr * R1 * Rr) / s;
    d.d2 = C1 * (C2 * R2 * R3 * s + Cr * Rr * sum) / s;
    d.d3 = C1 * C2 * Cr * R1 * R2 * R3 * Rr / s;
    d.Gain = R2 / s;
  } else {
    if (!std::isfinite(p.R3) || !std::isfinite(p.R4) || p.R3 < 0 || p.R4 < 0)
      return std::nullopt;
    const double k = sallenGain(p);
    d.d1 = C1 * (R1 + R2 + Rr) + C2 * (1.0 - k) * (R1 + Rr) + Cr * Rr;
    d.d2 = C1 * C2 * R2 * (R1 + Rr) + C1 * Cr * Rr * (R1 + R2) + C2 * Cr * R1 * Rr * (1.0 - k);
    d.d3 = C1 * C2 * Cr * R1 * R2 * Rr;
    d.Gain = k;
  }
  if (!std::isfinite(d.d1) || !std::isfinite(d.d2) || !usable(d.d3)) return std::nullopt;
  return d;
}

std::optional<ThreePoleFactors> SplitThirdOrder(const ThirdOrder& d, double sigmaHint) {
  if (!usable(d.d3) || !std::isfinite(d.d1) || !std::isfinite(d.d2)) return std::nullopt;
  const double a2 = d.d2 / d.d3, a1 = d.d1 / d.d3, a0 = 1.0 / d.d3;
  const std::optional<double> sigma = realRoot(a2, a1, a0, sigmaHint);
  if (!sigma || !usable(*sigma)) return std::nullopt;
  const double b1 = a2 - *sigma;
  const double b0 = a0 / *sigma;
  if (!usable(b0) || !usable(b1)) return std::nullopt;
  ThreePoleFactors out;
  out.RealPole.b0 = Sng(*sigma);
  out.RealPole.b1 = 0;
  out.RealPole.W0 = out.RealPole.b0;
  out.Pair.b0 = Sng(b0);
  out.Pair.b1 = Sng(b1);
  out.Pair.W0 = Sng(std::sqrt(b0));
  out.Pair.Q = Sng(std::sqrt(b0) / b1);
  for (const float v : {out.RealPole.b0, out.Pair.b0, out.Pair.b1, out.Pair.W0, *out.Pair.Q})
    if (!usable(v)) return std::nullopt;
  return out;
}

std::optional<ThreePoleFactors> AnalyzeThreePole(const ThreePoleParts& p, double sigmaHint) {
  const std::optional<ThirdOrder> d = LoadedDenominator(p);
  if (!d) return std::nullopt;
  return SplitThirdOrder(*d, sigmaHint);
}

ThreePoleDesign DesignThreePole(const ThreePoleParts& start, const ThreePoleTarget& target,
                                const ThreePoleRounding& rounding) {
  ThreePoleDesign out;
  out.Parts = start;
  const bool highPass = rounding.Stage.HighPassHalf != 0;
  const double rho = usable(rounding.Rho) ? rounding.Rho : 1.0;
  if (!usable(target.Sigma) || !usable(target.PairB0) || !usable(target.PairB1) ||
      !usable(target.Gain))
    return out;
  const Search search(target, highPass, start.Mfb);
  const double tau = 1.0 / target.Sigma;

  // The part that sets how hard the stage loads the RC: the low-pass capacitor, or the
  // prototype resistor of the high-pass half, in the real pole's own frame.
  auto knobOf = [&](const ThreePoleParts& p) { return highPass ? p.Rr / rho : p.Cr * rho; };
  auto withKnob = [&](ThreePoleParts p, double knob) {
    if (highPass) {
      p.Rr = knob * rho;
      p.Cr = tau / p.Rr;
    } else {
      p.Cr = knob / rho;
      p.Rr = tau / p.Cr;
    }
    return p;
  };
  // The next series value towards lighter loading.
  auto lighter = [&](double knob) -> std::optional<double> {
    double next = 0;
    if (highPass) {
      // The prototype resistor stands for the high-pass capacitor f0 / (2 pi fc^2 R).
      const SeriesChoice& s = rounding.Real;
      const double k = s.StageF0 / (2.0 * Pi * double(s.DesignCutoff) * s.DesignCutoff);
      const float c = StdCapsPlain(Sng(k / knob), CapNextLarger, 1, s.Capacitors);
      next = k / c;
      if (!(next < knob * (1 - 1e-6))) return std::nullopt;
    } else {
      next = StdCapsPlain(Sng(knob), CapNextLarger, rounding.RealCapDiv, rounding.Real.Capacitors);
      if (!(next > knob * (1 + 1e-6))) return std::nullopt;
    }
    if (!usable(next)) return std::nullopt;
    return next;
  };
  // Follows the solution from a nearly unloaded RC (where the buffered design is the answer)
  // to the knob's value.
  auto follow = [&](double knob) -> std::optional<ThreePoleParts> {
    constexpr int kSteps = 16;
    constexpr double kLight = 1e4;
    const double from = highPass ? knob / kLight : knob * kLight;
    ThreePoleParts p = withKnob(start, from);
    // Unloaded, the MFB stage's input resistor alone sets the gain.
    if (start.Mfb && !highPass) p.R1 = start.R2 / target.Gain;
    for (int step = 0; step <= kSteps; ++step) {
      const double k = from * std::pow(knob / from, double(step) / kSteps);
      ThreePoleParts q = p;
      if (highPass) {
        q.Rr = k * rho;
      } else {
        q.Cr = k / rho;
      }
      if (!search.solve(q)) return std::nullopt;
      p = q;
    }
    return p;
  };

  double knob = knobOf(start);
  std::optional<ThreePoleParts> solved;
  for (int trial = 0; trial < 24 && usable(knob); ++trial) {
    solved = follow(knob);
    if (solved) break;
    const std::optional<double> next = lighter(knob);
    if (!next) break;
    knob = *next;
  }
  if (!solved) return out;

  // Round the chosen parts to their series: of the values on either side of each (the real
  // pole's in its own frame), the combination that comes nearest the target.
  ThreePoleParts p = *solved;
  if (highPass) {
    p.Rr = Sng(p.Rr);  // a series part already: the knob
  } else {
    p.Cr = Sng(p.Cr);
  }
  struct Choice {
    double* part;
    std::vector<double> values;
  };
  std::vector<Choice> choices;
  const double scale[4] = {highPass ? rho : 1.0 / rho, 1, 1, 1};  // own frame of the real pole
  const int capdiv[4] = {rounding.RealCapDiv, 1, rounding.C2CapDiv, 1};
  double* parts[4] = {highPass ? &p.Cr : &p.Rr, highPass ? &p.C1 : &p.R1,
                      highPass ? &p.C2 : &p.R2, &p.R3};
  for (int i = 0; i < search.size(); ++i) {
    const SeriesChoice& series = i == 0 ? rounding.Real : rounding.Stage;
    std::vector<double> values = roundings(*parts[i] * scale[i], highPass, capdiv[i], series);
    for (double& v : values) v /= scale[i];
    choices.push_back({parts[i], values});
  }
  double best = std::numeric_limits<double>::infinity();
  ThreePoleParts bestParts = p;
  const std::size_t n = choices.size();
  std::vector<std::size_t> at(n, 0);
  for (int combination = 0; combination < 1 << kMaxUnknowns; ++combination) {
    bool valid = true;
    for (std::size_t i = 0; i < n; ++i) {
      const std::size_t pick = std::size_t(combination >> i) & 1u;
      if (pick >= choices[i].values.size()) valid = false;
      at[i] = pick;
    }
    if (!valid) continue;
    for (std::size_t i = 0; i < n; ++i) *choices[i].part = choices[i].values[at[i]];
    const std::optional<Vec> r = search.residual(p);
    if (!r || !AnalyzeThreePole(p, target.Sigma)) continue;
    double norm = 0;
    for (int i = 0; i < search.size(); ++i) norm += (*r)[i] * (*r)[i];
    if (norm < best) {
      best = norm;
      bestParts = p;
    }
  }
  if (!std::isfinite(best)) return out;
  out.Parts = bestParts;
  out.Solved = true;
  return out;
}

}  // namespace engine
