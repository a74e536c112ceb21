// The three-pole section: an RC without amplifier that feeds an MFB or Sallen-Key stage. Its
// denominator from the parts (checked against the circuit in ngspice), the split into real
// pole and pole pair, and the synthesis that meets a target real pole and pair with the
// stage loading the RC.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>

#include "engine/sectionresponse.h"
#include "engine/threepole.h"
#include "support/spicesim.h"

using namespace engine;
using spicetest::Num;

namespace {

using Complex = std::complex<double>;

Complex Evaluate(const ThirdOrder& d, double hertz) {
  const Complex s(0, 2 * M_PI * hertz);
  return d.Gain / (1.0 + s * (d.d1 + s * (d.d2 + s * d.d3)));
}

// The drawn circuit, source at "in", output at "out", amplifier of gain 1e9.
QString Cards(const ThreePoleParts& p) {
  QString c = QStringLiteral("Rr in a %1\nCr a 0 %2\n").arg(Num(p.Rr), Num(p.Cr));
  if (p.Mfb) {
    c += QStringLiteral("R1 a x %1\nR2 x out %2\nR3 x n %3\nC1 n out %4\nC2 x 0 %5\n"
                        "E1 out 0 0 n 1e9\n")
             .arg(Num(p.R1), Num(p.R2), Num(p.R3), Num(p.C1), Num(p.C2));
  } else {
    c += QStringLiteral("R1 a b %1\nR2 b c %2\nC1 c 0 %3\nC2 b out %4\n")
             .arg(Num(p.R1), Num(p.R2), Num(p.C1), Num(p.C2));
    if (p.R3 > 0)
      c += QStringLiteral("R3 g 0 %1\nR4 out g %2\nE1 out 0 c g 1e9\n").arg(Num(p.R3), Num(p.R4));
    else
      c += QStringLiteral("E1 out 0 c out 1e9\n");
  }
  return c;
}

// (1 + s/sigma)(1 + s b1/b0 + s^2/b0) of a target, as the loaded circuit must realise it.
double TargetDb(const ThreePoleTarget& t, double hertz) {
  const Complex s(0, 2 * M_PI * hertz);
  return -20 * std::log10(std::abs((1.0 + s / t.Sigma) * (1.0 + s * t.PairB1 / t.PairB0 + s * s / t.PairB0)));
}

double FactorsDb(const ThreePoleFactors& f, double hertz) {
  const SectionResponse a = Response(f.RealPole.b0, f.RealPole.b1, float(hertz));
  const SectionResponse b = Response(f.Pair.b0, f.Pair.b1, float(hertz));
  EXPECT_TRUE(a.ok && b.ok);
  return a.GainDb + b.GainDb;
}

TEST(ThreePole, LoadedDenominatorIsTheSimulatedCircuit) {
  const ThreePoleParts cases[] = {
      {false, 2e3, 68e-9, 10e3, 15e3, 0, 0, 4.7e-9, 22e-9},        // unity-gain Sallen-Key
      {false, 1.5e3, 100e-9, 8.2e3, 12e3, 10e3, 6.8e3, 10e-9, 15e-9},  // with a gain network
      {true, 2.2e3, 47e-9, 9.1e3, 20e3, 13e3, 0, 2.2e-9, 33e-9},    // MFB
  };
  for (const ThreePoleParts& p : cases) {
    SCOPED_TRACE(p.Mfb ? "MFB" : p.R3 > 0 ? "Sallen-Key, gain 1.68" : "Sallen-Key, unity gain");
    const std::optional<ThirdOrder> d = LoadedDenominator(p);
    ASSERT_TRUE(d.has_value());
    QString error;
    const auto sweep = spicetest::RunAc(
        "three-pole\nVin in 0 AC 1\n" + Cards(p) + ".ac dec 10 10 100k\n.end\n", &error);
    ASSERT_TRUE(sweep.has_value()) << error.toStdString();
    const auto* out = sweep->Node("out");
    ASSERT_NE(out, nullptr);
    for (std::size_t i = 0; i < sweep->Freq.size(); ++i) {
      const Complex h = Evaluate(*d, sweep->Freq[i]);
      // The MFB stage inverts.
      const Complex simulated = p.Mfb ? -(*out)[i] : (*out)[i];
      EXPECT_NEAR(std::abs(simulated - h) / std::abs(h), 0.0, 1e-5) << sweep->Freq[i] << " Hz";
    }
    // The real pole and the pair it splits into give the same magnitude.
    const std::optional<ThreePoleFactors> f = SplitThirdOrder(*d, 0);
    ASSERT_TRUE(f.has_value());
    for (const double hz : {50.0, 500.0, 2e3, 20e3})
      EXPECT_NEAR(FactorsDb(*f, hz) + 20 * std::log10(d->Gain),
                  20 * std::log10(std::abs(Evaluate(*d, hz))), 1e-3);
  }
}

TEST(ThreePole, SplitFindsTheRealPoleAndThePair) {
  // (1 + s/2)(1 + s/3 + s^2/9): sigma 2, w0 3, Q 1.
  const ThirdOrder d{1.0 / 2 + 1.0 / 3, 1.0 / 6 + 1.0 / 9, 1.0 / 18, 1};
  const auto f = SplitThirdOrder(d, 0);
  ASSERT_TRUE(f.has_value());
  EXPECT_NEAR(f->RealPole.b0, 2, 1e-6);
  EXPECT_EQ(f->RealPole.b1, 0);
  EXPECT_NEAR(f->Pair.b0, 9, 1e-5);
  EXPECT_NEAR(f->Pair.b1, 3, 1e-6);
  EXPECT_NEAR(*f->Pair.Q, 1, 1e-6);
  // Three real poles 1, 2, 5: the real pole is the one nearest the hint, the pair the others.
  const ThirdOrder r{1 + 0.5 + 0.2, 0.5 + 0.2 + 0.1, 0.1, 1};
  for (const double hint : {1.2, 2.1, 4.0}) {
    const auto g = SplitThirdOrder(r, hint);
    ASSERT_TRUE(g.has_value());
    const double sigma = hint < 1.5 ? 1 : hint < 3 ? 2 : 5;
    EXPECT_NEAR(g->RealPole.b0, sigma, 1e-5);
    EXPECT_NEAR(g->Pair.b0, 10 / sigma, 1e-4);
  }
  // A pair right of the axis (negative damping) is no section.
  EXPECT_FALSE(SplitThirdOrder(ThirdOrder{0.5, -0.2, 0.1, 1}, 1).has_value());
}

// Targets of 1 kHz sections: (sigma, w0, Q) of the Butterworth, Bessel and two Chebychev
// three-pole responses.
struct Target3 {
  const char* name;
  double sigma, w0, q;
};
const Target3 kTargets[] = {
    {"Butterworth", 1.0, 1.0, 1.0},
    {"Bessel", 1.3227, 1.4476, 0.6910},
    {"Chebychev 0.5 dB", 0.6265, 1.0689, 1.7062},
    {"Chebychev 3 dB", 0.2986, 0.9159, 3.0678},
};

ThreePoleTarget Scaled(const Target3& t, double gain) {
  const double w = 2 * M_PI * 1000;
  return {t.sigma * w, t.w0 * t.w0 * w * w, t.w0 * w / t.q, gain};
}

// With exact resistors the low-pass section meets its target; in the high-pass half the
// resistors of the high-pass circuit are exact, and the section meets it as well.
TEST(ThreePole, DesignMeetsTheTargetWithTheStageLoadingTheRc) {
  for (const Target3& t : kTargets)
    for (const bool mfb : {false, true})
      for (const double gain : {1.0, 2.0, 10.0})
        for (const bool highPass : {false, true}) {
          SCOPED_TRACE(std::string(t.name) + (mfb ? " MFB" : " Sallen-Key") + " gain " +
                       std::to_string(gain) + (highPass ? " high-pass" : " low-pass"));
          const ThreePoleTarget target = Scaled(t, gain);
          // The buffered design: an RC of a fifth of the seed, the stage as synthesised for an
          // unloaded pair (roughly: the search starts from it, its values need not be exact).
          ThreePoleParts start;
          start.Mfb = mfb;
          start.Rr = 2e3;
          start.Cr = 1.0 / (target.Sigma * start.Rr);
          // Capacitors as the synthesis spreads them: C2 twice the least that gives the pair's
          // Q at all, C1 / (1/(4 Q^2) - 1 + g) for Sallen-Key, 4 Q^2 (g + 1) C1 for MFB.
          start.C1 = 4.7e-9;
          const double least = mfb ? 4 * t.q * t.q * (gain + 1)
                                   : 1 / (1 / (4 * t.q * t.q) - 1 + gain);
          start.C2 = 2 * least * start.C1;
          // The stage's resistors for the pair alone (the synthesis' closed forms).
          const double b0 = target.PairB0, b1 = target.PairB1, c1 = start.C1, c2 = start.C2;
          if (mfb) {
            const double a = b1 / (b0 * c1);
            start.R2 = (a - std::sqrt(a * a - 4 * (gain + 1) / (b0 * c1 * c2))) / 2;
            start.R3 = 1 / (c1 * c2 * start.R2 * b0);
            // The real pole's resistor is taken off the input resistor where it fits.
            start.R1 = start.R2 / gain - start.Rr;
            if (start.R1 <= 0) start.R1 = start.R2 / gain;
          } else {
            const double disc = c2 * c2 * b1 * b1 - 4 * b0 * c2 * (c2 + c1 - gain * c2);
            start.R1 = 2 / (b1 * c2 + std::sqrt(disc));
            start.R2 = 1 / (start.R1 * c1 * c2 * b0);
            start.R3 = gain > 1 ? 10e3 : 0;
            start.R4 = (gain - 1) * start.R3;
          }
          if (!mfb && gain > 2) continue;  // a Sallen-Key stage of gain 10 has no use here
          ThreePoleRounding rounding;
          rounding.Stage.Resistors = ResistorSeries::Exact;
          rounding.Stage.Capacitors = CapacitorSeries::E12;
          rounding.Stage.HighPassHalf = highPass ? 1 : 0;
          rounding.Stage.StageF0 = 1000;
          rounding.Stage.DesignCutoff = 1000;
          rounding.Real = rounding.Stage;
          const ThreePoleDesign d = DesignThreePole(start, target, rounding);
          ASSERT_TRUE(d.Solved);
          const auto f = AnalyzeThreePole(d.Parts, target.Sigma);
          ASSERT_TRUE(f.has_value());
          EXPECT_NEAR(f->RealPole.b0 / target.Sigma, 1, 1e-5);
          EXPECT_NEAR(f->Pair.b0 / target.PairB0, 1, 1e-5);
          EXPECT_NEAR(f->Pair.b1 / target.PairB1, 1, 1e-5);
          if (mfb && !highPass) {
            EXPECT_NEAR(d.Parts.R2 / (d.Parts.R1 + d.Parts.Rr), gain, gain * 1e-5);
          }
          // Only the chosen kind of part moved: the capacitors of the low-pass section, the
          // prototype resistors of the high-pass one, are the start's.
          if (highPass) {
            EXPECT_EQ(d.Parts.R1, start.R1);
            EXPECT_EQ(d.Parts.R2, start.R2);
          } else {
            EXPECT_EQ(d.Parts.C1, start.C1);
            EXPECT_EQ(d.Parts.C2, start.C2);
          }
          for (const double hz : {300.0, 1000.0, 3000.0})
            EXPECT_NEAR(FactorsDb(*f, hz), TargetDb(target, hz), 1e-3);
        }
}

}  // namespace
