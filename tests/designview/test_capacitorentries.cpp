// Capacitors and gains typed into the stage boxes of a 4-pole Sallen-Key and MFB low-pass,
// through their handlers and the real recompute sequence: an entered capacitor is built as
// typed and the other one chosen to fit it, every stage still realises its section, and a
// capacitor that no longer fits is replaced.
#include <gtest/gtest.h>

#include <cmath>

#include "cascade_design.h"
#include "engine/engnotation.h"
#include "engine/rounding.h"
#include "mainwindow/handlers.h"

namespace {

using mainwindow::CalverdonForm;

// Clicks into a box, types the text and leaves it.
void type(CalverdonForm& f, forms::TextBox& box, const QString& text) {
  f.raise(box, forms::Event::GotFocus);
  box.Text = text;
  f.raise(box, forms::Event::Validate);
}

double valueOf(const CalverdonForm& f, const QString& text) {
  return engine::EngValue(text, f.DecimalSep).value_or(0.0);
}

// The natural frequency (rad/s) and Q a stage row realises, and those it should.
struct FnQ {
  double wn, q;
};
FnQ realised(const CalverdonForm& f, int row) {
  const int k = f.SectionCount - row;
  const double wn = std::sqrt(double(f.PoleB0[k]));
  return {wn, wn / f.PoleB1[k]};
}

TEST(CapacitorEntries, AreBuiltAsTypedAndTheOtherCapacitorFitsThem) {
  for (int circuit : {1, 0}) {
    SCOPED_TRACE(circuit == 1 ? "Sallen-Key" : "MFB");
    SequenceFixture s;
    CalverdonForm& f = s.f;
    mainwindow::RegisterHandlers(f);
    CascadeDesign d;
    d.poles = 4;
    d.circuit = circuit;
    RunDesign(s, d);
    const FnQ target[2] = {realised(f, 0), realised(f, 1)};

    type(f, f.C1Entry[0], "10n");
    type(f, f.C2Entry[1], "4.7n");
    EXPECT_EQ(f.C1Entry[0].Text, "10.0n");
    EXPECT_EQ(valueOf(f, f.C1L[0].Caption), 1e-8);
    EXPECT_EQ(valueOf(f, f.C2L[1].Caption), 4.7e-9);
    // The synthesis wrote the capacitor it chose beside each entered one.
    EXPECT_NEAR(valueOf(f, f.C2Entry[0].Text), valueOf(f, f.C2L[0].Caption), 1e-15);
    EXPECT_NEAR(valueOf(f, f.C1Entry[1].Text), valueOf(f, f.C1L[1].Caption), 1e-15);
    for (int row = 0; row < 2; ++row) {
      EXPECT_NEAR(realised(f, row).wn / target[row].wn, 1, 1e-3) << row;
      EXPECT_NEAR(realised(f, row).q / target[row].q, 1, 1e-3) << row;
    }
    EXPECT_TRUE(s.fake.messages.shown.empty());

    // Kept through recomputes, until the stage's gain changes.
    f.SequenceUpdateScreen();
    EXPECT_EQ(f.C1Entry[0].Text, "10.0n");
    type(f, f.C1Entry[0], "33n");
    EXPECT_EQ(valueOf(f, f.C1L[0].Caption), 3.3e-8);
    type(f, f.GainTB[0], "1.5");
    EXPECT_EQ(f.C1Entry[0].Text, "");
    EXPECT_EQ(f.C2Entry[0].Text, "");
    EXPECT_NE(valueOf(f, f.C1L[0].Caption), 3.3e-8);
    EXPECT_EQ(valueOf(f, f.C2L[1].Caption), 4.7e-9);
  }
}

TEST(CapacitorEntries, ACapacitorThatNoLongerFitsIsReplaced) {
  // A custom section whose Q is raised after its capacitors were chosen: the unity-gain
  // Sallen-Key stage needs a larger C2 / C1 ratio, so the kept C2 is chosen again.
  SequenceFixture s;
  CalverdonForm& f = s.f;
  mainwindow::RegisterHandlers(f);
  CascadeDesign d;
  d.poles = 4;
  RunDesign(s, d);
  f.TypeFilter.SetText("Custom Fn&Q");
  type(f, f.C1Entry[1], "10n");
  const double c2 = valueOf(f, f.C2L[1].Caption);
  type(f, f.QInput[1], "6");
  EXPECT_EQ(f.C1Entry[1].Text, "10.0n");
  EXPECT_EQ(valueOf(f, f.C1L[1].Caption), 1e-8);
  EXPECT_GT(valueOf(f, f.C2L[1].Caption), 10 * c2);
  EXPECT_NEAR(realised(f, 1).q / 6, 1, 1e-3);
  EXPECT_NEAR(realised(f, 1).wn / (2 * engine::Pi * valueOf(f, f.FnInput[1].Text)), 1, 1e-3);
}

}  // namespace
