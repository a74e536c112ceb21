#include "engine/stageanalysis.h"

#include <cmath>

#include "engine/rounding.h"

namespace engine {

namespace {

bool Finite(double v) { return std::isfinite(v); }

std::optional<RealisedSection> FirstOrder(double r1, double c1) {
  const float w = Sng(1.0 / (r1 * c1));
  if (!Finite(w)) return std::nullopt;
  return RealisedSection{w, 0.0f, w, std::nullopt};
}

// A second-order section from its natural frequency and the sum s = 1/Q. A stage without
// positive damping (s <= 0: Q infinite or negative) oscillates instead of filtering; it realises
// no section, so that nothing downstream takes its b1 = 0 for a first-order section or a
// mirrored positive b1 for a stable pair.
std::optional<RealisedSection> SecondOrder(double w0, double s) {
  const float w = Sng(w0);
  if (!Finite(w) || !Finite(s) || !(s > 0.0)) return std::nullopt;
  RealisedSection out;
  out.W0 = w;
  out.b0 = Sng(double(w) * w);
  out.b1 = Sng(s * w);
  out.Q = Sng(1.0 / s);
  if (!Finite(out.b0) || !(out.b1 > 0.0f) || !Finite(*out.Q)) return std::nullopt;
  return out;
}

}  // namespace

MfbAnalysis AnalyzeMFBStage(float R1, float R2, float R3, float C1, float C2) {
  MfbAnalysis out;
  if (!(C1 > 0.0f)) return out;
  if (C2 > 0.0f) {
    const double gain = double(R2) / R1;
    if (Finite(gain)) out.Gain = Sng(gain);
    if (R3 != 0.0f) {
      const double w0 = 1.0 / std::sqrt(double(C1) * R3 * R2 * C2);
      const double s = (std::sqrt(double(R2) * R3) / R1 + std::sqrt(double(R3) / R2) +
                        std::sqrt(double(R2) / R3)) *
                       std::sqrt(double(C1) / C2);
      out.Section = SecondOrder(w0, s);
      return out;
    }
  }
  out.Section = FirstOrder(R1, C1);
  return out;
}

SallenAnalysis AnalyzeSallenStage(float R1, float R2, float R3, float R4, float C1, float C2) {
  SallenAnalysis out;
  if (R3 > 0.0f) {
    const double k = 1.0 + double(R4) / R3;
    if (Finite(k)) out.K = Sng(k);
  }
  if (R2 != 0.0f) {
    if (!(C2 > 0.0f)) return out;
    const double k = out.K;
    const double w0 = 1.0 / std::sqrt(double(C2) * C1 * R2 * R1);
    const double s = (1.0 - k) * std::sqrt(double(C2) * R1 / (double(R2) * C1)) +
                     std::sqrt(double(C1) * R1 / (double(R2) * C2)) +
                     std::sqrt(double(C1) * R2 / (double(R1) * C2));
    std::optional<RealisedSection> section = SecondOrder(w0, s);
    if (section) {
      const float b0 = Sng(1.0 / (double(R1) * R2 * C1 * C2));
      if (!Finite(b0)) return out;
      section->b0 = b0;
    }
    out.Section = section;
    return out;
  }
  if (C1 > 0.0f) out.Section = FirstOrder(R1, C1);
  return out;
}

}  // namespace engine
