#include "mainwindow/frequencyboxes.h"

#include <algorithm>
#include <cmath>

#include "engine/engnotation.h"
#include "engine/rounding.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/choicelists.h"
#include "mainwindow/entryboxes.h"
#include "mainwindow/frequencyunit.h"
#include "mainwindow/listchoices.h"

namespace mainwindow {

namespace {

const QString kRadUnit = QStringLiteral("Rad/s");

// A hertz limit written in a box of unit `unit` times hertz. In radians per second the
// rounded text could read back just outside the limit; it then moves by one in its last
// digit, towards the inside, so a clamped box always holds a frequency within the limits.
QString limitText(const CalverdonForm& f, double limitHertz, double unit, bool minimum) {
  const double v = limitHertz * unit;
  const QString text = EngText(f, v, f.DisplayDigits);
  if (unit == 1.0) return text;
  const double shown = EngNumber(f, text).value_or(v);
  if (minimum ? !BelowLimit(shown / unit, limitHertz) : !AboveLimit(shown / unit, limitHertz))
    return text;
  const double step =
      std::pow(10.0, std::floor(std::log10(shown)) - (std::max(f.DisplayDigits, 1) - 1));
  return EngText(f, minimum ? shown + step : shown - step, f.DisplayDigits);
}

bool isBandPassOrNotch(const CalverdonForm& f) {
  return ChosenPassBandIs(f, engine::IsBandPassOrNotch);
}

// The common steps of a frequency box: an empty or zero entry takes the default, the
// separators become the locale's, a negative value its magnitude, and the value is clamped
// and rewritten in engineering notation. The box is written in a unit `unit` times hertz;
// the limits are hertz, and a clamped box shows the limit in the box's unit. An entry that
// cannot be read is answered once and then treated as an empty box. Returns the value the
// box now shows, in hertz.
double normaliseFrequencyBox(CalverdonForm& f, forms::TextBox& box, const QString& defaultText,
                             double unit) {
  CleanBoxText(f, box, defaultText);
  auto value = EngNumber(f, box.Text);
  if (!value) {
    f.Message(kNotUnderstood);
    box.Text = defaultText;
    value = EngNumber(f, box.Text);
  }
  if (value.value_or(0.0) == 0) {
    box.Text = defaultText;
    value = EngNumber(f, box.Text);
  }
  const double v = std::fabs(value.value_or(1000.0));
  if (BelowLimit(v / unit, kMinFrequency)) {
    box.Text = limitText(f, kMinFrequency, unit, true);
  } else if (AboveLimit(v / unit, kMaxFrequency)) {
    box.Text = limitText(f, kMaxFrequency, unit, false);
  } else {
    box.Text = EngText(f, v, f.DisplayDigits);
  }
  // A box that still shows what the last unit toggle wrote stands for its exact hertz.
  if (const std::optional<double> kept = FrequencyBoxHertz(f, box); kept && unit == FreqUnitFactorOf(f))
    return *kept;
  return EngNumber(f, box.Text).value_or(v) / unit;
}

// The edge frequency of the half being shown, for an empty response-frequency box.
QString edgeFrequencyText(CalverdonForm& f) {
  const QString& edge = f.HighPassHalf == 1 ? f.Text2.Text : f.Text34.Text;
  return EngText(f, EngNumber(f, edge).value_or(0.0), f.DisplayDigits);
}

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

void ShiftGraphWindow(CalverdonForm& f, double hertz, bool upperBoundInside) {
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
      const bool inUpperThird =
          upperBoundInside ? !(start * twoThirds >= hertz) : !(start * twoThirds > hertz);
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
  f.CalcDecades();
}

void FillStageFrequencies(CalverdonForm& f) {
  if (!isBandPassOrNotch(f)) return;
  // The section frequency boxes are hertz, as is the spacing; the centre box may hold
  // radians per second.
  const int n = f.PoleCount;
  const double centre = FrequencyBoxHertz(f, f.Text34).value_or(0.0);
  if (n == 1) {
    f.FnInput[0].Text = (FreqUnitFactorOf(f) == 1.0 ? f.Text34.Text
                                                    : EngText(f, centre, f.DisplayDigits)) +
                        QStringLiteral("Hz");
    return;
  }
  if (n < 2 || n > 5) return;
  const double spacing = EngNumber(f, f.SpacF.Text).value_or(0.0);
  // Stage i sits (i - (n - 1) / 2) spacings from the centre.
  for (int i = 0; i < n; ++i) {
    double fi = engine::Sng(centre + (i - (n - 1) / 2.0) * spacing);
    fi = std::clamp(fi, kMinFrequency, kMaxFrequency);
    f.FnInput[static_cast<std::size_t>(i)].Text = EngText(f, fi, f.DisplayDigits + 2);
  }
}

void Text34_Validate(CalverdonForm& f, bool&) {
  const double v =
      normaliseFrequencyBox(f, f.Text34, OneKiloText(f.DecimalSep), FreqUnitFactorOf(f));
  ShiftGraphWindow(f, v, false);
  FillStageFrequencies(f);
  f.RecomputeUnlessBusy();
}

void Text2_Validate(CalverdonForm& f, bool&) {
  const double v =
      normaliseFrequencyBox(f, f.Text2, OneKiloText(f.DecimalSep), FreqUnitFactorOf(f));
  ShiftGraphWindow(f, v, false);
  f.RecomputeUnlessBusy();
}

void SpacF_Validate(CalverdonForm& f, bool&) {
  const double v = normaliseFrequencyBox(f, f.SpacF, OneKiloText(f.DecimalSep), 1.0);
  ShiftGraphWindow(f, v, true);
  FillStageFrequencies(f);
  f.RecomputeUnlessBusy();
}

void Text12_Validate(CalverdonForm& f, bool&) {
  forms::TextBox& box = f.Text12;
  CleanBoxText(f, box, QStringLiteral("10") + f.DecimalSep + QStringLiteral("00 k"));
  const auto value = EngNumber(f, box.Text);
  if (!value) {
    f.Message(kNotUnderstood);
    box.Text.clear();
    return;
  }
  double v = std::fabs(*value);
  if (v == 0) v = 10000;
  if (BelowLimit(v, 100)) v = 100;
  if (AboveLimit(v, 1e7)) v = 1e7;
  box.Text = EngText(f, v, f.DisplayDigits);
  // The resistor box recomputes even while the window is busy.
  f.SuppressUpdate = false;
  f.SequenceUpdateScreen();
}

void RespF_Validate(CalverdonForm& f, bool&) {
  forms::TextBox& box = f.RespF;
  if (box.Text.isEmpty()) box.Text = edgeFrequencyText(f);
  CleanBoxText(f, box, QString());

  auto value = EngNumber(f, box.Text);
  if (!value) {
    f.Message(kNotUnderstood);
    box.Text = edgeFrequencyText(f);
    value = EngNumber(f, box.Text);
  } else if (*value == 0) {
    box.Text = edgeFrequencyText(f);
    value = EngNumber(f, box.Text);
  }
  // Through text and back, so the stored value is the one the box shows.
  box.Text = EngText(f, value.value_or(0.0), f.DisplayDigits);
  // The box is written in the unit shown; its limits and the design are hertz.
  const double unit = FreqUnitFactorOf(f);
  double v = std::fabs(EngNumber(f, box.Text).value_or(0.0));
  if (v == 0) v = 10000.0;
  if (BelowLimit(v / unit, 0.01)) {
    box.Text = limitText(f, 0.01, unit, true);
  } else if (AboveLimit(v / unit, 1e9)) {
    box.Text = limitText(f, 1e9, unit, false);
  } else {
    box.Text = EngText(f, v, f.DisplayDigits);
  }
  v = EngNumber(f, box.Text).value_or(v);
  f.RespFreq = engine::Sng(v / unit);

  f.GraphLeftX = 0;
  f.GraphRightX = f.Graph.Width;
  f.GraphBottomY = f.Graph.Height;
  f.GraphTopY = 0;

  f.PlotStartFreq = engine::Sng(captionHertz(f, f.Gfreq[0].Caption));
  f.CalcDecades();
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
  f.RecomputeUnlessBusy();
}

void SigDig_Validate(CalverdonForm& f, bool&) {
  forms::TextBox& box = f.SigDig;
  CleanBoxText(f, box, QString());
  auto value = EngNumber(f, box.Text);
  if (!value && !box.Text.isEmpty()) f.Message(kNotUnderstood);
  // The whole part of the magnitude, 1 .. 6 (0 and an empty box give 4).
  double digits = engine::Int(std::fabs(value.value_or(0.0)));
  if (digits == 0) digits = 4;
  if (digits > 6) digits = 6;
  box.Text = QString::number(static_cast<int>(digits));
  if (digits > 0) f.RecomputeUnlessBusy();
}

}  // namespace mainwindow
