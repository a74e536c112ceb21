#pragma once
// Reading the response readouts back as numbers.
#include <QString>
#include <cmath>
#include <optional>

#include "engine/numbertext.h"
#include "forms/controls.h"

// The number a gain or phase readout shows before its unit ("-2.8 dB", "90.7º"); NaN for a
// readout that shows none.
inline double ReadoutNumber(const forms::Label& readout, QChar decimalSep = QLatin1Char('.')) {
  const QString& text = readout.Caption;
  qsizetype n = 0;
  while (n < text.size() && (text[n].isDigit() || text[n] == QLatin1Char('-') ||
                             text[n] == QLatin1Char('+') || text[n] == decimalSep))
    ++n;
  return engine::ParseNumber(QStringView(text).left(n), decimalSep).value_or(std::nan(""));
}
