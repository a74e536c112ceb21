#include "mainwindow/entryboxes.h"

#include <cmath>

#include "engine/engnotation.h"
#include "engine/numbertext.h"
#include "engine/rounding.h"
#include "mainwindow/calverdonform.h"

namespace mainwindow {

void CleanBoxText(const CalverdonForm& f, forms::TextBox& box, const QString& emptyDefault) {
  if (box.Text.isEmpty()) box.Text = emptyDefault;
  engine::CorrectD(box.Text, f.DecimalSep);
}

std::optional<double> EngNumber(const CalverdonForm& f, const QString& text) {
  const auto v = engine::EngValue(text, f.DecimalSep);
  if (!v || !std::isfinite(*v)) return std::nullopt;
  return v;
}

std::optional<float> EngSingle(const CalverdonForm& f, const QString& text) {
  const std::optional<double> v = EngNumber(f, text);
  if (!v) return std::nullopt;
  const float s = engine::Sng(*v);
  if (!std::isfinite(s)) return std::nullopt;
  return s;
}

QString EngText(const CalverdonForm& f, double value, int digits) {
  return engine::Engsuffix(engine::Sng(value), digits, QString(), f.DecimalSep);
}

QString NumberText(const CalverdonForm& f, double value) {
  return engine::SingleText(engine::Sng(value), f.DecimalSep);
}

bool BelowLimit(double v, double limit) { return engine::Sng(v) < engine::Sng(limit); }
bool AboveLimit(double v, double limit) { return engine::Sng(v) > engine::Sng(limit); }

double MagnitudeInLimits(double v, double zeroValue, double low, double high) {
  double a = std::fabs(v);
  if (a == 0) a = zeroValue;
  if (BelowLimit(a, low)) a = low;
  if (AboveLimit(a, high)) a = high;
  return a;
}

QString OneKiloText(QChar decimalSep) {
  return QStringLiteral("1") + decimalSep + QStringLiteral("000 k");
}

}  // namespace mainwindow
