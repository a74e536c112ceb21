#include "spice/rawfile.h"

#include <QLocale>
#include <cmath>

namespace spice {

namespace {

// The raw file's numbers are C-locale floating-point texts ("1.000000000000000e+02").
std::optional<double> rawNumber(QStringView text) {
  bool ok = false;
  const double v = QLocale::c().toDouble(text.trimmed(), &ok);
  if (!ok || !std::isfinite(v)) return std::nullopt;
  return v;
}

std::optional<std::complex<double>> rawValue(QStringView text) {
  const qsizetype comma = text.indexOf(QLatin1Char(','));
  if (comma < 0) {
    const auto re = rawNumber(text);
    if (!re) return std::nullopt;
    return std::complex<double>(*re, 0.0);
  }
  const auto re = rawNumber(text.left(comma)), im = rawNumber(text.mid(comma + 1));
  if (!re || !im) return std::nullopt;
  return std::complex<double>(*re, *im);
}

std::optional<int> headerCount(const QStringList& header, QLatin1String key) {
  for (const QString& l : header)
    if (l.startsWith(key)) {
      bool ok = false;
      const int n = l.mid(key.size()).trimmed().toInt(&ok);
      if (ok && n >= 0) return n;
    }
  return std::nullopt;
}

// Reads one plot from line `at` on; advances `at` past it. Nothing (and why in error) when the
// plot is not complete.
std::optional<RawPlot> readPlot(const QStringList& lines, qsizetype& at, QString& error) {
  RawPlot plot;
  // Header up to "Variables:".
  for (;; ++at) {
    if (at >= lines.size()) {
      error = QStringLiteral("the file ends before its variable list");
      return std::nullopt;
    }
    plot.Header << lines[at];
    if (lines[at].trimmed() == QLatin1String("Variables:")) {
      ++at;
      break;
    }
  }
  const auto vars = headerCount(plot.Header, QLatin1String("No. Variables:"));
  const auto points = headerCount(plot.Header, QLatin1String("No. Points:"));
  if (!vars || !points || *vars < 1) {
    error = QStringLiteral("the header gives no variable or point count");
    return std::nullopt;
  }
  for (const QString& l : plot.Header)
    if (l.startsWith(QLatin1String("Flags:")))
      plot.Complex = l.contains(QLatin1String("complex"), Qt::CaseInsensitive);

  for (int v = 0; v < *vars; ++v, ++at) {
    if (at >= lines.size() || lines[at].trimmed() == QLatin1String("Values:")) {
      error = QStringLiteral("the variable list is shorter than announced");
      return std::nullopt;
    }
    plot.Variables << lines[at].trimmed();
  }
  if (at >= lines.size() || lines[at].trimmed() != QLatin1String("Values:")) {
    error = QStringLiteral("no value list follows the variables");
    return std::nullopt;
  }
  ++at;

  plot.Values.reserve(size_t(*points));
  for (int p = 0; p < *points; ++p) {
    std::vector<std::complex<double>> point;
    point.reserve(size_t(*vars));
    for (int v = 0; v < *vars; ++v, ++at) {
      if (at >= lines.size()) {
        error = QStringLiteral("the file ends after %1 of %2 points").arg(p).arg(*points);
        return std::nullopt;
      }
      QStringView line(lines[at]);
      if (v == 0) {
        // The point's index, then its first value.
        const QStringView trimmed = line.trimmed();
        qsizetype blank = 0;
        while (blank < trimmed.size() && !trimmed[blank].isSpace()) ++blank;
        bool ok = false;
        trimmed.left(blank).toInt(&ok);
        if (!ok || line.isEmpty() || line[0].isSpace()) {
          error = QStringLiteral("point %1 does not start with its index").arg(p);
          return std::nullopt;
        }
        line = trimmed.mid(blank);
      } else if (!line.isEmpty() && !line[0].isSpace()) {
        error = QStringLiteral("point %1 has fewer values than variables").arg(p);
        return std::nullopt;
      }
      // The scale (vector 0, the frequency) is real; ngspice leaves its imaginary part unset,
      // so whatever stands there is not read.
      const qsizetype comma = line.indexOf(QLatin1Char(','));
      const auto value = v == 0 && comma >= 0 ? rawValue(line.left(comma)) : rawValue(line);
      if (!value) {
        error = QStringLiteral("a value of point %1 is not a number").arg(p);
        return std::nullopt;
      }
      point.push_back(*value);
    }
    plot.Values.push_back(std::move(point));
  }
  return plot;
}

}  // namespace

RawFile ReadRawFile(const QByteArray& bytes) {
  RawFile file;
  QString text = QString::fromLatin1(bytes);
  text.remove(QLatin1Char('\r'));
  const QStringList lines = text.split(QLatin1Char('\n'));
  qsizetype at = 0;
  file.First = readPlot(lines, at, file.Error);
  if (!file.First) return file;
  // A second plot follows when more than blank lines are left.
  while (at < lines.size() && lines[at].trimmed().isEmpty()) ++at;
  if (at < lines.size()) {
    QString ignored;
    file.Second = readPlot(lines, at, ignored);
  }
  return file;
}

QString RawVariableName(const QString& variableLine) {
  const QStringList fields = variableLine.split(QLatin1Char('\t'), Qt::SkipEmptyParts);
  return fields.size() >= 2 ? fields[1] : QString();
}

}  // namespace spice
