#include "graph/graphlimits.h"

#include <algorithm>
#include <cmath>

#include "engine/engnotation.h"
#include "engine/rounding.h"
#include "graph/axes.h"
#include "graph/gainaxis.h"
#include "graph/graphsettings.h"
#include "graph/surface.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/entryboxes.h"
#include "mainwindow/frequencyunit.h"

namespace graph {

namespace {

constexpr int kTopLabel = 0, kBottomLabel = 8;
constexpr int kTopPrompt = 21, kBottomPrompt = 20;
constexpr int kStartLabel = 0, kEndLabel = 3;
// The window boxes hold frequencies the frequency boxes allow.
constexpr double kLowestWindowHertz = 0.001, kHighestWindowHertz = 2e8;
// The narrowest window the axis draws (below it the decades fall back to three).
constexpr double kLeastWindowDecades = 0.01;

int digitsOf(const CalverdonForm& f) { return f.DisplayDigits > 0 ? f.DisplayDigits : 3; }

// A gain end in dB: the limit box's text, or the axis label it replaces while it is empty.
std::optional<double> gainEnd(const CalverdonForm& f, const forms::TextBox& box,
                              const forms::Label& label) {
  const std::optional<double> v =
      GainTextValue(box.Text.isEmpty() ? label.Caption : box.Text, f.DecimalSep);
  if (!v || !std::isfinite(*v)) return std::nullopt;
  return v;
}

void leaveGainLimit(CalverdonForm& f, forms::TextBox& box, double lowest, double highest,
                    int topic) {
  if (box.Text.isEmpty()) {
    box.Visible = false;
    return;
  }
  const std::optional<double> v = GainTextValue(box.Text, f.DecimalSep);
  const std::optional<double> top = gainEnd(f, f.TopAmp, f.Ampl[kTopLabel]);
  const std::optional<double> bottom = gainEnd(f, f.BotAmp, f.Ampl[kBottomLabel]);
  const bool accepted = v && std::isfinite(*v) && !(*v > highest) && !(*v < lowest) && top &&
                        bottom && !(std::fabs(*top - *bottom) < kLeastGainSpan);
  if (!accepted) {
    box.Text.clear();
    return;
  }
  f.PromptTopic = topic;
  f.RecomputeUnlessBusy();
}

// A window box's frequency in hertz. A text with a unit says what it is; a plain number is
// in the unit the legend shows.
std::optional<double> windowBoxHertz(const CalverdonForm& f, const QString& text) {
  const QString t = text.trimmed();
  if (t.endsWith(QLatin1String("Hz"), Qt::CaseInsensitive) ||
      t.endsWith(QLatin1String("Rad/s"), Qt::CaseInsensitive))
    return FrequencyCaptionHertz(t, f.DecimalSep, digitsOf(f));
  const std::optional<double> v = engine::EngValue(t, f.DecimalSep);
  if (!v) return std::nullopt;
  return *v / mainwindow::FreqUnitFactorOf(f);
}

// The ends of the window in hertz as the axis reads them (0 when unreadable).
double windowEndHertz(const CalverdonForm& f, const forms::TextBox& box, const forms::Label& legend) {
  return FrequencyCaptionHertz(box.Visible ? box.Text : legend.Caption, f.DecimalSep, digitsOf(f))
      .value_or(0.0);
}

void closeWindowBox(forms::TextBox& box) {
  box.Text.clear();
  box.Visible = false;
}

void leaveWindowBox(CalverdonForm& f, forms::TextBox& box) {
  if (box.Text.trimmed().isEmpty()) {
    closeWindowBox(box);
  } else if (const std::optional<double> hertz = windowBoxHertz(f, box.Text); !hertz) {
    f.Message(mainwindow::kNotUnderstood);
    closeWindowBox(box);
  } else if (!(std::fabs(*hertz) > 0) || !std::isfinite(*hertz)) {
    closeWindowBox(box);
  } else {
    const double v = std::clamp(std::fabs(*hertz), kLowestWindowHertz, kHighestWindowHertz);
    box.Text = FrequencyLegendText(f, v);
    const double start = windowEndHertz(f, f.StartF, f.Gfreq[kStartLabel]);
    const double end = windowEndHertz(f, f.EndF, f.Gfreq[kEndLabel]);
    // A window that runs backwards or has no width cannot be drawn: the box is given up and
    // the legend's end stands again.
    if (!(start > 0 && end > 0 && std::log10(end / start) >= kLeastWindowDecades)) closeWindowBox(box);
  }
  CalcDecades(f);
  f.RecomputeUnlessBusy();
}

}  // namespace

void Ampl_Click(CalverdonForm& f, int index) {
  if (index == kTopLabel) {
    f.TopAmp.Visible = true;
  } else if (index == kBottomLabel) {
    f.BotAmp.Visible = true;
  } else {
    return;
  }
  AmplLimit_GotFocus(f);
}

void AmplLimit_GotFocus(CalverdonForm& f) {
  if (f.TopAmp.Text.isEmpty()) f.TopAmp.Text = f.Ampl[kTopLabel].Caption;
  if (f.BotAmp.Text.isEmpty()) f.BotAmp.Text = f.Ampl[kBottomLabel].Caption;
}

void TopAmp_LostFocus(CalverdonForm& f) {
  leaveGainLimit(f, f.TopAmp, kTopLimitLowest, kTopLimitHighest, kTopPrompt);
}

void BotAmp_LostFocus(CalverdonForm& f) {
  leaveGainLimit(f, f.BotAmp, kBottomLimitLowest, kBottomLimitHighest, kBottomPrompt);
}

void Gfreq_Click(CalverdonForm& f, int index) {
  forms::TextBox* box = index == kStartLabel ? &f.StartF : index == kEndLabel ? &f.EndF : nullptr;
  if (box == nullptr) return;
  box->Text = f.Gfreq[static_cast<std::size_t>(index)].Caption;
  box->Visible = true;
  f.SetFocus(*box);
}

void StartF_LostFocus(CalverdonForm& f) { leaveWindowBox(f, f.StartF); }
void EndF_LostFocus(CalverdonForm& f) { leaveWindowBox(f, f.EndF); }

double CursorFrequency(CalverdonForm& f, double x) {
  SetPlotArea(f);
  const double start = FrequencyCaptionHertz(f.StartF.Visible ? f.StartF.Text : f.Gfreq[0].Caption,
                                             f.DecimalSep, digitsOf(f))
                           .value_or(0.0);
  CalcDecades(f);
  if (!(f.Graph.Width > 0) || !(start > 0) || !std::isfinite(start)) return 0;
  const double hertz =
      start * std::pow(10.0, (x - f.GraphLeftX) * double(f.AxisDecades) / f.Graph.Width);
  return std::isfinite(hertz) ? hertz : 0.0;
}

void Graph_MouseDown(CalverdonForm& f, double x) {
  const double hertz = CursorFrequency(f, x);
  // The box is written in the unit of the frequency boxes, as its validation reads it.
  f.RespF.Text = engine::Engsuffix(engine::Sng(hertz * mainwindow::FreqUnitFactorOf(f)),
                                   digitsOf(f), QString(), f.DecimalSep);
}

void Decades_Click(CalverdonForm& f) { f.SequenceUpdateScreen(); }

void RegisterGraphLimits(CalverdonForm& f) {
  using forms::Event;
  using forms::EventArgs;
  f.on(QStringLiteral("Ampl"), Event::Click, [&f](EventArgs& e) { Ampl_Click(f, e.Index); });
  for (const char* box : {"TopAmp", "BotAmp"})
    f.on(QLatin1String(box), Event::GotFocus, [&f](EventArgs&) { AmplLimit_GotFocus(f); });
  f.on(QStringLiteral("TopAmp"), Event::LostFocus, [&f](EventArgs&) { TopAmp_LostFocus(f); });
  f.on(QStringLiteral("BotAmp"), Event::LostFocus, [&f](EventArgs&) { BotAmp_LostFocus(f); });
  f.on(QStringLiteral("Gfreq"), Event::Click, [&f](EventArgs& e) { Gfreq_Click(f, e.Index); });
  f.on(QStringLiteral("StartF"), Event::LostFocus, [&f](EventArgs&) { StartF_LostFocus(f); });
  f.on(QStringLiteral("EndF"), Event::LostFocus, [&f](EventArgs&) { EndF_LostFocus(f); });
  f.on(QStringLiteral("Graph"), Event::MouseDown, [&f](EventArgs& e) { Graph_MouseDown(f, e.X); });
  f.on(QStringLiteral("Graph"), Event::DblClick, [&f](EventArgs&) { Graph_DblClick(f); });
  f.on(QStringLiteral("Decades"), Event::Click, [&f](EventArgs&) { Decades_Click(f); });
}

}  // namespace graph
