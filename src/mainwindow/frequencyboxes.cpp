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
  // A box whose default is no frequency at all (the spacing's "0") keeps that default.
  if (v == 0) {
    box.Text = defaultText;
    return 0;
  }
  box.Text = FrequencyBoxText(f, v, unit);
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

// The graph window as a centre entry leaves it: the centre frequency in its middle third.
void showCentre(CalverdonForm& f) {
  if (const std::optional<double> centre = FrequencyBoxHertz(f, f.Text34))
    f.ShiftGraphWindow(*centre);
}

}  // namespace

double FrequencyBoxInLimits(double v, double unit) {
  const double a = std::fabs(v);
  if (BelowLimit(a / unit, kMinFrequency)) return kMinFrequency * unit;
  if (AboveLimit(a / unit, kMaxFrequency)) return kMaxFrequency * unit;
  return a;
}

QString FrequencyBoxText(const CalverdonForm& f, double v, double unit) {
  if (BelowLimit(v / unit, kMinFrequency)) return limitText(f, kMinFrequency, unit, true);
  if (AboveLimit(v / unit, kMaxFrequency)) return limitText(f, kMaxFrequency, unit, false);
  return EngText(f, v, f.DisplayDigits);
}

double SeedInLimits(double ohms) { return MagnitudeInLimits(ohms, 10000, kMinSeed, kMaxSeed); }

void FillStageFrequencies(CalverdonForm& f, int stages) {
  if (!isBandPassOrNotch(f)) return;
  // The section frequency boxes are hertz, as is the spacing; the centre box may hold
  // radians per second.
  const int n = stages;
  const double centre = FrequencyBoxHertz(f, f.Text34).value_or(0.0);
  if (n == 1) {
    f.FnInput[0].Text = (FreqUnitFactorOf(f) == 1.0 ? f.Text34.Text
                                                    : EngText(f, centre, f.DisplayDigits)) +
                        QStringLiteral("Hz");
    return;
  }
  if (n < 2 || n > 5) return;
  // An empty or unreadable spacing is no stagger: every stage at the centre.
  const double spacing = EngNumber(f, f.SpacF.Text).value_or(0.0);
  // Stage i sits (i - (n - 1) / 2) spacings from the centre.
  for (int i = 0; i < n; ++i) {
    double fi = engine::Sng(centre + (i - (n - 1) / 2.0) * spacing);
    fi = std::clamp(fi, kMinFrequency, kMaxFrequency);
    f.FnInput[static_cast<std::size_t>(i)].Text = EngText(f, fi, f.DisplayDigits + 2);
  }
}

void SpreadStagesFromCentre(CalverdonForm& f, int stages) {
  if (!isBandPassOrNotch(f)) return;
  showCentre(f);
  FillStageFrequencies(f, stages);
}

void Text34_Validate(CalverdonForm& f, bool&) {
  normaliseFrequencyBox(f, f.Text34, OneKiloText(f.DecimalSep), FreqUnitFactorOf(f));
  showCentre(f);
  FillStageFrequencies(f, f.PoleCount);
  f.RecomputeUnlessBusy();
}

void Text2_Validate(CalverdonForm& f, bool&) {
  const double v =
      normaliseFrequencyBox(f, f.Text2, OneKiloText(f.DecimalSep), FreqUnitFactorOf(f));
  f.ShiftGraphWindow(v);
  f.RecomputeUnlessBusy();
}

void SpacF_Validate(CalverdonForm& f, bool&) {
  // Tabbing through the box is no entry: stage frequencies the engineer typed stay.
  const bool leftAsItWas = f.SpacingAtFocus && *f.SpacingAtFocus == f.SpacF.Text;
  f.SpacingAtFocus.reset();
  normaliseFrequencyBox(f, f.SpacF, QStringLiteral("0"), 1.0);
  if (leftAsItWas) return;
  // The spacing is a difference of frequencies, not a place on the axis: the window stays on
  // the centre the stages are spread round.
  showCentre(f);
  FillStageFrequencies(f, f.PoleCount);
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
  box.Text = EngText(f, SeedInLimits(*value), f.DisplayDigits);
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

  f.PlaceResponseCursor();
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
