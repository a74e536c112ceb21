// A stage whose rounded parts leave it without positive damping: the high-pass Sallen-Key
// stage with gain 3 ends up with equal resistors and equal capacitors, so 1/Q = 3 - K = 0. It
// must count as unset (no readouts, labels or table row, left out of the sweep) instead of
// passing for a first-order section, and the other stages of the design stay as they were.
#include <gtest/gtest.h>

#include <vector>

#include "cascade_design.h"
#include "engine/sectionresponse.h"

namespace {

using engine::BuiltStage;

TEST(UndampedStage, CountsAsUnsetAndLeavesTheOtherStagesAlone) {
  struct Case {
    int box;  // the stage whose gain box holds 3
    int k;    // its section
  };
  // Stage E is the Q 22 section of the 10-pole Chebychev, stage C its Q 3.6 section.
  for (const Case c : {Case{4, 1}, Case{2, 3}}) {
    SCOPED_TRACE(c.box);
    CascadeDesign d;
    d.highPass = true;
    d.poles = 10;
    d.response = 2;
    d.circuit = 1;
    d.resistors = QStringLiteral("E96");

    SequenceFixture plain;
    const std::vector<BuiltStage> plainStages = RunDesign(plain, d);
    ASSERT_EQ(plainStages.size(), 5u);

    SequenceFixture high;
    d.gains.assign(5, QString());
    d.gains[c.box] = QStringLiteral("3");
    const std::vector<BuiltStage> stages = RunDesign(high, d);
    mainwindow::CalverdonForm& f = high.f;
    mainwindow::CalverdonForm& g = plain.f;

    // The undamped stage: not built, nothing shown, nothing the response can evaluate.
    ASSERT_EQ(stages.size(), 4u);
    for (const BuiltStage& s : stages) EXPECT_NE(s.Section, c.k);
    const int p = f.SectionCount - c.k;
    EXPECT_EQ(p, c.box);
    EXPECT_LE(f.PoleB0[c.k], 0.0f);
    for (const float at : {10.0f, 1e3f, 1e5f})
      EXPECT_FALSE(engine::Response(f.PoleB0[c.k], f.PoleB1[c.k], at).ok);
    for (const QString* caption :
         {&f.DCgain[p].Caption, &f.GainF[p].Caption, &f.PhaseF[p].Caption, &f.GBPreq[p].Caption,
          &f.R1[p].Caption, &f.R2[p].Caption, &f.R3[p].Caption, &f.R4[p].Caption,
          &f.C1L[p].Caption, &f.C2L[p].Caption})
      EXPECT_TRUE(caption->isEmpty()) << caption->toStdString();
    EXPECT_TRUE(f.ValuesTableRow(46 - c.k)->Text.isEmpty());
    // The target section is still reported as designed.
    EXPECT_EQ(f.Qdisp[p].Caption, g.Qdisp[p].Caption);

    // Every other stage is built exactly as without the gain.
    for (int k = 1; k <= 5; ++k) {
      if (k == c.k) continue;
      SCOPED_TRACE(k);
      const int q = f.SectionCount - k;
      EXPECT_EQ(f.PoleB0[k], g.PoleB0[k]);
      EXPECT_EQ(f.PoleB1[k], g.PoleB1[k]);
      EXPECT_GT(f.PoleB1[k], 0.0f);
      const auto shown = [q](const mainwindow::CalverdonForm& w) {
        return std::vector<QString>{w.DCgain[q].Caption, w.GainF[q].Caption,
                                    w.PhaseF[q].Caption, w.GBPreq[q].Caption,
                                    w.R1[q].Caption,     w.C2L[q].Caption};
      };
      for (const QString& text : shown(f)) EXPECT_FALSE(text.isEmpty());
      EXPECT_EQ(shown(f), shown(g));
      EXPECT_EQ(f.ValuesTableRow(46 - k)->Text, g.ValuesTableRow(46 - k)->Text);
    }
  }
}

}  // namespace
