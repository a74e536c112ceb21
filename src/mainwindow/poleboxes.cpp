#include "mainwindow/poleboxes.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "engine/engnotation.h"
#include "engine/numbertext.h"
#include "engine/rounding.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/choicelists.h"
#include "mainwindow/entryboxes.h"
#include "mainwindow/frequencyboxes.h"
#include "mainwindow/listchoices.h"

namespace mainwindow {

namespace {

constexpr int kMaxPoles = 10;

using engine::FilterResponse;

bool bandPassOrNotch(const CalverdonForm& f) {
  return ChosenPassBandIs(f, engine::IsBandPassOrNotch);
}

// The smallest pole count of the chosen response.
int minimumPoles(const CalverdonForm& f) {
  const std::optional<FilterResponse> response = ChosenResponse(f);
  if (response == FilterResponse::CustomQ || response == FilterResponse::Gaussian12dB) return 3;
  return response == FilterResponse::Bessel ? 1 : 2;
}

// Steps shared by both pole boxes: separators made the locale's, the text cut at the first
// character that cannot belong to a number, an empty result taking the previous count, and
// the whole part of what remains. Counts are kept within what a 16-bit count holds.
int wholeCount(CalverdonForm& f, forms::TextBox& box) {
  QString text = engine::CorrectD(box.Text, f.DecimalSep);
  text = engine::RemoveASC(text);
  if (text.isEmpty()) text = QString::number(f.PrevPoles);
  double v = engine::Int(engine::LeadingNumber(text, f.DecimalSep));
  if (!std::isfinite(v) || v > 32767) v = 32767;
  const int count = static_cast<int>(v);
  box.Text = QString::number(count);
  return count;
}

// The number in the band-pass Q box, 0 when it holds none.
double bandQ(const CalverdonForm& f) { return EngNumber(f, f.Text3.Text).value_or(0.0); }

struct FamilyLimit {
  int bandPass, notch;
  QString family;  // as the warning names it
};

// The simulation limit of the model family that the op-amp model's name begins with;
// nothing for the ideal op-amp and unknown names.
std::optional<FamilyLimit> familyLimit(const QString& model) {
  if (model.startsWith(QLatin1String("KVR9005")))
    return FamilyLimit{3, 1, QStringLiteral("KVR9005 model")};
  if (model.startsWith(QLatin1String("KVR")))
    return FamilyLimit{4, 2, QStringLiteral("KVR models")};
  if (model.startsWith(QLatin1String("ZLN"))) {
    if (model.size() >= 8 && model[7] == QLatin1Char('X'))
      return FamilyLimit{2, 1, QStringLiteral("ZLN___X models")};
    return FamilyLimit{5, 3, QStringLiteral("ZLN___ models")};
  }
  if (model.startsWith(kFamilyPrefixA) || model.startsWith(kFamilyPrefixB))
    return FamilyLimit{5, 4, kFamilyPrefixA + QStringLiteral("___ models")};
  return std::nullopt;
}

// Band-pass and notch stages: warns when the count or the Q is beyond what the simulation of
// the chosen model family handles; cuts the count to 5 stages. Returns the count.
int applySimulationLimits(CalverdonForm& f, int count) {
  const bool notch = ChosenPassBandIs(f, engine::PassBand::Notch);
  const QString response = notch ? QStringLiteral("Notch") : QStringLiteral("Bandpass");
  const QString model = f.OpAmpModel.Text();
  if (const auto limit = familyLimit(model)) {
    const int maximum = notch ? limit->notch : limit->bandPass;
    if (count > maximum)
      f.Message(QStringLiteral("Maximum poles for simulation of %1 response using %2 is %3.")
                    .arg(response, limit->family)
                    .arg(maximum));
    if (notch && model.startsWith(QLatin1String("KVR9005")) && bandQ(f) > 7)
      f.Message(
          QStringLiteral("Maximum Q for simulation of Notch response using KVR9005 model is 7."));
  }
  if (count > kMaxStages) {
    count = kMaxStages;
    f.Text18.Text = QString::number(count);
    f.Message(QStringLiteral("Maximum poles for simulation of %1 response is 5.").arg(response));
  }
  if (bandQ(f) > 45)
    f.Message(QStringLiteral("Maximum Q for simulation of %1 response is 45.").arg(response));
  return count;
}

// A changed count clears the entered capacitors and recomputes. The count is stored before
// the recompute, so a handler that validates the box again inside the pass finds nothing
// changed and starts no second pass.
void acceptCount(CalverdonForm& f, int count, int& previous) {
  if (count == previous) return;
  previous = count;
  ClearCapEntries(f);
  f.RecomputeUnlessBusy();
}

}  // namespace

int PoleCountInLimits(const CalverdonForm& f, int count, bool designCount) {
  if (designCount && bandPassOrNotch(f)) return std::clamp(count, 1, kMaxStages);
  count = std::clamp(count, minimumPoles(f), kMaxPoles);
  return bandPassOrNotch(f) ? std::min(count, kMaxStages) : count;
}

void Text18_Validate(CalverdonForm& f, bool&) {
  int count = wholeCount(f, f.Text18);
  if (count < 1) count = 1;
  if (bandPassOrNotch(f)) {
    f.Text18.Text = QString::number(count);
    count = applySimulationLimits(f, count);
  } else {
    f.MinPoles = minimumPoles(f);
    count = PoleCountInLimits(f, count, true);
  }
  f.Text18.Text = QString::number(count);
  // More or fewer band-pass or notch stages are spread round the centre anew, before the
  // pass that shows them.
  if (count != f.PrevPoles) SpreadStagesFromCentre(f, count);
  acceptCount(f, count, f.PrevPoles);
}

void Text1_Validate(CalverdonForm& f, bool&) {
  int count = wholeCount(f, f.Text1);
  f.MinPoles = minimumPoles(f);
  count = PoleCountInLimits(f, count, false);
  f.Text1.Text = QString::number(count);
  acceptCount(f, count, f.PrevPolesHP);
}

}  // namespace mainwindow
