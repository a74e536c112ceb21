// The sweep of the computed response, its title, totals, group delay and traces.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/engnotation.h"
#include "graph/groupdelay.h"
#include "graph/surface.h"
#include "graph/sweep.h"
#include "graph/traces.h"
#include "graph_fixture.h"

namespace {

// A Sallen-Key Butterworth low-pass of `poles` at `cutoff` Hz with unity gain, swept.
GraphFixture& butterworth(GraphFixture& g, int poles, float cutoff) {
  g.f.TypeFilter.setFromUser(0, "Butterworth");
  g.f.ResponseName = "Butterworth";
  g.design(0, poles, cutoff, false);
  graph::DrawComputedResponse(g.f);
  return g;
}

int linesOf(const mainwindow::CalverdonForm& f, forms::VbColor color) {
  int n = 0;
  for (const forms::DrawnLine& l : f.Graph.drawing.lines) n += l.color == color;
  return n;
}

TEST(Sweep, StartsAtTheFirstDecadeAboveAHundredthOfTheCutoff) {
  GraphFixture g;
  butterworth(g, 4, 1000);
  EXPECT_NEAR(g.f.SweepFreq[1], 101.2193, 1e-3);
  EXPECT_NEAR(g.f.SweepFreq[570], 100.02e3, 10);
  for (int i = 2; i <= 570; ++i) ASSERT_GT(g.f.SweepFreq[i], g.f.SweepFreq[i - 1]);
  EXPECT_EQ(g.f.Ampl[0].Caption, "10dB");
  EXPECT_EQ(g.f.Ampl[8].Caption, "-70dB");
  EXPECT_EQ(g.f.Label8.Caption,
            " Sallen-Key,4-Pole Low-Pass Butterworth: 1.000kHz Cutoff, Passband Gain of 1.0");
  EXPECT_EQ(g.f.DCgain[5].Caption, "1.0");
  EXPECT_NEAR(g.f.SweepGainDb[1], 0, 1e-3);

  GraphFixture h;
  butterworth(h, 4, 999);
  EXPECT_NEAR(h.f.SweepFreq[1], 10.12193, 1e-4);
  // The legend labels the axis the sweep draws, also when the window was elsewhere.
  EXPECT_EQ(h.f.Gfreq[0].Caption, "10.0Hz");
  EXPECT_EQ(h.f.Gfreq[3].Caption, "10.0kHz");

  // Unless the engineer fixed the start.
  GraphFixture fixed;
  fixed.f.StartF.Visible = true;
  fixed.f.StartF.Text = "50";
  fixed.f.Gfreq[0].Caption = "50.0Hz";
  fixed.f.Gfreq[3].Caption = "50.0kHz";
  butterworth(fixed, 4, 1000);
  EXPECT_NEAR(fixed.f.SweepFreq[1], 50 * 1.012193, 1e-3);
  EXPECT_EQ(fixed.f.Gfreq[0].Caption, "50.0Hz");
}

TEST(Sweep, MfbSingleEndedSectionsEachAddTheirInversion) {
  for (const auto& [poles, total] : {std::pair{3, 360.0}, {6, 540.0}, {4, 0.0}, {10, 900.0}}) {
    GraphFixture sk, mfb;
    butterworth(sk, poles, 1000);
    mfb.f.CircuitType.setFromUser(0, "MFB Single-Ended");
    mfb.f.CircuitMode = 0;
    butterworth(mfb, poles, 1000);
    EXPECT_NEAR(mfb.f.SweepPhase[100] - sk.f.SweepPhase[100], total, 1e-9) << poles;
    EXPECT_TRUE(mfb.f.Label8.Caption.startsWith(" MFB," + QString::number(poles) + "-Pole"));
  }
}

TEST(Sweep, PassbandGainMovesTheAxisAndHeadroomRaisesIt) {
  // 16 dB: the top label is 20 dB; a Butterworth stays below it, a 1 dB Chebychev peak of
  // 19.5 + 1 dB reaches it and the axis moves up by 10 dB.
  struct Case {
    int code;
    const char* gain;
    const char* top;
    bool headroom;
  };
  for (const Case& c : {Case{0, "6.31", "20dB", false}, Case{2, "9.441", "30dB", true}}) {
    GraphFixture g;
    g.design(c.code, 4, 1000, false, 1);
    g.f.ShownStageGain[0] = QString(c.gain).toDouble();  // the stage gain the readout shows
    g.f.TotalGainDb = float(20 * std::log10(QString(c.gain).toDouble()));  // left by the design pass
    graph::DrawComputedResponse(g.f);
    EXPECT_EQ(g.f.GainHeadroom, c.headroom) << c.gain;
    EXPECT_EQ(g.f.Ampl[0].Caption, c.top) << c.gain;
    EXPECT_NEAR(g.f.SweepGainDb[1], g.f.TotalGainDb, 0.2);  // a tenth of the cutoff
    // The gain trace sits where the labels say: the passband gain at its height on the axis.
    const graph::GainScale scale = graph::GainScaleFromLabels(g.f);
    EXPECT_NEAR(graph::GainTraceY(g.f, scale, scale.topDb), 0, 1e-9);
    EXPECT_NEAR(graph::GainTraceY(g.f, scale, scale.bottomDb), g.f.Graph.Height, 1e-6);
  }
}

TEST(GroupDelay, ScaleAndLabelsFollowTheLargestDelay) {
  EXPECT_DOUBLE_EQ(graph::GroupDelayScale(0.75e-3), 2500);
  EXPECT_DOUBLE_EQ(graph::GroupDelayScale(0.2e-3), 10000);
  EXPECT_DOUBLE_EQ(graph::GroupDelayScale(9e-6), 125000);  // 10^6 halved three times
  // Delays of a second and more: fractional scales, the top label 4 / scale above the delay.
  EXPECT_DOUBLE_EQ(graph::GroupDelayScale(1.5), 1);       // top label 4 s
  EXPECT_DOUBLE_EQ(graph::GroupDelayScale(4), 0.5);       // 8 s
  EXPECT_DOUBLE_EQ(graph::GroupDelayScale(50), 0.025);    // 0.1 halved twice: 160 s
  EXPECT_DOUBLE_EQ(graph::GroupDelayScale(950), 0.00125); // 0.01 halved three times: 3.2 ks
  EXPECT_DOUBLE_EQ(graph::GroupDelayScale(0), 1);
  EXPECT_DOUBLE_EQ(graph::GroupDelayScale(std::nan("")), 1);
  EXPECT_GE(graph::GroupDelayScale(1e-44), 1);

  // A 4-pole Butterworth at 1 kHz peaks near 0.62 ms: 10^4 halved twice, top label 1.6 ms.
  GraphFixture g;
  butterworth(g, 4, 1000);
  EXPECT_EQ(g.f.GroupDelay[0].Caption, "1.6ms");
  EXPECT_EQ(g.f.GroupDelay[4].Caption, "800µs");
  EXPECT_EQ(g.f.GroupDelay[8].Caption, "0");
  const int traced = linesOf(g.f, g.f.GroupDelayTraceColor);
  EXPECT_GT(traced, 500);

  // Switched off: no trace, the labels are still written.
  GraphFixture off;
  off.f.ShowGDTrace.Checked = false;
  off.f.GroupDelay[0].Caption.clear();
  butterworth(off, 4, 1000);
  EXPECT_EQ(linesOf(off.f, off.f.GroupDelayTraceColor), 0);
  EXPECT_EQ(off.f.GroupDelay[0].Caption, "1.6ms");
}

TEST(Traces, ViewSwitchesAndThePhaseHop) {
  GraphFixture all;
  butterworth(all, 4, 1000);
  const int gain = linesOf(all.f, all.f.GainTraceColor), phase = linesOf(all.f, all.f.PhaseTraceColor);
  EXPECT_GT(gain, 300);
  EXPECT_GT(phase, 500);

  GraphFixture hop;
  hop.f.Hide360PhaseHop.Checked = true;
  hop.f.ShowGainTrace.Checked = false;
  butterworth(hop, 4, 1000);
  EXPECT_EQ(linesOf(hop.f, hop.f.GainTraceColor), 0);
  // The wrapped phase of 4 poles passes -180 degrees once: that one segment is left out.
  EXPECT_EQ(linesOf(hop.f, hop.f.PhaseTraceColor), phase - 1);
  for (const forms::DrawnLine& l : hop.f.Graph.drawing.lines)
    if (l.color == hop.f.PhaseTraceColor) {
      EXPECT_LT(std::fabs(l.y2 - l.y1), 1000);
    }

  // Every trace point lies on the plot.
  for (const forms::DrawnLine& l : all.f.Graph.drawing.lines) {
    EXPECT_GE(l.x1, 0);
    EXPECT_LE(l.x2, all.f.Graph.Width);
    EXPECT_GE(std::min(l.y1, l.y2), 0);
    EXPECT_LE(std::max(l.y1, l.y2), all.f.Graph.Height);
  }
}

// Designs at the ends of the ranges: a very low and a very high cutoff, the most poles, the
// deepest ripple. No line of the graph or of its copy on the window leaves the plot area, and
// the group-delay axis reaches over the largest delay without wasting most of the height.
TEST(Traces, ExtremeDesignsStayOnThePlotAndTheDelayAxisCoversTheirDelay) {
  struct Case {
    const char* what;
    int code, poles;
    float cutoff, ripple;
    bool high;
  };
  const Case cases[] = {
      {"1 mHz Bessel", 1, 4, 1e-3f, 1, false},
      {"1 mHz Bessel, 10 poles", 1, 10, 1e-3f, 1, false},
      {"200 MHz Chebychev 10 dB, 10 poles", 2, 10, 200e6f, 10, false},
      {"10 poles Chebychev 10 dB", 2, 10, 1000, 10, false},
      {"1 mHz high-pass Chebychev 10 dB", 2, 9, 1e-3f, 10, true},
      {"200 MHz high-pass Butterworth", 0, 10, 200e6f, 1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GraphFixture g;
    g.f.Form1.Left = 3000;
    g.f.Form1.Top = 400;
    g.design(c.code, c.poles, c.cutoff, c.high, c.ripple);
    graph::DrawComputedResponse(g.f);
    const double w = g.f.Graph.Width, h = g.f.Graph.Height;
    ASSERT_GT(g.f.Graph.drawing.lines.size(), 1000u);
    for (const forms::DrawnLine& l : g.f.Graph.drawing.lines) {
      ASSERT_TRUE(std::min(l.x1, l.x2) >= 0 && std::max(l.x1, l.x2) <= w &&
                  std::min(l.y1, l.y2) >= 0 && std::max(l.y1, l.y2) <= h)
          << l.x1 << "," << l.y1 << " - " << l.x2 << "," << l.y2;
    }
    const double left = g.f.Form1.Left, top = g.f.Form1.Top;
    ASSERT_EQ(g.f.drawing.lines.size(), g.f.Graph.drawing.lines.size());
    for (const forms::DrawnLine& l : g.f.drawing.lines) {
      ASSERT_TRUE(std::min(l.x1, l.x2) >= left && std::max(l.x1, l.x2) <= left + w &&
                  std::min(l.y1, l.y2) >= top && std::max(l.y1, l.y2) <= top + h);
    }

    double largest = 0;
    for (int i = 3; i <= 561; ++i)
      largest = std::max(largest, std::fabs(g.f.SweepPhase[i + 1] - g.f.SweepPhase[i]) /
                                      (360 * (g.f.SweepFreq[i + 1] - g.f.SweepFreq[i])));
    const double topLabel = engine::EngValue(g.f.GroupDelay[0].Caption, '.').value_or(0);
    EXPECT_GE(topLabel, largest) << g.f.GroupDelay[0].Caption.toStdString();
    EXPECT_LE(topLabel, 4 * largest) << g.f.GroupDelay[0].Caption.toStdString();
    EXPECT_GT(linesOf(g.f, g.f.GroupDelayTraceColor), 100);
  }
  // A 1 mHz design delays by minutes: the labels say so in seconds.
  GraphFixture slow;
  slow.f.TypeFilter.setFromUser(1, "Bessel");
  slow.design(1, 4, 1e-3f, false);
  graph::DrawComputedResponse(slow.f);
  EXPECT_EQ(slow.f.GroupDelay[0].Caption, "800s");
  EXPECT_EQ(slow.f.GroupDelay[8].Caption, "0");
}

// A line that leaves the plot area is cut at its edges; one wholly outside is not drawn.
TEST(Traces, LinesAreCutAtThePlotEdges) {
  GraphFixture g;
  graph::SetPlotArea(g.f);
  const double w = g.f.Graph.Width, h = g.f.Graph.Height;
  graph::DrawGraphLine(g.f, -w, h / 2, w / 2, h / 2, 1);      // in from the left
  graph::DrawGraphLine(g.f, w / 2, -h, w / 2, 2 * h, 2);      // through top and bottom
  graph::DrawGraphLine(g.f, w / 4, -100, w / 2, -10, 3);      // above the plot
  graph::DrawGraphLine(g.f, 0, h + 1, w, h + 1000, 4);        // below it
  graph::DrawGraphLine(g.f, 0, h, w, 0, 5);                   // corner to corner
  graph::DrawGraphLine(g.f, 0, std::nan(""), w, 0, 6);
  const auto& lines = g.f.Graph.drawing.lines;
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].x1, 0);
  EXPECT_EQ(lines[0].x2, float(w / 2));
  EXPECT_EQ(lines[0].y1, float(h / 2));
  EXPECT_EQ(lines[1].y1, 0);
  EXPECT_EQ(lines[1].y2, float(h));
  EXPECT_EQ(lines[2].x1, 0);
  EXPECT_EQ(lines[2].y2, 0);
}

TEST(Sweep, TotalsOfTheStageReadouts) {
  GraphFixture g(QLatin1Char(','));
  g.f.StageRespDb[0] = -1.25f;
  g.f.StageRespDb[1] = 0.5f;
  g.f.StageWork[0] = -45.25f;
  g.f.StageWork[1] = -45.3f;
  butterworth(g, 4, 1000);
  EXPECT_EQ(g.f.GainF[5].Caption, "-0,75 dB");
  EXPECT_EQ(g.f.PhaseF[5].Caption, QString("-90,6") + QChar(0x00BA));
}

TEST(Sweep, DegenerateDesignsNeitherHangNorWriteNonFiniteValues) {
  struct Case {
    const char* what;
    std::function<void(GraphFixture&)> setUp;
  };
  const Case cases[] = {
      {"no sections", [](GraphFixture& g) { g.f.SectionCount = 0; }},
      {"unset sections", [](GraphFixture& g) { g.f.PoleB0.fill(0); g.f.PoleB1.fill(0); }},
      {"zero cutoff", [](GraphFixture& g) { g.f.DesignCutoff = 0; }},
      {"huge cutoff", [](GraphFixture& g) { g.f.DesignCutoff = 1e30f; }},
      {"zero-size graph", [](GraphFixture& g) { g.f.Graph.Width = g.f.Graph.Height = 0; }},
      {"unreadable window", [](GraphFixture& g) { g.f.Gfreq[0].Caption = g.f.Gfreq[3].Caption = "x"; }},
      {"zero stage gain", [](GraphFixture& g) { g.f.ShownStageGain[0] = 0.0; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const bool high : {false, true}) {
      GraphFixture g;
      g.design(0, 5, 1000, high);
      c.setUp(g);
      graph::DrawComputedResponse(g.f);
      for (const forms::DrawnLine& l : g.f.Graph.drawing.lines)
        ASSERT_TRUE(std::isfinite(l.x1) && std::isfinite(l.y1) && std::isfinite(l.x2) && std::isfinite(l.y2));
      EXPECT_TRUE(std::isfinite(g.f.TotalGainDb));
      for (const auto* labels : {&g.f.Ampl, &g.f.GroupDelay})
        for (const forms::Label& l : *labels) {
          EXPECT_FALSE(l.Caption.contains("nan", Qt::CaseInsensitive)) << l.Caption.toStdString();
          EXPECT_FALSE(l.Caption.contains("inf", Qt::CaseInsensitive)) << l.Caption.toStdString();
        }
    }
  }
}

}  // namespace
