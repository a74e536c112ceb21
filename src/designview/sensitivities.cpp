#include "designview/sensitivities.h"

#include <cmath>

#include "engine/numbertext.h"
#include "engine/vbmath.h"

namespace designview {

QString FixedText(double x, int minDecimals, int maxDecimals, QChar decimalSep) {
  return engine::FormatFixed(x, minDecimals, maxDecimals, true, decimalSep);
}

QString TrimLargeNumber(const QString& text, QChar decimalSep) {
  QString number = text.trimmed();
  number.replace(decimalSep, QLatin1Char('.'));
  bool ok = false;
  const double v = number.toDouble(&ok);
  if (!ok || !std::isfinite(v)) return text;
  const double whole = std::trunc(std::fabs(v));
  if (v >= 100.0) return QLatin1Char(' ') + QString::number(whole, 'f', 0);
  if (v <= -100.0) return QLatin1Char('-') + QString::number(whole, 'f', 0);
  return text;
}

std::optional<Sensitivity> SectionSensitivity(float b0, float b1, float a0, float a1) {
  if (!(b0 > 0.0f) || !(b1 > 0.0f) || !(a0 > 0.0f) || !(a1 > 0.0f)) return std::nullopt;
  const double wb = std::sqrt(double(b0)), wa = std::sqrt(double(a0));
  const double qb = wb / b1, qa = wa / a1;
  Sensitivity s;
  s.FnPercent = engine::Sng((wa - wb) * 100.0 / wb);
  s.QPercent = engine::Sng((qb - qa) * 100.0 / qb);
  if (!std::isfinite(s.FnPercent) || !std::isfinite(s.QPercent)) return std::nullopt;
  return s;
}

QString SensitivityText(float b0, float b1, float a0, float a1, QChar decimalSep,
                        bool invertFrequency) {
  if (a1 == 0.0f) {
    if (!(b0 > 0.0f) || !(a0 > 0.0f)) return QString();
    const double ratio = invertFrequency ? double(b0) / a0 : double(a0) / b0;
    const float p = engine::Sng((ratio - 1.0) * 100.0);
    const QString fn = FixedText(p, 1, 1, decimalSep);
    if (fn.isEmpty()) return QString();
    return fn + QStringLiteral("; --       ");
  }
  std::optional<Sensitivity> s = SectionSensitivity(b0, b1, a0, a1);
  if (!s) return QString();
  if (invertFrequency) {
    // The high-pass stage's frequency is fc^2 over the prototype's.
    const double wb = std::sqrt(double(b0)), wa = std::sqrt(double(a0));
    s->FnPercent = engine::Sng((wb / wa - 1.0) * 100.0);
  }
  QString fn = FixedText(s->FnPercent, 1, 1, decimalSep) + QStringLiteral("  ");
  const QString trimmedFn = TrimLargeNumber(fn, decimalSep);
  if (trimmedFn != fn) fn = trimmedFn;  // a shortened figure loses its two blanks
  const QString q = TrimLargeNumber(FixedText(s->QPercent, 1, 1, decimalSep), decimalSep);
  return fn + QStringLiteral("; ") + q;
}

}  // namespace designview
