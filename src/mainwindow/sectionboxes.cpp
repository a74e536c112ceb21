#include "mainwindow/sectionboxes.h"

#include <cmath>
#include <optional>

#include "engine/engnotation.h"
#include "engine/rounding.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/entryboxes.h"
#include "mainwindow/frequencyboxes.h"
#include "mainwindow/listchoices.h"
#include "mainwindow/poleboxes.h"

namespace mainwindow {

namespace {

bool isStageRow(int i) { return i >= 0 && i < kMaxStages; }

// The copies of the half on screen.
StageTexts& keptFnTexts(CalverdonForm& f) {
  return f.HighPassHalf == 1 ? f.HighPassFnText : f.LowPassFnText;
}
StageTexts& keptQTexts(CalverdonForm& f) { return f.HighPassHalf == 1 ? f.QTextHP : f.QTextLP; }

// The smallest Q a box takes: a band-pass stage needs more than 0.5, as the stage Q box.
double minimumQ(const CalverdonForm& f) {
  return ChosenPassBandIs(f, engine::PassBand::BandPass) ? 0.51 : 0.001;
}

// A band-pass stage cannot have more gain than its Q: the gain box is cut to it. An empty gain
// box stands for a gain of 1; one that cannot be read is left alone.
void limitBandPassGain(CalverdonForm& f, int i, double q) {
  forms::TextBox& gain = f.GainTB[i];
  const std::optional<double> g =
      gain.Text.trimmed().isEmpty() ? std::optional<double>(1.0) : EngNumber(f, gain.Text);
  if (!g || !(engine::Sng(q) < engine::Sng(*g))) return;
  gain.Text = NumberText(f, q);
  f.Message(QStringLiteral("The gain of this section has been reduced to match Q."));
}

}  // namespace

double SectionFrequencyInLimits(double hertz) {
  return MagnitudeInLimits(hertz, 1000, kMinFrequency, kMaxFrequency);
}

double SectionQInLimits(const CalverdonForm& f, double q) {
  double v = std::fabs(q);
  if (BelowLimit(v, minimumQ(f))) v = minimumQ(f);
  if (AboveLimit(v, kMaxFrequency)) v = kMaxFrequency;
  return v;
}

QString SectionFrequencyText(const CalverdonForm& f, double hertz) {
  return EngText(f, hertz, f.DisplayDigits) + QStringLiteral("Hz");
}

QString SectionQText(const CalverdonForm& f, double q) {
  return EngText(f, q, f.DisplayDigits + 2);
}

void FnInput_Validate(CalverdonForm& f, int i, bool&) {
  if (!isStageRow(i)) return;
  forms::TextBox& box = f.FnInput[i];
  engine::CorrectD(box.Text, f.DecimalSep);
  std::optional<double> value = EngNumber(f, box.Text);  // a trailing "Hz" is no part of it
  if (!value) {
    f.Message(kNotUnderstood);
    box.Text = QStringLiteral("1 k");
    keptFnTexts(f)[i] = box.Text;
    return;
  }
  box.Text = SectionFrequencyText(f, SectionFrequencyInLimits(*value));
  keptFnTexts(f)[i] = box.Text;
  f.RecomputeUnlessBusy();
}

void QInput_Validate(CalverdonForm& f, int i, bool&) {
  if (!isStageRow(i)) return;
  forms::TextBox& box = f.QInput[i];
  engine::CorrectD(box.Text, f.DecimalSep);
  const std::optional<double> value = EngNumber(f, box.Text);
  if (!value) {
    f.Message(kNotUnderstood);
    return;
  }
  const double q = SectionQInLimits(f, *value);
  if (ChosenPassBandIs(f, engine::PassBand::BandPass)) limitBandPassGain(f, i, q);
  box.Text = SectionQText(f, q);
  keptQTexts(f)[i] = box.Text;
  f.RecomputeUnlessBusy();
}

}  // namespace mainwindow
