#pragma once
// The program's version: major, minor and revision numbers, and the texts made of them.
#include <QString>

namespace mainwindow {

inline constexpr int kVersionMajor = 2;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 17;

// "2000017": major, minor as two digits, revision as four (the design files' version item).
inline QString FileVersionText() {
  return QString::number(kVersionMajor) + QStringLiteral("%1").arg(kVersionMinor, 2, 10, QLatin1Char('0')) +
         QStringLiteral("%1").arg(kVersionRevision, 4, 10, QLatin1Char('0'));
}

// "2.00.0017", always with points.
inline QString VersionText() {
  return QStringLiteral("%1.%2.%3")
      .arg(kVersionMajor)
      .arg(kVersionMinor, 2, 10, QLatin1Char('0'))
      .arg(kVersionRevision, 4, 10, QLatin1Char('0'));
}

}  // namespace mainwindow
