#include "graph/formats.h"

#include <cmath>

#include "engine/vbmath.h"

namespace graph {

QString FixedText(double v, int minDecimals, int maxDecimals, bool leadingZero, QChar sep) {
  if (!std::isfinite(v)) return QStringLiteral("0");
  const double r = engine::RoundHalfAway(v, maxDecimals);
  QString s = QString::number(std::fabs(r), 'f', maxDecimals);
  if (maxDecimals > 0) {
    int decimals = maxDecimals;
    while (decimals > minDecimals && s.endsWith(QLatin1Char('0'))) {
      s.chop(1);
      --decimals;
    }
    if (decimals == 0) s.chop(1);  // the point itself
  }
  if (!leadingZero && s.startsWith(QLatin1String("0."))) s.remove(0, 1);
  s.replace(QLatin1Char('.'), sep);
  if (r < 0) s.prepend(QLatin1Char('-'));
  return s;
}

}  // namespace graph
