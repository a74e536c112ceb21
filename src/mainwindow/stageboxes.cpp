#include "mainwindow/stageboxes.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "engine/engnotation.h"
#include "engine/numbertext.h"
#include "engine/rounding.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/entryboxes.h"
#include "mainwindow/listchoices.h"

namespace mainwindow {

namespace {

constexpr int kStageRows = 5;

bool isStageRow(int i) { return i >= 0 && i < kStageRows; }

bool isBandPass(const CalverdonForm& f) { return ChosenPassBandIs(f, engine::PassBand::BandPass); }

// A capacitor magnitude within the limits; a value outside is clamped and the message says
// so. Zero stays zero (no capacitor).
double clampCapacitor(CalverdonForm& f, double farads) {
  if (farads > 0 && BelowLimit(farads, kMinCapacitor)) {
    f.Message(QStringLiteral("Capacitors are not supported below 1pF."));
    return kMinCapacitor;
  }
  if (AboveLimit(farads, kMaxCapacitor)) {
    f.Message(QStringLiteral("Capacitors are not supported above 1uF."));
    return kMaxCapacitor;
  }
  return farads;
}

// A capacitor box rewritten: separators made the locale's, the magnitude clamped and written
// in engineering notation. Nothing when the box is empty or cannot be read (the box is then
// left as cleaned); `readable` tells the two apart.
std::optional<double> normaliseCapacitorBox(CalverdonForm& f, forms::TextBox& box,
                                            bool& readable) {
  CleanBoxText(f, box, QString());
  readable = true;
  if (box.Text.isEmpty()) return std::nullopt;
  const std::optional<double> value = EngNumber(f, box.Text);
  if (!value) {
    readable = false;
    return std::nullopt;
  }
  const double farads = clampCapacitor(f, std::fabs(*value));
  box.Text = EngText(f, farads, f.DisplayDigits);
  return EngNumber(f, box.Text).value_or(farads);
}

// The shared steps of the C1 and C2 boxes of stage i: `own` is the box's entered value and
// edited flag, `other` the entered value of the stage's other capacitor.
void validateStageCapacitor(CalverdonForm& f, forms::TextBox& box, float& own, int& ownEdited,
                            float& other) {
  bool readable = true;
  const std::optional<double> value = normaliseCapacitorBox(f, box, readable);
  if (!readable) {
    f.Message(kNotUnderstood);
    box.Text.clear();
    own = 0;
    return;
  }
  if (!value) {
    own = 0;  // an empty box enters no capacitor
  } else if (const float entered = engine::Sng(*value); entered != own) {
    // A new capacitor: the synthesis chooses the other one to fit it.
    ownEdited = -1;
    other = 0;
    own = entered;
  }
  f.RecomputeUnlessBusy();
}

// The gain a cleaned-up gain text holds: its leading number; nothing when it holds no digit.
// A number beyond the single range counts as a very large gain.
std::optional<double> gainNumber(const CalverdonForm& f, const QString& text) {
  if (!std::any_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); }))
    return std::nullopt;
  const double v = engine::LeadingNumber(text, f.DecimalSep);
  if (!std::isfinite(engine::Sng(v))) return 1e30;
  return engine::Sng(v);
}

// The gain a box stands for: its number, 1 when it is empty; nothing when it cannot be read.
std::optional<double> gainOfBox(const CalverdonForm& f, const forms::TextBox& box) {
  QString text = box.Text;
  engine::CorrectD(text, f.DecimalSep);
  engine::RemoveASC(text);
  if (box.Text.trimmed().isEmpty()) return 1.0;
  return gainNumber(f, text);
}

}  // namespace

void C1Entry_Validate(CalverdonForm& f, int i, bool&) {
  if (!isStageRow(i)) return;
  validateStageCapacitor(f, f.C1Entry[i], f.EnteredC1[i], f.C1Edited[i], f.EnteredC2[i]);
}

void C2Entry_Validate(CalverdonForm& f, int i, bool&) {
  if (!isStageRow(i)) return;
  validateStageCapacitor(f, f.C2Entry[i], f.EnteredC2[i], f.C2Edited[i], f.EnteredC1[i]);
}

void C1RealEntry_Validate(CalverdonForm& f, bool&) {
  forms::TextBox& box = f.C1RealEntry;
  bool readable = true;
  normaliseCapacitorBox(f, box, readable);
  if (!readable) {
    box.Text.clear();
    return;
  }
  (f.HighPassHalf == 1 ? f.HighPassC1RealText : f.LowPassC1RealText) = box.Text;
  f.RecomputeUnlessBusy();
}

void GainTB_GotFocus(CalverdonForm& f, int i) {
  if (!isStageRow(i)) return;
  if (const std::optional<double> g = gainOfBox(f, f.GainTB[i]))
    f.StageGainRef[i] = engine::Sng(*g);
}

void GainTB_Validate(CalverdonForm& f, int i, bool&) {
  if (!isStageRow(i)) return;
  forms::TextBox& box = f.GainTB[i];
  const bool typed = !box.Text.trimmed().isEmpty();
  engine::CorrectD(box.Text, f.DecimalSep);
  engine::RemoveASC(box.Text);
  if (box.Text.isEmpty() && !typed) return;  // an empty box is a gain of 1: nothing to take
  std::optional<double> value = gainNumber(f, box.Text);
  if (!value) {
    f.Message(kNotUnderstood);
    box.Text.clear();
    return;
  }

  const bool bandPassOrNotch = ChosenPassBandIs(f, engine::IsBandPassOrNotch);
  f.CircuitMode = !bandPassOrNotch && ChosenTopology(f) == engine::Topology::SallenKey ? 1 : 0;
  double g = *value;
  if (g == 0) {
    box.Text = QStringLiteral("1");
  } else if (f.CircuitMode == 1 && BelowLimit(g, 1)) {
    box.Text = QStringLiteral("1");
  } else if (BelowLimit(g, 0.1)) {
    box.Text = QStringLiteral("0") + f.DecimalSep + QStringLiteral("1");
  } else if (AboveLimit(g, 1000)) {
    box.Text = QStringLiteral("1000");
  }
  g = gainNumber(f, box.Text).value_or(g);

  if (isBandPass(f)) {
    // A band-pass stage cannot have more gain than its Q.
    const std::optional<double> q = EngNumber(f, f.QInput[i].Text);
    if (q && *q > 0 && engine::Sng(g) > engine::Sng(*q)) {
      box.Text = NumberText(f, *q);
      g = gainNumber(f, box.Text).value_or(*q);
      f.Message(QStringLiteral("The gain of this section has been reduced to match Q."));
    }
  }

  const float gain = engine::Sng(g);
  const bool firstDefault = f.StageGainRef[i] == 0 && gain == 1.0f;
  if (!firstDefault && gain != f.StageGainRef[i]) {
    // The entered capacitors were chosen for the old gain.
    f.C1Entry[i].Text.clear();
    f.C2Entry[i].Text.clear();
    f.EnteredC1[i] = 0;
    f.EnteredC2[i] = 0;
  }
  f.StageGainRef[i] = gain;
  (f.HighPassHalf == 1 ? f.HighPassGainText : f.LowPassGainText)[i] = box.Text;
  f.RecomputeUnlessBusy();
}

}  // namespace mainwindow
