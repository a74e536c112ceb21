#include "graph/frequencywindow.h"

#include <algorithm>
#include <cmath>

#include "engine/engnotation.h"
#include "engine/rounding.h"
#include "graph/axes.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/entryboxes.h"
#include "mainwindow/frequencyunit.h"

namespace graph {

namespace {

using mainwindow::EngText;
using mainwindow::FreqUnitFactorOf;

const QString kRadUnit = QStringLiteral("Rad/s");

int captionDigits(const CalverdonForm& f) { return f.DisplayDigits > 0 ? f.DisplayDigits : 3; }

double captionHertz(const CalverdonForm& f, const QString& caption) {
  return FrequencyCaptionHertz(caption, f.DecimalSep, captionDigits(f)).value_or(0.0);
}

// An end of the frequency window in hertz: the engineer's limit box when it holds text, else
// the legend caption at that end.
double windowEnd(const CalverdonForm& f, const forms::TextBox& limit, const forms::Label& legend) {
  return captionHertz(f, limit.Text.isEmpty() ? legend.Caption : limit.Text);
}

// A window end as the axis writes it: hertz without a unit, or radians per second with the
// unit, which reads back as the same hertz.
QString windowCaption(const CalverdonForm& f, double hertz) {
  const double unit = FreqUnitFactorOf(f);
  if (unit == 1.0) return EngText(f, hertz, f.DisplayDigits);
  return engine::Engsuffix(engine::Sng(hertz * unit), captionDigits(f), kRadUnit, f.DecimalSep);
}

}  // namespace

std::optional<double> FrequencyCaptionHertz(const QString& caption, QChar decimalSep,
                                            int digits) {
  const std::optional<double> value = engine::EngValue(caption, decimalSep);
  if (!value) return std::nullopt;
  if (!caption.trimmed().endsWith(kRadUnit, Qt::CaseInsensitive)) return value;
  const double hertz = *value / (2 * engine::Pi);
  if (!(std::fabs(hertz) > 0) || !std::isfinite(hertz)) return hertz;
  const QString written = engine::Engsuffix(engine::Sng(*value), digits, kRadUnit, decimalSep);
  const double magnitude = std::floor(std::log10(std::fabs(hertz)));
  for (int d = 1; d <= digits; ++d) {
    const double step = std::pow(10.0, magnitude - (d - 1));
    const double candidate = std::round(hertz / step) * step;
    if (engine::Engsuffix(engine::Sng(candidate * 2 * engine::Pi), digits, kRadUnit,
                          decimalSep) == written)
      return candidate;
  }
  return hertz;
}

void ShiftGraphWindow(CalverdonForm& f, double hertz) {
  const double k = f.AxisDecades;
  double start = windowEnd(f, f.StartF, f.Gfreq[0]);
  double end = windowEnd(f, f.EndF, f.Gfreq[3]);
  const bool usable = std::isfinite(k) && k > 0 && std::isfinite(start) && start > 0 &&
                      std::isfinite(hertz) && hertz > 0;
  if (usable) {
    if (!(end > 0) || !std::isfinite(end)) end = start * std::pow(10.0, k);
    const double third = std::pow(10.0, k / 3);
    const double twoThirds = std::pow(10.0, 2 * k / 3);
    const double fourThirds = std::pow(10.0, 4 * k / 3);
    // Each step moves a third of the width. A frequency on a boundary (within rounding)
    // could send the window back and forth: a step against the previous one ends the walk.
    // The bound only matters for absurd windows (a tiny width far from the frequency),
    // where the window stops where it got to.
    int lastDirection = 0;
    for (int step = 0; step < 2000; ++step) {
      const bool inUpperThird = !(start * twoThirds > hertz);
      int direction = 0;
      if (inUpperThird) {
        direction = 1;
      } else if (start * third > hertz) {
        direction = -1;
      }
      if (direction == 0 || direction == -lastDirection) break;
      const double nextStart = direction > 0 ? start * third : start / third;
      const double nextEnd = direction > 0 ? start * fourThirds : start * twoThirds;
      if (!std::isfinite(nextStart) || !std::isfinite(nextEnd) || !(nextStart > 0)) break;
      start = nextStart;
      end = nextEnd;
      lastDirection = direction;
      if (start * third <= hertz && hertz <= start * twoThirds) break;
    }
    f.Gfreq[0].Caption = windowCaption(f, start);
    if (!f.StartF.Text.isEmpty()) f.StartF.Text = f.Gfreq[0].Caption;
    f.Gfreq[3].Caption = windowCaption(f, end);
    if (!f.EndF.Text.isEmpty()) f.EndF.Text = f.Gfreq[3].Caption;
  }
  CalcDecades(f);
}

void PlaceResponseCursor(CalverdonForm& f) {
  f.GraphLeftX = 0;
  f.GraphRightX = f.Graph.Width;
  f.GraphBottomY = f.Graph.Height;
  f.GraphTopY = 0;

  f.PlotStartFreq = engine::Sng(captionHertz(f, f.Gfreq[0].Caption));
  CalcDecades(f);
  if (!(f.PlotStartFreq > 0) || !std::isfinite(f.PlotStartFreq)) {
    f.PlotStartFreq = 100;
    f.Gfreq[0].Caption = QStringLiteral("100Hz");
    f.Gfreq[3].Caption = QStringLiteral("100kHz");
    f.AxisDecades = 3;
  }

  // The cursor line stands at the response frequency on the logarithmic axis.
  if (f.AxisDecades != 0 && std::isfinite(f.AxisDecades)) {
    const float gridX = engine::Sng(
        f.GraphLeftX + static_cast<double>(f.Graph.Width) *
                           std::log10(static_cast<double>(f.RespFreq) / f.PlotStartFreq) /
                           f.AxisDecades);
    if (std::isfinite(gridX)) {
      const double x = std::clamp(static_cast<double>(gridX), -1e6, 1e6);
      f.Cursor.X1 = static_cast<int>(std::lround(x));
      f.Cursor.X2 = f.Cursor.X1;
    }
  }
}

void WindowAxis::CalcDecades() { graph::CalcDecades(f_); }
void WindowAxis::ShiftWindow(double hertz) {
  ShiftGraphWindow(f_, hertz);
}
void WindowAxis::PlaceResponseCursor() { graph::PlaceResponseCursor(f_); }

}  // namespace graph
