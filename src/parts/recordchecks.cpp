#include "parts/recordchecks.h"

#include "engine/numbertext.h"
#include "parts/amplifiercolumns.h"

namespace parts {

namespace {

struct RangeRule {
  int column;
  bool lowIncluded;  // >= low rather than > low
  double low, high;  // the value must also be <= high
  const char* message;
};

// The ripple-current and tolerance checks hold the ranges their messages name.
constexpr RangeRule kRangeRules[] = {
    {3, false, 0, 10000, "Value field must be > 0 and <= 10000 uF."},
    {4, false, 0, 1000, "Voltage field must be > 0  and <= 1000 V."},
    {5, false, 0, 100, "MinESR field must be > 0 and  <= 100 Ohms."},
    {6, false, 0, 100, "MaxESR field must be > 0 and  <= 100 Ohms."},
    {7, false, 0, 100, "Iripple field must be > 0 and <= 100 A."},
    {12, true, 0, 1, "Tolerance field must be >= 0 and <= 1."},
    {13, false, 0, 1000, "Area field must be > 0 and <= 1000 sq.mm."},
};

constexpr int kMountColumn = 14;
const char* const kMountMessage = "Mount field must be either 'SM' or 'TH'.";

bool inRange(const RangeRule& r, const QString& text) {
  const std::optional<double> v = engine::ParseNumber(text, QLatin1Char('.'));
  if (!v) return false;
  return (r.lowIncluded ? *v >= r.low : *v > r.low) && *v <= r.high;
}

}  // namespace

std::optional<QString> FirstFailedCheck(const QStringList& fields) {
  for (int c = 0; c < kAmplifierFieldCount; ++c) {
    const QString text = fields.value(c).trimmed();
    if (text.isEmpty()) return QStringLiteral("All fields must be filled.");
    for (const RangeRule& r : kRangeRules)
      if (r.column == c && !inRange(r, text)) return QString::fromLatin1(r.message);
    if (c == kMountColumn && text != QLatin1String("SM") && text != QLatin1String("TH"))
      return QString::fromLatin1(kMountMessage);
  }
  return std::nullopt;
}

}  // namespace parts
