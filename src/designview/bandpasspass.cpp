#include "designview/bandpasspass.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>

#include "designview/bpnotchschematic.h"
#include "engine/bandpassnotch.h"
#include "engine/engnotation.h"
#include "engine/rounding.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/entryboxes.h"
#include "mainwindow/listchoices.h"
#include "mainwindow/poleboxes.h"

namespace designview {

namespace {

using mainwindow::kMaxStages;

int stageCount(const CalverdonForm& f) { return std::clamp(f.PoleCount, 0, kMaxStages); }

// The stage letters of the readout rows: A for the first stage, up to the last stage.
void showStageLetters(CalverdonForm& f) {
  forms::Label* letters[kMaxStages] = {&f.Label2, &f.Label3, &f.Label4, &f.Label5, &f.Label6};
  const int stages = stageCount(f);
  for (int i = 0; i < kMaxStages; ++i) {
    letters[i]->Caption = QString(QChar('A' + i));
    letters[i]->Visible = i == 0 || i < stages;
  }
}

// The series of the stage parts; band-pass and notch stages are never a high-pass half.
engine::SeriesChoice seriesOf(const CalverdonForm& f) {
  engine::SeriesChoice s;
  s.Resistors = mainwindow::ChosenResistorSeries(f);
  s.Capacitors = mainwindow::ChosenCapacitorSeries(f);
  return s;
}

QString valueText(const CalverdonForm& f, float v) {
  return engine::Engsuffix(v, f.DisplayDigits, QString(), f.DecimalSep);
}

// The gain a band-pass stage's readout shows: the realised gain, or the asked gain where the
// two differ only by the rounding of single-precision arithmetic (an exact divider). Without
// this, the unity gain of an empty box, realised a few parts in 10^8 low, would read "1000m".
float shownGain(float realised, float asked) {
  return std::fabs(double(realised) - double(asked)) <= 1e-6 * double(asked) ? asked : realised;
}

// The inputs every stage reads: seed resistor and centre frequency (hertz) of stage i.
struct StageInputs {
  std::optional<float> seed, f0;
};
StageInputs stageInputs(CalverdonForm& f, int i) {
  f.HighPassHalf = 0;
  StageInputs in{mainwindow::EngSingle(f, f.Text12.Text),
                 mainwindow::EngSingle(f, f.FnInput[i].Text)};
  if (in.f0) f.RespFreq = *in.f0;  // until the end block reads the response box again
  return in;
}

// A stage that cannot be built shows no values.
void clearStageValues(CalverdonForm& f, int i) {
  for (forms::Label* l : {&f.R1[i], &f.R2[i], &f.R3[i], &f.R4[i], &f.R5[i], &f.R6[i], &f.C1L[i],
                          &f.C2L[i], &f.DCgain[i]})
    l->Caption.clear();
  f.ShownStageGain[i].reset();
  f.BpR1[i] = f.BpR2[i] = f.BpR3[i] = f.BpR4[i] = f.BpR5[i] = f.BpC[i] = 0;
  f.SectionC1[i] = f.SectionC2[i] = 0;
}

}  // namespace

void BandPassPass(CalverdonForm& f) {
  showStageLetters(f);
  const engine::SeriesChoice series = seriesOf(f);
  for (int i = 0; i < stageCount(f); ++i) {
    const StageInputs in = stageInputs(f, i);
    const QString& gainText = f.GainTB[i].Text;
    const std::optional<float> gain = gainText.trimmed().isEmpty()
                                          ? std::optional<float>(1.0f)
                                          : mainwindow::EngSingle(f, gainText);
    const std::optional<float> q = mainwindow::EngSingle(f, f.QInput[i].Text);
    std::optional<engine::BandPassStage> s;
    if (gain && q && in.seed && in.f0)
      s = engine::BandPassComponents(*gain, *q, *in.seed, *in.f0, series);
    if (!s) {
      clearStageValues(f, i);
      continue;
    }
    f.StageGain = s->Gain;
    f.StageQ = s->Q;
    // The labels name the divider's series resistor R4 and its resistor to ground R5.
    f.BpR1[i] = s->R;
    f.BpR2[i] = s->R2;
    f.BpR3[i] = s->R3;
    f.BpR4[i] = s->R5;
    f.BpR5[i] = s->R4;
    f.SectionC1[i] = s->C;
    f.SectionC2[i] = s->C;
    // The picture follows the stage as built: without a series resistor there is no divider.
    ShowBandPassStage(f, i, s->R5 != 0.0f);
    f.R1[i].Caption = valueText(f, f.BpR1[i]);
    f.R2[i].Caption = valueText(f, f.BpR2[i]);
    f.R3[i].Caption = valueText(f, f.BpR3[i]);
    f.R4[i].Caption = valueText(f, f.BpR4[i]);
    f.R5[i].Caption = valueText(f, f.BpR5[i]);
    const float shown = shownGain(s->Gain, *gain);
    f.DCgain[i].Caption = valueText(f, shown);
    f.ShownStageGain[i] = shown;
    f.C1L[i].Caption = valueText(f, f.SectionC1[i]);
    f.C2L[i].Caption = f.C1L[i].Caption;
  }
}

void NotchPass(CalverdonForm& f) {
  showStageLetters(f);
  const engine::SeriesChoice series = seriesOf(f);
  // One Q for every notch stage.
  const std::optional<float> q = mainwindow::EngSingle(f, f.Text3.Text);
  for (int i = 0; i < stageCount(f); ++i) {
    const StageInputs in = stageInputs(f, i);
    f.StageGain = 1.0f;
    std::optional<engine::NotchStage> s;
    if (q && in.seed && in.f0) s = engine::NotchComponents(*q, *in.seed, *in.f0, series);
    if (!s) {
      clearStageValues(f, i);
      continue;
    }
    f.StageQ = *q;
    // The parts come in equal pairs.
    f.BpR1[i] = f.BpR2[i] = s->RQ;
    f.BpR3[i] = f.BpR4[i] = s->Rf;
    f.BpR5[i] = f.BpC[i] = s->R;
    f.SectionC1[i] = f.SectionC2[i] = s->C;
    f.R1[i].Caption = valueText(f, f.BpR1[i]);
    f.R2[i].Caption = valueText(f, f.BpR2[i]);
    f.R3[i].Caption = valueText(f, f.BpR3[i]);
    f.R4[i].Caption = valueText(f, f.BpR4[i]);
    f.R5[i].Caption = valueText(f, f.BpR5[i]);
    f.R6[i].Caption = valueText(f, f.BpC[i]);
    f.C1L[i].Caption = valueText(f, f.SectionC1[i]);
    f.C2L[i].Caption = valueText(f, f.SectionC2[i]);
    f.DCgain[i].Caption = QStringLiteral("1");
    f.ShownStageGain[i] = 1.0;
  }
}

}  // namespace designview
