// The cascade design pass: which section lands in which display position, stage box, label
// element, table row and stage letter; the section readouts, stage gains and gain-bandwidth
// figures; the three-pole stage; the high-pass capacitor correction; the combining pass.
#include <gtest/gtest.h>

#include <cmath>

#include "cascade_design.h"
#include "engine/engnotation.h"
#include "engine/polepairs.h"
#include "engine/rounding.h"
#include "engine/stdvalues.h"
#include "engine/threepole.h"

namespace {

using engine::BuiltStage;
using engine::Engsuffix;

QString Eng(double v, int digits, const QString& units = QString(), QChar sep = '.') {
  return Engsuffix(float(v), digits, units, sep);
}

// One section of a design: where its readouts, boxes, labels, table row and letter are.
struct Placement {
  int poles, k, position, box, row;
  const char* name;    // table row name
  const char* letter;  // stage letter over its readouts
};

const Placement kPlacements[] = {
    {1, 1, 0, -1, 45, "Real", "Real "},
    {3, 2, 0, -1, 44, "Real", "Real "}, {3, 1, 1, 0, 45, "A    ", "A "},
    {4, 2, 0, 0, 44, "A    ", "A "},    {4, 1, 1, 1, 45, "B    ", "B "},
    {5, 3, 0, -1, 43, "Real", "Real "}, {5, 2, 1, 0, 44, "A    ", "A "},
    {5, 1, 2, 1, 45, "B    ", "B "},
    {9, 5, 0, -1, 41, "Real", "Real "}, {9, 4, 1, 0, 42, "A    ", "A "},
    {9, 3, 2, 1, 43, "B    ", "B "},    {9, 2, 3, 2, 44, "C    ", "C "},
    {9, 1, 4, 3, 45, "D    ", "D "},
    {10, 5, 0, 0, 41, "A    ", "A "},   {10, 4, 1, 1, 42, "B    ", "B "},
    {10, 3, 2, 2, 43, "C    ", "C "},   {10, 2, 3, 3, 44, "D    ", "D "},
    {10, 1, 4, 4, 45, "E    ", "E "},
};

TEST(CascadePass, EverySectionLandsInItsPositionBoxLabelRowAndLetter) {
  const std::vector<QString> gains = {"1.5", "2", "2.5", "3", "3.5"};  // stage A .. E
  for (const int poles : {1, 3, 4, 5, 9, 10}) {
    SCOPED_TRACE(poles);
    SequenceFixture s;
    mainwindow::CalverdonForm& f = s.f;
    CascadeDesign d;
    d.poles = poles;
    d.response = 1;  // Bessel: every section has its own frequency
    d.circuit = 1;
    d.gains = gains;
    const std::vector<BuiltStage> built = RunDesign(s, d);
    const int sections = (poles + 1) / 2;
    ASSERT_EQ(f.SectionCount, sections);
    ASSERT_EQ(int(built.size()), sections);

    engine::PolePairInputs in;
    in.ResponseCode = 1;
    in.Chosen = engine::FilterResponse::Bessel;
    in.PolesLowPass = poles;
    const engine::PolePairs normalised = engine::polepairs(poles, 1, in);

    int seen = 0;
    for (const Placement& pl : kPlacements) {
      if (pl.poles != poles) continue;
      ++seen;
      SCOPED_TRACE(pl.k);
      const bool real = pl.box < 0;
      // Readouts at the display position.
      const double b0 = normalised.PoleB0[pl.k];
      const double fn = (real ? b0 : std::sqrt(b0)) * 1000.0;
      EXPECT_EQ(f.FSFreq[pl.position].Caption, Eng(fn, 5, "Hz"));
      EXPECT_FALSE(f.GainF[pl.position].Caption.isEmpty());
      EXPECT_FALSE(f.PhaseF[pl.position].Caption.isEmpty());
      EXPECT_FALSE(f.GBPreq[pl.position].Caption.isEmpty());
      // The gain of its stage box shows at its position and in its gain network.
      const double g = real ? 1.0 : gains[pl.box].toDouble();
      EXPECT_FLOAT_EQ(f.StageGainActual[pl.k], float(g));
      if (real) {
        EXPECT_EQ(f.DCgain[pl.position].Caption, " 1.0");
        EXPECT_TRUE(f.Qdisp[pl.position].Caption.isEmpty());
        EXPECT_FALSE(f.RealR.Caption.isEmpty());
      } else {
        const QString text = gains[pl.box];
        EXPECT_EQ(f.DCgain[pl.position].Caption, text.contains('.') ? text : text + ".0");
        EXPECT_EQ(f.R4[pl.box].Caption, Eng((g - 1) * 10000, 3, "   "));
        EXPECT_EQ(f.R3[pl.box].Caption, Eng(10000, 3, "   "));
        EXPECT_EQ(f.C1L[pl.box].Caption, Eng(f.SectionC1[pl.k], 3, "  "));
      }
      // Its row of the values table and its stage letter.
      const QString row = f.ValuesTableRow(pl.row)->Text;
      EXPECT_TRUE(row.startsWith(QLatin1String(pl.name))) << row.toStdString();
      forms::Label* letters[5] = {&f.Label2, &f.Label3, &f.Label4, &f.Label5, &f.Label6};
      EXPECT_EQ(letters[pl.position]->Caption, pl.letter);
      if (poles > 2) {
        EXPECT_TRUE(letters[pl.position]->Visible);
      }
    }
    forms::Label* letters[5] = {&f.Label2, &f.Label3, &f.Label4, &f.Label5, &f.Label6};
    for (int p = std::max(sections, 1); p < 5; ++p) EXPECT_FALSE(letters[p]->Visible) << p;
    EXPECT_EQ(seen, sections);
    for (int r = 41; r <= 45 - sections; ++r) EXPECT_TRUE(f.ValuesTableRow(r)->Text.isEmpty());
  }
}

TEST(CascadePass, SectionReadoutsGainsAndGainBandwidth) {
  {
    // 4-pole Sallen-Key Butterworth: Q 0.541 (position 0) and 1.307 (position 1).
    SequenceFixture s;
    mainwindow::CalverdonForm& f = s.f;
    CascadeDesign d;
    d.poles = 4;
    d.gains = {"2", "1"};
    RunDesign(s, d);
    const double q0 = f.StageQArray[0], q1 = f.StageQArray[1];
    EXPECT_NEAR(q0, 0.5412, 1e-4);
    EXPECT_NEAR(q1, 1.3066, 1e-4);
    EXPECT_TRUE(f.Qtotal.Visible);
    EXPECT_EQ(f.Qtotal.Text, Eng(float(q0 * q1), 5));
    EXPECT_EQ(f.DCgain[0].Caption, "2.0");
    EXPECT_EQ(f.DCgain[1].Caption, "1");
    EXPECT_EQ(f.GBPreq[0].Caption, Eng(100 * 2 * 1000.0, 3, "Hz"));  // Q <= 1: 100 G f0
    EXPECT_EQ(f.GBPreq[1].Caption, Eng(100 * 1 * q1 * q1 * q1 * 1000.0, 3, "Hz"));
    EXPECT_TRUE(f.GBPreq[2].Caption.isEmpty());  // after the last section
  }
  {
    // 3-pole MFB with a comma separator: the real pole's gain and bandwidth.
    SequenceFixture s(QLatin1Char(','));
    mainwindow::CalverdonForm& f = s.f;
    CascadeDesign d;
    d.poles = 3;
    d.circuit = 0;
    d.gains = {"1,5"};
    d.cutoff = "2k";
    RunDesign(s, d);
    EXPECT_EQ(f.DCgain[0].Caption, " 1,0");
    EXPECT_EQ(f.FSFreq[0].Caption, Eng(2000, 5, "Hz", ','));
    EXPECT_EQ(f.GBPreq[0].Caption, Eng(50 * 2000.0, 3, "Hz", ','));
    EXPECT_EQ(f.GBPreq[1].Caption,
              Eng(100 * 1.5 * f.StageQArray[1] * f.StageF0[1], 3, "Hz", ','));  // MFB: 100 G Q f0
    EXPECT_EQ(f.DCgain[1].Caption, "1,5");
    EXPECT_EQ(f.Label35.Caption, "Response at " + f.RespF.Text + " Hz.");
  }
  {
    SequenceFixture s;
    CascadeDesign d;
    d.poles = 1;
    RunDesign(s, d);
    EXPECT_FALSE(s.f.Qtotal.Visible);
    EXPECT_TRUE(s.f.GBPreq[1].Caption.isEmpty());
  }
}

TEST(CascadePass, PreparesTheDesignChoicesForTheSchematic) {
  SequenceFixture s;
  mainwindow::CalverdonForm& f = s.f;
  s.showPassBandWithoutHandler("Low-Pass");
  f.PoleCount = 7;
  f.CircuitType.setFromUser(1, "Sallen -Key");
  f.GainTB[0].Text = "2.50";
  f.GainTB[2].Text = "1.2";
  designview::PrepareCascade(f);
  EXPECT_EQ(f.CircuitMode, 1);
  EXPECT_EQ(f.SectionCount, 4);
  EXPECT_EQ(f.OddOrder, -1);
  EXPECT_EQ(f.RealPoleShift, 1);
  EXPECT_FLOAT_EQ(f.SectionGain[1], 2.5f);
  EXPECT_FLOAT_EQ(f.SectionGain[2], 1.0f);  // an empty box
  EXPECT_FLOAT_EQ(f.SectionGain[3], 1.2f);
  EXPECT_EQ(f.GainTB[0].Text, "2.5");
  // Band-pass designs keep their own choices.
  s.showPassBandWithoutHandler("Band-Pass");
  f.PoleCount = 4;
  designview::PrepareCascade(f);
  EXPECT_EQ(f.SectionCount, 4);
}

TEST(CascadePass, ThreePoleSectionIsTheLoadedRealPoleAndStageAOnly) {
  for (const int circuit : {0, 1, 2}) {
    SCOPED_TRACE(circuit);
    SequenceFixture s;
    mainwindow::CalverdonForm& f = s.f;
    CascadeDesign d;
    d.threePole = true;
    d.poles = 7;
    d.circuit = circuit;
    d.resistors = "E96";
    d.gains = {"2", "1", "1.5"};
    RunDesign(s, d);
    // Reference targets: the same design without the option.
    SequenceFixture plain;
    CascadeDesign without = d;
    without.threePole = false;
    RunDesign(plain, without);

    std::vector<BuiltStage> built;
    designview::PrepareCascade(f);
    designview::CascadePass(f, &built);
    ASSERT_EQ(built.size(), 4u);
    const BuiltStage& real = built[0];
    const BuiltStage& a = built[1];
    ASSERT_TRUE(real.FirstOrder);
    ASSERT_TRUE(real.ThreePoleLinked && a.ThreePoleLinked);
    // The real pole is built from a fifth of the seed (its capacitor is that series value
    // unless lighter loading was needed).
    const int capdiv = circuit == 2 ? 2 : 1;
    EXPECT_GE(real.C1, engine::StdCapsPlain(float(1 / (2 * engine::Pi * 1000 * 2000)), 0,
                                            capdiv, engine::CapacitorSeries::E6));
    if (a.Mfb) {
      // The MFB gain is R2 over the real pole's resistor and R1 in series.
      EXPECT_FLOAT_EQ(a.SeriesR1, real.R1);
      EXPECT_NEAR(a.R2 / (a.R1 + a.SeriesR1), 2.0, 0.03);
      EXPECT_NEAR(f.DCgain[1].Caption.toDouble(), a.R2 / (a.R1 + a.SeriesR1), 5e-4);
    } else {
      EXPECT_EQ(a.SeriesR1, 0.0f);
    }
    EXPECT_NEAR(f.StageGainActual[a.Section], 2.0, 0.03);
    EXPECT_EQ(f.StageGainActual[real.Section], 1.0f);
    // The two positions hold the loaded section's real pole and pair, near their targets.
    const auto loaded = engine::AnalyzeThreePole(engine::ThreePoleSectionOf(a), f.PoleB0[real.Section]);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(f.PoleB0[real.Section], loaded->RealPole.b0);
    EXPECT_EQ(f.PoleB1[real.Section], 0.0f);
    EXPECT_EQ(f.PoleB0[a.Section], loaded->Pair.b0);
    EXPECT_EQ(f.PoleB1[a.Section], loaded->Pair.b1);
    // (Each of its E96 resistors moves both factors, so they are less near than a buffered
    // stage's.)
    for (const BuiltStage* b : {&real, &a}) {
      const int k = b->Section;
      EXPECT_NEAR(f.PoleB0[k] / plain.f.PoleB0[k], 1.0, 0.08) << k;
      if (k != real.Section) {
        EXPECT_NEAR(f.PoleB1[k] / plain.f.PoleB1[k], 1.0, 0.08) << k;
      }
    }
    // The later stages are buffered as before: they realise their targets alone.
    for (std::size_t j = 2; j < built.size(); ++j) {
      const int k = built[j].Section;
      EXPECT_FALSE(built[j].ThreePoleLinked);
      EXPECT_FLOAT_EQ(built[j].SeriesR1, 0.0f);
      EXPECT_NEAR(f.PoleB0[k] / plain.f.PoleB0[k], 1.0, 0.03) << k;
      EXPECT_NEAR(f.PoleB1[k] / plain.f.PoleB1[k], 1.0, 0.03) << k;
    }
  }
}

TEST(CascadePass, HighPassCorrectionLeavesSeriesPartsAndTheRealisedSections) {
  for (const int circuit : {0, 1, 2}) {
    SCOPED_TRACE(circuit);
    SequenceFixture s;
    mainwindow::CalverdonForm& f = s.f;
    CascadeDesign d;
    d.highPass = true;
    d.poles = 6;
    d.response = 2;
    d.circuit = circuit;
    d.resistors = "E96";
    d.gains = {"1", "2", "1"};
    const std::vector<BuiltStage> built = RunDesign(s, d);
    ASSERT_EQ(built.size(), 3u);
    const double fc = f.DesignCutoff;
    for (const BuiltStage& b : built) {
      // The high-pass stage's capacitors (from the prototype resistors) are E12 values,
      // its resistors (from the prototype capacitors) E96 values.
      const double fh = fc * fc / b.F0;
      for (const float r : {b.R1, b.R2}) {
        const float c = float(1.0 / (2 * engine::Pi * fh * r));
        EXPECT_NEAR(engine::StdCapsPlain(c, 0, 1, engine::CapacitorSeries::E6) / c, 1.0, 1e-4);
      }
      const double c2 = b.FullyDifferential ? b.C2 / 2.0 : b.C2;
      for (const double c : {double(b.C1), c2}) {
        const float r = float(1.0 / (2 * engine::Pi * b.F0 * c));
        EXPECT_NEAR(engine::StdResPlain(r, engine::ResistorSeries::E96) / r, 1.0, 1e-4);
      }
      const auto a = engine::AnalyzeBuiltStage(b);
      ASSERT_TRUE(a.has_value());
      EXPECT_EQ(f.PoleB0[b.Section], a->b0);
      EXPECT_EQ(f.PoleB1[b.Section], a->b1);
      EXPECT_EQ(f.SectionC1[b.Section], b.C1);
      EXPECT_EQ(f.SectionC2[b.Section], b.C2);
    }
  }
}

TEST(CascadePass, CombiningPassOnlySetsUp) {
  SequenceFixture s;
  mainwindow::CalverdonForm& f = s.f;
  CascadeDesign d;
  d.poles = 5;
  RunDesign(s, d);
  const auto b0 = f.PoleB0, b1 = f.PoleB1, c1 = f.SectionC1;
  const QString readout = f.FSFreq[1].Caption, row = f.Text44.Text;
  f.BothHalvesDone = true;
  std::vector<BuiltStage> built;
  designview::CascadePass(f, &built);
  EXPECT_TRUE(built.empty());
  EXPECT_EQ(f.PoleB0, b0);
  EXPECT_EQ(f.PoleB1, b1);
  EXPECT_EQ(f.SectionC1, c1);
  EXPECT_EQ(f.FSFreq[1].Caption, readout);
  EXPECT_EQ(f.Text44.Text, row);
  EXPECT_FALSE(f.C1RealEntry.Enabled);
}

TEST(CascadePass, UnsetSectionsAndMissingEntries) {
  SequenceFixture s;
  mainwindow::CalverdonForm& f = s.f;
  f.Text12.Text.clear();
  CascadeDesign d;
  d.poles = 2;
  d.response = 5;  // no Gaussian table for 2 poles: the section stays unset
  const std::vector<BuiltStage> built = RunDesign(s, d);
  EXPECT_TRUE(built.empty());
  for (int p = 0; p < 5; ++p) {
    EXPECT_TRUE(f.FSFreq[p].Caption.isEmpty());
    EXPECT_TRUE(f.DCgain[p].Caption.isEmpty());
    EXPECT_TRUE(f.GainF[p].Caption.isEmpty());
    EXPECT_TRUE(f.GBPreq[p].Caption.isEmpty());
  }
  EXPECT_TRUE(f.Text45.Text.isEmpty());

  // An empty resistor seed is refilled; an unreadable cutoff keeps the last one.
  f.Text12.Text.clear();
  f.Text34.Text = "abc";
  d.response = 0;
  d.cutoff = "abc";
  RunDesign(s, d);
  EXPECT_EQ(f.Text12.Text, Eng(10000, 3));
  EXPECT_FLOAT_EQ(f.DesignCutoff, 1000.0f);
  EXPECT_FALSE(f.Text45.Text.isEmpty());
}

TEST(CascadePass, RadiansAndTwoHalfDesigns) {
  {
    // Frequencies typed in rad/s: the design is computed in hertz.
    SequenceFixture s;
    mainwindow::CalverdonForm& f = s.f;
    f.Rad.setFromUser(1);
    f.RespF.Text = "62.83k";
    CascadeDesign d;
    d.poles = 2;
    d.cutoff = "6.283k";
    RunDesign(s, d);
    EXPECT_NEAR(f.DesignCutoff, 1000.0, 0.1);
    EXPECT_EQ(f.FSFreq[0].Caption, Eng(f.DesignCutoff, 5, "Hz"));
    EXPECT_EQ(f.Label35.Caption, "Response at 62.8k Rad/s.");
    ASSERT_TRUE(f.GainF[0].Caption.endsWith(" dB"));
    EXPECT_NEAR(f.GainF[0].Caption.chopped(3).toDouble(), -40.0, 0.02);  // a decade above
  }
  for (const char* band : {"Wide Band-Pass", "Band-Reject"}) {
    SCOPED_TRACE(band);
    SequenceFixture s;
    mainwindow::CalverdonForm& f = s.f;
    s.showPassBandWithoutHandler(band);
    f.LowPassViewT.Visible = true;
    f.Text18.Text = "4";
    f.Text1.Text = "3";
    f.Text34.Text = band == QLatin1String("Band-Reject") ? "500" : "5k";
    f.Text2.Text = band == QLatin1String("Band-Reject") ? "5k" : "500";
    f.RespF.Text = "1k";
    f.SequenceUpdateScreen();
    // Both halves were designed; the combining pass left the high-pass half's sections.
    EXPECT_EQ(s.passes.size(), 3u);
    EXPECT_FLOAT_EQ(f.DesignCutoff, band == QLatin1String("Band-Reject") ? 5000.0f : 500.0f);
    EXPECT_EQ(f.SectionCount, 2);
    EXPECT_GT(f.PoleB0[1], 0.0f);
    EXPECT_NE(f.LowPassRespGain[1], 0.0f);
    EXPECT_NE(f.HighPassRespGain[1], 0.0f);
  }
}

}  // namespace
