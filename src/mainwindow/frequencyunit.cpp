#include "mainwindow/frequencyunit.h"

#include <cmath>

#include "engine/engnotation.h"
#include "engine/rounding.h"
#include "mainwindow/calverdonform.h"

namespace mainwindow {

double FreqUnitFactorOf(const CalverdonForm& f) {
  const double k = f.FreqUnitFactor;
  return std::isfinite(k) && k > 0 ? k : 1.0;
}

std::optional<double> FrequencyBoxHertz(const CalverdonForm& f, const forms::TextBox& box) {
  const auto v = engine::EngValue(box.Text, f.DecimalSep);
  if (!v) return std::nullopt;
  return *v / FreqUnitFactorOf(f);
}

QString ResponseAtCaption(const CalverdonForm& f, float shown) {
  return QStringLiteral("Response at ") +
         engine::Engsuffix(shown, f.DisplayDigits, QString(), f.DecimalSep) +
         (f.Rad.Value() == 1 ? QStringLiteral(" Rad/s.") : QStringLiteral(" Hz."));
}

void Rad_Click(CalverdonForm& f, FrequencyUnitMemory& memory) {
  const int checked = f.Rad.Value() == 1 ? 1 : 0;
  const double factor = 2 * engine::Pi;
  // The spacing box is not among them: it stays in hertz (its unit label never changes),
  // like the section frequency boxes the stage frequencies are written into.
  forms::TextBox* boxes[3] = {&f.Text34, &f.Text2, &f.RespF};
  // A toggle back restores what the last toggle replaced, where the box still shows what
  // that toggle wrote; anything else is converted.
  const bool toggleBack = memory.valid && memory.checkedAfter != checked;

  FrequencyUnitMemory next;
  next.valid = true;
  next.checkedAfter = checked;
  for (int k = 0; k < 3; ++k) {
    forms::TextBox& box = *boxes[k];
    next.before[k] = box.Text;
    if (toggleBack && box.Text == memory.after[k]) {
      box.Text = memory.before[k];
    } else if (const auto v = engine::EngValue(box.Text, f.DecimalSep)) {
      // A value that has no single-precision result in the other unit stays as it is.
      const float converted = engine::Sng(checked ? *v * factor : *v / factor);
      if (std::isfinite(converted))
        box.Text = engine::Engsuffix(converted, f.DisplayDigits, QString(), f.DecimalSep);
    }
    next.after[k] = box.Text;
  }
  memory = next;

  // The boxes now hold this unit; the design reads them back in hertz.
  f.FreqUnitFactor = checked ? factor : 1.0;
  f.RecomputeUnlessBusy();
}

}  // namespace mainwindow
