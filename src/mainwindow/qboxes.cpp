#include "mainwindow/qboxes.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "engine/engnotation.h"
#include "engine/numbertext.h"
#include "engine/rounding.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/choicelists.h"
#include "mainwindow/entryboxes.h"
#include "mainwindow/listchoices.h"
#include "mainwindow/poleboxes.h"

namespace mainwindow {

namespace {

constexpr int kStageRows = 5;
constexpr double kMinRipple = 0.001, kMaxRipple = 10;
constexpr double kMinBandQ = 0.51;


// The separators made the locale's and the text cut at the first character that cannot
// belong to a number; an empty result becomes `emptyText`. Returns the leading number, or
// nothing when it is beyond the single range.
std::optional<double> cleanNumber(CalverdonForm& f, forms::TextBox& box, const QString& emptyText) {
  QString text = engine::CorrectD(box.Text, f.DecimalSep);
  text = engine::RemoveASC(text);
  if (text.isEmpty()) text = emptyText;
  const double v = engine::LeadingNumber(text, f.DecimalSep);
  if (!std::isfinite(engine::Sng(v))) return std::nullopt;
  return engine::Sng(v);
}

// The number a total-Q text holds: a plain number, or one followed by the milli letter the
// box itself writes for totals below 1 ("500.00m").
std::optional<double> totalQNumber(const CalverdonForm& f, const QString& text) {
  QString t = text.trimmed();
  double factor = 1;
  if (t.endsWith(QLatin1Char('m'))) {
    t.chop(1);
    factor = 1e-3;
  }
  const auto v = engine::ParseNumber(t, f.DecimalSep);
  if (!v || !std::isfinite(engine::Sng(*v))) return std::nullopt;
  return *v * factor;
}

// The empty and zero default of the total-Q box: the total of the response's own section
// Qs, so the design starts unscaled.
QString defaultTotalQ(const CalverdonForm& f) {
  if (f.CustomQProduct > 0 && std::isfinite(f.CustomQProduct))
    return EngText(f, std::clamp(static_cast<double>(f.CustomQProduct), 0.001, 200.0),
                   f.DisplayDigits + 2);
  return QStringLiteral("1");
}

}  // namespace

double RippleInLimits(double dB) {
  if (dB == 0 || BelowLimit(dB, kMinRipple)) return kMinRipple;
  return AboveLimit(dB, kMaxRipple) ? kMaxRipple : dB;
}

double BandQInLimits(double q) { return q == 0 || BelowLimit(q, kMinBandQ) ? kMinBandQ : q; }

void Text19_Validate(CalverdonForm& f, bool&) {
  if (!ChosenResponseIs(f, engine::FilterResponse::Chebychev)) return;
  forms::TextBox& box = f.Text19;
  const auto value = cleanNumber(f, box, QStringLiteral("1"));
  if (!value) {
    f.Message(kNotUnderstood);
    box.Text.clear();
    return;
  }
  const double v = RippleInLimits(*value);
  if (*value == 0) {
    box.Text = QString(f.DecimalSep) + QStringLiteral("001");
  } else if (AboveLimit(*value, kMaxRipple)) {
    box.Text = QStringLiteral("10");
  } else {
    box.Text = NumberText(f, v);
  }
  // Entered capacitors were chosen for the ripple the design had: only a new ripple drops
  // them.
  if (engine::Sng(v) != f.RippleDb) ClearCapEntries(f);
  f.RecomputeUnlessBusy();
}

void Text3_Validate(CalverdonForm& f, bool&) {
  bool cancel = false;
  Text18_Validate(f, cancel);

  forms::TextBox& box = f.Text3;
  const auto value = cleanNumber(f, box, QStringLiteral("1"));
  if (!value) {
    f.Message(kNotUnderstood);
    box.Text = QStringLiteral("1");
    return;
  }
  const double q = BandQInLimits(*value);
  box.Text = *value == 0 ? QStringLiteral("0") + f.DecimalSep + QStringLiteral("51")
                         : NumberText(f, q);
  f.RecomputeUnlessBusy();
  const float bandQ = engine::Sng(q);

  const std::optional<engine::PassBand> band = ChosenPassBand(f);
  const int stages = std::clamp(f.PoleCount, 0, kStageRows);
  if (band && engine::IsBandPassOrNotch(*band)) {
    for (int i = 0; i < stages; ++i) f.QInput[static_cast<std::size_t>(i)].Text = box.Text;
  }
  if (band == engine::PassBand::BandPass) {
    // A band-pass stage cannot have more gain than Q: such gains are cut to the Q. An
    // empty gain box stands for a gain of 1; one that cannot be read is passed over.
    bool changed = false;
    for (int i = 0; i < stages; ++i) {
      forms::TextBox& gain = f.GainTB[static_cast<std::size_t>(i)];
      const auto g = gain.Text.trimmed().isEmpty() ? std::optional<double>(1.0)
                                                   : EngNumber(f, gain.Text);
      if (g && engine::Sng(*g) > bandQ) {
        gain.Text = box.Text;
        changed = true;
      }
    }
    if (changed)
      f.Message(QStringLiteral("At least one section gain has been changed because the gain is "
                               "not allowed to be greater than Q."));
  }
  f.RecomputeUnlessBusy();
}

void Qtotal_Validate(CalverdonForm& f, bool&) {
  forms::TextBox& box = f.Qtotal;
  CleanBoxText(f, box, defaultTotalQ(f));
  auto value = totalQNumber(f, box.Text);
  if (!value) {
    f.Message(kNotUnderstood);
    box.Text.clear();
    return;
  }
  if (*value == 0) {
    box.Text = defaultTotalQ(f);
    value = totalQNumber(f, box.Text);
  }
  double q = std::fabs(value.value_or(1.0));
  if (BelowLimit(q, 0.001)) q = 0.001;
  if (AboveLimit(q, 200)) q = 200;
  box.Text = EngText(f, q, f.DisplayDigits + 2);
  if (f.CustomQProduct != 0) {
    f.CustomQScale = engine::Sng(EngNumber(f, box.Text).value_or(q) / f.CustomQProduct);
    f.RecomputeUnlessBusy();
  } else {
    f.CustomQScale = 1;
  }
}

void Qtotal_LostFocus(CalverdonForm& f) {
  if (f.CustomQProduct == 0) {
    f.CustomQScale = 1;
    return;
  }
  // An empty or unreadable box has no total to divide: the scale stays as it was.
  const auto q = EngNumber(f, f.Qtotal.Text);
  if (!q) return;
  const float scale = engine::Sng(*q / f.CustomQProduct);
  if (std::isfinite(scale)) f.CustomQScale = scale;
}

}  // namespace mainwindow
