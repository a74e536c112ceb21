// Reading and writing engineering notation, and the clean-up of typed numbers.
#include <gtest/gtest.h>

#include <QString>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "engine/engnotation.h"
#include "engine/numbertext.h"

namespace {

using engine::CorrectD;
using engine::EngEntry;
using engine::Engsuffix;
using engine::NumericChars;
using engine::RemoveASC;

std::string U8(const QString& s) { return s.toStdString(); }

bool ShowsNonNumber(const QString& s) {
  return s.contains(QLatin1String("inf"), Qt::CaseInsensitive) ||
         s.contains(QLatin1String("nan"), Qt::CaseInsensitive);
}

// Texts in the tables write the decimal separator as '#'; each test runs once with "."
// and once with ",".
class EngNotation : public ::testing::TestWithParam<char> {
 protected:
  QChar sep() const { return QLatin1Char(GetParam()); }
  QString T(const char* s) const {
    QString out = QString::fromUtf8(s);
    out.replace(QLatin1Char('#'), sep());
    return out;
  }
};

INSTANTIATE_TEST_SUITE_P(Separators, EngNotation, ::testing::Values('.', ','),
                         [](const auto& p) { return p.param == '.' ? "Point" : "Comma"; });

// ---------------------------------------------------------------- EngEntry

TEST_P(EngNotation, EngEntryReadsTypedValues) {
  const struct {
    const char* typed;
    const char* entryAfter;  // the caller's text on return
    const char* ret;
  } cases[] = {
      {"4.7k", "4#7k", "4700"},
      {"10m", "10m", "0#01"},
      {"10M", "10M", "1E+07"},
      {"2.2uF", "2#2uF", "2#2E-06"},
      {"2.2\xc2\xb5" "F", "2#2\xc2\xb5" "F", "2#2E-06"},
      {"2.2U", "2#2U", "2#2E-06"},
      {"1.5 MHz", "1#5 MHz", "1500000"},
      {"100Hz", "100Hz", "100"},
      {"1.5 G", "1#5 G", "1#5E+09"},
      {"1.5 g", "1#5 g", "1#5E+09"},
      {"3.3t", "3#3t", "3#3E+12"},
      {"47p", "47p", "4#7E-11"},
      {"10 nF", "10 nF", "1E-08"},
      {"5f", "5f", "5E-15"},
      {"-4.7k", "-4#7k", "-4700"},
      {"1e3k", "1e3k", "1000000"},
      // Without a prefix letter the whole entry is a number, exponent form included.
      {"2e3", "2e3", "2000"},
      {"1.5E+07", "1#5E+07", "1#5E+07"},
      {" 12 ", " 12 ", "12"},
      {"0.001", "0#001", "0#001"},
      {"-0", "-0", "0"},
      {"1e-50", "1e-50", "0"},
      // ... and only when that fails, its numeric characters.
      {"12abc", "12abc", "12"},
      {"12 V", "12 V", "12"},
  };
  for (const auto& c : cases) {
    QString entry = QString::fromUtf8(c.typed);
    QString ret = QStringLiteral("previous");
    EngEntry(entry, ret, sep());
    EXPECT_EQ(U8(entry), U8(T(c.entryAfter))) << c.typed;
    EXPECT_EQ(U8(ret), U8(T(c.ret))) << c.typed;
  }
}

TEST_P(EngNotation, EngEntryFailureEmptiesEntryAndReturnsTheTypedText) {
  const char* cases[] = {
      "abc", "Hz", "k", "4.7.1k", "1-2", "--5", "nan", "NaN", "inf", "-inf", "Infinity",
      "0x1F", "e", "12 ohm", "1e999", "1e39", "1e38k", "-1e36G",
      "\xd9\xa1\xd9\xa2k",          // Arabic-Indic digits
      "\xef\xbc\x91\xef\xbc\x92",   // full-width digits
      "\xc2\xb5",
  };
  for (const char* typed : cases) {
    QString entry = QString::fromUtf8(typed);
    QString ret = QStringLiteral("previous");
    EngEntry(entry, ret, sep());
    EXPECT_TRUE(entry.isEmpty()) << typed;
    EXPECT_EQ(U8(ret), typed);
  }
  // An empty or single-blank entry is emptied too.
  for (const char* typed : {"", " "}) {
    QString entry = QString::fromUtf8(typed);
    QString ret = QStringLiteral("previous");
    EngEntry(entry, ret, sep());
    EXPECT_TRUE(entry.isEmpty());
    EXPECT_EQ(U8(ret), typed);
  }
}

TEST_P(EngNotation, EngEntryReadsOnlyTheLocaleSeparatorBesidesThePoint) {
  // A typed "." always becomes the locale's separator; a typed "," is a separator only
  // where the locale uses it.
  QString entry = QStringLiteral("4,7k");
  QString ret;
  EngEntry(entry, ret, sep());
  if (sep() == QLatin1Char(',')) {
    EXPECT_EQ(U8(ret), "4700");
  } else {
    EXPECT_TRUE(entry.isEmpty());
    EXPECT_EQ(U8(ret), "4,7k");
  }
}

TEST_P(EngNotation, EngEntryWithOneStringForBoth) {
  QString s = QStringLiteral("4.7k");
  EngEntry(s, s, sep());
  EXPECT_EQ(U8(s), "4700");
  s = QStringLiteral("abc");
  EngEntry(s, s, sep());
  EXPECT_TRUE(s.isEmpty());
}

TEST_P(EngNotation, EngEntrySurvivesHostileTexts) {
  const QString hostile[] = {
      QString(10000, QLatin1Char('9')),
      QString(10000, QLatin1Char('9')) + QStringLiteral("k"),
      QStringLiteral("0.") + QString(10000, QLatin1Char('0')) + QStringLiteral("1p"),
      QString(10000, QLatin1Char('.')),
      QString(10000, QLatin1Char('-')),
      QString(10000, QChar(0x00B5)),
      QString(10000, QChar(0xFFFF)),
      QStringLiteral("1") + QChar(0xD800) + QStringLiteral("k"),  // lone surrogate
      QStringLiteral("1e") + QString(10000, QLatin1Char('9')),
      QString(5000, QLatin1Char(' ')) + QStringLiteral("5") + QString(5000, QLatin1Char(' ')),
  };
  for (const QString& text : hostile) {
    QString entry = text;
    QString ret;
    EngEntry(entry, ret, sep());
    EXPECT_FALSE(ShowsNonNumber(ret));
    EXPECT_TRUE(entry.isEmpty() || engine::ParseNumber(ret, sep()).has_value()) << U8(ret);
  }

  // Random texts over the characters that matter to the reader.
  const QString alphabet = QString::fromUtf8("0123456789.,-+eE kKmMuU\xc2\xb5pnfgGtTHhzx ");
  std::mt19937 rng(777);
  for (int n = 0; n < 5000; ++n) {
    QString entry;
    const int len = static_cast<int>(rng() % 12);
    for (int k = 0; k < len; ++k) entry += alphabet[static_cast<qsizetype>(rng() % alphabet.size())];
    const QString typed = entry;
    QString ret;
    EngEntry(entry, ret, sep());
    ASSERT_FALSE(ShowsNonNumber(ret)) << U8(typed);
    if (entry.isEmpty()) {
      EXPECT_EQ(ret, typed);
    } else {
      const auto v = engine::ParseNumber(ret, sep());
      ASSERT_TRUE(v.has_value()) << U8(typed) << " -> " << U8(ret);
      ASSERT_TRUE(std::isfinite(*v));
    }
  }
}

// ---------------------------------------------------------------- Engsuffix

TEST_P(EngNotation, EngsuffixTable) {
  const struct {
    float x;
    int digits;
    const char* units;
    const char* out;
  } cases[] = {
      {1000.0f, 4, "", "1#000k"},
      {150.0f, 3, "", "150"},
      {999.7f, 3, "", "1000"},  // rounds up to 1000 and is not rescaled
      {1500.0f, 3, "Hz", "1#50kHz"},
      {1500.0f, 3, "", "1#50k"},
      {-1500.0f, 3, "", "-1#5k"},  // a negative value takes the decimals of a small one
      {4.7e-9f, 3, "F", "4#70nF"},
      {2.2e-6f, 3, "F", "2#20\xc2\xb5" "F"},
      {1e9f, 3, "Hz", "1#00gHz"},
      {0.0f, 3, "Hz", "0"},
      {-0.0f, 3, "Hz", "0"},
      {0.5f, 3, "", "500m"},
      {12.345f, 3, "", "12#3"},
      {47000.0f, 5, "", "47#000k"},
      {33e-12f, 3, "F", "33#0pF"},
      {1e-15f, 3, "F", "1#00fF"},
      {999.4e9f, 3, "", "999g"},
      {2.5e3f, 1, "", "3k"},
      {-2.5e3f, 1, "", "-2k"},  // Int takes the floor: halves of negatives round up
      {1234.5678f, 5, "Hz", "1#2346kHz"},
      // Outside the prefix table: the plain text of the value, then the units.
      {1e12f, 3, "Hz", "1E+12Hz"},
      {3.3e13f, 3, "Hz", "3#3E+13Hz"},
      {5e-16f, 3, "F", "5E-16F"},
      {-2e-17f, 3, "F", "-2E-17F"},
      // Non-finite values give their plain text (which is "0") without scaling.
      {std::numeric_limits<float>::infinity(), 3, "Hz", "0"},
      {-std::numeric_limits<float>::infinity(), 3, "Hz", "0"},
      {std::numeric_limits<float>::quiet_NaN(), 3, "Hz", "0"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(U8(Engsuffix(c.x, c.digits, QString::fromUtf8(c.units), sep())), U8(T(c.out)))
        << c.x << " digits " << c.digits;
  }
}

TEST_P(EngNotation, EngsuffixScalesEveryDecadeIntoItsPrefix) {
  // v * 10^p for every whole v = 1 .. 999 reads as v's own text with p's prefix: the
  // single-precision scaling steps must never slip below 1 or reach 1000.
  const char* prefixes[] = {"f", "p", "n", "\xc2\xb5", "m", "", "k", "M", "g"};
  for (int k = 0; k < 9; ++k) {
    const int p = 3 * k - 15;
    const QString prefix = QString::fromUtf8(prefixes[k]);
    for (int v = 1; v < 1000; ++v) {
      const float x = static_cast<float>(v * std::pow(10.0, p));
      const QString want = Engsuffix(static_cast<float>(v), 3, QString(), sep()) + prefix;
      ASSERT_EQ(U8(Engsuffix(x, 3, QString(), sep())), U8(want)) << v << "e" << p;
    }
  }
}

TEST_P(EngNotation, EngsuffixIsSafeForAnyValueAndDigits) {
  std::mt19937 rng(4242);
  const int digitChoices[] = {INT_MIN, -5, 0, 1, 3, 7, 12, INT_MAX};
  for (int n = 0; n < 20000; ++n) {
    const auto bits = static_cast<std::uint32_t>(rng());
    float x;
    std::memcpy(&x, &bits, sizeof x);
    const int digits = digitChoices[n % 8];
    const QString out = Engsuffix(x, digits, QStringLiteral("Hz"), sep());
    ASSERT_FALSE(ShowsNonNumber(out)) << U8(out);
    ASSERT_LE(out.size(), 40) << U8(out);
  }
}

// ---------------------------------------------------------------- clean-up helpers

TEST_P(EngNotation, CorrectDKeepsTheFirstSeparator) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"1.2.3", "1#23"},
      {"1..5", "1#5"},
      {"1,5", "1#5"},
      {",5", "#5"},
      {"12", "12"},
      {"", ""},
      {"1.2.3.4", "1#234"},
      // After a deletion the character that moved into the gap is not looked at.
      {"1.,,5", "1#,5"},
      {"1..,5", "1#,5"},
  };
  for (const auto& c : cases) {
    QString text = QString::fromUtf8(c.in);
    const QString ret = CorrectD(text, sep());
    EXPECT_EQ(U8(text), U8(T(c.out))) << c.in;
    EXPECT_EQ(ret, text);
  }
}

TEST(NumberCleanUp, RemoveASCCutsAtTheFirstOtherCharacter) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"12 k", "12"}, {"-5", ""}, {"1.5k", "1.5"}, {"1,5", "1,5"}, {"", ""}, {"007x9", "007"},
  };
  for (const auto& c : cases) {
    QString text = QString::fromUtf8(c.in);
    const QString ret = RemoveASC(text);
    EXPECT_EQ(U8(text), c.out) << c.in;
    EXPECT_EQ(ret, text);
  }
  QString same = QStringLiteral("25 dB");
  same = RemoveASC(same);
  EXPECT_EQ(U8(same), "25");
}

TEST(NumberCleanUp, NumericCharsKeepsSignSeparatorsAndDigits) {
  EXPECT_EQ(U8(NumericChars(QStringLiteral("-1.5 kHz"))), "-1.5");
  EXPECT_EQ(U8(NumericChars(QStringLiteral("a1b,2-"))), "1,2-");
  EXPECT_EQ(U8(NumericChars(QString::fromUtf8("\xc2\xb5\xd9\xa1"))), "");
}

}  // namespace
