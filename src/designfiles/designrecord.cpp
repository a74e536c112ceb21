#include "designfiles/designrecord.h"

#include <cfloat>
#include <cmath>
#include <optional>

#include "engine/numbertext.h"

namespace designfiles {

namespace {

const QChar kPoint = QLatin1Char('.');

// ---- the field list ----

// Every item of the record in file order, with its kind, and where each line ends. The writer
// and the reader both walk this list, so the form is set down here and nowhere else. Record
// is DesignRecord for the reader and const DesignRecord for the writer; the visitor has one
// member per kind:
//   version(t)            item 1, a quoted text; the reader checks it before any other item
//   text(t)               a quoted text
//   single(x)             a single-precision number
//   integer(n, lo, hi)    a whole number within [lo, hi]
//   integerText(n, lo, hi) a whole number within [lo, hi], written as a quoted text
//   boolean(b)            #TRUE# or #FALSE#
//   filler(n)             an item that carries nothing: written as the text of n, not used
//                         when read
//   endLine()             the end of a line
template <class Record, class Visitor>
void visitFields(Record& r, Visitor& v) {
  v.version(r.version);
  v.integer(r.poleCount, -32768, 32767);
  v.single(r.cutoff);
  v.single(r.scaleResistor);
  v.single(r.respFreq);
  v.integer(r.circuitMode, 0, 2);
  v.endLine();
  v.text(r.typeFilter);
  v.endLine();
  v.text(r.responseName);
  v.endLine();
  v.integerText(r.baseResponseCode, 0, 5);
  v.endLine();
  // List indexes: -1 up to the last entry of the list (3 capacitor series, 6 resistor series,
  // 3 circuits).
  v.integer(r.capacitorIndex, -1, 2);
  v.integer(r.resistorIndex, -1, 5);
  v.endLine();
  v.integer(r.circuitIndex, -1, 2);
  v.endLine();
  v.boolean(r.compValue);
  v.endLine();
  for (int k = 0; k < 5; ++k) {
    v.text(r.c1[k]);
    v.text(r.c2[k]);
    v.text(r.gain[k]);
    v.endLine();
  }
  v.text(r.c1Real);
  v.endLine();
  v.text(r.respF);
  v.endLine();
  v.text(r.ripple);
  v.endLine();
  for (int k = 0; k < 5; ++k) {
    v.text(r.fn[k]);
    v.text(r.q[k]);
    v.endLine();
  }
  v.text(r.gfreqStart);
  v.endLine();
  v.boolean(r.topAmpVisible);
  v.text(r.topAmp);
  v.boolean(r.botAmpVisible);
  v.text(r.botAmp);
  v.integer(r.highPassHalf, 0, 1);
  v.endLine();
  v.integer(r.passbandIndex, -1, 5);  // 6 pass bands
  v.endLine();
  v.text(r.text1);
  v.endLine();
  v.text(r.text2);
  v.endLine();
  v.text(r.text3);
  v.endLine();
  v.single(r.axisDecades);
  v.endLine();
  v.text(r.gfreqStartAgain);
  v.endLine();
  v.text(r.gfreqEnd);
  v.endLine();
  for (int i = 0; i < 7; ++i) {
    v.filler(r.baseResponseCode);
    v.endLine();
  }
}

// The lines of a two-half design after the record (designrecord.h), walked like the record:
//   marker(m)             a quoted text that must read m
//   view(v)               the view, a whole number 0 to 2
const QString kHalvesMarker = QStringLiteral("Both Halves");
const QString kLowPassMarker = QStringLiteral("Low-Pass Half");
const QString kHighPassMarker = QStringLiteral("High-Pass Half");

template <class Halves, class Visitor>
void visitHalves(Halves& h, Visitor& v) {
  v.marker(kHalvesMarker);
  v.view(h.view);
  v.text(h.lowPassPoles);
  v.text(h.lowPassEdge);
  v.integer(h.sectionBoxPoles, 0, 10);
  v.endLine();
  auto half = [&v](const QString& marker, auto& t) {
    v.marker(marker);
    v.text(t.c1Real);
    v.endLine();
    for (int k = 0; k < 5; ++k) {
      v.text(t.gain[k]);
      v.text(t.fn[k]);
      v.text(t.q[k]);
      v.endLine();
    }
  };
  half(kLowPassMarker, h.lowPass);
  half(kHighPassMarker, h.highPass);
}

// ---- writing ----

class RecordWriter {
 public:
  void version(const QString& t) { text(t); }
  void text(const QString& t) {
    QString safe = t;
    safe.replace(QLatin1Char('"'), QLatin1Char('\''));
    item(QByteArray("\"") + safe.toLatin1() + QByteArray("\""));
  }
  void single(float v) { item(engine::SingleText(v, kPoint).toLatin1()); }
  void integer(int v, int /*lo*/, int /*hi*/) { item(QByteArray::number(v)); }
  void integerText(int v, int /*lo*/, int /*hi*/) { text(QString::number(v)); }
  void boolean(bool v) { item(v ? QByteArray("#TRUE#") : QByteArray("#FALSE#")); }
  void filler(int v) { text(QString::number(v)); }
  void marker(const QString& m) { text(m); }
  void view(HalfView v) { item(QByteArray::number(static_cast<int>(v))); }
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

  // Skips blanks and line ends; false when nothing else follows.
  bool skipToItem() {
    while (pos_ < b_.size() && (isBlank(b_[pos_]) || isLineEnd(b_[pos_]))) ++pos_;
    return pos_ < b_.size();
  }

  // Whether the next item, after any blank lines, is the text t; nothing is consumed.
  bool nextIs(const QString& t) const {
    ItemReader probe = *this;
    if (!probe.skipToItem()) return false;
    const std::optional<QString> next = probe.text();
    return next && *next == t;
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

// Thrown inside the reader; never leave this file.
struct UnsupportedVersion {};  // the version item is outside the accepted window
struct CorruptItem {};         // a missing or unconvertible item

// Reads each item into the record as the field list names it, checking it as it goes.
class RecordParser {
 public:
  explicit RecordParser(const QByteArray& bytes) : in_(bytes) {}

  // The version decides whether the rest is looked at; an empty or missing one is "0".
  void version(QString& t) {
    t = in_.text().value_or(QString());
    const QString trimmed = t.trimmed();
    const auto v =
        engine::ParseNumber(trimmed.isEmpty() ? QStringLiteral("0") : trimmed, kPoint);
    if (!v || !(*v >= kOldestVersion && *v <= kNewestVersion)) throw UnsupportedVersion{};
  }
  void text(QString& t) { t = nextText(); }
  void single(float& x) {
    const double v = number(in_.token());
    if (std::fabs(v) > double(FLT_MAX)) throw CorruptItem{};
    x = static_cast<float>(v);
  }
  void integer(int& n, int lo, int hi) { n = whole(number(in_.token()), lo, hi); }
  void integerText(int& n, int lo, int hi) { n = whole(number(nextText()), lo, hi); }
  // #TRUE# or #FALSE# in any case, or a number: true unless it is zero.
  void boolean(bool& b) {
    auto t = in_.token();
    if (!t) throw CorruptItem{};
    const QString u = t->toUpper();
    if (u == QLatin1String("#TRUE#")) {
      b = true;
    } else if (u == QLatin1String("#FALSE#")) {
      b = false;
    } else {
      auto v = engine::ParseNumber(*t, kPoint);
      if (!v) throw CorruptItem{};
      b = *v != 0;
    }
  }
  void filler(int /*unused*/) { nextText(); }
  void marker(const QString& m) {
    in_.skipToItem();
    if (nextText() != m) throw CorruptItem{};
  }
  void view(HalfView& v) { v = static_cast<HalfView>(whole(number(in_.token()), 0, 2)); }
  void endLine() {}  // a line end separates items like a comma

  // Whether lines of the two halves follow the record.
  bool halvesFollow() const { return in_.nextIs(kHalvesMarker); }
  // Whether the file holds no item at all: nothing, or only blanks and line ends.
  bool empty() const {
    ItemReader probe = in_;
    return !probe.skipToItem();
  }

 private:
  QString nextText() {
    auto t = in_.text();
    if (!t) throw CorruptItem{};
    return *t;
  }
  static double number(const std::optional<QString>& t) {
    if (!t) throw CorruptItem{};
    auto v = engine::ParseNumber(*t, kPoint);
    if (!v || !std::isfinite(*v)) throw CorruptItem{};
    return *v;
  }
  // Rounded half to even, as the integer conversion does, and within [lo, hi].
  static int whole(double v, int lo, int hi) {
    const double r = std::nearbyint(v);
    if (r < lo || r > hi) throw CorruptItem{};
    return static_cast<int>(r);
  }

  ItemReader in_;
};

}  // namespace

QByteArray WriteDesignRecord(const DesignRecord& record) {
  RecordWriter w;
  visitFields(record, w);
  if (record.halves) visitHalves(*record.halves, w);
  return w.bytes();
}

ReadResult ReadDesignRecord(const QByteArray& bytes) {
  ReadResult result;
  RecordParser p(bytes);
  // An empty file is not a design of another version: it is a damaged one.
  if (p.empty()) {
    result.status = ReadStatus::Corrupt;
    return result;
  }
  try {
    visitFields(result.record, p);
    if (p.halvesFollow()) {
      TwoHalves halves;
      visitHalves(halves, p);
      result.record.halves = halves;
    }
  } catch (const UnsupportedVersion&) {
    result.status = ReadStatus::Unsupported;
    return result;
  } catch (const CorruptItem&) {
    result.status = ReadStatus::Corrupt;
    return result;
  }
  result.status = ReadStatus::Ok;
  return result;
}

}  // namespace designfiles
