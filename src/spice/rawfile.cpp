#include "spice/rawfile.h"

#include <QFile>
#include <QFileInfo>
#include <charconv>
#include <cmath>
#include <string_view>

namespace spice {

namespace {

using std::string_view;

// The file's lines, one at a time, as views into its bytes.
class Lines {
 public:
  explicit Lines(QByteArrayView bytes) : text_(bytes.data(), size_t(bytes.size())) {}
  bool atEnd() const { return at_ >= text_.size(); }
  // The next line without its line end; an empty view at the end.
  string_view next() {
    const size_t start = at_;
    size_t end = start;
    while (end < text_.size() && text_[end] != '\n' && text_[end] != '\r') ++end;
    at_ = end;
    if (at_ < text_.size() && text_[at_] == '\r') ++at_;             // CR, or the CR of CR LF
    if (at_ < text_.size() && text_[at_] == '\n' && at_ - end <= 1) ++at_;  // LF
    return text_.substr(start, end - start);
  }

 private:
  string_view text_;
  size_t at_ = 0;
};

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

string_view trimmed(string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool startsWith(string_view s, string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

QString latin1(string_view s) { return QString::fromLatin1(s.data(), qsizetype(s.size())); }

// The raw file's numbers are C-locale floating-point texts ("1.000000000000000e+02").
std::optional<double> rawNumber(string_view text) {
  text = trimmed(text);
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  double v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(v))
    return std::nullopt;
  return v;
}

std::optional<std::complex<double>> rawValue(string_view text) {
  const size_t comma = text.find(',');
  if (comma == string_view::npos) {
    const auto re = rawNumber(text);
    if (!re) return std::nullopt;
    return std::complex<double>(*re, 0.0);
  }
  const auto re = rawNumber(text.substr(0, comma)), im = rawNumber(text.substr(comma + 1));
  if (!re || !im) return std::nullopt;
  return std::complex<double>(*re, *im);
}

std::optional<int> headerCount(const std::vector<string_view>& header, string_view key) {
  for (string_view l : header)
    if (startsWith(l, key)) {
      const string_view n = trimmed(l.substr(key.size()));
      int v = -1;
      const auto [end, ec] = std::from_chars(n.data(), n.data() + n.size(), v);
      if (ec == std::errc() && end == n.data() + n.size() && v >= 0) return v;
    }
  return std::nullopt;
}

// Reads the first plot; nothing (and why in error) when it is not complete.
std::optional<RawPlot> readPlot(Lines& lines, QString& error) {
  RawPlot plot;
  std::vector<string_view> header;
  // Header up to "Variables:".
  for (;;) {
    if (lines.atEnd()) {
      error = QStringLiteral("the file ends before its variable list");
      return std::nullopt;
    }
    const string_view l = lines.next();
    header.push_back(l);
    plot.Header << latin1(l);
    if (trimmed(l) == "Variables:") break;
  }
  const auto vars = headerCount(header, "No. Variables:");
  const auto points = headerCount(header, "No. Points:");
  if (!vars || !points || *vars < 1) {
    error = QStringLiteral("the header gives no variable or point count");
    return std::nullopt;
  }
  for (string_view l : header)
    if (startsWith(l, "Flags:"))
      plot.Complex = latin1(l).contains(QLatin1String("complex"), Qt::CaseInsensitive);

  // The variable list: one line per vector, each read before it is kept.
  string_view line;
  for (int v = 0; v < *vars; ++v) {
    if (lines.atEnd() || trimmed(line = lines.next()) == "Values:") {
      error = QStringLiteral("the variable list is shorter than announced");
      return std::nullopt;
    }
    plot.Variables << latin1(trimmed(line));
    plot.Results.Names << RawNodeName(RawVariableName(plot.Variables.last()));
    plot.Results.Types << plot.Variables.last().section(QLatin1Char('\t'), 2, 2,
                                                         QString::SectionSkipEmpty);
  }
  if (lines.atEnd() || trimmed(lines.next()) != "Values:") {
    error = QStringLiteral("no value list follows the variables");
    return std::nullopt;
  }

  // Each point is read before it is kept, so a header that announces more points than the file
  // holds costs no more than the file.
  const size_t width = size_t(*vars);
  for (int p = 0; p < *points; ++p) {
    std::vector<std::complex<double>> point;
    point.reserve(width);
    for (size_t v = 0; v < width; ++v) {
      if (lines.atEnd()) {
        error = QStringLiteral("the file ends after %1 of %2 points").arg(p).arg(*points);
        return std::nullopt;
      }
      line = lines.next();
      if (v == 0) {
        // The point's index at the start of the line, then its first value.
        size_t blank = 0;
        while (blank < line.size() && !isBlank(line[blank])) ++blank;
        int index = 0;
        const auto [end, ec] = std::from_chars(line.data(), line.data() + blank, index);
        if (blank == 0 || ec != std::errc() || end != line.data() + blank) {
          error = QStringLiteral("point %1 does not start with its index").arg(p);
          return std::nullopt;
        }
        line.remove_prefix(blank);
      } else if (!line.empty() && !isBlank(line[0])) {
        error = QStringLiteral("point %1 has fewer values than variables").arg(p);
        return std::nullopt;
      }
      // The scale (vector 0, the frequency) is real; ngspice leaves its imaginary part unset,
      // so whatever stands there is not read.
      const size_t comma = line.find(',');
      const auto value = v == 0 && comma != string_view::npos ? rawValue(line.substr(0, comma))
                                                                : rawValue(line);
      if (!value) {
        error = QStringLiteral("a value of point %1 is not a number").arg(p);
        return std::nullopt;
      }
      point.push_back(*value);
    }
    plot.Results.Values.push_back(std::move(point));
  }
  return plot;
}

}  // namespace

RawFile ReadRawFile(QByteArrayView bytes) {
  RawFile file;
  Lines lines(bytes);
  file.First = readPlot(lines, file.Error);
  return file;
}

RawFile ReadRawFileAt(const QString& path) {
  RawFile file;
  // Only a regular file: a pipe or a device could block the window or never end.
  const QFileInfo info(path);
  if (!info.exists()) {
    file.Error = QStringLiteral("the file is missing");
    return file;
  }
  if (!info.isFile()) {
    file.Error = QStringLiteral("the file is not a regular file");
    return file;
  }
  QFile f(path);
  if (info.size() > kMaxRawFileBytes || !f.open(QIODevice::ReadOnly)) {
    file.Error = info.size() > kMaxRawFileBytes ? QStringLiteral("the file is too large")
                                                 : QStringLiteral("the file cannot be opened");
    return file;
  }
  // A file still being written (it grows while it is read) is refused.
  const QByteArray bytes = f.read(info.size() + 1);
  if (bytes.size() > info.size()) {
    file.Error = QStringLiteral("the file changes while it is read");
    return file;
  }
  return ReadRawFile(bytes);
}

QString RawVariableName(const QString& variableLine) {
  const QStringList fields = variableLine.split(QLatin1Char('\t'), Qt::SkipEmptyParts);
  return fields.size() >= 2 ? fields[1] : QString();
}

QString RawNodeName(const QString& vectorName) {
  if (vectorName.startsWith(QLatin1String("v("), Qt::CaseInsensitive) &&
      vectorName.endsWith(QLatin1Char(')')))
    return vectorName.mid(2, vectorName.size() - 3);
  return vectorName;
}

}  // namespace spice
