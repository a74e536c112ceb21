// The frequency window, the axes and the grid.
#include <gtest/gtest.h>

#include <cmath>

#include "graph/axes.h"
#include "graph/gainaxis.h"
#include "graph_fixture.h"
#include "mainwindow/frequencyboxes.h"

namespace {

constexpr forms::VbColor kGrey = forms::rgb(128, 128, 128);

void window(mainwindow::CalverdonForm& f, const char* start, const char* end) {
  f.Gfreq[0].Caption = start;
  f.Gfreq[3].Caption = end;
}

TEST(FrequencyAxis, IntermediateLabelsFollowTheDecadeCount) {
  struct Case {
    const char* end;
    float decades;
    const char* first;  // nullptr: hidden
    int firstLeft;
    const char* second;
  };
  const Case cases[] = {
      {"100kHz", 3, "1.00kHz", 4395, "10.0kHz"}, {"1.00MHz", 4, "10.0kHz", 4995, nullptr},
      {"10.0MHz", 5, "10.0kHz", 4665, nullptr},  {"100MHz", 6, "10.0kHz", 4395, "1.00MHz"},
      {"1.00gHz", 7, "100kHz", 4815, nullptr},   {"10.0gHz", 8, "1.00MHz", 4995, nullptr},
      {"50.0kHz", 2.69897f, nullptr, 4395, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.end);
    GraphFixture g;
    window(g.f, "100Hz", c.end);
    graph::LabelFrequencyAxis(g.f);
    EXPECT_FLOAT_EQ(g.f.AxisDecades, c.decades);
    EXPECT_EQ(g.f.Gfreq[0].Caption, "100Hz");
    EXPECT_EQ(g.f.Gfreq[3].Caption, c.end);
    EXPECT_EQ(g.f.Gfreq[1].Visible, c.first != nullptr);
    if (c.first) {
      EXPECT_EQ(g.f.Gfreq[1].Caption, c.first);
    }
    EXPECT_EQ(g.f.Gfreq[1].Left, c.firstLeft);
    EXPECT_EQ(g.f.Gfreq[2].Visible, c.second != nullptr);
    if (c.second) {
      EXPECT_EQ(g.f.Gfreq[2].Caption, c.second);
    }
    EXPECT_FLOAT_EQ(g.f.PlotStartFreq, 100);
  }
}

TEST(FrequencyAxis, EngineersLimitsSetTheWindow) {
  GraphFixture g;
  g.f.StartF.Visible = g.f.EndF.Visible = true;
  g.f.StartF.Text = "20";
  g.f.EndF.Text = "20k";
  window(g.f, "20Hz", "20.0kHz");
  graph::LabelFrequencyAxis(g.f);
  EXPECT_EQ(g.f.AxisDecades, 3.0f);
  EXPECT_EQ(g.f.Gfreq[1].Caption, "200Hz");
  EXPECT_EQ(g.f.Gfreq[2].Caption, "2.00kHz");
  EXPECT_FLOAT_EQ(g.f.PlotStartFreq, 20);

  g.f.StartF.Text = "10";
  g.f.EndF.Text = "50k";
  graph::CalcDecades(g.f);
  EXPECT_NEAR(g.f.AxisDecades, 3.69897, 1e-5);
}

TEST(FrequencyAxis, RadiansPerSecondAreReadBackAsHertzWithoutDrift) {
  GraphFixture g;
  window(g.f, "100Hz", "100kHz");
  g.f.Rad.setFromUser(1);
  for (int pass = 0; pass < 3; ++pass) graph::LabelFrequencyAxis(g.f);
  EXPECT_EQ(g.f.Gfreq[0].Caption, "628Rad/s");
  EXPECT_EQ(g.f.Gfreq[3].Caption, "628kRad/s");
  EXPECT_FLOAT_EQ(g.f.PlotStartFreq, 100);
  EXPECT_DOUBLE_EQ(g.f.FreqUnitFactor, 2 * 3.141592653589793);
  g.f.Rad.setFromUser(0);
  graph::LabelFrequencyAxis(g.f);
  EXPECT_EQ(g.f.Gfreq[0].Caption, "100Hz");
  EXPECT_EQ(g.f.Gfreq[3].Caption, "100kHz");

  EXPECT_DOUBLE_EQ(*graph::FrequencyCaptionHertz("773Rad/s", '.', 3), 123);
  EXPECT_DOUBLE_EQ(*graph::FrequencyCaptionHertz("1,50kHz", ',', 3), 1500);
  EXPECT_FALSE(graph::FrequencyCaptionHertz("", '.', 3));
}

TEST(FrequencyAxis, AWindowMovedByAFrequencyEntryInRadiansKeepsItsHertz) {
  GraphFixture g;
  window(g.f, "100Hz", "100kHz");
  g.f.Rad.setFromUser(1);
  graph::LabelFrequencyAxis(g.f);
  graph::ShiftGraphWindow(g.f, 50e3);
  EXPECT_EQ(g.f.Gfreq[0].Caption, "6.28kRad/s");
  for (int pass = 0; pass < 3; ++pass) graph::LabelFrequencyAxis(g.f);
  EXPECT_EQ(g.f.Gfreq[0].Caption, "6.28kRad/s");
  EXPECT_EQ(g.f.Gfreq[1].Caption, "62.8kRad/s");
  EXPECT_EQ(g.f.Gfreq[3].Caption, "6.28MRad/s");
  EXPECT_FLOAT_EQ(g.f.PlotStartFreq, 1000);
  EXPECT_FLOAT_EQ(g.f.AxisDecades, 3);
}

TEST(FrequencyAxis, DegenerateWindowsShowThreeDecades) {
  const char* const windows[][2] = {{"1.00kHz", "1.00kHz"}, {"", "100kHz"}, {"100Hz", "abc"},
                                    {"100kHz", "100Hz"},    {"-100", "100kHz"}, {"100Hz", "100.1Hz"}};
  for (const auto& w : windows) {
    SCOPED_TRACE(testing::Message() << w[0] << " .. " << w[1]);
    GraphFixture g;
    window(g.f, w[0], w[1]);
    graph::CalcDecades(g.f);
    EXPECT_EQ(g.f.AxisDecades, 3.0f);
    graph::LabelFrequencyAxis(g.f);
    graph::DrawGrid(g.f);
    EXPECT_FALSE(g.f.Gfreq[0].Caption.contains("nan", Qt::CaseInsensitive));
    EXPECT_FALSE(g.f.Gfreq[3].Caption.contains("inf", Qt::CaseInsensitive));
  }
  GraphFixture g;
  window(g.f, "100Hz", "100nHz");
  graph::CalcDecades(g.f);
  EXPECT_EQ(g.f.Gfreq[3].Caption, "100 Hz");
  EXPECT_EQ(g.f.AxisDecades, 3.0f);
}

TEST(Grid, ThreeDecadesHave27VerticalAnd8HorizontalLinesOnGraphAndWindow) {
  GraphFixture g;  // the plot area is not set yet: the grid still spans the picture box
  window(g.f, "100Hz", "100kHz");
  graph::DrawGrid(g.f);
  const auto& lines = g.f.Graph.drawing.lines;
  int vertical = 0, horizontal = 0;
  for (const forms::DrawnLine& l : lines) {
    EXPECT_EQ(l.color, kGrey);
    if (l.x1 == l.x2) {
      ++vertical;
      EXPECT_LE(l.x1, g.f.Graph.Width);
    } else if (l.y1 == l.y2) {
      ++horizontal;
      EXPECT_GT(l.y1, 0);
    }
  }
  EXPECT_EQ(vertical, 27);
  EXPECT_EQ(horizontal, 8);
  EXPECT_FLOAT_EQ(lines.front().x1, 0);                          // 1x the start: left edge
  EXPECT_NEAR(lines[9].x1, g.f.Graph.Width / 3.0, 0.01);         // 10x the start
  EXPECT_FLOAT_EQ(lines.back().y1, float(g.f.Graph.Height));     // the bottom label's line
  // The same lines on the window, offset to the outline over the graph.
  ASSERT_EQ(g.f.drawing.lines.size(), lines.size());
  EXPECT_FLOAT_EQ(g.f.drawing.lines[9].x1, lines[9].x1 + float(g.f.Form1.Left));
  EXPECT_FLOAT_EQ(g.f.drawing.lines[9].y2, lines[9].y2 + float(g.f.Form1.Top));

  // A fractional window: the decade loop runs to the rounded count, lines past the edge stay out.
  g.f.Graph.Cls();
  window(g.f, "10Hz", "50.0kHz");
  graph::DrawGrid(g.f);
  EXPECT_EQ(g.f.Graph.drawing.lines.size(), 27u + 5u + 8u);
}

TEST(GainAxis, AutomaticLabelsFollowThePassbandGainAndHeadroom) {
  struct Case {
    float peak;
    bool headroom;
    const char* top;
    const char* bottom;
  };
  const Case cases[] = {{0, false, "10dB", "-70dB"}, {0, true, "20dB", "-60dB"},
                        {16, false, "20dB", "-60dB"}, {-3, false, "0dB", "-80dB"}};
  for (const Case& c : cases) {
    GraphFixture g;
    g.f.GainHeadroom = c.headroom;
    graph::LabelAmplitudeAxis(g.f, c.peak);
    EXPECT_EQ(g.f.Ampl[0].Caption, c.top) << c.peak;
    EXPECT_EQ(g.f.Ampl[1].Caption, QString::number(QString(c.top).chopped(2).toInt() - 10) + "dB");
    EXPECT_EQ(g.f.Ampl[8].Caption, c.bottom) << c.peak;
  }
}

TEST(GainAxis, CustomLabelsTakeTheirFormatFromTheirSize) {
  GraphFixture g(QLatin1Char(','));
  g.f.TopAmp.Visible = true;
  g.f.TopAmp.Text = "4dB";
  g.f.BotAmp.Text = "-4dB";
  graph::LabelAmplitudeAxis(g.f, 0);
  const char* const expected[] = {"4,0dB", "3,0dB", "2,0dB", "1,0dB", "0dB",
                                  "-1,0dB", "-2,0dB", "-3,0dB", "-4,0dB"};
  for (int k = 0; k <= 8; ++k) EXPECT_EQ(g.f.Ampl[k].Caption, expected[k]) << k;
  EXPECT_FLOAT_EQ(g.f.DbPerDiv, 1);

  // One limit alone keeps the other end of the present axis.
  GraphFixture h;
  h.f.BotAmp.Visible = true;
  h.f.BotAmp.Text = "-0.8";
  h.f.Ampl[0].Caption = "0.8dB";
  graph::LabelAmplitudeAxis(h.f, 0);
  EXPECT_EQ(h.f.Ampl[0].Caption, ".80dB");
  EXPECT_EQ(h.f.Ampl[1].Caption, ".60dB");
  EXPECT_EQ(h.f.Ampl[4].Caption, "0dB");
  EXPECT_EQ(h.f.Ampl[8].Caption, "-.8dB");

  GraphFixture w;
  w.f.TopAmp.Visible = true;
  w.f.TopAmp.Text = "100";
  w.f.BotAmp.Text = "-300";
  graph::LabelAmplitudeAxis(w.f, 0);
  EXPECT_EQ(w.f.Ampl[0].Caption, "100.0dB");
  EXPECT_EQ(w.f.Ampl[1].Caption, "50.0dB");
  EXPECT_EQ(w.f.Ampl[3].Caption, "-50dB");
  EXPECT_EQ(w.f.Ampl[8].Caption, "-300dB");
}

}  // namespace
