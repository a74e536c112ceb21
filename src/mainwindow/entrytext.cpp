#include "mainwindow/entrytext.h"

#include <cmath>

#include "engine/engnotation.h"
#include "engine/numbertext.h"
#include "engine/vbmath.h"
#include "mainwindow/calverdonform.h"

namespace mainwindow {

void CleanBoxText(CalverdonForm& f, forms::TextBox& box, const QString& emptyDefault) {
  if (box.Text.isEmpty()) box.Text = emptyDefault;
  f.EngText = engine::CorrectD(box.Text, f.DecimalSep);
  box.Text = f.EngText;
}

std::optional<double> EngNumber(const CalverdonForm& f, const QString& text) {
  const auto v = engine::EngValue(text, f.DecimalSep);
  if (!v || !std::isfinite(*v)) return std::nullopt;
  return v;
}

QString EngText(const CalverdonForm& f, double value, int digits) {
  return engine::Engsuffix(engine::Sng(value), digits, QString(), f.DecimalSep);
}

QString NumberText(const CalverdonForm& f, double value) {
  return engine::SingleText(engine::Sng(value), f.DecimalSep);
}

double LeadingNumber(const QString& text, QChar decimalSep) {
  qsizetype end = 0;
  bool separatorSeen = false;
  while (end < text.size()) {
    const QChar c = text[end];
    if (c.unicode() >= '0' && c.unicode() <= '9') {
      ++end;
    } else if (!separatorSeen && (c == decimalSep || c == QLatin1Char('.') ||
                                  c == QLatin1Char(','))) {
      separatorSeen = true;
      ++end;
    } else {
      break;
    }
  }
  QString number = text.left(end);
  for (QChar& c : number)
    if (c == QLatin1Char('.') || c == QLatin1Char(',')) c = decimalSep;
  if (number.isEmpty() || number == QString(decimalSep)) return 0.0;
  // A lone trailing or leading separator still reads ("5." is 5, ".5" is 0.5).
  if (number.endsWith(decimalSep)) number.chop(1);
  if (number.startsWith(decimalSep)) number.prepend(QLatin1Char('0'));
  const auto v = engine::ParseNumber(number, decimalSep);
  return v ? *v : HUGE_VAL;  // only a number beyond the double range fails here
}

QString OneKiloText(QChar decimalSep) {
  return QStringLiteral("1") + decimalSep + QStringLiteral("000 k");
}

}  // namespace mainwindow
