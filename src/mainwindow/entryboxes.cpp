#include "mainwindow/entryboxes.h"

#include "engine/numbertext.h"

namespace mainwindow {

double NumberIn(const QString& text, QChar decimalSep) {
  return engine::ParseNumber(text, decimalSep).value_or(0.0);
}

}  // namespace mainwindow
