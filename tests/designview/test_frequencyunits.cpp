// The design view with the frequency boxes in radians per second: the title, the legend and
// the readouts name the unit each figure is in.
#include <gtest/gtest.h>

#include <cmath>

#include "cascade_design.h"
#include "engine/engnotation.h"
#include "mainwindow/frequencyunit.h"

namespace {

TEST(FrequencyUnits, TitleLegendAndReadoutsInRadiansPerSecond) {
  SequenceFixture s;
  mainwindow::CalverdonForm& f = s.f;
  CascadeDesign d;
  d.cutoff = "10k";
  d.poles = 4;
  RunDesign(s, d);
  f.RespF.Text = "10k";
  f.SequenceUpdateScreen();
  ASSERT_TRUE(f.Label8.Caption.contains("10kHz Cutoff,")) << f.Label8.Caption.toStdString();
  EXPECT_EQ(f.Label35.Caption, "Response at 10.0k Hz.");

  mainwindow::FrequencyUnitMemory memory;
  f.Rad.SetValue(1);
  mainwindow::Rad_Click(f, memory);  // converts the boxes and recomputes
  ASSERT_EQ(f.Text34.Text, "62.8k");

  // The cutoff is shown as typed, with its own unit: never a radian figure called hertz.
  const QString title = f.Label8.Caption;
  EXPECT_TRUE(title.contains("62.8kRad/s Cutoff,")) << title.toStdString();
  EXPECT_FALSE(title.contains("Hz")) << title.toStdString();
  EXPECT_EQ(f.Label35.Caption, "Response at 62.8k Rad/s.");
  // The legend is in radians per second.
  for (const forms::Label& g : f.Gfreq) {
    if (g.Visible) {
      EXPECT_TRUE(g.Caption.endsWith("Rad/s")) << g.Caption.toStdString();
    }
  }
  EXPECT_NEAR(engine::EngValue(f.Gfreq[0].Caption, '.').value_or(0), 2 * M_PI * 100, 1);
  // The design reads the box in hertz (62.8k rad/s is 9995 Hz), and the section frequency
  // readout shows that in hertz, and says so.
  const double hertz = 62.8e3 / (2 * M_PI);
  EXPECT_NEAR(f.DesignCutoff, hertz, 0.5);
  EXPECT_TRUE(f.FSFreq[0].Caption.endsWith("kHz")) << f.FSFreq[0].Caption.toStdString();
  EXPECT_NEAR(engine::EngValue(f.FSFreq[0].Caption, '.').value_or(0), hertz, 0.5);

  // Back to hertz: the title names hertz again.
  f.Rad.SetValue(0);
  mainwindow::Rad_Click(f, memory);
  EXPECT_TRUE(f.Label8.Caption.contains("10kHz Cutoff,")) << f.Label8.Caption.toStdString();
}

}  // namespace
