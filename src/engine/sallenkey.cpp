// Synthesis of the Sallen-Key stage.
#include <cmath>

#include "engine/capchoice.h"
#include "engine/realpole.h"
#include "engine/rounding.h"
#include "engine/stagesynthesis.h"

namespace engine {

namespace {

bool Usable(double v) { return std::isfinite(v) && v > 0.0; }

// The resistors are real while C2 (b1^2/4 - b0 + b0 g) >= b0 C1; the smallest C2 keeps a 1 %
// margin above that.
double SallenC2Min(double b0, double b1, double g, double c1) {
  return b0 * c1 / (b1 * b1 / 4.0 - b0 + b0 * g) * 1.01;
}

// The largest C1 is C2 (g - 1 + b1^2/(4 b0)) less 1 % of C2. At unity gain and a Q above 5 that
// margin would leave no positive C1 at all; the margin is then taken as a ratio instead.
double SallenC1Max(double b0, double b1, double g, double c2) {
  const double bound = c2 * (g - 1.0 + b1 * b1 / (4.0 * b0));
  const double withMargin = bound - 0.01 * c2;
  return withMargin > 0.0 ? withMargin : bound / 1.01;
}

double Discriminant(double b0, double b1, double g, double c1, double c2) {
  return c2 * c2 * b1 * b1 - 4.0 * b0 * c2 * (c2 + c1 - g * c2);
}

}  // namespace

StageResult Sallen(const StageRequest& in) {
  StageResult out;
  out.R1 = in.R1;
  out.C1Max = in.C1Max;
  out.C2Min = in.C2Min;
  out.b0 = in.b0;
  out.C1Edited = in.C1Edited;
  out.C2Edited = in.C2Edited;
  out.CapDivisor = 1;
  out.ThreePoleR1 = in.ThreePoleR1;
  out.Gain = in.Gain >= 1.0f ? in.Gain : 1.0f;
  const double g = out.Gain;
  if (!std::isfinite(g) || !Usable(in.R1)) return out;

  // Gain network, always from the plain resistor series.
  if (g > 1.0) {
    out.R3 = StdResPlain(in.R1, in.Series.Resistors);
    out.R4 = StdResPlain(Sng((g - 1.0) * out.R3), in.Series.Resistors);
  }

  if (in.b1 == 0.0f) {
    // The real pole: one resistor and one capacitor.
    if (in.b0 == 0.0f) out.b0 = 0.00001f;
    if (!Usable(out.b0)) return out;
    const detail::RealPoleParts pole =
        detail::SynthesiseRealPole(out.b0, in.R1, in.C1, 1, in.Series);
    out.C1 = pole.C1;
    out.R1 = pole.R1;
    out.R2 = 0;
    out.C2 = 0;
    out.Ok = Usable(out.R1) && Usable(out.C1);
    return out;
  }

  if (!Usable(in.b0) || !Usable(in.b1)) return out;
  const double b0 = in.b0, b1 = in.b1;
  out.C1 = Usable(in.C1) ? in.C1 : 0.0f;
  out.C2 = Usable(in.C2) ? in.C2 : 0.0f;
  const detail::CapRules rules{SallenC2Min, SallenC1Max, Discriminant, 2.0, 2.0, false, 1};
  detail::StageCapacitors caps(rules, in, g, out);
  caps.ChooseDefaults((b1 + std::sqrt(b1 * b1 - 8.0 * b0 + 8.0 * b0 * g)) / (4.0 * b0 * in.R1));

  // An edited capacitor keeps its value; the other one is checked against it and shown.
  if (in.PolesLowPass > 1.0) {
    if (out.C1Edited) {
      out.C1Edited = false;
      caps.CheckC2();
      out.C2Box.Show(out.C2);
      out.C2Box.Entered = out.C2;
    }
    if (out.C2Edited) {
      out.C2Edited = false;
      caps.CheckC1();
      out.C1Box.Show(out.C1);
      out.C1Box.Entered = out.C1;
    }
  }
  if (out.C1 == 0.0f) caps.CheckC1();
  if (out.C2 == 0.0f) caps.CheckC2();

  const double disc = caps.FittingDiscriminant(b0, b1);

  const float r1 = Sng(2.0 / (b1 * out.C2 + std::sqrt(disc)));
  if (Usable(r1)) out.R1 = StdRes(r1, in.Series);
  const float r2 = Sng(1.0 / (double(out.R1) * out.C1 * out.C2 * b0));
  if (Usable(r2)) out.R2 = StdRes(r2, in.Series);
  out.Ok = Usable(r1) && Usable(r2) && Usable(out.R1) && Usable(out.R2) && Usable(out.C1) &&
           Usable(out.C2);
  return out;
}

}  // namespace engine
