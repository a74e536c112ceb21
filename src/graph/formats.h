#pragma once
// Fixed-decimal number texts for the graph's captions, with the locale's decimal separator.
#include <QChar>
#include <QString>

namespace graph {

// v rounded half away from zero to maxDecimals places, trailing zeros dropped down to
// minDecimals. Without leadingZero a magnitude below 1 is written without its "0"
// (".5", "-.25"). Never writes "-0"; a non-finite v gives "0".
QString FixedText(double v, int minDecimals, int maxDecimals, bool leadingZero, QChar sep);

}  // namespace graph
