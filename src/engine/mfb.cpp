// Synthesis of the multiple-feedback stage.
#include <cmath>

#include "engine/capchoice.h"
#include "engine/realpole.h"
#include "engine/rounding.h"
#include "engine/stagesynthesis.h"

namespace engine {

namespace {

using detail::RealPoleParts;
using detail::SynthesiseRealPole;

bool Usable(double v) { return std::isfinite(v) && v > 0.0; }

// The resistors are real while C2 >= 4 b0 C1 (g + 1) / b1^2; both limits keep a 1 % margin.
double MfbC2Min(double b0, double b1, double g, double c1) {
  return 4.0 * b0 * c1 * (g + 1.0) / (b1 * b1) * 1.01;
}

double MfbC1Max(double b0, double b1, double g, double c2) {
  return b1 * b1 * c2 / (4.0 * b0 * (g + 1.0)) / 1.01;
}

double Discriminant(double b0, double b1, double g, double c1, double c2) {
  const double a = b1 / (b0 * c1);
  return a * a - 4.0 * (g + 1.0) / (b0 * c1 * c2);
}

StageResult Start(const StageRequest& in) {
  StageResult out;
  out.R1 = in.R1;
  out.C1 = Usable(in.C1) ? in.C1 : 0.0f;
  out.C2 = Usable(in.C2) ? in.C2 : 0.0f;
  out.C1Max = in.C1Max;
  out.C2Min = in.C2Min;
  out.b0 = in.b0;
  out.Gain = in.Gain;
  out.C1Edited = in.C1Edited;
  out.C2Edited = in.C2Edited;
  out.CapDivisor = 1;
  out.ThreePoleR1 = in.ThreePoleR1;
  return out;
}

// The real pole: one resistor and one capacitor, b0 = 1/(R1 C1).
StageResult FirstOrder(const StageRequest& in, StageResult out) {
  if (in.FullyDifferential && in.ThreePole) out.CapDivisor = 2;
  if (!Usable(in.b0) || !Usable(in.R1)) return out;
  const RealPoleParts pole = SynthesiseRealPole(in.b0, in.R1, in.C1, out.CapDivisor, in.Series);
  out.C1 = pole.C1;
  out.R1 = pole.R1;
  // A real pole whose resistor stays near the seed is merged into the next stage.
  if (in.ThreePole && Sng(10.0 * double(in.ScaleResistor)) > out.R1) out.ThreePoleR1 = out.R1;
  out.R2 = out.R3 = 0;
  out.C2 = 0;
  out.Ok = Usable(out.R1) && Usable(out.C1);
  return out;
}

}  // namespace

StageResult MFB(const StageRequest& in) {
  StageResult out = Start(in);
  if (in.b1 == 0.0f) return FirstOrder(in, out);
  const double g = in.Gain;
  const double tp = std::isfinite(in.ThreePoleR1) && in.ThreePoleR1 > 0 ? in.ThreePoleR1 : 0.0;
  if (!Usable(in.b0) || !Usable(in.b1) || !Usable(in.R1) || !Usable(g)) return out;
  const double b0 = in.b0, b1 = in.b1;

  // Start values of R2 and R3 for the default C1.
  out.R2 = Sng(std::sqrt(g) * (in.R1 + tp));
  out.R3 = in.R1;
  const detail::CapRules rules{MfbC2Min, MfbC1Max, Discriminant, 1.2, 1.2, true, in.FullyDifferential ? 2 : 1};
  detail::StageCapacitors caps(rules, in, g, out);
  caps.ChooseDefaults(b1 / (b0 * out.R2 + b0 * out.R3 + b0 * g * out.R3));

  // An edited capacitor keeps its value; the other one is checked against it and shown.
  const double poles = in.Series.HighPassHalf == 0 ? in.PolesLowPass : in.PolesHighPass;
  if (poles > 1.0) {
    if (out.C1Edited) {
      out.C1Edited = false;
      caps.CheckC2();
      out.C2Box.Show(in.FullyDifferential ? Sng(out.C2 / 2.0) : out.C2);
    }
    if (out.C2Edited) {
      out.C2Edited = false;
      caps.CheckC1();
      out.C1Box.Show(out.C1);
    }
  }
  if (out.C1 == 0.0f) caps.CheckC1();
  if (out.C2 == 0.0f) caps.CheckC2();

  const double disc = caps.FittingDiscriminant(b0, b1);

  // Resistors: R2 is the smaller root; a step that cannot be computed keeps its value.
  const float r2 = Sng((b1 / (b0 * out.C1) - std::sqrt(disc)) / 2.0);
  if (Usable(r2)) out.R2 = StdRes(r2, in.Series);
  const float r3 = Sng(1.0 / (double(out.C2) * out.C1 * out.R2 * b0));
  if (Usable(r3)) out.R3 = StdRes(r3, in.Series);
  const float r1 = Sng(out.R2 / g - tp);
  if (Usable(r1)) out.R1 = StdRes(r1, in.Series);

  out.Ok = Usable(r1) && Usable(r2) && Usable(r3) && Usable(out.R1) && Usable(out.R2) &&
           Usable(out.R3) && Usable(out.C1) && Usable(out.C2);
  return out;
}

}  // namespace engine
