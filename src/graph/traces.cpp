#include "graph/traces.h"

#include <cmath>

#include "engine/rounding.h"
#include "graph/gainaxis.h"
#include "graph/surface.h"
#include "mainwindow/calverdonform.h"

namespace graph {

namespace {

constexpr int kLastSegment = 564;
// A vertical step of the phase trace this large is the wrapped phase passing +-180 degrees.
constexpr double kPhaseHopTwips = 1000;

}  // namespace

GainScale GainScaleFromLabels(const CalverdonForm& f) {
  const auto top = GainTextValue(f.Ampl[0].Caption, f.DecimalSep);
  const auto bottom = GainTextValue(f.Ampl[8].Caption, f.DecimalSep);
  if (!top || !bottom || *top == *bottom || !std::isfinite(*top) || !std::isfinite(*bottom))
    return {};
  return {engine::Sng(*top), engine::Sng(*bottom)};
}

double GainTraceY(const CalverdonForm& f, const GainScale& scale, double gainDb) {
  const double height = double(f.GraphBottomY) - f.GraphTopY;
  return f.GraphTopY + (double(scale.topDb) - gainDb) * height / (double(scale.topDb) - scale.bottomDb);
}

double PhaseTraceY(const CalverdonForm& f, double phaseDeg) {
  const double height = double(f.GraphBottomY) - f.GraphTopY;
  // The phase wrapped to -180 .. +180 degrees (what the arc tangent of the tangent of the half
  // angle gives, without the two trigonometric calls per point).
  const double wrapped = std::isfinite(phaseDeg) ? std::remainder(phaseDeg, 360.0) : 0.0;
  return f.GraphBottomY - (wrapped + 360) * height / 720;
}

void DrawGainAndPhaseTraces(CalverdonForm& f, const GainScale& scale) {
  const bool gain = f.ShowGainTrace.Checked, phase = f.ShowPhaseTrace.Checked;
  if (!gain && !phase) return;
  const double top = f.GraphTopY, bottom = f.GraphBottomY;
  const auto outside = [&](double y1, double y2) {
    return !std::isfinite(y1) || !std::isfinite(y2) || y2 > bottom || y1 < top || y2 < top;
  };
  for (int i = 1; i <= kLastSegment; ++i) {
    const double x1 = SweepPointX(f, i), x2 = SweepPointX(f, i + 1);
    if (x2 > f.GraphRightX) continue;
    if (gain) {
      const double y1 = GainTraceY(f, scale, f.SweepGainDb[i + 1]);
      const double y2 = GainTraceY(f, scale, f.SweepGainDb[i + 2]);
      if (!outside(y1, y2)) DrawGraphLine(f, x1, y1, x2, y2, f.GainTraceColor);
    }
    if (phase) {
      const double y1 = PhaseTraceY(f, f.SweepPhase[i + 1]);
      const double y2 = PhaseTraceY(f, f.SweepPhase[i + 2]);
      const bool hop = f.Hide360PhaseHop.Checked && std::fabs(y2 - y1) >= kPhaseHopTwips;
      if (!outside(y1, y2) && !hop) DrawGraphLine(f, x1, y1, x2, y2, f.PhaseTraceColor);
    }
  }
}

}  // namespace graph
