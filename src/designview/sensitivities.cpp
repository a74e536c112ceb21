#include "designview/sensitivities.h"

#include <cmath>

#include "engine/numbertext.h"
#include "engine/realisedstage.h"

namespace designview {

namespace {

// One decimal, at least one integer digit: "#0.0".
QString oneDecimal(double x, QChar decimalSep) {
  return engine::FormatFixed(x, 1, 1, true, decimalSep);
}

}  // namespace

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

QString SensitivityText(float b0, float b1, float a0, float a1, QChar decimalSep,
                        bool invertFrequency) {
  const std::optional<engine::CellFigures> s =
      engine::SensitivityFigures(b0, b1, a0, a1, invertFrequency);
  if (!s) return QString();
  if (!s->QPercent) return oneDecimal(s->FnPercent, decimalSep) + QStringLiteral("; --       ");
  QString fn = oneDecimal(s->FnPercent, decimalSep) + QStringLiteral("  ");
  const QString trimmedFn = TrimLargeNumber(fn, decimalSep);
  if (trimmedFn != fn) fn = trimmedFn;  // a shortened figure loses its two blanks
  const QString q = TrimLargeNumber(oneDecimal(*s->QPercent, decimalSep), decimalSep);
  return fn + QStringLiteral("; ") + q;
}

}  // namespace designview
