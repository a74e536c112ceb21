#include "graph/sweep.h"

#include <algorithm>
#include <cmath>
#include <complex>

#include "engine/engnotation.h"
#include "engine/rounding.h"
#include "engine/sectionresponse.h"
#include "graph/axes.h"
#include "graph/gainaxis.h"
#include "graph/groupdelay.h"
#include "graph/surface.h"
#include "graph/title.h"
#include "graph/traces.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/frequencyunit.h"
#include "mainwindow/listchoices.h"

namespace graph {

namespace {

constexpr float kFloorDb = -400;
// The sweep's start steps up by decades from here; 40 decades reach far beyond any frequency
// the boxes allow.
constexpr float kLowestStart = 1e-7f;
constexpr int kMaxStartSteps = 40;

bool isBandReject(const CalverdonForm& f) {
  return mainwindow::ChosenPassBandIs(f, engine::PassBand::BandReject);
}
bool isWideBandPass(const CalverdonForm& f) {
  return mainwindow::ChosenPassBandIs(f, engine::PassBand::WideBandPass);
}
bool isTwoEdge(const CalverdonForm& f) { return mainwindow::ChosenPassBandIs(f, engine::IsTwoHalves); }

// An edge box's frequency in hertz, whatever the unit the boxes are written in.
std::optional<double> edge(const CalverdonForm& f, const forms::TextBox& box) {
  return mainwindow::FrequencyBoxHertz(f, box);
}

// The phase each MFB single-ended section adds (its inversion), by the pole count. A
// one-pole design is a passive real pole and adds nothing.
int phaseOffset(const CalverdonForm& f) {
  if (mainwindow::ChosenTopology(f) != engine::Topology::MfbSingleEnded) return 0;
  switch (f.PoleCount) {
    case 2:
    case 3:
    case 6:
    case 7:
    case 10:
      return 180;
    default:
      return 0;
  }
}

// Decades of a two-edge design: two more than the edges span, at least three.
float twoEdgeDecades(const CalverdonForm& f) {
  const auto low = edge(f, f.Text34), high = edge(f, f.Text2);
  if (!low || !high) return 3;
  float r = engine::Sng(*low / *high);
  if (!(r > 0) || !std::isfinite(r)) return 3;
  if (r < 1) r = engine::Sng(1.0 / r);
  return engine::Sng(engine::Int(std::log10(double(r))) + 3);
}

float referenceFrequency(const CalverdonForm& f) {
  if (!isTwoEdge(f)) return f.DesignCutoff;
  const double low = edge(f, f.Text34).value_or(0), high = edge(f, f.Text2).value_or(0);
  return engine::Sng(std::min(low, high));
}

double toDb(double magnitude) {
  if (!(magnitude > 0) || !std::isfinite(magnitude)) return kFloorDb;
  return std::max(20 * std::log10(magnitude), double(kFloorDb));
}

// Continuity of a phase computed modulo 360 degrees from point to point.
void unwrapPhase(mainwindow::GraphState& g) {
  for (int i = 2; i <= kSweepPoints; ++i) {
    const double jump = g.SweepPhase[i] - g.SweepPhase[i - 1];
    if (std::fabs(jump) > 180) g.SweepPhase[i] -= 360 * std::round(jump / 360);
  }
}

// The halves of a two-half design, or the half this pass computed (kept for the combining pass).
void combineHalves(CalverdonForm& f) {
  if (f.BothHalvesDone && isWideBandPass(f)) {
    for (int i = 1; i <= kSweepPoints; ++i) {
      f.SweepGainDb[i] = f.LowPassSweepGain[i] + f.HighPassSweepGain[i];
      f.SweepPhase[i] = f.PhaseCopyB[i] + f.PhaseCopyA[i];
    }
  } else if (f.BothHalvesDone && isBandReject(f)) {
    const double rad = engine::Pi / 180;
    for (int i = 1; i <= kSweepPoints; ++i) {
      const std::complex<double> sum =
          std::polar(std::pow(10.0, f.LowPassSweepGain[i] / 20), f.PhaseCopyB[i] * rad) +
          std::polar(std::pow(10.0, f.HighPassSweepGain[i] / 20), f.PhaseCopyA[i] * rad);
      f.SweepGainDb[i] = toDb(std::abs(sum));
      // A sum of exactly zero has no angle: it keeps 0 degrees.
      f.SweepPhase[i] = std::abs(sum) > 0 ? std::arg(sum) / rad : 0.0;
    }
    unwrapPhase(f);
  } else {
    const bool high = f.HighPassHalf == 1;
    auto& keptGain = high ? f.HighPassSweepGain : f.LowPassSweepGain;
    auto& keptPhase = high ? f.PhaseCopyA : f.PhaseCopyB;
    for (int i = 1; i <= kSweepPoints; ++i) {
      keptGain[i] = f.TotalGainDb + f.SweepGainDb[i];
      f.SweepGainDb[i] = keptGain[i];
      keptPhase[i] = f.SweepPhase[i];
    }
  }
}

// The first frequency of the sweep: the first power of ten above a hundredth of the reference,
// so the reference lies in the second decade of the axis.
float sweepStart(float reference) {
  float start = kLowestStart;
  for (int s = 0; s < kMaxStartSteps && engine::Sng(100.0 * start) <= reference; ++s)
    start = engine::Sng(10.0 * start);
  return start;
}

// The legend starts where the sweep starts, unless the engineer fixed the start: a window that
// was not moved to the design frequency (a new pass band, a design file) would otherwise label
// an axis other than the one drawn. The window keeps its width.
void alignWindowWithSweep(CalverdonForm& f, float reference) {
  if (f.StartF.Visible) return;
  const int digits = f.DisplayDigits > 0 ? f.DisplayDigits : 3;
  const double start = sweepStart(reference);
  const double shown = FrequencyCaptionHertz(f.Gfreq[0].Caption, f.DecimalSep, digits).value_or(0);
  if (std::fabs(shown - start) <= 1e-3 * start) return;
  CalcDecades(f);
  const double end = start * std::pow(10.0, double(f.AxisDecades));
  f.Gfreq[0].Caption = engine::Engsuffix(engine::Sng(start), digits, QString(), f.DecimalSep);
  if (!f.EndF.Visible)
    f.Gfreq[3].Caption = engine::Engsuffix(engine::Sng(end), digits, QString(), f.DecimalSep);
}

}  // namespace

void SweepSections(CalverdonForm& f, float passbandDb) {
  const double height = double(f.GraphBottomY) - f.GraphTopY;
  const float offset = engine::Sng((passbandDb - 10 * engine::Int(passbandDb / 10.0)) * height / 80);
  const int sections = std::clamp(f.SectionCount, 0, engine::kLastSection);
  const bool high = f.HighPassHalf == 1;
  const float cutoffSquared = engine::Sng(double(f.DesignCutoff) * f.DesignCutoff);

  // A design without sections still gets its frequencies, so the group delay has steps.
  for (int k = std::min(1, sections); k <= sections; ++k) {
    f.PlotStartFreq = sweepStart(f.AxisRefFreq);
    f.GainHeadroom = false;
    CalcDecades(f);
    const double step = double(f.AxisDecades) * 0.012193 / 3 + 1;
    const int offsetDeg = phaseOffset(f);
    const float b0 = k > 0 ? f.PoleB0[k] : 0, b1 = k > 0 ? f.PoleB1[k] : 0;
    for (int i = 1; i <= kSweepPoints; ++i) {
      f.PlotStartFreq = engine::Sng(f.PlotStartFreq * step);
      if (k > 0) {
        const float at = high ? engine::Sng(cutoffSquared / double(f.PlotStartFreq)) : f.PlotStartFreq;
        // A section that cannot be evaluated (not set) adds nothing.
        const engine::SectionResponse r = engine::Response(b0, b1, at);
        if (r.ok) {
          f.SweepPhase[i] += high ? -r.PhaseDeg - offsetDeg : r.PhaseDeg + offsetDeg;
          f.SweepGainDb[i] += r.GainDb;
        }
      }
      const double y = f.GraphBottomY - (f.SweepGainDb[i] + 70) * height / 80 - offset;
      if (y <= f.GraphTopY) f.GainHeadroom = true;
      f.SweepFreq[i] = f.PlotStartFreq;
    }
  }
}

void DrawComputedResponse(CalverdonForm& f) {
  SetPlotArea(f);
  ClearGraph(f);

  alignWindowWithSweep(f, referenceFrequency(f));
  f.AxisDecades = isTwoEdge(f) ? twoEdgeDecades(f) : 3;
  LabelFrequencyAxis(f);
  DrawGrid(f);

  f.SweepPhase.fill(0);
  f.SweepGainDb.fill(0);
  if (isWideBandPass(f)) f.TotalGainDb = f.LowPassGainDb + f.HighPassGainDb;

  f.AxisRefFreq = referenceFrequency(f);
  SweepSections(f, f.TotalGainDb);

  LabelFrequencyAxis(f);

  // Passband gain and title.
  const double product = PassbandGainProduct(f);
  f.TotalGainDb = engine::Sng(20 * std::log10(product));
  if (f.BothHalvesDone)
    f.TotalGainDb = f.LowPassGainDb + f.HighPassGainDb;
  else if (f.HighPassHalf == 0)
    f.LowPassGainDb = f.TotalGainDb;
  else
    f.HighPassGainDb = f.TotalGainDb;
  f.Label8.Caption = GraphTitle(f);

  // Gain axis.
  const float peakDb = isBandReject(f) ? std::max(f.HighPassGainDb, f.LowPassGainDb) : f.TotalGainDb;
  LabelAmplitudeAxis(f, peakDb);
  const GainScale scale = GainScaleFromLabels(f);

  combineHalves(f);

  DrawGroupDelay(f);
  DrawGainAndPhaseTraces(f, scale);

  ShowResponseTotals(f);
}

}  // namespace graph
