// The design view with the frequency boxes in radians per second: the title, the legend and
// the readouts name the unit each figure is in.
#include <gtest/gtest.h>

#include <cmath>

#include "cascade_design.h"
#include "engine/engnotation.h"
#include "bpnotch_design.h"
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

  f.Rad.SetValue(1);
  mainwindow::Rad_Click(f);  // shows the boxes in radians per second and recomputes
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
  // The window around 10 kHz starts at 1 kHz, as in hertz.
  EXPECT_NEAR(engine::EngValue(f.Gfreq[0].Caption, '.').value_or(0), 2 * M_PI * 1000, 5);
  // The design stays at the 10 kHz it was (the box's "62.8k" rad/s would read 9995 Hz), and
  // the section frequency readout shows it in hertz, and says so.
  EXPECT_EQ(f.DesignCutoff, 10000.0f);
  EXPECT_TRUE(f.FSFreq[0].Caption.endsWith("kHz")) << f.FSFreq[0].Caption.toStdString();
  EXPECT_NEAR(engine::EngValue(f.FSFreq[0].Caption, '.').value_or(0), 10000, 0.5);
  // An edit of the box is read as typed, in the box's unit.
  f.Text34.Text = "63k";
  f.SequenceUpdateScreen();
  EXPECT_NEAR(f.DesignCutoff, 63e3 / (2 * M_PI), 0.5);
  // Typed back as the toggle wrote it, the box stands for its 10 kHz again.
  f.Text34.Text = "62.8k";
  f.SequenceUpdateScreen();
  EXPECT_EQ(f.DesignCutoff, 10000.0f);

  // Back to hertz: the title names hertz again.
  f.Rad.SetValue(0);
  mainwindow::Rad_Click(f);
  EXPECT_TRUE(f.Label8.Caption.contains("10kHz Cutoff,")) << f.Label8.Caption.toStdString();
}

// What a design is: its section frequencies and stage values, and where its sweep starts.
struct DesignSnapshot {
  float cutoff = 0;
  double sweepStart = 0;
  std::vector<float> stageF0;
  QStringList captions;
  bool operator==(const DesignSnapshot&) const = default;
};

DesignSnapshot Snapshot(const mainwindow::CalverdonForm& f) {
  DesignSnapshot d;
  d.cutoff = f.DesignCutoff;
  d.sweepStart = f.SweepFreq[1];
  d.stageF0.assign(f.StageF0.begin(), f.StageF0.end());
  for (int i = 0; i < 5; ++i) {
    d.captions << f.FSFreq[i].Caption << f.R1[i].Caption << f.R2[i].Caption << f.R3[i].Caption
               << f.R4[i].Caption << f.R5[i].Caption << f.C1L[i].Caption << f.C2L[i].Caption
               << f.FnInput[i].Text;
  }
  d.captions << f.RealR.Caption << f.RealC.Caption;
  return d;
}

void Toggle(mainwindow::CalverdonForm& f, int value) {
  f.Rad.SetValue(value);
  mainwindow::Rad_Click(f);
}

// Changing only the unit never moves a design, whatever its pass band; a toggle back gives
// every box its text again.
TEST(FrequencyUnits, UnitToggleKeepsTheDesign) {
  struct Case {
    const char* band;
    const char* cutoff;  // Text34
    const char* edge2;   // Text2 (the high-pass edge of the two-half designs)
  };
  const Case cases[] = {{"Low-Pass", "10k", "10k"},         {"High-Pass", "3.3k", "3.3k"},
                        {"Band-Pass", "10k", "10k"},        {"Wide Band-Pass", "10k", "1.5k"},
                        {"Band-Reject", "470", "4.7k"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.band);
    SequenceFixture s;
    mainwindow::CalverdonForm& f = s.f;
    if (QLatin1String(c.band) == QLatin1String("Band-Pass")) {
      BPNotchDesign d;
      d.centre = c.cutoff;
      d.rows = {{"9.5k", "2", "1"}, {"10k", "2", "1"}, {"10.5k", "2", "1"}};
      RunBPNotchDesign(s, d);
    } else {
      CascadeDesign d;
      d.poles = 5;
      d.cutoff = c.cutoff;
      d.resistors = "E96";
      d.highPass = QLatin1String(c.band) == QLatin1String("High-Pass");
      RunDesign(s, d);
      f.Text2.Text = c.edge2;
      s.showPassBandWithoutHandler(c.band);
    }
    f.RespF.Text = "2.2k";
    f.SequenceUpdateScreen();
    const DesignSnapshot hertz = Snapshot(f);
    const QString texts[3] = {f.Text34.Text, f.Text2.Text, f.RespF.Text};
    const QString caption = f.Label35.Caption;

    Toggle(f, 1);
    EXPECT_NE(f.Text34.Text, texts[0]);
    EXPECT_EQ(Snapshot(f), hertz);
    if (QLatin1String(c.band) != QLatin1String("Band-Pass")) {
      EXPECT_TRUE(f.Label35.Caption.endsWith(" Rad/s.")) << f.Label35.Caption.toStdString();
    }

    Toggle(f, 0);
    EXPECT_EQ(f.Text34.Text, texts[0]);
    EXPECT_EQ(f.Text2.Text, texts[1]);
    EXPECT_EQ(f.RespF.Text, texts[2]);
    EXPECT_EQ(f.Label35.Caption, caption);
    EXPECT_EQ(Snapshot(f), hertz);
  }
}

}  // namespace
