#include "mainwindow/frequencyboxes.h"

#include <cmath>

#include "engine/engnotation.h"
#include "engine/numbertext.h"
#include "engine/vbmath.h"
#include "mainwindow/calverdonform.h"

namespace mainwindow {

namespace {

const QString kNotUnderstood = QStringLiteral("Entry is not understood.");

// The value of a text in engineering notation; nullopt when it cannot be read.
std::optional<double> engValue(const CalverdonForm& f, const QString& text) {
  QString entry = text;
  QString ret;
  engine::EngEntry(entry, ret, f.DecimalSep);
  if (entry.isEmpty()) return std::nullopt;
  return engine::ParseNumber(ret, f.DecimalSep);
}

QString eng(const CalverdonForm& f, double value, int digits) {
  return engine::Engsuffix(engine::Sng(value), digits, QString(), f.DecimalSep);
}

// The common steps of a frequency box: an empty or zero entry takes the default, the
// separators become the locale's, a negative value its magnitude, and the value is clamped
// and rewritten in engineering notation. An entry that cannot be read is answered once and
// then treated as an empty box.
void normaliseFrequencyBox(CalverdonForm& f, forms::TextBox& box, const QString& defaultText,
                           double minimum, double maximum) {
  if (box.Text.trimmed().isEmpty()) box.Text = defaultText;
  f.EngText = engine::CorrectD(box.Text, f.DecimalSep);
  box.Text = f.EngText;
  auto value = engValue(f, box.Text);
  if (!value) {
    f.Message(kNotUnderstood);
    box.Text = defaultText;
    value = engValue(f, box.Text);
  }
  double v = value.value_or(1000.0);
  if (v == 0) {
    box.Text = defaultText;
    v = engValue(f, box.Text).value_or(1000.0);
  }
  v = std::fabs(v);
  if (engine::Sng(v) < engine::Sng(minimum)) v = minimum;
  if (engine::Sng(v) > engine::Sng(maximum)) v = maximum;
  box.Text = eng(f, v, f.DisplayDigits);
}

// The edge frequency of the half being shown, for an empty response-frequency box.
QString edgeFrequencyText(CalverdonForm& f) {
  const QString& edge = f.HighPassHalf == 1 ? f.Text2.Text : f.Text34.Text;
  return eng(f, engValue(f, edge).value_or(1000.0), f.DisplayDigits);
}

}  // namespace

void Text34_Validate(CalverdonForm& f, bool&) {
  const QString oneK = QStringLiteral("1") + f.DecimalSep + QStringLiteral("000 k");
  normaliseFrequencyBox(f, f.Text34, oneK, 0.001, 2e8);
  f.RecomputeUnlessBusy();
}

void RespF_Validate(CalverdonForm& f, bool&) {
  forms::TextBox& box = f.RespF;
  if (box.Text.trimmed().isEmpty()) box.Text = edgeFrequencyText(f);
  f.EngText = engine::CorrectD(box.Text, f.DecimalSep);
  box.Text = f.EngText;

  auto value = engValue(f, box.Text);
  if (!value) {
    f.Message(kNotUnderstood);
    box.Text = edgeFrequencyText(f);
    value = engValue(f, box.Text);
  } else if (*value == 0) {
    box.Text = edgeFrequencyText(f);
    value = engValue(f, box.Text);
  }
  // Through text and back, so the stored value is the one the box shows.
  box.Text = eng(f, value.value_or(10000.0), f.DisplayDigits);
  double v = std::fabs(engValue(f, box.Text).value_or(10000.0));
  if (v == 0) v = 10000.0;
  if (engine::Sng(v) < engine::Sng(0.01)) v = 0.01;
  if (engine::Sng(v) > engine::Sng(1e9)) v = 1e9;
  f.RespFreq = engine::Sng(v);
  box.Text = eng(f, f.RespFreq, f.DisplayDigits);

  f.GraphLeftX = 0;
  f.GraphRightX = f.Graph.Width;
  f.GraphBottomY = f.Graph.Height;
  f.GraphTopY = 0;

  f.PlotStartFreq = engine::Sng(engValue(f, f.Gfreq[0].Caption).value_or(0.0));
  f.CalcDecades();
  if (f.PlotStartFreq == 0) {
    f.PlotStartFreq = 100;
    f.Gfreq[0].Caption = QStringLiteral("100Hz");
    f.Gfreq[3].Caption = QStringLiteral("100kHz");
    f.AxisDecades = 3;
  }

  if (f.AxisDecades > 0 && f.PlotStartFreq > 0 && f.RespFreq > 0) {
    const double gridX = f.GraphLeftX + static_cast<double>(f.Graph.Width) *
                                            std::log10(double(f.RespFreq) / f.PlotStartFreq) /
                                            f.AxisDecades;
    if (std::isfinite(gridX)) {
      f.Cursor.X1 = static_cast<int>(std::lround(gridX));
      f.Cursor.X2 = f.Cursor.X1;
    }
  }
  f.RecomputeUnlessBusy();
}

}  // namespace mainwindow
