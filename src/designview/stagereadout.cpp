#include "designview/stagereadout.h"

#include <cmath>

#include "designview/sensitivities.h"
#include "engine/engnotation.h"
#include "engine/numbertext.h"
#include "engine/rounding.h"
#include "engine/sectionresponse.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/frequencyunit.h"
#include "mainwindow/listchoices.h"

namespace designview {

namespace {

void showStageLetters(CalverdonForm& f) {
  forms::Label* letters[5] = {&f.Label2, &f.Label3, &f.Label4, &f.Label5, &f.Label6};
  for (int i = 1; i < 5; ++i) letters[i]->Visible = false;
  const std::optional<engine::PassBand> band = mainwindow::ChosenPassBand(f);
  if (band && engine::IsCascade(*band)) {
    static const char* const kOdd[5] = {"Real ", "A ", "B ", "C ", "D "};
    static const char* const kEven[5] = {"A ", "B ", "C ", "D ", "E "};
    for (int i = 0; i < 5; ++i)
      letters[i]->Caption = QLatin1String(f.OddOrder != 0 ? kOdd[i] : kEven[i]);
  } else if (!band) {
    f.Label2.Caption = QStringLiteral("HP");
    f.Label3.Caption = QStringLiteral("LP");
  }
  int shown = 0;
  if (f.PoleCount > 8) shown = 5;
  else if (f.PoleCount >= 7) shown = 4;
  else if (f.PoleCount >= 5) shown = 3;
  else if (f.PoleCount >= 3) shown = 2;
  for (int i = 0; i < shown; ++i) letters[i]->Visible = true;
}


}  // namespace

void StageReadout(CalverdonForm& f, int k) {
  if (k < 1 || k > 5 || k > f.SectionCount) return;
  const int i = f.SectionCount - k;  // display position
  const QChar sep = f.DecimalSep;

  if (const auto typed = engine::EngValue(f.RespF.Text, sep)) {
    const float v = engine::Sng(*typed);
    if (std::isfinite(v)) f.RespFreq = v;
  }
  f.Label35.Caption = mainwindow::ResponseAtCaption(f, f.RespFreq);

  showStageLetters(f);

  if (f.RespFreq == 0) f.RespFreq = 1000.0f;
  // The box's exact hertz while it shows what a unit toggle wrote.
  const std::optional<double> kept = mainwindow::FrequencyBoxHertz(f, f.RespF);
  const double respHz = kept && *kept != 0 ? *kept : f.RespFreq / mainwindow::FreqUnitFactorOf(f);
  // The high-pass response at f is the low-pass prototype's at fc^2 / f.
  const double probe = f.HighPassHalf == 1 ? double(f.DesignCutoff) * f.DesignCutoff / respHz
                                           : respHz;

  float& gain = f.StageGainActual[k];
  if (gain == 0) gain = 1.0f;
  if (f.HighPassStageGain[k] == 0) f.HighPassStageGain[k] = 1.0f;
  if (f.LowPassStageGain[k] == 0) f.LowPassStageGain[k] = 1.0f;

  f.GainF[i].Caption.clear();
  f.PhaseF[i].Caption.clear();
  const engine::SectionResponse r =
      engine::Response(f.PoleB0[k], f.PoleB1[k], engine::Sng(probe));
  if (!r.ok || !std::isfinite(probe)) return;
  if (f.HighPassHalf == 1) {
    f.HighPassRespGain[k] = r.GainDb;
    f.HighPassStageGain[k] = gain;
  } else {
    f.LowPassRespGain[k] = r.GainDb;
    f.LowPassStageGain[k] = gain;
  }

  const float gainDb = engine::Sng(20.0 * std::log10(double(gain)) + r.GainDb);
  const double phase = f.HighPassHalf == 1 ? -r.PhaseDeg : r.PhaseDeg;
  if (!std::isfinite(gainDb) || !std::isfinite(phase)) return;
  f.StageRespDb[i] = gainDb;
  f.StageWork[i] = engine::Sng(phase);
  f.GainF[i].Caption = engine::FormatFixed(gainDb, 2, 2, true, sep) + QStringLiteral(" dB");
  f.PhaseF[i].Caption = engine::FormatFixed(f.StageWork[i], 1, 1, true, sep) + QChar(0x00BA);
}

}  // namespace designview
