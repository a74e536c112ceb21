// The simulated response plot drawn from simulation results made up here: a second-order
// band-pass section whose Q, centre and group delay are known in closed form.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>

#include "engine/engnotation.h"
#include "engine/numbertext.h"
#include "engine/rounding.h"
#include "graph/simulatedplot.h"
#include "support/readouts.h"
#include "support/windowfixture.h"

namespace {

using Complex = std::complex<double>;

struct PlotFixture : WindowFixture {
  PlotFixture() { f.RespF.Text = QStringLiteral("1k"); }

  // 301 points from 100 Hz, 100 per decade, of h(f) at node190 of a one-stage design; `ready`
  // tells whether the run that gave them succeeded.
  template <typename H>
  void simulate(const QString& band, H h, bool ready = true) {
    showPassBandWithoutHandler(band);
    f.PoleCount = 1;
    f.Text18.Text = QStringLiteral("1");
    f.Gfreq[0].Caption = QStringLiteral("100");
    f.Gfreq[3].Caption = QStringLiteral("100k");
    f.PlotResponse.Enabled = false;
    f.SimColumn = 1;
    f.SimReal.assign(301, std::vector<double>(2, 0.0));
    f.SimImag = f.SimReal;
    for (size_t k = 0; k < 301; ++k) {
      const double fr = 100 * std::pow(10.0, double(k) / 100);
      const Complex v = h(fr);
      f.SimReal[k] = {fr, v.real()};
      f.SimImag[k] = {0.0, v.imag()};
    }
    f.SimResultsReady = ready;
    f.Graph.drawing.clear();
    graph::PlotChart_Click(f);
  }
  int segments(forms::VbColor c) const {
    int n = 0;
    for (const forms::DrawnLine& l : f.Graph.drawing.lines) n += l.color == c;
    return n;
  }
};

// H(s) = (w0/Q) s / (s^2 + (w0/Q) s + w0^2): unity gain at f0, -3 dB points f0/Q apart, and a
// group delay of 2Q/w0 at the centre.
Complex bandPass(double fr, double f0, double q) {
  const Complex s(0, 2 * engine::Pi * fr);
  const double w0 = 2 * engine::Pi * f0;
  return (w0 / q) * s / (s * s + (w0 / q) * s + w0 * w0);
}

TEST(SimulatedPlot, BandPassQCentreReadoutsAndGroupDelayMatchTheClosedForm) {
  PlotFixture p;
  p.simulate("Band-Pass", [](double fr) { return bandPass(fr, 1000, 5); });
  const mainwindow::CalverdonForm& f = p.f;
  ASSERT_TRUE(f.SimPlotValid);
  EXPECT_EQ(f.PlotPoints, 300);
  EXPECT_EQ(f.SweepFreq[1], 100);
  EXPECT_NEAR(f.SweepFreq[101], 1000, 1e-9) << "point k lies at SweepFreq(k + 1)";
  EXPECT_NEAR(f.SweepFreq[0], 100 / std::pow(10.0, 0.01), 1e-9);
  EXPECT_NEAR(engine::EngValue(f.Qtotal.Text, '.').value(), 5.0, 0.1);
  EXPECT_TRUE(f.Qtotal.Visible);
  EXPECT_EQ(f.Label35.Caption, "Response at 1.00k Hz.");
  EXPECT_EQ(f.GainF[5].Caption, "0.0 dB");
  EXPECT_EQ(f.PhaseF[5].Caption, QStringLiteral("0.0") + QChar(0x00BA));
  EXPECT_NEAR(f.GroupDelayMax, 2 * 5 / (2 * engine::Pi * 1000), 0.03 * 1.59e-3);
  EXPECT_EQ(p.segments(f.GainTraceColor), 300);
  EXPECT_EQ(p.segments(f.PhaseTraceColor), 300);
  EXPECT_GT(p.segments(f.GroupDelayTraceColor), 250) << "the delay trace spans the axis";
  // The axis labels cover the largest delay.
  EXPECT_GE(engine::EngValue(f.GroupDelay[0].Caption, '.').value(), f.GroupDelayMax);
}

// The readouts are the response at the frequency their heading names: between two simulated
// points as well (an inverting stage whose phase passes through 180 degrees between the points
// around 1.01 kHz), at the ends of the simulated points exactly, and none beyond them.
TEST(SimulatedPlot, ReadoutIsTheResponseAtTheResponseFrequency) {
  const auto inverted = [](double fr) { return -bandPass(fr, 1005, 5); };
  for (const char* resp : {"1.01k", "990", "1.2k", "333", "100", "100k"}) {
    SCOPED_TRACE(resp);
    PlotFixture p;
    p.f.RespF.Text = QString::fromLatin1(resp);
    p.simulate("Band-Pass", inverted);
    const Complex h = inverted(engine::EngValue(p.f.RespF.Text, '.').value());
    // The captions' one decimal, and what the straight line between the points may miss.
    EXPECT_NEAR(ReadoutNumber(p.f.GainF[5]), 20 * std::log10(std::abs(h)), 0.05 + 0.05)
        << p.f.GainF[5].Caption.toStdString();
    EXPECT_NEAR(ReadoutNumber(p.f.PhaseF[5]), std::arg(h) * 180 / engine::Pi, 0.5 + 0.05)
        << p.f.PhaseF[5].Caption.toStdString();
  }
  for (const char* resp : {"99", "101k", "1M"}) {
    SCOPED_TRACE(resp);
    PlotFixture p;
    p.f.RespF.Text = QString::fromLatin1(resp);
    p.f.GainF[5].Caption = QStringLiteral("-1.0 dB");
    p.f.PhaseF[5].Caption = QStringLiteral("1.0") + QChar(0x00BA);
    p.simulate("Band-Pass", inverted);
    EXPECT_TRUE(p.f.GainF[5].Caption.isEmpty()) << p.f.GainF[5].Caption.toStdString();
    EXPECT_TRUE(p.f.PhaseF[5].Caption.isEmpty()) << p.f.PhaseF[5].Caption.toStdString();
    const float hertz = engine::Sng(engine::EngValue(resp, '.').value());
    EXPECT_EQ(p.f.Label35.Caption,
              QStringLiteral("Response at %1 Hz.").arg(engine::Engsuffix(hertz, 3, "", '.')));
  }
}

TEST(SimulatedPlot, NotchQIsMeasuredBelowThePassBandLeftOfTheDip) {
  PlotFixture p;
  // (s^2 + w0^2) / (s^2 + (w0/Q) s + w0^2) at 2 kHz with Q 2: the -3 dB points f0/Q apart.
  p.simulate("Notch", [](double fr) {
    const Complex s(0, 2 * engine::Pi * fr);
    const double w0 = 2 * engine::Pi * 2000;
    return (s * s + w0 * w0) / (s * s + (w0 / 2) * s + w0 * w0);
  });
  EXPECT_NEAR(engine::EngValue(p.f.Qtotal.Text, '.').value(), 2.0, 0.04);
}

TEST(SimulatedPlot, PhaseQuadrantsAndTheirUnwrapping) {
  PlotFixture p;
  // Points 0..3 in four quadrants, then a point on the imaginary axis and one on the real axis,
  // which keep the offset of the point before.
  const std::vector<Complex> v = {{1, 1}, {-1, 1}, {-1, -1}, {0, 1}, {-1, 0}, {1, -1}};
  p.simulate("Band-Pass", [&](double fr) {
    const int k = engine::CInt(100 * std::log10(fr / 100));
    return k < int(v.size()) ? v[size_t(k)] : Complex(1, -1);
  });
  const mainwindow::CalverdonForm& f = p.f;
  EXPECT_NEAR(f.SimPhase[0], 45, 1e-9);
  EXPECT_NEAR(f.SimPhase[1], 135, 1e-9);
  EXPECT_NEAR(f.SimPhase[2], -135, 1e-9);
  EXPECT_NEAR(f.SimPhase[3], 90 - 180, 1e-9) << "on the axis: the offset of the point before";
  EXPECT_NEAR(f.SimPhase[4], -180, 1e-9);
  // The unwrapping never touches point 1.
  EXPECT_NEAR(f.PlotPhase[1], -45, 1e-5);
}

TEST(SimulatedPlot, NothingIsDrawnWithoutTracesOrWithoutAResult) {
  PlotFixture p;
  p.f.ShowGainTrace.Checked = p.f.ShowPhaseTrace.Checked = p.f.ShowGDTrace.Checked = false;
  p.simulate("Band-Pass", [](double fr) { return bandPass(fr, 1000, 5); });
  EXPECT_TRUE(p.f.Graph.drawing.lines.empty());
  EXPECT_FALSE(p.f.Ampl[0].Caption.isEmpty()) << "the gain labels are still set";

  PlotFixture q;
  q.simulate("Band-Pass", [](double fr) { return bandPass(fr, 1000, 5); }, false);
  EXPECT_TRUE(q.f.Graph.drawing.lines.empty());

  // A response that never falls 3 dB on one side has no measured Q.
  PlotFixture r;
  r.simulate("Band-Pass", [](double fr) { return bandPass(fr, 100, 0.2); });
  EXPECT_TRUE(r.f.Qtotal.Text.isEmpty());
  EXPECT_TRUE(r.f.SimPlotValid);
}

}  // namespace
