#include "graph/title.h"

#include <cmath>

#include "engine/engnotation.h"
#include "engine/numbertext.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/frequencyunit.h"
#include "mainwindow/listchoices.h"

namespace graph {

double PassbandGainProduct(CalverdonForm& f) {
  double product = 1;
  for (int i = 0; i <= 4; ++i) {
    if (const std::optional<double> gain = f.ShownStageGain[i]) product *= *gain;
  }
  f.DCgain[5].Caption = engine::FormatFixedOrZero(product, 1, 3, true, f.DecimalSep);
  product = std::fabs(product);
  if (product == 0 || !std::isfinite(product)) product = 1;
  return product;
}

QString GraphTitle(const CalverdonForm& f) {
  QString title;
  if (f.CircuitMode == 1)
    title = QStringLiteral(" Sallen-Key,");
  else if (mainwindow::FullyDifferentialChosen(f))
    title = QStringLiteral(" MFB, Fully-Differential,");
  else
    title = QStringLiteral(" MFB,");

  title += QString::number(f.PoleCount);
  title += f.HighPassHalf == 1 ? QStringLiteral("-Pole High-Pass ") : QStringLiteral("-Pole Low-Pass ");

  using engine::FilterResponse;
  const std::optional<FilterResponse> response = mainwindow::ChosenResponse(f);
  if (response == FilterResponse::Chebychev) {
    title += f.ResponseName + QStringLiteral(", ") + engine::SingleText(f.RippleDb, f.DecimalSep) +
             QStringLiteral("dB Ripple: ");
  } else if (response == FilterResponse::CustomQ) {
    title += f.ResponseName + QStringLiteral(" with Custom Q: ");
  } else if (response == FilterResponse::CustomFnQ) {
    title += f.ResponseName + QStringLiteral(" with Custom Fn and Q: ");
  } else if (response) {
    title += f.ResponseName + QStringLiteral(": ");
  }

  // The cutoff as typed, in the unit the frequency boxes are written in.
  const bool radians = mainwindow::FreqUnitFactorOf(f) != 1.0;
  title += (f.HighPassHalf == 1 ? f.Text2.Text : f.Text34.Text) +
           (radians ? QStringLiteral("Rad/s Cutoff,") : QStringLiteral("Hz Cutoff,"));
  title += QStringLiteral(" Passband Gain of ") + f.DCgain[5].Caption;
  return title;
}

void ShowResponseTotals(CalverdonForm& f) {
  float gain = 0, phase = 0;
  for (int i = 0; i <= 4; ++i) {
    gain += f.StageRespDb[i];
    phase += f.StageWork[i];
  }
  f.StageRespDb[5] = gain;
  f.StageWork[5] = phase;
  f.PhaseF[5].Caption = engine::FormatFixedOrZero(phase, 1, 1, true, f.DecimalSep) + QChar(0x00BA);
  f.GainF[5].Caption = engine::FormatFixedOrZero(gain, 2, 2, true, f.DecimalSep) + QStringLiteral(" dB");
}

}  // namespace graph
