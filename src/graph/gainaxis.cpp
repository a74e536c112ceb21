#include "graph/gainaxis.h"

#include <cmath>

#include "engine/engnotation.h"
#include "engine/numbertext.h"
#include "engine/rounding.h"
#include "mainwindow/calverdonform.h"

namespace graph {

namespace {

// The label of a custom axis value: its format follows its size.
QString customLabel(float v, QChar sep) {
  QString text;
  if (v > 0 && v < 1)
    text = engine::FormatFixedOrZero(v, 2, 3, false, sep);  // ".00#"
  else if (v >= 1 && v < 10)
    text = engine::FormatFixedOrZero(v, 1, 2, false, sep);  // ".0#"
  else if (v >= 10 && v <= 100)
    text = engine::FormatFixedOrZero(v, 1, 1, true, sep);  // "0.0"
  else if (v > -1 && v <= 0)
    text = engine::FormatFixedOrZero(v, 1, 2, false, sep);  // ".0#"
  else if (v > -10 && v <= -1)
    text = engine::FormatFixedOrZero(v, 1, 1, false, sep);  // ".0"
  else
    text = engine::FormatFixedOrZero(v, 0, 0, true, sep);  // "0", also beyond the limit boxes' range
  if (text == QString(sep) + QLatin1Char('0')) text = QStringLiteral("0");
  return text + QStringLiteral("dB");
}

void automaticAxis(CalverdonForm& f, float peakDb) {
  if (!std::isfinite(peakDb)) peakDb = 0;
  for (int k = 0; k <= 8; ++k) {
    float step = engine::Sng(engine::Int(engine::Sng((peakDb - 10.0 * (k - 1)) / 10)) * 10);
    if (f.GainHeadroom) step += 10;
    f.DbPerDiv = step;
    f.Ampl[k].Caption = engine::SingleText(step, f.DecimalSep) + QStringLiteral("dB");
  }
}

void setLimit(mainwindow::AxisLimit& limit, std::optional<double> value) {
  limit.set = value.has_value();
  limit.value = value ? engine::Sng(*value) : 0.0f;
}

}  // namespace

std::optional<double> GainTextValue(const QString& text, QChar decimalSep) {
  QString digits = engine::NumericChars(text);
  if (auto v = engine::ParseNumber(digits, decimalSep)) return v;
  // A separator typed in the other convention.
  digits.replace(QLatin1Char('.'), decimalSep).replace(QLatin1Char(','), decimalSep);
  return engine::ParseNumber(digits, decimalSep);
}

void LabelAmplitudeAxis(CalverdonForm& f, float peakDb) {
  if (!f.TopAmp.Visible && !f.BotAmp.Visible) {
    automaticAxis(f, peakDb);
    return;
  }
  const QChar sep = f.DecimalSep;
  const bool top = !f.TopAmp.Text.isEmpty(), bottom = !f.BotAmp.Text.isEmpty();
  if (top) {
    setLimit(f.AmplLimits[0], GainTextValue(f.TopAmp.Text, sep));
    if (!bottom) setLimit(f.AmplLimits[8], GainTextValue(f.Ampl[8].Caption, sep));
  }
  if (bottom) {
    setLimit(f.AmplLimits[8], GainTextValue(f.BotAmp.Text, sep));
    if (!top) setLimit(f.AmplLimits[0], GainTextValue(f.Ampl[0].Caption, sep));
  }
  // Limits that cannot be read leave the automatic axis.
  if (!f.AmplLimits[0].set || !f.AmplLimits[8].set) {
    automaticAxis(f, peakDb);
    return;
  }
  const float topDb = f.AmplLimits[0].value, bottomDb = f.AmplLimits[8].value;
  f.DbPerDiv = engine::Sng((double(topDb) - bottomDb) / 8);
  for (int k = 0; k <= 8; ++k) {
    const float v = engine::Sng(topDb - double(k) * f.DbPerDiv);
    f.Ampl[k].Caption = customLabel(v, sep);
  }
}

}  // namespace graph
