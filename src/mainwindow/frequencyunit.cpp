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

namespace {

// The boxes whose unit the toggle changes, in the order the memory keeps them.
int unitBoxIndex(const CalverdonForm& f, const forms::TextBox& box) {
  const forms::TextBox* boxes[3] = {&f.Text34, &f.Text2, &f.RespF};
  for (int k = 0; k < 3; ++k)
    if (boxes[k] == &box) return k;
  return -1;
}

}  // namespace

std::optional<double> FrequencyBoxHertz(const CalverdonForm& f, const forms::TextBox& box) {
  const FrequencyUnitMemory& kept = f.FrequencyUnitKept;
  const int k = unitBoxIndex(f, box);
  if (k >= 0 && kept.valid && kept.hertz[k] && box.Text == kept.after[k]) return kept.hertz[k];
  const auto v = engine::EngValue(box.Text, f.DecimalSep);
  if (!v) return std::nullopt;
  return *v / FreqUnitFactorOf(f);
}

QString ResponseAtCaption(const CalverdonForm& f, float shown) {
  return QStringLiteral("Response at ") +
         engine::Engsuffix(shown, f.DisplayDigits, QString(), f.DecimalSep) +
         (f.Rad.Value() == 1 ? QStringLiteral(" Rad/s.") : QStringLiteral(" Hz."));
}

void Rad_Click(CalverdonForm& f) {
  FrequencyUnitMemory& memory = f.FrequencyUnitKept;
  const int checked = f.Rad.Value() == 1 ? 1 : 0;
  const double factor = checked ? 2 * engine::Pi : 1.0;
  // The spacing box is not among them: it stays in hertz (its unit label never changes),
  // like the section frequency boxes the stage frequencies are written into.
  forms::TextBox* boxes[3] = {&f.Text34, &f.Text2, &f.RespF};
  // A toggle back restores what the last toggle replaced, where the box still shows what
  // that toggle wrote; anything else is shown anew from its value in hertz.
  const bool toggleBack = memory.valid && memory.checkedAfter != checked;

  FrequencyUnitMemory next;
  next.valid = true;
  next.checkedAfter = checked;
  for (int k = 0; k < 3; ++k) {
    forms::TextBox& box = *boxes[k];
    next.before[k] = box.Text;
    // Read in the unit the box was written in (the factor still holds the old unit).
    const std::optional<double> hertz = FrequencyBoxHertz(f, box);
    if (toggleBack && box.Text == memory.after[k]) {
      box.Text = memory.before[k];
    } else if (hertz) {
      // A value that has no single-precision text in the other unit stays as it is.
      const float shown = engine::Sng(*hertz * factor);
      if (std::isfinite(shown))
        box.Text = engine::Engsuffix(shown, f.DisplayDigits, QString(), f.DecimalSep);
    }
    next.after[k] = box.Text;
    next.hertz[k] = hertz;
  }
  memory = next;

  // The boxes now hold this unit; the design reads them back in hertz.
  f.FreqUnitFactor = factor;
  f.RecomputeUnlessBusy();
}

}  // namespace mainwindow
