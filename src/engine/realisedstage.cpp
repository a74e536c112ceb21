#include "engine/realisedstage.h"

#include <cmath>
#include <utility>

#include "engine/rounding.h"

namespace engine {

namespace {

bool usable(double v) { return std::isfinite(v) && v > 0.0; }

float rounded(float c, int capdiv, const SeriesChoice& series) {
  const float r = StdCaps(c, CapNearest, capdiv, series);
  return usable(r) ? r : c;
}

float scaled(float c, double by) {
  const float v = Sng(c * by);
  return usable(v) ? v : c;
}

}  // namespace

void LinkThreePole(BuiltStage& real, BuiltStage& stage, float rho) {
  for (BuiltStage* x : {&real, &stage}) {
    x->ThreePoleLinked = true;
    x->Rho = rho;
  }
  real.LinkR1 = stage.R1;
  real.LinkR2 = stage.R2;
  real.LinkR3 = stage.R3;
  real.LinkR4 = stage.R4;
  real.LinkC1 = stage.C1;
  real.LinkC2 = stage.C2;
  stage.LinkR1 = real.R1;
  stage.LinkC1 = real.C1;
  stage.LinkR2 = stage.LinkR3 = stage.LinkR4 = stage.LinkC2 = 0;
}

ThreePoleParts ThreePoleSectionOf(const BuiltStage& s) {
  const double rho = usable(s.Rho) ? s.Rho : 1.0;
  // The real pole holds the stage's parts as its link, the stage the real pole's.
  const bool real = s.FirstOrder;
  ThreePoleParts p;
  p.Mfb = s.Mfb;
  p.Rr = (real ? s.R1 : s.LinkR1) * rho;
  p.Cr = (real ? s.C1 : s.LinkC1) / rho;
  p.R1 = real ? s.LinkR1 : s.R1;
  p.R2 = real ? s.LinkR2 : s.R2;
  p.R3 = real ? s.LinkR3 : s.R3;
  p.R4 = real ? s.LinkR4 : s.R4;
  p.C1 = real ? s.LinkC1 : s.C1;
  p.C2 = real ? s.LinkC2 : s.C2;
  return p;
}

std::optional<RealisedSection> AnalyzeBuiltStage(const BuiltStage& s) {
  if (s.ThreePoleLinked) {
    const ThreePoleParts p = ThreePoleSectionOf(s);
    // Three real roots are told apart by the RC's own pole.
    const std::optional<ThreePoleFactors> f = AnalyzeThreePole(p, 1.0 / (p.Rr * p.Cr));
    if (!f) return std::nullopt;
    return s.FirstOrder ? f->RealPole : f->Pair;
  }
  if (s.Mfb) {
    return AnalyzeMFBStage(Sng(double(s.R1) + s.SeriesR1), s.R2, s.R3, s.C1, s.C2).Section;
  }
  return AnalyzeSallenStage(s.R1, s.R2, s.R3, s.R4, s.C1, s.C2).Section;
}

double RealisedGain(const BuiltStage& s) {
  if (s.ThreePoleLinked && s.FirstOrder) return 1.0;  // no amplifier
  const double inputR = double(s.R1) + s.SeriesR1;
  double gain = 1.0;
  if (s.Mfb && s.R2 != 0) gain = s.R2 / inputR;
  if (!s.Mfb && s.R4 != 0 && s.R3 > 0) gain = 1.0 + double(s.R4) / s.R3;
  return usable(gain) ? gain : 1.0;
}

double ShownGain(double gain) { return RoundHalfAway(gain, 3); }

BuiltStage WithPartRaised(const BuiltStage& s, Part part, bool highPass) {
  const bool gainNetwork = !s.Mfb && (part == Part::R3 || part == Part::R4);
  const double factor = highPass && !gainNetwork ? 1.0 / 1.01 : 1.01;
  BuiltStage p = s;
  float* target = nullptr;
  switch (part) {
    case Part::R1: target = &p.R1; break;
    case Part::R2: target = &p.R2; break;
    case Part::R3: target = &p.R3; break;
    case Part::R4: target = &p.R4; break;
    case Part::C1: target = &p.C1; break;
    case Part::C2: target = &p.C2; break;
  }
  *target = Sng(*target * factor);
  return p;
}

std::optional<Sensitivity> SectionSensitivity(float b0, float b1, float a0, float a1) {
  if (!(b0 > 0.0f) || !(b1 > 0.0f) || !(a0 > 0.0f) || !(a1 > 0.0f)) return std::nullopt;
  const double wb = std::sqrt(double(b0)), wa = std::sqrt(double(a0));
  const double qb = wb / b1, qa = wa / a1;
  Sensitivity s;
  s.FnPercent = Sng((wa - wb) * 100.0 / wb);
  s.QPercent = Sng((qb - qa) * 100.0 / qb);
  if (!std::isfinite(s.FnPercent) || !std::isfinite(s.QPercent)) return std::nullopt;
  return s;
}

std::optional<CellFigures> SensitivityFigures(float b0, float b1, float a0, float a1,
                                              bool invertFrequency) {
  CellFigures out;
  if (a1 == 0.0f) {
    if (!(b0 > 0.0f) || !(a0 > 0.0f)) return std::nullopt;
    const double ratio = invertFrequency ? double(b0) / a0 : double(a0) / b0;
    out.FnPercent = Sng((ratio - 1.0) * 100.0);
    if (!std::isfinite(out.FnPercent)) return std::nullopt;
    return out;
  }
  const std::optional<Sensitivity> s = SectionSensitivity(b0, b1, a0, a1);
  if (!s) return std::nullopt;
  out.FnPercent = s->FnPercent;
  // The cell shows how the Q moves, as it shows how fn moves: realised minus reference.
  out.QPercent = -s->QPercent;
  if (invertFrequency) {
    // The high-pass stage's frequency is fc^2 over the prototype's.
    const double wb = std::sqrt(double(b0)), wa = std::sqrt(double(a0));
    out.FnPercent = Sng((wb / wa - 1.0) * 100.0);
  }
  return out;
}

void CorrectHighPassCapacitors(BuiltStage& s, RealisedSection& realised, double targetB0,
                               double targetB1, int capdivC2, const SeriesChoice& series) {
  if (!usable(targetB0) || !usable(targetB1)) return;
  const double wt = std::sqrt(targetB0), qt = wt / targetB1;
  auto perturbed = [&s, &realised](float BuiltStage::*part) {
    BuiltStage p = s;
    p.*part = Sng(p.*part * 1.01);
    const auto a = AnalyzeBuiltStage(p);
    if (!a) return std::optional<Sensitivity>();
    return SectionSensitivity(realised.b0, realised.b1, a->b0, a->b1);
  };
  // The relative errors of the realised stage; nothing when it is not a usable pair.
  auto errors = [&]() -> std::optional<std::pair<double, double>> {
    const auto a = AnalyzeBuiltStage(s);
    if (!a || !usable(a->b0) || !usable(a->b1)) return std::nullopt;
    const double wa = std::sqrt(double(a->b0)), qa = wa / a->b1;
    return std::make_pair((qt - qa) / qt, (wa - wt) / wt);
  };
  for (int round = 0; round < 10; ++round) {
    const std::optional<Sensitivity> sC2 = perturbed(&BuiltStage::C2);
    const std::optional<Sensitivity> sC1 = perturbed(&BuiltStage::C1);
    auto e = errors();
    if (!sC1 || !sC2 || !e) break;
    if (sC2->QPercent != 0.0f) s.C2 = scaled(s.C2, 1.0 - e->first / sC2->QPercent);
    s.C2 = rounded(s.C2, capdivC2, series);
    e = errors();
    if (!e) break;
    if (sC1->FnPercent != 0.0f) s.C1 = scaled(s.C1, 1.0 - 0.5 * e->second / sC1->FnPercent);
    if (sC2->FnPercent != 0.0f) s.C2 = scaled(s.C2, 1.0 - 0.5 * e->second / sC2->FnPercent);
    s.C1 = rounded(s.C1, 1, series);
    s.C2 = rounded(s.C2, capdivC2, series);
    const auto a = AnalyzeBuiltStage(s);
    if (!a) break;
    realised = *a;
  }
}

double RequiredGainBandwidth(bool sallenKey, double gain, double q, double f0) {
  if (sallenKey) return q > 1.0 ? 100.0 * gain * q * q * q * f0 : 100.0 * gain * f0;
  return 100.0 * gain * q * f0;
}

double RealPoleGainBandwidth(double f0) { return 50.0 * f0; }

}  // namespace engine
