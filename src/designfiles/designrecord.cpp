#include "designfiles/designrecord.h"

#include <cfloat>
#include <cmath>
#include <optional>

#include "engine/numbertext.h"

namespace designfiles {

namespace {

const QChar kPoint = QLatin1Char('.');

// ---- writing ----

class LineWriter {
 public:
  void text(const QString& t) {
    QString safe = t;
    safe.replace(QLatin1Char('"'), QLatin1Char('\''));
    item(QByteArray("\"") + safe.toLatin1() + QByteArray("\""));
  }
  void integer(int v) { item(QByteArray::number(v)); }
  void single(float v) { item(engine::SingleText(v, kPoint).toLatin1()); }
  void boolean(bool v) { item(v ? QByteArray("#TRUE#") : QByteArray("#FALSE#")); }
  void endLine() {
    out_ += line_;
    out_ += "\r\n";
    line_.clear();
    first_ = true;
  }
  QByteArray bytes() const { return out_; }

 private:
  void item(const QByteArray& b) {
    if (!first_) line_ += ',';
    line_ += b;
    first_ = false;
  }
  QByteArray out_, line_;
  bool first_ = true;
};

// ---- reading ----

// Walks the file item by item. Items are separated by "," or a line end (CR LF, CR or LF);
// blanks before an item are skipped. A quoted item runs to the next double quote and the
// rest up to the separator is dropped; a numeric item also ends at a blank or tab.
class ItemReader {
 public:
  explicit ItemReader(const QByteArray& bytes) : b_(bytes) {}

  std::optional<QString> text() {
    if (!startItem()) return std::nullopt;
    if (b_[pos_] == '"') {
      ++pos_;
      const qsizetype close = b_.indexOf('"', pos_);
      const qsizetype end = close < 0 ? b_.size() : close;
      QString t = QString::fromLatin1(b_.constData() + pos_, end - pos_);
      pos_ = close < 0 ? b_.size() : close + 1;
      while (pos_ < b_.size() && b_[pos_] != ',' && !isLineEnd(b_[pos_])) ++pos_;
      consumeSeparator();
      return t;
    }
    const qsizetype start = pos_;
    while (pos_ < b_.size() && b_[pos_] != ',' && !isLineEnd(b_[pos_])) ++pos_;
    QString t = QString::fromLatin1(b_.constData() + start, pos_ - start);
    while (!t.isEmpty() && (t.back() == QLatin1Char(' ') || t.back() == QLatin1Char('\t')))
      t.chop(1);
    consumeSeparator();
    return t;
  }

  // The token of a numeric or Boolean item (quotes, if any, are taken off).
  std::optional<QString> token() {
    if (!startItem()) return std::nullopt;
    if (b_[pos_] == '"') return text();
    const qsizetype start = pos_;
    while (pos_ < b_.size() && b_[pos_] != ',' && !isLineEnd(b_[pos_]) && !isBlank(b_[pos_]))
      ++pos_;
    QString t = QString::fromLatin1(b_.constData() + start, pos_ - start);
    while (pos_ < b_.size() && isBlank(b_[pos_])) ++pos_;
    consumeSeparator();
    return t;
  }

 private:
  static bool isBlank(char c) { return c == ' ' || c == '\t'; }
  static bool isLineEnd(char c) { return c == '\r' || c == '\n'; }
  // Skips blanks before an item; false at the end of the file (the item is missing).
  bool startItem() {
    while (pos_ < b_.size() && isBlank(b_[pos_])) ++pos_;
    return pos_ < b_.size();
  }
  void consumeSeparator() {
    if (pos_ >= b_.size()) return;
    if (b_[pos_] == ',') {
      ++pos_;
    } else if (b_[pos_] == '\r') {
      ++pos_;
      if (pos_ < b_.size() && b_[pos_] == '\n') ++pos_;
    } else if (b_[pos_] == '\n') {
      ++pos_;
    }
  }

  const QByteArray& b_;
  qsizetype pos_ = 0;
};

// Thrown inside the reader for a missing or unconvertible item; never leaves this file.
struct CorruptItem {};

class RecordParser {
 public:
  explicit RecordParser(const QByteArray& bytes) : in_(bytes) {}

  QString text() {
    auto t = in_.text();
    if (!t) throw CorruptItem{};
    return *t;
  }
  double number() {
    auto t = in_.token();
    if (!t) throw CorruptItem{};
    auto v = engine::ParseNumber(*t, kPoint);
    if (!v || !std::isfinite(*v)) throw CorruptItem{};
    return *v;
  }
  float single() {
    const double v = number();
    if (std::fabs(v) > double(FLT_MAX)) throw CorruptItem{};
    return static_cast<float>(v);
  }
  // A whole number, rounded half to even as the integer conversion does, within [lo, hi].
  int integer(int lo, int hi) {
    const double v = std::nearbyint(number());
    if (v < lo || v > hi) throw CorruptItem{};
    return static_cast<int>(v);
  }
  bool boolean() {
    auto t = in_.token();
    if (!t) throw CorruptItem{};
    const QString u = t->toUpper();
    if (u == QLatin1String("#TRUE#")) return true;
    if (u == QLatin1String("#FALSE#")) return false;
    auto v = engine::ParseNumber(*t, kPoint);
    if (!v) throw CorruptItem{};
    return *v != 0;
  }

 private:
  ItemReader in_;
};

// Whole numbers written as a text (the base response code).
int integerText(const QString& t, int lo, int hi) {
  auto v = engine::ParseNumber(t, kPoint);
  if (!v || !std::isfinite(*v)) throw CorruptItem{};
  const double r = std::nearbyint(*v);
  if (r < lo || r > hi) throw CorruptItem{};
  return static_cast<int>(r);
}

}  // namespace

QByteArray WriteDesignRecord(const DesignRecord& r) {
  LineWriter w;
  const QString baseCode = QString::number(r.baseResponseCode);
  w.text(r.version);
  w.integer(r.poleCount);
  w.single(r.cutoff);
  w.single(r.scaleResistor);
  w.single(r.respFreq);
  w.integer(r.circuitMode);
  w.endLine();
  w.text(r.typeFilter);
  w.endLine();
  w.text(r.responseName);
  w.endLine();
  w.text(baseCode);
  w.endLine();
  w.integer(r.capacitorIndex);
  w.integer(r.resistorIndex);
  w.endLine();
  w.integer(r.circuitIndex);
  w.endLine();
  w.boolean(r.compValue);
  w.endLine();
  for (int k = 0; k < 5; ++k) {
    w.text(r.c1[k]);
    w.text(r.c2[k]);
    w.text(r.gain[k]);
    w.endLine();
  }
  w.text(r.c1Real);
  w.endLine();
  w.text(r.respF);
  w.endLine();
  w.text(r.ripple);
  w.endLine();
  for (int k = 0; k < 5; ++k) {
    w.text(r.fn[k]);
    w.text(r.q[k]);
    w.endLine();
  }
  w.text(r.gfreqStart);
  w.endLine();
  w.boolean(r.topAmpVisible);
  w.text(r.topAmp);
  w.boolean(r.botAmpVisible);
  w.text(r.botAmp);
  w.integer(r.highPassHalf);
  w.endLine();
  w.integer(r.passbandIndex);
  w.endLine();
  w.text(r.text1);
  w.endLine();
  w.text(r.text2);
  w.endLine();
  w.text(r.text3);
  w.endLine();
  w.single(r.axisDecades);
  w.endLine();
  w.text(r.gfreqStartAgain);
  w.endLine();
  w.text(r.gfreqEnd);
  w.endLine();
  for (int i = 0; i < 7; ++i) {
    w.text(baseCode);
    w.endLine();
  }
  return w.bytes();
}

ReadResult ReadDesignRecord(const QByteArray& bytes) {
  ReadResult result;
  DesignRecord& r = result.record;
  RecordParser p(bytes);

  // The version decides whether the rest is looked at; an empty or missing one is "0".
  QString version;
  try {
    version = p.text();
  } catch (const CorruptItem&) {
    version.clear();
  }
  r.version = version;
  const QString trimmed = version.trimmed();
  const auto number = engine::ParseNumber(trimmed.isEmpty() ? QStringLiteral("0") : trimmed, kPoint);
  if (!number || !(*number >= kOldestVersion && *number <= kNewestVersion)) {
    result.status = ReadStatus::Unsupported;
    return result;
  }

  try {
    r.poleCount = p.integer(-32768, 32767);
    r.cutoff = p.single();
    r.scaleResistor = p.single();
    r.respFreq = p.single();
    r.circuitMode = p.integer(0, 2);
    r.typeFilter = p.text();
    r.responseName = p.text();
    r.baseResponseCode = integerText(p.text(), 0, 5);
    r.capacitorIndex = p.integer(-1, 2);
    r.resistorIndex = p.integer(-1, 5);
    r.circuitIndex = p.integer(-1, 2);
    r.compValue = p.boolean();
    for (int k = 0; k < 5; ++k) {
      r.c1[k] = p.text();
      r.c2[k] = p.text();
      r.gain[k] = p.text();
    }
    r.c1Real = p.text();
    r.respF = p.text();
    r.ripple = p.text();
    for (int k = 0; k < 5; ++k) {
      r.fn[k] = p.text();
      r.q[k] = p.text();
    }
    r.gfreqStart = p.text();
    r.topAmpVisible = p.boolean();
    r.topAmp = p.text();
    r.botAmpVisible = p.boolean();
    r.botAmp = p.text();
    r.highPassHalf = p.integer(0, 1);
    r.passbandIndex = p.integer(-1, 5);
    r.text1 = p.text();
    r.text2 = p.text();
    r.text3 = p.text();
    r.axisDecades = p.single();
    r.gfreqStartAgain = p.text();
    r.gfreqEnd = p.text();
    for (int i = 0; i < 7; ++i) p.text();
  } catch (const CorruptItem&) {
    result.status = ReadStatus::Corrupt;
    return result;
  }
  result.status = ReadStatus::Ok;
  return result;
}

}  // namespace designfiles
