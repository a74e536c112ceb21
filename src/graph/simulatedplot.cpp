#include "graph/simulatedplot.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "engine/engnotation.h"
#include "engine/numbertext.h"
#include "engine/rounding.h"
#include "graph/axes.h"
#include "graph/gainaxis.h"
#include "graph/groupdelay.h"
#include "graph/surface.h"
#include "graph/traces.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/frequencyunit.h"
#include "mainwindow/listchoices.h"

namespace graph {

namespace {

using engine::PassBand;

constexpr double kFloorDb = -400;
constexpr int kMaxPoints = 301;  // the plot arrays hold points 0..300

double gainDb(double re, double im) {
  const double m = std::hypot(re, im);
  if (!(m > 0) || !std::isfinite(m)) return kFloorDb;
  return std::max<double>(engine::Sng(20 * std::log10(m)), kFloorDb);
}

// The frequency where the line between two points crosses a level, linear in frequency and dB.
double crossing(double f1, double g1, double f2, double g2, double level) {
  if (g1 == g2) return f1;
  return f1 + (level - g1) * (f2 - f1) / (g2 - g1);
}

// The simulated points 0..last: frequency, gain in dB and phase as drawn.
struct Points {
  const mainwindow::GraphState& g;
  const std::array<double, 301>& phases;
  int last;
  double freq(int k) const { return g.SweepFreq[size_t(k + 1)]; }
  double gain(int k) const { return g.PlotGain[size_t(k)]; }
  double phase(int k) const { return phases[size_t(k)]; }
};

struct Reading {
  double gainDb, phaseDeg;
};

// The simulated response at `hertz`: a simulated point's own gain and phase, or between the
// two points around it gain (dB) and phase linear in log frequency, the phase taken the short
// way round and shown again within -180 .. 180 degrees. Nothing outside the simulated points
// (a frequency within a millionth of an end counts as that end).
std::optional<Reading> responseAt(const Points& p, double hertz) {
  if (!(hertz > 0) || !std::isfinite(hertz)) return std::nullopt;
  constexpr double kEndSlack = 1e-6;
  if (hertz < p.freq(0)) {
    if (hertz < p.freq(0) * (1 - kEndSlack)) return std::nullopt;
    return Reading{p.gain(0), p.phase(0)};
  }
  int k = 0;
  while (k <= p.last && p.freq(k) < hertz) ++k;
  if (k > p.last) {
    if (hertz > p.freq(p.last) * (1 + kEndSlack)) return std::nullopt;
    return Reading{p.gain(p.last), p.phase(p.last)};
  }
  if (k == 0 || p.freq(k) == hertz) return Reading{p.gain(k), p.phase(k)};
  const double f0 = p.freq(k - 1), f1 = p.freq(k);
  if (!(f0 > 0) || !(f1 > f0)) return Reading{p.gain(k), p.phase(k)};
  const double t = std::log(hertz / f0) / std::log(f1 / f0);
  const double p0 = p.phase(k - 1);
  const double p1 = p.phase(k) + 360 * std::round((p0 - p.phase(k)) / 360);
  double ph = p0 + t * (p1 - p0);
  if (ph > 180) ph -= 360;
  if (ph <= -180) ph += 360;
  return Reading{p.gain(k - 1) + t * (p.gain(k) - p.gain(k - 1)), ph};
}

// The band edges around point `centre` where the gain crosses `level`: walking away from it
// while `inside` holds; nothing when a side never crosses inside the plotted points.
template <typename Inside>
std::optional<double> bandwidth(const Points& p, int centre, double level, Inside inside) {
  auto edge = [&](int step) -> std::optional<double> {
    int k = centre;
    while (k + step >= 0 && k + step <= p.last && inside(p.gain(k + step))) k += step;
    const int out = k + step;
    if (out < 0 || out > p.last) return std::nullopt;
    return crossing(p.freq(k), p.gain(k), p.freq(out), p.gain(out), level);
  };
  const auto upper = edge(1), lower = edge(-1);
  if (!upper || !lower || !(*upper > *lower)) return std::nullopt;
  return *upper - *lower;
}

// The measured overall Q: the peak of a band-pass design or the dip of a notch design over the
// width between its -3 dB points (3 dB below the peak, or below the pass band left of the dip).
std::optional<double> measuredQ(const CalverdonForm& f, int last) {
  const Points p{f, f.SimPhase, last};
  const std::optional<PassBand> band = mainwindow::ChosenPassBand(f);
  if (band == PassBand::BandPass) {
    int peak = 0;
    for (int k = 1; k <= last; ++k)
      if (p.gain(k) > p.gain(peak)) peak = k;
    const double level = p.gain(peak) - 3;
    const auto width = bandwidth(p, peak, level, [level](double g) { return g >= level; });
    if (!width) return std::nullopt;
    return p.freq(peak) / *width;
  }
  if (band == PassBand::Notch && last >= 2) {
    int dip = 0;
    for (int k = 1; k <= last; ++k)
      if (p.gain(k) < p.gain(dip)) dip = k;
    const double level = p.gain(2) - 3;
    const auto width = bandwidth(p, dip, level, [level](double g) { return g <= level; });
    if (!width) return std::nullopt;
    return p.freq(dip) / *width;
  }
  return std::nullopt;
}

void clearReadouts(CalverdonForm& f) {
  f.SimPlotValid = false;
  f.Qtotal.Text.clear();
}

}  // namespace

void PlotChart_Click(CalverdonForm& f) {
  if (f.PlotResponse.Enabled) return;

  f.StageCount = engine::CInt(engine::EngValue(f.Text18.Text, f.DecimalSep).value_or(0));
  double product = 1.0;
  for (int i = 0; i < std::clamp(f.StageCount, 0, 5); ++i)
    if (!f.GainTB[i].Text.isEmpty())
      product *= engine::EngValue(f.GainTB[i].Text, f.DecimalSep).value_or(1.0);
  const float totalDb = engine::Sng(20 * std::log10(product));
  f.TotalGainDb = std::isfinite(totalDb) ? totalDb : 0.0f;
  LabelAmplitudeAxis(f, f.TotalGainDb);

  if (!f.ShowGainTrace.Checked && !f.ShowPhaseTrace.Checked && !f.ShowGDTrace.Checked) return;

  // Only the response of a run that succeeded is drawn; a failed or missing run draws nothing.
  f.SimPlotValid = false;
  // The output node's vector, as the read-back found it by its name.
  if (!f.SimResultsReady || f.SimColumn < 1) return clearReadouts(f);

  // The simulated points, with their own frequencies (vector 0).
  const int points = std::min<int>(int(f.SimReal.size()), kMaxPoints);
  if (points < 2 || size_t(f.SimColumn) >= f.SimReal.front().size()) return clearReadouts(f);
  const int last = points - 1;
  f.PlotPoints = last;
  for (int k = 0; k < points; ++k) f.SweepFreq[size_t(k + 1)] = f.SimReal[size_t(k)][0];
  f.SweepFreq[0] = f.SweepFreq[2] > 0 ? f.SweepFreq[1] * f.SweepFreq[1] / f.SweepFreq[2] : 0;

  CalcDecades(f);
  SetPlotArea(f);
  // The traces replace whatever the graph showed: a second drawing of the same run, or the
  // computed response a "Plot Chart" after "Test Spice" takes the place of.
  ClearGraph(f);
  DrawGrid(f);
  const GainScale scale = GainScaleFromLabels(f);
  const double width = double(f.GraphRightX) - f.GraphLeftX;
  const double decades = f.AxisDecades > 0 ? f.AxisDecades : 3;
  const double start = f.PlotStartFreq > 0 ? f.PlotStartFreq : f.SweepFreq[1];
  const auto x = [&](int k) {
    const double fk = f.SweepFreq[size_t(k + 1)];
    return f.GraphLeftX + (fk > 0 ? std::log10(fk / start) / decades * width : 0.0);
  };

  f.GroupDelayMax = 0;
  double quadrant = 0;
  for (int k = 0; k <= last; ++k) {
    const double re = f.SimReal[size_t(k)][size_t(f.SimColumn)];
    const double im = f.SimImag[size_t(k)][size_t(f.SimColumn)];
    const double g = gainDb(re, im);
    f.PlotGain[size_t(k)] = g;

    // The quadrant's offset; on an axis the one of the point before.
    if (re != 0 && im != 0) quadrant = re > 0 ? 0 : (im > 0 ? 180 : -180);
    const double a = re != 0 ? std::atan(im / re) * 180 / engine::Pi
                             : (im > 0 ? 90.0 : im < 0 ? -90.0 : 0.0);
    f.SimPhase[size_t(k)] = a + quadrant;
    f.PlotPhase[size_t(k)] = engine::Sng(a);
    if (k >= 2)
      for (int n = 0; n < 8 && f.PlotPhase[size_t(k - 1)] + 90 < f.PlotPhase[size_t(k)]; ++n)
        f.PlotPhase[size_t(k)] -= 180;

    if (k >= 1) {
      if (f.ShowGainTrace.Checked)
        DrawGraphLine(f, x(k - 1), GainTraceY(f, scale, f.PlotGain[size_t(k - 1)]), x(k),
                      GainTraceY(f, scale, g), f.GainTraceColor);
      if (f.ShowPhaseTrace.Checked)
        DrawGraphLine(f, x(k - 1), PhaseTraceY(f, f.SimPhase[size_t(k - 1)]), x(k),
                      PhaseTraceY(f, f.SimPhase[size_t(k)]), f.PhaseTraceColor);

      // The fall of the phase over the step between the two points' own frequencies.
      const double df = f.SweepFreq[size_t(k + 1)] - f.SweepFreq[size_t(k)];
      auto delay = [&] {
        const double d = df > 0 ? -(f.PlotPhase[size_t(k)] - f.PlotPhase[size_t(k - 1)]) / (360 * df) : 0;
        return std::isfinite(d) ? d : 0.0;
      };
      double tau = delay();
      if (tau < 0 && std::fabs(f.PlotGroupDelay[size_t(k - 1)]) > 0.001) {
        f.PlotPhase[size_t(k)] -= 180;
        tau = delay();
      }
      f.PlotGroupDelay[size_t(k)] = tau;
      if (tau > f.GroupDelayMax) f.GroupDelayMax = tau;
    } else {
      f.PlotGroupDelay[0] = 0;
    }
  }

  // The group-delay axis and trace, on the scale of the computed plot's.
  if (f.GroupDelayMax > 0) {
    const double gdScale = GroupDelayScale(f.GroupDelayMax);
    LabelGroupDelayAxis(f, gdScale);
    if (f.ShowGDTrace.Checked) {
      const double height = double(f.GraphBottomY) - f.GraphTopY;
      const auto y = [&](double tau) { return f.GraphBottomY - tau * gdScale * height / 4; };
      for (int k = 1; k < last; ++k) {
        const double d1 = f.PlotGroupDelay[size_t(k)], d2 = f.PlotGroupDelay[size_t(k + 1)];
        if (d1 > 0 && d2 > 0)
          DrawGraphLine(f, x(k - 1), y(d1), x(k), y(d2), f.GroupDelayTraceColor);
      }
    }
  }

  // The readouts at the response frequency, under their heading; empty when the simulation
  // did not reach it.
  const float typed = engine::Sng(engine::EngValue(f.RespF.Text, f.DecimalSep).value_or(0));
  if (std::isfinite(typed)) f.Label35.Caption = mainwindow::ResponseAtCaption(f, typed);
  if (const std::optional<Reading> r =
          responseAt(Points{f, f.SimPhase, last}, typed / mainwindow::FreqUnitFactorOf(f))) {
    f.PhaseF[5].Caption =
        engine::FormatFixed(r->phaseDeg, 1, 1, true, f.DecimalSep) + QChar(0x00BA);
    f.GainF[5].Caption =
        engine::FormatFixed(r->gainDb, 1, 1, true, f.DecimalSep) + QStringLiteral(" dB");
  } else {
    f.PhaseF[5].Caption.clear();
    f.GainF[5].Caption.clear();
  }

  f.Qtotal.Visible = true;
  if (const std::optional<double> q = measuredQ(f, last)) {
    f.StageQ = engine::Sng(*q);
    f.Qtotal.Text = engine::FormatFixed(f.StageQ, 2, 2, true, f.DecimalSep);
  } else {
    f.Qtotal.Text.clear();
  }
  f.SimPlotValid = true;
}

}  // namespace graph
