// Sallen-Key and MFB stage synthesis and analysis. The synthesised, rounded stages are built in
// ngspice with an ideal op-amp (a voltage-controlled voltage source of gain 1e6); the simulated
// natural frequency, Q and gain must agree with the analysis of the same components, and the
// analysis must meet the requested section.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "engine/engnotation.h"
#include "engine/stageanalysis.h"
#include "engine/stagesynthesis.h"
#include "support/seriesnames.h"
#include "support/spicesim.h"

using namespace engine;
using spicetest::Num;

namespace {

constexpr double kTwoPi = 2.0 * M_PI;

struct Section {
  double f0, q;
};

QString Shown(float c, QChar sep = QLatin1Char('.')) { return Engsuffix(c, 3, QString(), sep); }

// What a capacitor box shows after the synthesis changed it, written as the window writes it:
// nothing when the box is left alone, "" when it is emptied.
std::optional<QString> BoxText(const CapBoxUpdate& u, QChar sep = QLatin1Char('.')) {
  switch (u.Box) {
    case CapBoxUpdate::Change::None: return std::nullopt;
    case CapBoxUpdate::Change::Emptied: return QString();
    case CapBoxUpdate::Change::Shows: return Shown(u.Shown, sep);
  }
  return std::nullopt;
}

StageRequest Request(Section s, float gain, const char* resistors = "Exact",
                     const char* caps = "E12") {
  StageRequest in;
  const double w = kTwoPi * s.f0;
  in.b0 = float(w * w);
  in.b1 = float(w / s.q);
  in.R1 = 10e3f;
  in.ScaleResistor = 10e3f;
  in.Gain = gain;
  in.PolesLowPass = 4;
  in.PolesHighPass = 4;
  in.Series.Resistors = ResistorSeriesNamed(QString::fromLatin1(resistors));
  in.Series.Capacitors = CapacitorSeriesNamed(QString::fromLatin1(caps));
  return in;
}

bool Finite(const StageResult& r) {
  for (const float v : {r.R1, r.R2, r.R3, r.R4, r.C1, r.C2, r.C1Max, r.C2Min, r.b0, r.Gain})
    if (!std::isfinite(v)) return false;
  return true;
}

// One stage to simulate: its cards, the node whose voltage is its output, the realised section
// from the analysis and its gain magnitude.
struct SimStage {
  std::string name;
  QString cards;
  QString out;
  RealisedSection expected;
  double gain = 0;
};

// Inverting MFB stage driven from node "in": R1 in->a, C2 a->0, R2 a->out, R3 a->n, C1 n->out.
QString MfbCards(const QString& t, const StageResult& r, const QString& input = QStringLiteral("in")) {
  return QStringLiteral("R1%1 %2 a%1 %3\nC2%1 a%1 0 %4\nR2%1 a%1 o%1 %5\nR3%1 a%1 n%1 %6\n"
                        "C1%1 n%1 o%1 %7\nE%1 o%1 0 0 n%1 1e6\n")
      .arg(t, input, Num(r.R1), Num(r.C2), Num(r.R2), Num(r.R3), Num(r.C1));
}

// Fully differential MFB stage driven by "inp"/"inn" (+0.5 V and -0.5 V): two mirrored halves
// whose ground capacitors are one bridging capacitor of half the value (what the C2 box shows),
// and an amplifier with a differential gain of 1e6 and no common-mode output.
QString MfbDifferentialCards(const QString& t, const StageResult& r, double bridge) {
  return QStringLiteral(
             "R1p%1 inp ap%1 %2\nR2p%1 ap%1 op%1 %3\nR3p%1 ap%1 np%1 %4\nC1p%1 np%1 op%1 %5\n"
             "R1n%1 inn an%1 %2\nR2n%1 an%1 on%1 %3\nR3n%1 an%1 nn%1 %4\nC1n%1 nn%1 on%1 %5\n"
             "CB%1 ap%1 an%1 %6\nEp%1 op%1 0 nn%1 np%1 5e5\nEn%1 on%1 0 np%1 nn%1 5e5\n"
             "Ed%1 o%1 0 op%1 on%1 1\n")
      .arg(t, Num(r.R1), Num(r.R2), Num(r.R3), Num(r.C1), Num(bridge));
}

// Sallen-Key stage: R1 in->a, R2 a->p, C1 p->0, C2 a->out, gain network R3 n->0, R4 out->n.
QString SallenCards(const QString& t, const StageResult& r) {
  QString cards = QStringLiteral("R1%1 in a%1 %2\nR2%1 a%1 p%1 %3\nC1%1 p%1 0 %4\nC2%1 a%1 o%1 %5\n")
                      .arg(t, Num(r.R1), Num(r.R2), Num(r.C1), Num(r.C2));
  if (r.R3 > 0)
    cards += QStringLiteral("R3%1 n%1 0 %2\nR4%1 o%1 n%1 %3\nE%1 o%1 0 p%1 n%1 1e6\n")
                 .arg(t, Num(r.R3), Num(r.R4));
  else
    cards += QStringLiteral("E%1 o%1 0 p%1 o%1 1e6\n").arg(t);
  return cards;
}

// Runs every stage in one netlist and checks simulated f0, Q and gain against the analysis.
void SimulateAndCompare(const std::vector<SimStage>& stages) {
  QString net = QStringLiteral("stages\nVin in 0 AC 1\nVp inp 0 AC 0.5\nVn inn 0 AC 0.5 180\n");
  for (const SimStage& s : stages) net += s.cards;
  net += QStringLiteral(".ac dec 100 10 1e6\n.end\n");
  QString error;
  const std::optional<spicetest::AcSweep> sweep = spicetest::RunAc(net, &error);
  ASSERT_TRUE(sweep.has_value()) << error.toStdString();
  for (const SimStage& s : stages) {
    SCOPED_TRACE(s.name);
    const std::vector<spicetest::Complex>* h = sweep->Node(s.out);
    ASSERT_NE(h, nullptr);
    const double f0 = s.expected.W0 / kTwoPi;
    const std::optional<spicetest::SecondOrderFit> fit =
        spicetest::FitSecondOrder(sweep->Freq, *h, f0);
    ASSERT_TRUE(fit.has_value());
    EXPECT_LT(fit->RelResidual, 1e-4);
    EXPECT_NEAR(fit->F0() / f0, 1.0, 1e-3);
    EXPECT_NEAR(fit->Q() / *s.expected.Q, 1.0, 1e-3);
    EXPECT_NEAR(std::fabs(fit->DcGain()) / s.gain, 1.0, 1e-3);
  }
}

struct Case {
  const char* name;
  bool sallen;
  Section section;
  float gain;
  float c1, c2;  // entered capacitors, 0 = free; an entered one is marked edited
  bool fullyDifferential;
  const char* resistors;
  const char* caps;
  bool highPass;
};

const Case kCases[] = {
    {"mfb q0.5 g1", false, {1e3, 0.5}, 1, 0, 0, false, "Exact", "E12", false},
    {"mfb q0.707 g1", false, {2e3, 0.7071}, 1, 0, 0, false, "Exact", "E6", false},
    {"mfb q2 g5", false, {500, 2}, 5, 0, 0, false, "E96", "E12", false},
    {"mfb q5 g10", false, {10e3, 5}, 10, 0, 0, false, "E24", "E24", false},
    {"mfb q10 g1", false, {3e3, 10}, 1, 0, 0, false, "Exact", "E12", false},
    // Q 10 at gain 10 is left out: there the op-amp's finite gain of 1e6 alone moves Q by 0.14 %.
    {"mfb q10 g4", false, {700, 10}, 4, 0, 0, false, "E192", "E12", false},
    {"mfb entered C1", false, {1e3, 1.3}, 2, 2.2e-9f, 0, false, "Exact", "E12", false},
    {"mfb entered C2", false, {1e3, 1.3}, 2, 0, 100e-9f, false, "E48", "E12", false},
    {"mfb fully differential", false, {4e3, 3}, 3, 0, 0, true, "Exact", "E12", false},
    {"mfb fd entered C1", false, {4e3, 0.6}, 1, 1e-9f, 0, true, "E12", "E6", false},
    {"mfb high-pass half", false, {2.5e3, 1.8}, 1, 0, 0, false, "E24", "E12", true},
    {"sk q0.5 g1", true, {1e3, 0.5}, 1, 0, 0, false, "Exact", "E12", false},
    {"sk q0.707 g1", true, {2e3, 0.7071}, 1, 0, 0, false, "E12", "E6", false},
    {"sk q1 g2", true, {20e3, 1}, 2, 0, 0, false, "Exact", "E12", false},
    {"sk q3 g1", true, {300, 3}, 1, 0, 0, false, "E96", "E24", false},
    {"sk q5 g4", true, {5e3, 5}, 4, 0, 0, false, "E24", "E12", false},
    {"sk q10 g1", true, {1e3, 10}, 1, 0, 0, false, "Exact", "E12", false},
    {"sk q10 g2.5", true, {50e3, 10}, 2.5f, 0, 0, false, "E192", "E12", false},
    {"sk q2 g10", true, {800, 2}, 10, 0, 0, false, "Exact", "E24", false},
    {"sk entered C1", true, {1e3, 2}, 1, 1e-9f, 0, false, "Exact", "E12", false},
    {"sk entered C2", true, {1e3, 2}, 1.5f, 0, 10e-9f, false, "E96", "E12", false},
    {"sk high-pass half", true, {900, 0.9}, 1, 0, 0, false, "E12", "E12", true},
};

}  // namespace

TEST(StageSynthesis, SimulatedStagesAgreeWithTheirAnalysis) {
  std::vector<SimStage> stages;
  int n = 0;
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    StageRequest in = Request(c.section, c.gain, c.resistors, c.caps);
    in.C1 = c.c1;
    in.C2 = c.fullyDifferential ? 2 * c.c2 : c.c2;
    in.C1Edited = c.c1 > 0;
    in.C2Edited = c.c2 > 0;
    in.FullyDifferential = c.fullyDifferential;
    if (c.highPass) {
      in.Series.HighPassHalf = 1;
      in.Series.StageF0 = float(c.section.f0);
      in.Series.DesignCutoff = 1.3e3f;
    }
    const StageResult r = c.sallen ? Sallen(in) : MFB(in);
    ASSERT_TRUE(r.Ok);
    ASSERT_TRUE(Finite(r));
    EXPECT_FALSE(r.C1Edited || r.C2Edited);
    // The entered capacitor is kept; the other one is chosen to fit and shown in its box.
    if (c.c1 > 0) {
      EXPECT_FLOAT_EQ(r.C1, c.c1);
      EXPECT_TRUE(BoxText(r.C2Box).has_value() && !BoxText(r.C2Box)->isEmpty());
    }
    if (c.c2 > 0) {
      EXPECT_FLOAT_EQ(r.C2, in.C2);
      EXPECT_TRUE(BoxText(r.C1Box).has_value() && !BoxText(r.C1Box)->isEmpty());
    }
    EXPECT_LE(r.C1, r.C1Max);
    EXPECT_GE(r.C2, r.C2Min);

    SimStage s;
    s.name = c.name;
    const QString tag = QString::number(n++);
    if (c.sallen) {
      const SallenAnalysis a = AnalyzeSallenStage(r.R1, r.R2, r.R3, r.R4, r.C1, r.C2);
      ASSERT_TRUE(a.Section && a.Section->Q);
      s.expected = *a.Section;
      s.gain = a.K;
      s.cards = SallenCards(tag, r);
      EXPECT_NEAR(a.K / std::max(1.0f, c.gain), 1.0, c.gain > 1 ? 0.05 : 1e-6);
    } else {
      const MfbAnalysis a = AnalyzeMFBStage(r.R1, r.R2, r.R3, r.C1, r.C2);
      ASSERT_TRUE(a.Section && a.Section->Q && a.Gain);
      s.expected = *a.Section;
      s.gain = *a.Gain;
      s.cards = c.fullyDifferential ? MfbDifferentialCards(tag, r, r.C2 / 2.0) : MfbCards(tag, r);
      EXPECT_NEAR(*a.Gain / c.gain, 1.0, QString::fromLatin1(c.resistors) == QLatin1String("Exact") ? 1e-6 : 0.05);
    }
    s.out = QStringLiteral("o") + tag;
    // The stage realises the requested section: to single precision when the resistors are
    // exact, within the series' rounding otherwise.
    const bool exact = QString::fromLatin1(c.resistors) == QLatin1String("Exact") && !c.highPass;
    const double tol = exact ? 2e-5 : 0.15;
    EXPECT_NEAR(s.expected.W0 / (kTwoPi * c.section.f0), 1.0, tol);
    EXPECT_NEAR(*s.expected.Q / c.section.q, 1.0, tol);
    stages.push_back(s);
  }
  SimulateAndCompare(stages);
}

namespace {



// b0, b1 of a section realised by an analysed stage, as natural frequency (Hz) and Q.
void ExpectMeets(const RealisedSection& s, Section want, double tol) {
  EXPECT_NEAR(s.W0 / (kTwoPi * want.f0), 1.0, tol);
  ASSERT_TRUE(s.Q.has_value());
  EXPECT_NEAR(*s.Q / want.q, 1.0, tol);
}

}  // namespace

// An entered capacitor outside its limit is replaced; the kept one is echoed into its box.
TEST(StageSynthesis, EnteredCapacitorsOutsideTheirLimits) {
  {  // MFB: the kept C1 is far above c1max for a newly entered C2.
    StageRequest in = Request({1e3, 2}, 1);
    in.C1 = 100e-9f;
    in.C2 = 1e-9f;
    in.C2Edited = true;
    const StageResult r = MFB(in);
    ASSERT_TRUE(r.Ok);
    // c1max = C2 / (4 Q^2 (g + 1)) / 1.01 = 30.9 pF; c1max / 1.2 = 25.8 pF is nearest to 27 pF,
    // one step below is 22 pF.
    EXPECT_NEAR(r.C1Max, 1e-9 / 32 / 1.01, 1e-16);
    EXPECT_FLOAT_EQ(r.C1, 22e-12f);
    EXPECT_FLOAT_EQ(r.C2, 1e-9f);
    ASSERT_TRUE(r.C1Box.Entered.has_value());
    EXPECT_EQ(*r.C1Box.Entered, 0.0f);
    EXPECT_EQ(BoxText(r.C1Box, QLatin1Char(',')), Shown(r.C1, QLatin1Char(',')));
  }
  {  // Sallen-Key: the kept C2 is below c2min for a newly entered C1.
    StageRequest in = Request({1e3, 2}, 1);
    in.C1 = 10e-9f;
    in.C1Edited = true;
    in.C2 = 47e-9f;
    const StageResult r = Sallen(in);
    ASSERT_TRUE(r.Ok);
    // c2min = 4 Q^2 C1 x 1.01 = 161.6 nF; 2 c2min = 323 nF is nearest to 330 nF, one step up
    // is 390 nF.
    EXPECT_NEAR(r.C2Min, 161.6e-9, 1e-12);
    EXPECT_FLOAT_EQ(r.C2, 390e-9f);
    EXPECT_EQ(BoxText(r.C2Box), Shown(390e-9f));
    ASSERT_TRUE(r.C2Box.Entered.has_value());
    EXPECT_FLOAT_EQ(*r.C2Box.Entered, 390e-9f);
  }
  {  // MFB: an edited C1 that leaves the old C2 above the new c2min keeps C2 and shows it.
    StageRequest in = Request({1e3, 1}, 1);
    in.C1 = 1e-9f;
    in.C1Edited = true;
    in.C2 = 100e-9f;
    const StageResult r = MFB(in);
    ASSERT_TRUE(r.Ok);
    EXPECT_FLOAT_EQ(r.C1, 1e-9f);
    EXPECT_FLOAT_EQ(r.C2, 100e-9f);
    EXPECT_EQ(BoxText(r.C2Box), Shown(100e-9f));
    EXPECT_FALSE(r.C2Box.Entered.has_value());
    EXPECT_FALSE(BoxText(r.C1Box).has_value());
  }
  {  // Both capacitors set and none edited: used as they are, limits returned unchanged.
    for (const bool sallen : {false, true}) {
      StageRequest in = Request({1e3, 0.8}, 1);
      in.C1 = 1e-9f;
      in.C2 = 100e-9f;
      in.C1Max = 123.0f;
      in.C2Min = 456.0f;
      const StageResult r = sallen ? Sallen(in) : MFB(in);
      ASSERT_TRUE(r.Ok);
      EXPECT_EQ(r.C1, 1e-9f);
      EXPECT_EQ(r.C2, 100e-9f);
      EXPECT_EQ(r.C1Max, 123.0f);
      EXPECT_EQ(r.C2Min, 456.0f);
      EXPECT_FALSE(BoxText(r.C1Box) || BoxText(r.C2Box) || r.C1Box.Entered || r.C2Box.Entered);
    }
  }
}

// A kept pair that no longer fits the section (here a Q raised from 0.5) would give no real
// resistors: C2 is dropped and chosen again, and the stage still meets the section.
TEST(StageSynthesis, KeptPairThatNoLongerFitsIsChosenAgain) {
  struct Kept {
    bool sallen;
    float c1, c2;
    Section now;
    float gain;
  };
  const Kept cases[] = {{false, 10e-9f, 22e-9f, {1e3, 5}, 1},
                        {false, 10e-9f, 470e-9f, {1e3, 2}, 10},
                        {true, 10e-9f, 47e-9f, {1e3, 3}, 1},
                        {true, 1e-9f, 4.7e-9f, {2e3, 8}, 1}};
  for (const Kept& k : cases) {
    StageRequest in = Request(k.now, k.gain);
    in.C1 = k.c1;
    in.C2 = k.c2;
    const StageResult r = k.sallen ? Sallen(in) : MFB(in);
    ASSERT_TRUE(r.Ok);
    ASSERT_TRUE(Finite(r));
    EXPECT_EQ(r.C1, k.c1);
    EXPECT_GT(r.C2, k.c2);
    EXPECT_GE(r.C2, r.C2Min);
    EXPECT_EQ(BoxText(r.C2Box), QString());
    EXPECT_EQ(r.C2Box.Entered, 0.0f);
    if (k.sallen) {
      ExpectMeets(*AnalyzeSallenStage(r.R1, r.R2, r.R3, r.R4, r.C1, r.C2).Section, k.now, 2e-5);
    } else {
      ExpectMeets(*AnalyzeMFBStage(r.R1, r.R2, r.R3, r.C1, r.C2).Section, k.now, 2e-5);
    }
  }
}

// At unity gain and a Q above 5 the largest C1 for an entered C2 is C2 / (4 Q^2) less a margin;
// it must stay positive, so that C1 is a real capacitor and the stage is built.
TEST(StageSynthesis, SallenKeyUnityGainHighQWithEnteredC2) {
  for (const double q : {5.5, 8.0, 14.0}) {
    StageRequest in = Request({1e3, q}, 1);
    in.C2 = 1e-6f;
    in.C2Edited = true;
    const StageResult r = Sallen(in);
    ASSERT_TRUE(r.Ok) << q;
    EXPECT_GT(r.C1Max, 0.0f);
    EXPECT_LT(r.C1Max, 1e-6 / (4 * q * q));
    EXPECT_GT(r.C1, 0.0f);
    EXPECT_LE(r.C1, r.C1Max);
    EXPECT_EQ(BoxText(r.C1Box), Shown(r.C1));
    ExpectMeets(*AnalyzeSallenStage(r.R1, r.R2, r.R3, r.R4, r.C1, r.C2).Section, {1e3, q}, 2e-5);
  }
}

TEST(StageSynthesis, SallenKeyGainNetwork) {
  StageRequest in = Request({1e3, 0.7071}, 0.5f, "E24");
  in.R1 = 12.3e3f;
  StageResult r = Sallen(in);
  EXPECT_EQ(r.Gain, 1.0f);
  EXPECT_EQ(r.R3, 0.0f);
  EXPECT_EQ(r.R4, 0.0f);
  EXPECT_EQ(AnalyzeSallenStage(r.R1, r.R2, r.R3, r.R4, r.C1, r.C2).K, 1.0f);
  // Gain 2: R3 is the seed rounded and R4 equals it, from the plain series also in the
  // high-pass half.
  in.Gain = 2;
  for (const int half : {0, 1}) {
    in.Series.HighPassHalf = half;
    in.Series.StageF0 = 1e3f;
    in.Series.DesignCutoff = 700.0f;
    r = Sallen(in);
    EXPECT_FLOAT_EQ(r.R3, 12e3f);
    EXPECT_FLOAT_EQ(r.R4, 12e3f);
  }
}

TEST(StageSynthesis, FirstOrderSections) {
  {  // Sallen-Key with b0 = 0: a pole at 1e-5 rad/s.
    StageRequest in = Request({1e3, 1}, 1);
    in.b0 = 0;
    in.b1 = 0;
    const StageResult r = Sallen(in);
    ASSERT_TRUE(r.Ok);
    EXPECT_EQ(r.b0, 0.00001f);
    EXPECT_NEAR(1.0 / (double(r.R1) * r.C1), 1e-5, 1e-10);
    EXPECT_EQ(r.R2, 0.0f);
    EXPECT_EQ(r.C2, 0.0f);
  }
  for (const bool sallen : {false, true}) {  // an entered capacitor is used, R1 follows it
    StageRequest in = Request({1e3, 1}, 1);
    in.b0 = float(kTwoPi * 1e3);
    in.b1 = 0;
    in.C1 = -3.3e-9f;  // taken by its magnitude
    const StageResult r = sallen ? Sallen(in) : MFB(in);
    ASSERT_TRUE(r.Ok);
    EXPECT_EQ(r.C1, 3.3e-9f);
    EXPECT_NEAR(double(r.R1) * r.C1 * in.b0, 1.0, 1e-6);
  }
  {  // Fully differential three-pole stage: the real-pole capacitor is rounded at half value.
    StageRequest in = Request({1e3, 1}, 1);
    in.b0 = float(kTwoPi * 1e3);
    in.b1 = 0;
    in.R1 = 2e3f;
    in.FullyDifferential = true;
    in.ThreePole = true;
    const StageResult r = MFB(in);
    ASSERT_TRUE(r.Ok);
    EXPECT_EQ(r.CapDivisor, 2);
    EXPECT_FLOAT_EQ(r.C1 / 2, StdCapsPlain(r.C1 / 2, CapNearest, 1, in.Series.Capacitors));
    EXPECT_EQ(r.ThreePoleR1, r.R1);
  }
  {  // The real pole joins the next stage only while its resistor stays below 10 x the seed.
    StageRequest in = Request({1e3, 1}, 1);
    in.b0 = float(kTwoPi * 1e3);
    in.b1 = 0;
    in.ThreePole = true;
    in.ThreePoleR1 = 777.0f;
    in.ScaleResistor = 10e3f;
    in.C1 = 1e-9f;  // R1 = 159 k, above 100 k
    EXPECT_EQ(MFB(in).ThreePoleR1, 777.0f);
    in.C1 = 100e-9f;  // R1 = 1.59 k
    const StageResult r = MFB(in);
    EXPECT_EQ(r.ThreePoleR1, r.R1);
    EXPECT_EQ(r.CapDivisor, 1);
  }
}

// "Use 3 pole section": the real pole (R, C to ground) drives the first MFB stage, whose input
// resistor is the real pole's R plus R1. The pair is designed with R + R1 as its input
// resistor, its two-pole part agrees with its analysis, and the whole three-pole stage has the
// DC gain R2 / (R1 + R).
TEST(StageSynthesis, ThreePoleStage) {
  std::vector<SimStage> stages;
  QString composite;
  double dcGain = 0;
  for (const bool fd : {false, true}) {
    // 3-pole Butterworth at 1 kHz: real pole at wc, pair with Q = 1.
    StageRequest pole = Request({1e3, 1}, 1);
    pole.b0 = float(kTwoPi * 1e3);
    pole.b1 = 0;
    pole.R1 = 2e3f;  // the seed / 5
    pole.ThreePole = true;
    pole.FullyDifferential = fd;
    const StageResult real = MFB(pole);
    ASSERT_TRUE(real.Ok);
    ASSERT_GT(real.ThreePoleR1, 0.0f);
    StageRequest pair = Request({1e3, 1}, 2);
    pair.R1 = fd ? 50e3f : 10e3f;  // 5 x the seed in the fully differential circuit
    pair.ThreePole = true;
    pair.FullyDifferential = fd;
    pair.ThreePoleR1 = real.ThreePoleR1;
    const StageResult r = MFB(pair);
    ASSERT_TRUE(r.Ok);
    EXPECT_NEAR((double(r.R1) + real.ThreePoleR1) * 2.0 / r.R2, 1.0, 1e-6);
    const MfbAnalysis a = AnalyzeMFBStage(r.R1, r.R2, r.R3, r.C1, r.C2);
    const MfbAnalysis whole = AnalyzeMFBStage(r.R1 + real.ThreePoleR1, r.R2, r.R3, r.C1, r.C2);
    ExpectMeets(*whole.Section, {1e3, 1}, 2e-5);
    if (!fd) {
      SimStage s;
      s.name = "three-pole pair";
      s.cards = MfbCards(QStringLiteral("tp"), r);
      s.out = QStringLiteral("otp");
      s.expected = *a.Section;
      s.gain = *a.Gain;
      stages.push_back(s);
      composite = QStringLiteral("RRx in x3 %1\nCRx x3 0 %2\n")
                      .arg(Num(real.ThreePoleR1), Num(real.C1)) +
                  MfbCards(QStringLiteral("3"), r, QStringLiteral("x3"));
      dcGain = double(r.R2) / (double(r.R1) + real.ThreePoleR1);
    }
  }
  SimulateAndCompare(stages);
  QString error;
  const auto sweep = spicetest::RunAc(
      QStringLiteral("three pole\nVin in 0 AC 1\n") + composite +
          QStringLiteral(".ac dec 10 0.01 1\n.end\n"),
      &error);
  ASSERT_TRUE(sweep.has_value()) << error.toStdString();
  EXPECT_NEAR(std::abs(sweep->Node(QStringLiteral("o3"))->front()) / dcGain, 1.0, 1e-5);
}

TEST(StageAnalysis, DegenerateStages) {
  const MfbAnalysis none = AnalyzeMFBStage(1e3f, 1e3f, 1e3f, 0.0f, 1e-9f);
  EXPECT_FALSE(none.Gain || none.Section);
  const MfbAnalysis first = AnalyzeMFBStage(1e3f, 2e3f, 1e3f, 1e-9f, 0.0f);
  ASSERT_TRUE(first.Section);
  EXPECT_FALSE(first.Gain);
  EXPECT_EQ(first.Section->b1, 0.0f);
  EXPECT_FALSE(first.Section->Q);
  EXPECT_FLOAT_EQ(first.Section->b0, 1e6f);
  EXPECT_FALSE(AnalyzeMFBStage(0.0f, 1e3f, 1e3f, 1e-9f, 1e-9f).Gain);  // no division by zero
  const SallenAnalysis sk = AnalyzeSallenStage(1e3f, 1e3f, 0.0f, 5e3f, 1e-9f, 1e-9f);
  EXPECT_EQ(sk.K, 1.0f);
  ASSERT_TRUE(sk.Section);
  EXPECT_FLOAT_EQ(*sk.Section->Q, 0.5f);
  const SallenAnalysis skFirst = AnalyzeSallenStage(1e3f, 0.0f, 0.0f, 0.0f, 1e-9f, 0.0f);
  ASSERT_TRUE(skFirst.Section);
  EXPECT_FLOAT_EQ(skFirst.Section->W0, 1e6f);
  EXPECT_FALSE(AnalyzeSallenStage(1e3f, 1e3f, 0.0f, 0.0f, 1e-9f, 0.0f).Section);
}

// An equal-part Sallen-Key stage has 1/Q = 3 - K: below a gain of 3 it is a pair of that Q,
// at 3 and above it has no positive damping and realises no section at all (neither a
// first-order one nor a stable pair of the mirrored damping).
TEST(StageAnalysis, SallenKeyWithoutPositiveDampingRealisesNoSection) {
  struct Case {
    float R4;  // with R3 = 10k
    std::optional<float> Q;
  };
  const Case cases[] = {{19e3f, 10.0f}, {20e3f, std::nullopt}, {25e3f, std::nullopt}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.R4);
    const SallenAnalysis a = AnalyzeSallenStage(10e3f, 10e3f, 10e3f, c.R4, 10e-9f, 10e-9f);
    EXPECT_FLOAT_EQ(a.K, 1.0f + c.R4 / 10e3f);
    ASSERT_EQ(a.Section.has_value(), c.Q.has_value());
    if (!c.Q) continue;
    ASSERT_TRUE(a.Section->Q);
    EXPECT_NEAR(*a.Section->Q, *c.Q, 1e-4);
    EXPECT_NEAR(a.Section->b1, 1e4f / *c.Q, 1e-3);
    EXPECT_FLOAT_EQ(a.Section->b0, 1e8f);
  }
}

// Sections that cannot be built are reported, never turned into inf or nan values.
TEST(StageSynthesis, UnusableSectionsAreNotBuilt) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  struct Bad {
    float b0, b1, seed, gain;
  };
  const Bad cases[] = {{0, 1e3f, 10e3f, 1},   {-1e6f, 1e3f, 10e3f, 1}, {nan, 1e3f, 10e3f, 1},
                       {1e6f, nan, 10e3f, 1}, {1e6f, 1e3f, 0, 1},      {1e6f, 1e3f, nan, 1},
                       {1e6f, -1e3f, 10e3f, 1}};
  for (const Bad& b : cases) {
    for (const bool sallen : {false, true}) {
      StageRequest in = Request({1e3, 1}, b.gain);
      in.b0 = b.b0;
      in.b1 = b.b1;
      in.R1 = b.seed;
      const StageResult r = sallen ? Sallen(in) : MFB(in);
      EXPECT_FALSE(r.Ok) << b.b0 << " " << b.b1 << " " << b.seed;
    }
  }
  StageRequest in = Request({1e3, 1}, 0);
  EXPECT_FALSE(MFB(in).Ok);  // an MFB gain of 0 has no input resistor
  // A three-pole pair whose input resistance R2 / g would be below the real pole's resistor
  // would need a negative R1.
  in = Request({1e3, 1}, 20);
  in.ThreePole = true;
  in.ThreePoleR1 = 90e3f;
  const StageResult r = MFB(in);
  EXPECT_FALSE(r.Ok);
  EXPECT_GT(r.R1, 0.0f);
}
