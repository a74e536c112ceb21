// Band-pass and notch stages: built in ngspice with ideal op-amps (gain 1e6), the band-pass stage
// must peak at 1/(2 pi R C) with the realised Q and gain, and the notch stage null there.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "engine/bandpassnotch.h"
#include "support/seriesnames.h"
#include "support/spicesim.h"

using namespace engine;
using spicetest::Num;

namespace {

constexpr double kTwoPi = 2.0 * M_PI;

SeriesChoice Series(const char* resistors, const char* caps) {
  SeriesChoice s;
  s.Resistors = ResistorSeriesNamed(QString::fromLatin1(resistors));
  s.Capacitors = CapacitorSeriesNamed(QString::fromLatin1(caps));
  return s;
}

// MFB band-pass stage from "in": divider R5 (series) and R4 (to ground) when R5 > 0, then R1 = R
// to node a; C1 a->out, C2 a->n, R2 out->n, R3 a->0, the op-amp's inverting input at n.
QString BandPassCards(const QString& t, const BandPassStage& s) {
  QString cards;
  QString input = QStringLiteral("in");
  if (s.R5 > 0) {
    cards += QStringLiteral("R5%1 in d%1 %2\nR4%1 d%1 0 %3\n").arg(t, Num(s.R5), Num(s.R4));
    input = QStringLiteral("d") + t;
  }
  return cards + QStringLiteral("R1%1 %2 a%1 %3\nC1%1 a%1 o%1 %4\nC2%1 a%1 n%1 %4\n"
                                "R2%1 o%1 n%1 %5\nR3%1 a%1 0 %6\nE%1 o%1 0 0 n%1 1e6\n")
                     .arg(t, input, Num(s.R), Num(s.C), Num(s.R2), Num(s.R3));
}

// Two-amplifier notch stage: RQ from the input and RQ to ground at p (with C from the input),
// Rf from the second amplifier's output m back to p, Rf from the output to the shared inverting
// input k, C from m to k, and the equal pair R dividing input and output for the second
// amplifier's non-inverting input q.
QString NotchCards(const QString& t, const NotchStage& s) {
  return QStringLiteral(
             "RA%1 in p%1 %2\nRB%1 p%1 0 %2\nCA%1 in p%1 %3\nRC%1 m%1 p%1 %4\nRD%1 o%1 k%1 %4\n"
             "CB%1 m%1 k%1 %3\nRE%1 q%1 o%1 %5\nRF%1 in q%1 %5\n"
             "EA%1 o%1 0 p%1 k%1 1e6\nEB%1 m%1 0 q%1 k%1 1e6\n")
      .arg(t, Num(s.RQ), Num(s.C), Num(s.Rf), Num(s.R));
}

std::optional<spicetest::AcSweep> Simulate(const QString& cards) {
  QString error;
  auto sweep = spicetest::RunAc(QStringLiteral("stages\nVin in 0 AC 1\n") + cards +
                                    QStringLiteral(".ac dec 200 10 1e6\n.end\n"),
                                &error);
  EXPECT_TRUE(sweep.has_value()) << error.toStdString();
  return sweep;
}

}  // namespace

TEST(BandPassStage, SimulatedStagePeaksAtItsCentre) {
  struct Case {
    double f0, q;
    float gain;
    const char* resistors;
    const char* caps;
  };
  const Case cases[] = {
      {1e3, 5, 5, "Exact", "E12"},    // natural gain: no divider
      {1e3, 5, 1, "Exact", "E12"},    // divider
      {300, 2, 1, "Exact", "E6"},     {10e3, 10, 2, "Exact", "E24"},
      {50e3, 0.7f, 0.5f, "Exact", "E12"}, {2e3, 1, 0.1f, "Exact", "E12"},
      {1.5e3, 3, 1, "E96", "E12"},    {700, 8, 8, "E24", "E6"},
      {20e3, 4, 2, "E12", "E12"},     {4e3, 20, 3, "E192", "E24"},
  };
  std::vector<BandPassStage> stages;
  QString cards;
  for (const Case& c : cases) {
    const std::optional<BandPassStage> s =
        BandPassComponents(c.gain, float(c.q), 10e3f, float(c.f0), Series(c.resistors, c.caps));
    ASSERT_TRUE(s.has_value());
    stages.push_back(*s);
    cards += BandPassCards(QString::number(stages.size()), *s);
  }
  const auto sweep = Simulate(cards);
  ASSERT_TRUE(sweep.has_value());
  for (std::size_t i = 0; i < stages.size(); ++i) {
    const Case& c = cases[i];
    const BandPassStage& s = stages[i];
    SCOPED_TRACE(::testing::Message() << c.f0 << " Hz Q " << c.q << " gain " << c.gain << " "
                                      << c.resistors);
    // The stage as built: the node a sees R3 to ground and, towards the input, R plus the
    // divider's R4 || R5; the divider passes R4 / (R4 + R5).
    const double towardsInput = s.R5 > 0 ? s.R + 1.0 / (1.0 / s.R4 + 1.0 / s.R5) : s.R;
    const double attenuation = s.R5 > 0 ? s.R4 / (double(s.R4) + s.R5) : 1.0;
    const double g = 1.0 / towardsInput + 1.0 / s.R3;
    const double builtF0 = std::sqrt(g / (double(s.R2) * s.C * s.C)) / kTwoPi;
    const double builtQ = 0.5 * std::sqrt(s.R2 * g);
    const double builtGain = s.R2 / (2.0 * towardsInput) * attenuation;
    const double centre = 1.0 / (kTwoPi * double(s.R) * s.C);
    const auto fit = spicetest::FitSecondOrder(
        sweep->Freq, *sweep->Node(QStringLiteral("o") + QString::number(i + 1)), centre);
    ASSERT_TRUE(fit.has_value());
    EXPECT_LT(fit->RelResidual, 1e-4);
    EXPECT_NEAR(fit->F0() / builtF0, 1.0, 1e-3);
    EXPECT_NEAR(fit->Q() / builtQ, 1.0, 1e-3);
    EXPECT_NEAR(std::fabs(fit->CentreGain()) / builtGain, 1.0, 1e-3);
    // The stage peaks at 1/(2 pi R C) with the Q and gain it reports, up to the rounding of R3
    // (half of it shows in f0 and Q); the gain does not depend on R3.
    const QString list = QString::fromLatin1(c.resistors);
    const double r3Step = list == QLatin1String("Exact")  ? 1e-6
                          : list == QLatin1String("E192") ? 0.006
                          : list == QLatin1String("E96")  ? 0.012
                          : list == QLatin1String("E24")  ? 0.05
                                                          : 0.1;
    EXPECT_NEAR(fit->F0() / centre, 1.0, 1e-3 + r3Step / 2);
    EXPECT_NEAR(fit->Q() / s.Q, 1.0, 1e-3 + r3Step / 2);
    EXPECT_NEAR(std::fabs(fit->CentreGain()) / s.Gain, 1.0, 1e-3);
    const bool exact = list == QLatin1String("Exact");
    // Exact resistors follow the rounded capacitor, so the stage sits on f0.
    if (exact) {
      EXPECT_NEAR(centre / c.f0, 1.0, 1e-6);
    }
    EXPECT_NEAR(centre / c.f0, 1.0, 0.05);
    EXPECT_NEAR(s.Q, double(s.R2) / (2.0 * s.R), 1e-6 * s.Q);
    if (c.gain < s.Q) {
      EXPECT_NEAR(s.Gain / c.gain, 1.0, exact ? 1e-5 : 0.1);
    } else {
      EXPECT_EQ(s.R5, 0.0f);
      EXPECT_EQ(s.Gain, s.Q);
    }
  }
}

TEST(BandPassStage, LowQAndExcessGain) {
  // Q 0.51 with E12 resistors: R2 = 1.02 R rounds back to R; it takes the next larger value, so
  // Q' stays above 0.5 and R3 positive.
  const auto low = BandPassComponents(0.5f, 0.51f, 10e3f, 1e3f, Series("E12", "E12"));
  ASSERT_TRUE(low.has_value());
  EXPECT_GT(low->R2, low->R);
  EXPECT_GT(low->Q, 0.5f);
  EXPECT_GT(low->R3, 0.0f);
  const auto lowExact = BandPassComponents(0.5f, 0.4f, 10e3f, 1e3f, Series("Exact", "E12"));
  ASSERT_TRUE(lowExact.has_value());
  EXPECT_GT(lowExact->Q, 0.5f);
  EXPECT_GT(lowExact->R3, 0.0f);
  // A gain equal to the realised Q but for single-precision noise: no divider either (not a
  // milliohm R5).
  for (const double f0 : {700.0, 1e3, 3.3e3}) {
    const auto natural = BandPassComponents(8.0f, 8.0f, 10e3f, float(f0), Series("E24", "E6"));
    ASSERT_TRUE(natural.has_value());
    const auto again = BandPassComponents(natural->Q * (1 - 1e-6f), natural->Q, 10e3f, float(f0),
                                          Series("E24", "E6"));
    ASSERT_TRUE(again.has_value());
    for (const BandPassStage& s : {*natural, *again})
      EXPECT_TRUE(s.R5 == 0.0f || s.R5 > 1e-3f * s.R) << f0 << " R5 " << s.R5;
    EXPECT_EQ(again->R5, 0.0f);
  }
  // A gain above the realised Q: no divider, the stage runs at its natural gain.
  const auto excess = BandPassComponents(9.0f, 5.0f, 10e3f, 1e3f, Series("E12", "E12"));
  ASSERT_TRUE(excess.has_value());
  EXPECT_EQ(excess->R5, 0.0f);
  EXPECT_EQ(excess->Gain, excess->Q);
}

// The search ends nearer to f0 than the seed's own rounding would.
TEST(BandPassStage, ResistorSearchBeatsTheSeed) {
  for (const double f0 : {123.0, 1e3, 4.56e3, 77.7e3}) {
    const SeriesChoice s = Series("E12", "E6");
    const auto st = BandPassComponents(1.0f, 2.0f, 10e3f, float(f0), s);
    ASSERT_TRUE(st.has_value());
    const float r = StdResPlain(10e3f, s.Resistors);
    const float c = StdCapsPlain(float(1.0 / (kTwoPi * f0 * r)), CapNearest, 1, s.Capacitors);
    const double seedErr = std::fabs(1.0 / (kTwoPi * r * c) - f0);
    const double err = std::fabs(1.0 / (kTwoPi * double(st->R) * st->C) - f0);
    EXPECT_LE(err, seedErr * (1 + 1e-6)) << f0;
    EXPECT_LT(err / f0, 0.15) << f0;
    EXPECT_GT(st->R, 10e3 / std::sqrt(10.0) * 0.9);
    EXPECT_LT(st->R, 10e3 * std::sqrt(10.0) * 1.1);
  }
}

TEST(NotchStage, SimulatedStageNullsAtItsCentre) {
  struct Case {
    double f0, q;
    const char* resistors;
    const char* caps;
  };
  const Case cases[] = {{1e3, 1, "Exact", "E12"}, {50, 5, "E24", "E6"},
                        {12e3, 0.6, "E96", "E24"}, {3e3, 10, "E12", "E12"}};
  std::vector<NotchStage> stages;
  QString cards;
  for (const Case& c : cases) {
    const auto s = NotchComponents(float(c.q), 10e3f, float(c.f0), Series(c.resistors, c.caps));
    ASSERT_TRUE(s.has_value());
    stages.push_back(*s);
    cards += NotchCards(QString::number(stages.size()), *s);
  }
  const auto sweep = Simulate(cards);
  ASSERT_TRUE(sweep.has_value());
  for (std::size_t i = 0; i < stages.size(); ++i) {
    const NotchStage& s = stages[i];
    SCOPED_TRACE(::testing::Message() << cases[i].f0 << " Hz Q " << cases[i].q);
    const double centre = 1.0 / (kTwoPi * double(s.Rf) * s.C);
    const auto fit = spicetest::FitSecondOrder(
        sweep->Freq, *sweep->Node(QStringLiteral("o") + QString::number(i + 1)), centre);
    ASSERT_TRUE(fit.has_value());
    EXPECT_LT(fit->RelResidual, 1e-4);
    EXPECT_NEAR(fit->NullFreq() / centre, 1.0, 1e-4);
    EXPECT_NEAR(fit->F0() / centre, 1.0, 1e-4);
    EXPECT_NEAR(fit->Q() / (double(s.RQ) / (2.0 * s.Rf)), 1.0, 1e-3);
    EXPECT_NEAR(fit->DcGain(), 1.0, 1e-4);
    EXPECT_NEAR(centre / cases[i].f0, 1.0, 0.1);
  }
}

TEST(BandPassNotch, UnusableInputsBuildNothing) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const SeriesChoice s = Series("E12", "E12");
  for (const float seed : {0.0f, -1e3f, nan})
    EXPECT_FALSE(BandPassComponents(1, 2, seed, 1e3f, s) || NotchComponents(2, seed, 1e3f, s));
  for (const float f0 : {0.0f, nan, std::numeric_limits<float>::infinity()})
    EXPECT_FALSE(BandPassComponents(1, 2, 10e3f, f0, s) || NotchComponents(2, 10e3f, f0, s));
  EXPECT_FALSE(BandPassComponents(0, 2, 10e3f, 1e3f, s));
  EXPECT_FALSE(BandPassComponents(1, nan, 10e3f, 1e3f, s));
  EXPECT_FALSE(NotchComponents(0, 10e3f, 1e3f, s));
  // Seeds at the ends of the single range still end, with usable parts or none.
  for (const float seed : {1e-30f, 1e30f}) {
    const auto st = BandPassComponents(1, 2, seed, 1e3f, s);
    if (st) {
      EXPECT_TRUE(std::isfinite(st->R3) && std::isfinite(st->C) && st->C > 0);
    }
  }
}
