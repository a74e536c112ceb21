#include "mainwindow/startup.h"

#include "engine/engnotation.h"
#include "engine/vbmath.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/entryboxes.h"

namespace mainwindow {

QChar DecimalSepOf(const QString& textOfHalf) {
  return textOfHalf.size() >= 2 ? textOfHalf.at(1) : QLatin1Char('.');
}

void SetStartDefaults(CalverdonForm& f, QChar decimalSep) {
  f.DecimalSep = decimalSep;
  f.DisplayDigits = 3;
  f.PhaseTraceColor = forms::kRed;
  f.GainTraceColor = forms::kGreen;
  f.GroupDelayTraceColor = forms::kBlack;

  auto startText = [&f](float value) {
    return engine::Engsuffix(value, 4, QString(), f.DecimalSep);
  };
  f.Text34.Text = startText(1000);
  f.Text2.Text = startText(10000);
  f.Text12.Text = startText(10000);
  f.RespF.Text = f.Text12.Text;

  f.SectionGain[2] = 1.0f;
  // The ripple box looks inactive until a response with ripple is chosen.
  f.Text19.BackColor = f.BackColor;
  f.PromptTopic = 1;
  const forms::TextBox& poles = f.HighPassHalf != 0 ? f.Text1 : f.Text18;
  f.PrevPoles = engine::CInt(NumberIn(poles.Text, f.DecimalSep));
}

}  // namespace mainwindow
