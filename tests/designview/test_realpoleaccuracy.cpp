// The real pole of an odd order as the value labels show it, high-pass beside its low-pass
// twin: the pole the two shown parts make lies within the resistor series' rounding of the
// section frequency the window asks for, whatever the capacitor series.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "cascade_design.h"
#include "engine/engnotation.h"
#include "engine/rounding.h"

namespace {

double Shown(const forms::Label& l, QChar sep) { return engine::EngValue(l.Caption, sep).value_or(0); }

// The pole of the shown real-pole section, hertz. The fully differential section bridges its
// two lines with the part in C1's place, which acts as twice its capacitance, or half its
// resistance, to the virtual ground between them.
double ShownPole(const mainwindow::CalverdonForm& f, bool highPass, bool differential) {
  const QChar sep = f.DecimalSep;
  double r = Shown(highPass ? f.RealC : f.RealR, sep);
  double c = Shown(highPass ? f.RealR : f.RealC, sep);
  if (differential) {
    if (highPass)
      r /= 2;
    else
      c *= 2;
  }
  return 1.0 / (2 * engine::Pi * r * c);
}

TEST(RealPoleAccuracy, HighPassRealPoleIsAsExactAsItsLowPassTwin) {
  struct Series {
    const char* name;
    double tolerance;  // half the widest step of the series, and the labels' three digits
  };
  const Series resistors[] = {{"Exact", 0.005}, {"E96", 0.013}, {"E24", 0.08}};
  const int responses[] = {0, 1, 2};  // Butterworth, Bessel, Chebychev
  double worst[2] = {0, 0};
  for (const Series& rs : resistors)
    for (const char* caps : {"E6", "E12", "E24"})
      for (const int circuit : {0, 1, 2})
        for (const int response : responses)
          for (const int poles : {3, 5, 7, 9})
            for (const bool highPass : {false, true}) {
              SequenceFixture s;
              mainwindow::CalverdonForm& f = s.f;
              CascadeDesign d;
              d.highPass = highPass;
              d.poles = poles;
              d.response = response;
              d.circuit = circuit;
              d.resistors = rs.name;
              d.capacitors = caps;
              d.cutoff = "10k";
              RunDesign(s, d);
              SCOPED_TRACE(QStringLiteral("%1 %2 poles %3 %4 %5/%6")
                               .arg(highPass ? "high-pass" : "low-pass")
                               .arg(poles)
                               .arg(kResponses[response], kCircuits[circuit], rs.name, caps)
                               .toStdString());
              const double target = engine::EngValue(f.FSFreq[0].Caption, f.DecimalSep).value_or(0);
              ASSERT_GT(target, 0);
              const double pole = ShownPole(f, highPass, circuit == 2);
              const double error = std::fabs(pole / target - 1);
              EXPECT_LE(error, rs.tolerance) << pole << " Hz for " << target << " Hz";
              worst[highPass] = std::max(worst[highPass], error);
            }
  // The measure of the fault: every high-pass real pole was off by the capacitor
  // series' rounding (up to 21 % with E6); now the two halves are alike.
  EXPECT_LE(worst[1], std::max(worst[0], 0.005) * 1.7);
}

// The example the fault was found with: a 3-pole Butterworth MFB high-pass at 10 kHz, exact
// resistors and E6 capacitors, showed 1.50n and 10.0k, a pole at 10.61 kHz.
TEST(RealPoleAccuracy, ExactHighPassResistorFollowsTheRoundedCapacitor) {
  SequenceFixture s;
  mainwindow::CalverdonForm& f = s.f;
  CascadeDesign d;
  d.highPass = true;
  d.poles = 3;
  d.circuit = 0;
  d.capacitors = "E6";
  d.cutoff = "10k";
  RunDesign(s, d);
  EXPECT_EQ(f.RealR.Caption, "1.50n  ");
  EXPECT_EQ(f.RealC.Caption, "10.6k   ");
  EXPECT_NEAR(ShownPole(f, true, false), 10e3, 10e3 * 0.005);
}

}  // namespace
