#include "engine/engnotation.h"

#include <cmath>

#include "engine/numbertext.h"
#include "engine/rounding.h"

namespace engine {

namespace {

constexpr char16_t kMicro = u'\u00B5';

// The factor of a prefix letter; 0 when c is not one. "H" (as in "100Hz") ends the
// number without scaling it.
double PrefixFactor(QChar c) {
  switch (c.unicode()) {
    case u'f': case u'F': return 1e-15;
    case u'p': case u'P': return 1e-12;
    case u'n': case u'N': return 1e-9;
    case u'u': case u'U': case kMicro: return 1e-6;
    case u'm': return 1e-3;
    case u'k': case u'K': return 1e3;
    case u'M': return 1e6;
    case u'G': case u'g': return 1e9;
    case u'T': case u't': return 1e12;
    case u'H': return 1.0;
    default: return 0.0;
  }
}

// The prefix written for a decimal exponent; nullptr outside the table.
const char16_t* SuffixFor(int exponent) {
  switch (exponent) {
    case 0: return u"";
    case 3: return u"k";
    case 6: return u"M";
    case 9: return u"g";
    case -3: return u"m";
    case -6: return u"\u00B5";
    case -9: return u"n";
    case -12: return u"p";
    case -15: return u"f";
    default: return nullptr;
  }
}

// A single-precision value, or nothing when the number is beyond the range of one.
std::optional<float> ToSingle(std::optional<double> v) {
  if (!v) return std::nullopt;
  const float s = Sng(*v);
  if (!std::isfinite(s)) return std::nullopt;
  return s;
}

}  // namespace

void EngEntry(QString& entry, QString& ret, QChar decimalSep) {
  const QString original = entry;
  if (original.isEmpty() || original == QLatin1String(" ")) {
    ret = original;
    entry.clear();
    return;
  }

  // Put the locale's separator in place of "." up to and including the prefix letter.
  QString work = original;
  qsizetype letterAt = -1;
  for (qsizetype i = 0; i < work.size(); ++i) {
    if (work[i] == QLatin1Char('.')) work[i] = decimalSep;
    if (PrefixFactor(work[i]) != 0.0) {
      letterAt = i;
      break;
    }
  }

  std::optional<float> value;
  if (letterAt >= 0) {
    value = ToSingle(ParseNumber(QStringView(work).left(letterAt), decimalSep));
    if (value) value = ToSingle(static_cast<double>(*value) * PrefixFactor(work[letterAt]));
  } else {
    // A plain number, exponent form included ("2e3"); a text that is not one is read
    // from its numeric characters alone ("12 V" reads 12). A well-formed number beyond
    // the single range fails: "1e39" must not read as 139.
    const QString trimmed = work.trimmed();
    if (IsNumberForm(trimmed, decimalSep)) {
      value = ToSingle(ParseNumber(trimmed, decimalSep));
    } else {
      value = ToSingle(ParseNumber(NumericChars(work), decimalSep));
    }
  }

  // Assigned in this order so that a caller passing one string for both gets the
  // value's text on success and an empty text on failure.
  if (value) {
    entry = work;
    ret = SingleText(*value, decimalSep);
  } else {
    ret = original;
    entry.clear();
  }
}

QString Engsuffix(float x, int digits, const QString& units, QChar decimalSep) {
  if (x == 0.0f) return QStringLiteral("0");
  if (!std::isfinite(x)) return SingleText(x, decimalSep);

  // Scale into 1 <= |y| < 1000 in steps of a thousand. A single spans less than 30
  // such steps either way, so the bounds are never what stops a finite value.
  float y = x;
  int e = 0;
  for (int step = 0; step < 40 && std::fabs(y) >= 1000.0f; ++step) {
    y /= 1000.0f;
    e += 3;
  }
  for (int step = 0; step < 40 && std::fabs(y) < 1.0f; ++step) {
    y *= 1000.0f;
    e -= 3;
  }

  // A single holds about 7 digits; more than 30 show nothing more, and the bounds keep
  // the arithmetic on digits defined.
  if (digits > 30) digits = 30;
  if (digits < -30) digits = -30;
  // Decimals for the wanted significant digits (a negative value takes the last rule).
  int c = digits - 1;
  if (y >= 100.0f) {
    c = digits - 3;
  } else if (y >= 10.0f) {
    c = digits - 2;
  }
  // y = Int(y * 10^c + 0.5) / 10^c, each step stored as a single; dividing by 10^c
  // (rather than multiplying by its inexact inverse) gives the single nearest the
  // rounded decimal.
  const double scale = std::pow(10.0, c);
  const float scaled = Sng(static_cast<double>(y) * scale);
  if (std::isfinite(scaled) && scale > 0.0) {
    const float whole = Sng(Int(static_cast<double>(Sng(static_cast<double>(scaled) + 0.5))));
    y = Sng(static_cast<double>(whole) / scale);
  }

  QString s = SingleText(y, decimalSep);
  if (!s.contains(decimalSep)) s += decimalSep;
  while (s.size() < digits + 1) s += QLatin1Char('0');
  if (s.endsWith(decimalSep)) s.chop(1);

  const char16_t* suffix = SuffixFor(e);
  if (suffix == nullptr) return SingleText(x, decimalSep) + units;
  return s + QString::fromUtf16(suffix) + units;
}

QString CorrectD(QString& text, QChar decimalSep) {
  // Visits the positions 1 .. the starting length. After a deleted separator the scan
  // moves on past the position the deletion closed up, so the character that moved in
  // is not looked at ("1.,,5" keeps "1.,5").
  const qsizetype length = text.size();
  bool separatorMet = false;
  for (qsizetype i = 0; i < length && i < text.size(); ++i) {
    const QChar c = text[i];
    if (c != QLatin1Char('.') && c != QLatin1Char(',')) continue;
    if (separatorMet) {
      text.remove(i, 1);
    } else {
      text[i] = decimalSep;
    }
    separatorMet = true;
  }
  return text;
}

QString RemoveASC(QString& text) {
  qsizetype i = 0;
  while (i < text.size()) {
    const QChar c = text[i];
    const bool digit = c.unicode() >= '0' && c.unicode() <= '9';
    if (!digit && c != QLatin1Char('.') && c != QLatin1Char(',')) break;
    ++i;
  }
  text.truncate(i);
  return text;
}

QString NumericChars(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (const QChar c : text) {
    const bool digit = c.unicode() >= '0' && c.unicode() <= '9';
    if (digit || c == QLatin1Char('-') || c == QLatin1Char('.') || c == QLatin1Char(','))
      out += c;
  }
  return out;
}

std::optional<double> EngValue(const QString& text, QChar decimalSep) {
  QString entry = text;
  QString ret;
  EngEntry(entry, ret, decimalSep);
  if (entry.isEmpty()) return std::nullopt;
  return ParseNumber(ret, decimalSep);
}

}  // namespace engine
