// Strict number conversion, the texts of single and double values, and the rounding
// helpers of the design arithmetic.
#include <gtest/gtest.h>

#include <QString>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <string>

#include "engine/numbertext.h"
#include "engine/rounding.h"

namespace {

using engine::DoubleText;
using engine::ParseNumber;
using engine::SingleText;

// Texts in the tables write the decimal separator as '#'; each test runs once with "."
// and once with ",".
QString WithSep(const QString& s, QChar sep) {
  QString out = s;
  out.replace(QLatin1Char('#'), sep);
  return out;
}

std::string U8(const QString& s) { return s.toStdString(); }

class NumberText : public ::testing::TestWithParam<char> {
 protected:
  QChar sep() const { return QLatin1Char(GetParam()); }
  QChar otherSep() const { return QLatin1Char(GetParam() == '.' ? ',' : '.'); }
  QString T(const char* s) const { return WithSep(QString::fromUtf8(s), sep()); }
};

INSTANTIATE_TEST_SUITE_P(Separators, NumberText, ::testing::Values('.', ','),
                         [](const auto& p) { return p.param == '.' ? "Point" : "Comma"; });

// ---------------------------------------------------------------- ParseNumber

TEST_P(NumberText, ParseNumberReadsPlainNumbers) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"0", 0.0},           {"  1#5  ", 1.5},     {"\t7\t", 7.0},        {"-2#5", -2.5},
      {"+3", 3.0},          {"00012", 12.0},      {"#5", 0.5},           {"5#", 5.0},
      {"1e3", 1000.0},      {"1E-09", 1e-9},      {"2#5E+2", 250.0},     {"-4#7e-3", -4.7e-3},
      {"0#1", 0.1},         {"2#675", 2.675},     {"1#797693134862315E+308", 1.797693134862315e308},
      {"123456789012345678901234567890", 1.2345678901234568e29},
      {"1e-999", 0.0},      {"-1e-999", 0.0},
  };
  for (const auto& c : cases) {
    const auto v = ParseNumber(T(c.text), sep());
    ASSERT_TRUE(v.has_value()) << c.text;
    EXPECT_EQ(*v, c.value) << c.text;
  }
}

TEST_P(NumberText, ParseNumberRejectsEverythingElse) {
  const char* cases[] = {
      "",     " ",      "#",      "-",      "+-1",    "--1",     "- 1",      "1 2",
      "1e",   "1e+",    "e5",     "E",      "1#2#3",  "1#5#",    "1d3",      "12abc",
      "abc",  "0x10",   "1_000",  "inf",    "-inf",   "nan",     "NaN",      "Infinity",
      "1e309", "-1e309", "1e999", "1#8e308",
      "\xd9\xa1\xd9\xa2",        // Arabic-Indic digits
      "\xef\xbc\x91\xef\xbc\x92",  // full-width digits
      "1\xc2\xa0",               // no-break space is not a blank
      "\xc2\xb5",                // micro sign alone
  };
  for (const char* c : cases) EXPECT_FALSE(ParseNumber(T(c), sep()).has_value()) << c;
  // The other locale's separator is not a decimal separator here.
  EXPECT_FALSE(ParseNumber(QStringLiteral("1") + otherSep() + QStringLiteral("5"), sep()));
}

TEST_P(NumberText, ParseNumberNegativeZeroIsPlainZero) {
  for (const char* text : {"-0", "-0#000", "-0e5", "-1e-999"}) {
    const auto v = ParseNumber(T(text), sep());
    ASSERT_TRUE(v.has_value()) << text;
    EXPECT_FALSE(std::signbit(*v)) << text;
    EXPECT_EQ(U8(DoubleText(*v, sep())), "0") << text;
  }
}

TEST_P(NumberText, ParseNumberSurvivesHugeTexts) {
  const QString ones(10000, QLatin1Char('1'));
  EXPECT_FALSE(ParseNumber(ones, sep())) << "10,000 digits overflow a double";
  // A long mantissa the exponent brings back into range.
  EXPECT_EQ(ParseNumber(QStringLiteral("1") + QString(10000, QLatin1Char('0')) +
                            QStringLiteral("e-10000"), sep()),
            1.0);
  EXPECT_EQ(ParseNumber(T("0#") + QString(10000, QLatin1Char('0')) + QStringLiteral("1"), sep()),
            0.0);
  EXPECT_EQ(ParseNumber(QStringLiteral("1e") + QString(9999, QLatin1Char('0')) +
                            QStringLiteral("1"), sep()),
            10.0);
  EXPECT_FALSE(ParseNumber(QStringLiteral("1e") + QString(10000, QLatin1Char('9')), sep()));
  EXPECT_EQ(ParseNumber(QStringLiteral("1e-") + QString(10000, QLatin1Char('9')), sep()), 0.0);
  EXPECT_FALSE(ParseNumber(QString(10000, QChar(0x00B5)), sep()));
  EXPECT_FALSE(ParseNumber(QString(10000, sep()), sep()));
}

TEST_P(NumberText, ParseNumberRoundsLongMantissasCorrectly) {
  // 2^53 + 1 lies half-way between two doubles; any non-zero digit far behind it must
  // still tip the result upwards, even past the digits the reader keeps.
  const QString tie = QStringLiteral("9007199254740993");
  EXPECT_EQ(ParseNumber(tie, sep()), 9007199254740992.0);
  const QString tipped = tie + sep() + QString(900, QLatin1Char('0')) + QStringLiteral("1");
  EXPECT_EQ(ParseNumber(tipped, sep()), 9007199254740994.0);
  // A far non-zero digit behind a round mantissa changes nothing visible.
  EXPECT_EQ(ParseNumber(T("1#") + QString(900, QLatin1Char('0')) + QStringLiteral("1"), sep()),
            1.0);
  EXPECT_EQ(ParseNumber(QStringLiteral("5") + QString(900, QLatin1Char('0')) +
                            QStringLiteral("1e-901"), sep()),
            5.0);
}

// ---------------------------------------------------------------- SingleText / DoubleText

TEST_P(NumberText, SingleTextTable) {
  const struct {
    float v;
    const char* text;
  } cases[] = {
      {0.0f, "0"},
      {-0.0f, "0"},
      {1.0f, "1"},
      {0.5f, "0#5"},
      {-2.5f, "-2#5"},
      {4700.0f, "4700"},
      {0.01f, "0#01"},
      {0.1f, "0#1"},
      {100.0f, "100"},
      {1.0f / 3.0f, "0#3333333"},
      {1.2345678f, "1#234568"},
      {123456.7f, "123456#7"},
      // Fixed form from 1E-05 to 9999999, exponent form outside.
      {1e-5f, "0#00001"},
      {9.9999e-6f, "9#9999E-06"},
      {1e-9f, "1E-09"},
      {2.2e-6f, "2#2E-06"},
      {-2.2e-6f, "-2#2E-06"},
      {9999999.0f, "9999999"},
      {1e7f, "1E+07"},
      {1.5e7f, "1#5E+07"},
      {12345678.0f, "1#234568E+07"},
      {1e12f, "1E+12"},
      {FLT_MAX, "3#402823E+38"},
      {std::numeric_limits<float>::denorm_min(), "1#401298E-45"},
      // No text ever shows an infinity or a not-a-number.
      {std::numeric_limits<float>::infinity(), "0"},
      {-std::numeric_limits<float>::infinity(), "0"},
      {std::numeric_limits<float>::quiet_NaN(), "0"},
  };
  for (const auto& c : cases) EXPECT_EQ(U8(SingleText(c.v, sep())), U8(T(c.text))) << c.text;
}

TEST_P(NumberText, DoubleTextTable) {
  const struct {
    double v;
    const char* text;
  } cases[] = {
      {0.1, "0#1"},
      {-0.0, "0"},
      {1.0 / 3.0, "0#333333333333333"},
      {999999999999999.0, "999999999999999"},
      {1e15, "1E+15"},
      {2.5e-6, "2#5E-06"},
      {DBL_MAX, "1#79769313486232E+308"},
      {std::numeric_limits<double>::infinity(), "0"},
      {std::numeric_limits<double>::quiet_NaN(), "0"},
  };
  for (const auto& c : cases) EXPECT_EQ(U8(DoubleText(c.v, sep())), U8(T(c.text))) << c.text;
}

TEST_P(NumberText, SingleTextReadsBackForAnyBitPattern) {
  std::mt19937 rng(12345);
  for (int n = 0; n < 20000; ++n) {
    const auto bits = static_cast<std::uint32_t>(rng());
    float v;
    std::memcpy(&v, &bits, sizeof v);
    const QString text = SingleText(v, sep());
    ASSERT_FALSE(text.contains(QLatin1String("inf"), Qt::CaseInsensitive)) << U8(text);
    ASSERT_FALSE(text.contains(QLatin1String("nan"), Qt::CaseInsensitive)) << U8(text);
    ASSERT_LE(text.size(), 14) << U8(text);
    const auto back = ParseNumber(text, sep());
    ASSERT_TRUE(back.has_value()) << U8(text);
    if (std::isfinite(v) && v != 0.0f) {
      // Seven significant digits: within half a unit of the seventh digit.
      EXPECT_LE(std::fabs(*back - v), 5.000001e-7 * std::fabs(v)) << U8(text);
    }
  }
}

// ---------------------------------------------------------------- rounding helpers

TEST(RoundingHelpers, CIntAndCLngRoundHalfToEvenAndSaturate) {
  const struct {
    double x;
    std::int16_t i16;
    std::int32_t i32;
  } cases[] = {
      {0.5, 0, 0},           {1.5, 2, 2},         {2.5, 2, 2},         {3.5, 4, 4},
      {-0.5, 0, 0},          {-1.5, -2, -2},      {-2.5, -2, -2},      {2.4999999, 2, 2},
      {2.5000001, 3, 3},     {-2.5000001, -3, -3}, {32767.5, 32767, 32768},
      {-32768.5, -32768, -32768},                 {1e10, 32767, 2147483647},
      {-1e10, -32768, -2147483647 - 1},           {2147483646.5, 32767, 2147483646},
      {2147483647.5, 32767, 2147483647},
      {std::numeric_limits<double>::quiet_NaN(), 0, 0},
      {std::numeric_limits<double>::infinity(), 0, 0},
      {-std::numeric_limits<double>::infinity(), 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(engine::CInt(c.x), c.i16) << c.x;
    EXPECT_EQ(engine::CLng(c.x), c.i32) << c.x;
  }
}

TEST(RoundingHelpers, IntIsFloor) {
  EXPECT_EQ(engine::Int(2.7), 2.0);
  EXPECT_EQ(engine::Int(-2.3), -3.0);
  EXPECT_EQ(engine::Int(-0.5), -1.0);
  EXPECT_EQ(engine::Int(5.0), 5.0);
  EXPECT_EQ(engine::Int(1e300), 1e300);
  EXPECT_TRUE(std::isinf(engine::Int(std::numeric_limits<double>::infinity())));
  EXPECT_TRUE(std::isnan(engine::Int(std::numeric_limits<double>::quiet_NaN())));
}

TEST(RoundingHelpers, RoundHalfAwayRoundsTheShownDecimals) {
  const struct {
    double x;
    int decimals;
    double want;
  } cases[] = {
      {2.5, 0, 3.0},       {-2.5, 0, -3.0},     {0.5, 0, 1.0},        {1.4999, 0, 1.0},
      {0.125, 2, 0.13},    {-0.125, 2, -0.13},
      // Stored just below the tie, yet they read as ties and round away.
      {2.675, 2, 2.68},    {1.005, 2, 1.01},    {-1.005, 2, -1.01},   {1.004999, 2, 1.0},
      {1234.5, -1, 1230.0}, {1250.0, -2, 1300.0}, {999.96, 1, 1000.0}, {123.456, 20, 123.456},
      {0.0004, 2, 0.0},    {0.0, 3, 0.0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(engine::RoundHalfAway(c.x, c.decimals), c.want) << c.x << " " << c.decimals;
  EXPECT_FALSE(std::signbit(engine::RoundHalfAway(-0.0004, 2))) << "never a negative zero";
  EXPECT_FALSE(std::signbit(engine::RoundHalfAway(-0.0, 2)));
  EXPECT_EQ(engine::RoundHalfAway(1e308, -400), 0.0);
  EXPECT_EQ(engine::RoundHalfAway(5e-324, 400), 5e-324);
  EXPECT_TRUE(std::isinf(engine::RoundHalfAway(std::numeric_limits<double>::infinity(), 2)));
}

TEST(RoundingHelpers, SngRoundsAndOverflowsToInfinity) {
  EXPECT_EQ(engine::Sng(0.1), 0.1f);
  EXPECT_EQ(engine::Sng(1.0 + 1e-9), 1.0f);
  EXPECT_EQ(engine::Sng(static_cast<double>(FLT_MAX) * (1.0 + 1e-9)), FLT_MAX);
  EXPECT_EQ(engine::Sng(1e39), std::numeric_limits<float>::infinity());
  EXPECT_EQ(engine::Sng(-1e300), -std::numeric_limits<float>::infinity());
  EXPECT_TRUE(std::isnan(engine::Sng(std::numeric_limits<double>::quiet_NaN())));
}

}  // namespace
