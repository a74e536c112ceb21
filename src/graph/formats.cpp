#include "graph/formats.h"

#include <cmath>

#include "engine/numbertext.h"

namespace graph {

QString FixedText(double v, int minDecimals, int maxDecimals, bool leadingZero, QChar sep) {
  if (!std::isfinite(v)) return QStringLiteral("0");
  return engine::FormatFixed(v, minDecimals, maxDecimals, leadingZero, sep);
}

}  // namespace graph
