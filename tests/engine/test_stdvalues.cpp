// Standard value series: the rounded values are the published IEC 60063 values, rounding goes to
// the nearest one, and the high-pass dual rounding makes the dual part a series value.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "engine/stdvalues.h"
#include "support/seriesnames.h"

using namespace engine;

namespace {

// The IEC 60063 series, one decade each, as published.
const std::vector<double> kE6{1.0, 1.5, 2.2, 3.3, 4.7, 6.8};
const std::vector<double> kE12{1.0, 1.2, 1.5, 1.8, 2.2, 2.7, 3.3, 3.9, 4.7, 5.6, 6.8, 8.2};
const std::vector<double> kE24{1.0, 1.1, 1.2, 1.3, 1.5, 1.6, 1.8, 2.0, 2.2, 2.4, 2.7, 3.0,
                               3.3, 3.6, 3.9, 4.3, 4.7, 5.1, 5.6, 6.2, 6.8, 7.5, 8.2, 9.1};
const std::vector<double> kE48{
    1.00, 1.05, 1.10, 1.15, 1.21, 1.27, 1.33, 1.40, 1.47, 1.54, 1.62, 1.69, 1.78, 1.87, 1.96, 2.05,
    2.15, 2.26, 2.37, 2.49, 2.61, 2.74, 2.87, 3.01, 3.16, 3.32, 3.48, 3.65, 3.83, 4.02, 4.22, 4.42,
    4.64, 4.87, 5.11, 5.36, 5.62, 5.90, 6.19, 6.49, 6.81, 7.15, 7.50, 7.87, 8.25, 8.66, 9.09, 9.53};
const std::vector<double> kE96{
    1.00, 1.02, 1.05, 1.07, 1.10, 1.13, 1.15, 1.18, 1.21, 1.24, 1.27, 1.30, 1.33, 1.37, 1.40, 1.43,
    1.47, 1.50, 1.54, 1.58, 1.62, 1.65, 1.69, 1.74, 1.78, 1.82, 1.87, 1.91, 1.96, 2.00, 2.05, 2.10,
    2.15, 2.21, 2.26, 2.32, 2.37, 2.43, 2.49, 2.55, 2.61, 2.67, 2.74, 2.80, 2.87, 2.94, 3.01, 3.09,
    3.16, 3.24, 3.32, 3.40, 3.48, 3.57, 3.65, 3.74, 3.83, 3.92, 4.02, 4.12, 4.22, 4.32, 4.42, 4.53,
    4.64, 4.75, 4.87, 4.99, 5.11, 5.23, 5.36, 5.49, 5.62, 5.76, 5.90, 6.04, 6.19, 6.34, 6.49, 6.65,
    6.81, 6.98, 7.15, 7.32, 7.50, 7.68, 7.87, 8.06, 8.25, 8.45, 8.66, 8.87, 9.09, 9.31, 9.53, 9.76};
const std::vector<double> kE192{
    1.00, 1.01, 1.02, 1.04, 1.05, 1.06, 1.07, 1.09, 1.10, 1.11, 1.13, 1.14, 1.15, 1.17, 1.18, 1.20,
    1.21, 1.23, 1.24, 1.26, 1.27, 1.29, 1.30, 1.32, 1.33, 1.35, 1.37, 1.38, 1.40, 1.42, 1.43, 1.45,
    1.47, 1.49, 1.50, 1.52, 1.54, 1.56, 1.58, 1.60, 1.62, 1.64, 1.65, 1.67, 1.69, 1.72, 1.74, 1.76,
    1.78, 1.80, 1.82, 1.84, 1.87, 1.89, 1.91, 1.93, 1.96, 1.98, 2.00, 2.03, 2.05, 2.08, 2.10, 2.13,
    2.15, 2.18, 2.21, 2.23, 2.26, 2.29, 2.32, 2.34, 2.37, 2.40, 2.43, 2.46, 2.49, 2.52, 2.55, 2.58,
    2.61, 2.64, 2.67, 2.71, 2.74, 2.77, 2.80, 2.84, 2.87, 2.91, 2.94, 2.98, 3.01, 3.05, 3.09, 3.12,
    3.16, 3.20, 3.24, 3.28, 3.32, 3.36, 3.40, 3.44, 3.48, 3.52, 3.57, 3.61, 3.65, 3.70, 3.74, 3.79,
    3.83, 3.88, 3.92, 3.97, 4.02, 4.07, 4.12, 4.17, 4.22, 4.27, 4.32, 4.37, 4.42, 4.48, 4.53, 4.59,
    4.64, 4.70, 4.75, 4.81, 4.87, 4.93, 4.99, 5.05, 5.11, 5.17, 5.23, 5.30, 5.36, 5.42, 5.49, 5.56,
    5.62, 5.69, 5.76, 5.83, 5.90, 5.97, 6.04, 6.12, 6.19, 6.26, 6.34, 6.42, 6.49, 6.57, 6.65, 6.73,
    6.81, 6.90, 6.98, 7.06, 7.15, 7.23, 7.32, 7.41, 7.50, 7.59, 7.68, 7.77, 7.87, 7.96, 8.06, 8.16,
    8.25, 8.35, 8.45, 8.56, 8.66, 8.76, 8.87, 8.98, 9.09, 9.20, 9.31, 9.42, 9.53, 9.65, 9.76, 9.88};

struct Series {
  const char* name;
  const std::vector<double>* values;
};

const Series kResistorSeries[] = {
    {"E12", &kE12}, {"E24", &kE24}, {"E48", &kE48}, {"E96", &kE96}, {"E192", &kE192}};
const Series kCapacitorSeries[] = {{"E6", &kE6}, {"E12", &kE12}, {"E24", &kE24}};

// Equal up to the last bits of a single-precision value.
::testing::AssertionResult SameValue(double actual, double expected) {
  if (std::fabs(actual - expected) <= 1e-6 * std::fabs(expected))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << actual << " is not " << expected;
}

// True when v is a value of the published series (any decade).
bool InSeries(double v, const std::vector<double>& series) {
  const double e = std::floor(std::log10(v) + 1e-9);
  const double m = v / std::pow(10.0, e);
  for (const double s : series)
    if (std::fabs(m - s) < 2e-6 * s || std::fabs(m - 10.0 * s) < 2e-5 * s) return true;
  return false;
}

SeriesChoice HighPass(const char* resistors, const char* caps, float f0, float fc) {
  SeriesChoice s;
  s.Resistors = ResistorSeriesNamed(QString::fromLatin1(resistors));
  s.Capacitors = CapacitorSeriesNamed(QString::fromLatin1(caps));
  s.HighPassHalf = 1;
  s.StageF0 = f0;
  s.DesignCutoff = fc;
  return s;
}

}  // namespace

TEST(StdValues, ComputedSeriesAreThePublishedOnes) {
  for (const Series& s : kResistorSeries) {
    const std::vector<float> m = ResistorSeriesMantissas(ResistorSeriesNamed(QString::fromLatin1(s.name)));
    ASSERT_EQ(m.size(), s.values->size()) << s.name;
    for (std::size_t i = 0; i < m.size(); ++i)
      EXPECT_TRUE(SameValue(m[i], (*s.values)[i])) << s.name << " index " << i;
  }
  EXPECT_TRUE(ResistorSeriesMantissas(ResistorSeries::Exact).empty());
}

// Every published value, in every decade a design uses, comes back unchanged; a value just below
// or just above the midpoint of two neighbours goes to the nearer one (decade edges included).
TEST(StdValues, ResistorsRoundToTheNearestPublishedValue) {
  for (const Series& s : kResistorSeries) {
    const ResistorSeries list = ResistorSeriesNamed(QString::fromLatin1(s.name));
    std::vector<double> v = *s.values;
    v.push_back(10.0);
    for (int e = 0; e <= 6; ++e) {
      const double d = std::pow(10.0, e);
      for (std::size_t i = 0; i + 1 < v.size(); ++i) {
        const double lo = v[i] * d, hi = v[i + 1] * d, mid = (lo + hi) / 2.0;
        EXPECT_TRUE(SameValue(StdResPlain(float(lo), list), lo)) << s.name;
        EXPECT_TRUE(SameValue(StdResPlain(float(mid * (1 - 1e-4)), list), lo)) << s.name << " " << mid;
        EXPECT_TRUE(SameValue(StdResPlain(float(mid * (1 + 1e-4)), list), hi)) << s.name << " " << mid;
      }
    }
  }
}

TEST(StdValues, ResistorRoundingCases) {
  struct Case {
    const char* list;
    float in, out;
  };
  const Case cases[] = {
      {"E12", 4.6e3f, 4.7e3f},    {"E12", 1.35e3f, 1.5e3f},  // a midpoint goes up
      {"E12", 9.6e3f, 10e3f},     {"E24", 9.6e3f, 10e3f},    {"E24", 95.0f, 91.0f},
      {"E96", 1e3f, 1e3f},        {"E96", 1.01e3f, 1.02e3f},  // exactly between: up
      {"E96", 9.9e3f, 10e3f},     {"E48", 1.125e3f, 1.15e3f},
      {"E192", 9.15e3f, 9.2e3f},  {"E192", 9.25e3f, 9.2e3f}, {"E192", 9.2e3f, 9.2e3f},
      {"E192", 9.19e3f, 9.2e3f},  {"Exact", 1234.5f, 1234.5f},
  };
  for (const Case& c : cases)
    EXPECT_TRUE(SameValue(StdResPlain(c.in, ResistorSeriesNamed(QString::fromLatin1(c.list))), c.out))
        << c.list << " " << c.in;
}

TEST(StdValues, CapacitorsRoundToNearestAndStep) {
  for (const Series& s : kCapacitorSeries) {
    const CapacitorSeries list = CapacitorSeriesNamed(QString::fromLatin1(s.name));
    std::vector<double> v = *s.values;
    for (int e = -12; e <= -6; ++e) {
      const double d = std::pow(10.0, e);
      for (std::size_t i = 0; i < v.size(); ++i) {
        const double c = v[i] * d;
        const double up = (i + 1 < v.size() ? v[i + 1] : 10.0 * v[0]) * d;
        const double down = (i > 0 ? v[i - 1] : v.back() / 10.0) * d;
        EXPECT_TRUE(SameValue(StdCapsPlain(float(c), CapNearest, 1, list), c)) << s.name;
        EXPECT_TRUE(SameValue(StdCapsPlain(float(c), CapNextLarger, 1, list), up)) << s.name;
        EXPECT_TRUE(SameValue(StdCapsPlain(float(c), CapNextSmaller, 1, list), down)) << s.name;
        const double mid = (c + up) / 2.0;
        EXPECT_TRUE(SameValue(StdCapsPlain(float(mid * (1 - 1e-4)), CapNearest, 1, list), c));
        EXPECT_TRUE(SameValue(StdCapsPlain(float(mid * (1 + 1e-4)), CapNearest, 1, list), up));
      }
    }
  }
}

TEST(StdValues, CapacitorRoundingCases) {
  struct Case {
    const char* list;
    float in;
    int op, capdiv;
    float out;
  };
  const Case cases[] = {
      {"E6", 4.7e-9f, CapNearest, 1, 4.7e-9f},   {"E6", 4.7e-9f, CapNextLarger, 1, 6.8e-9f},
      {"E6", 4.7e-9f, CapNextSmaller, 1, 3.3e-9f}, {"E6", 9.5e-9f, CapNextLarger, 1, 15e-9f},
      {"E12", 10e-9f, CapNearest, 2, 9.4e-9f},   {"E24", 10e-9f, CapNextLarger, 2, 11.2e-9f},
      {"E12", 1e-12f, CapNextSmaller, 1, 0.82e-12f},
  };
  for (const Case& c : cases)
    EXPECT_TRUE(SameValue(StdCapsPlain(c.in, c.op, c.capdiv, CapacitorSeriesNamed(QString::fromLatin1(c.list))), c.out))
        << c.list << " " << c.in << " op " << c.op;
  EXPECT_EQ(CapSeriesSize(CapacitorSeries::E6), 6);
  EXPECT_EQ(CapSeriesSize(CapacitorSeries::E12), 12);
  EXPECT_EQ(CapSeriesSize(CapacitorSeries::E24), 24);
  int decade = 99;
  StdCapsPlain(4.7e-9f, CapNearest, 1, CapacitorSeries::E12, &decade);
  EXPECT_EQ(decade, -9);
}

TEST(StdValues, UnusableValuesComeBackUnchanged) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  for (const float v : {0.0f, -4.7e3f, inf, -inf}) {
    EXPECT_EQ(StdResPlain(v, ResistorSeries::E12), v);
    EXPECT_EQ(StdResPlain(v, ResistorSeries::E96), v);
    EXPECT_EQ(StdCapsPlain(v, CapNextLarger, 2, CapacitorSeries::E6), v);
    EXPECT_EQ(StdRes(v, HighPass("E12", "E12", 1e3f, 1e3f)), v);
    EXPECT_EQ(StdCaps(v, CapNearest, 1, HighPass("E12", "E12", 1e3f, 1e3f)), v);
  }
  EXPECT_TRUE(std::isnan(StdResPlain(nan, ResistorSeries::E24)));
  EXPECT_TRUE(std::isnan(StdCapsPlain(nan, CapNearest, 1, CapacitorSeries::E24)));
}

// In the high-pass half a resistor r stands for the capacitor f0 / (2 pi Fc^2 r) of the
// high-pass circuit, and a capacitor c for the resistor 1 / (2 pi f0 c): the rounding makes those
// dual parts series values, whatever the resistor series ("Exact" included).
TEST(StdValues, HighPassRoundsTheDualPart) {
  const double f0 = 1234.0, fc = 987.0;
  for (const char* rl : {"Exact", "E24", "E96"}) {
    const SeriesChoice s = HighPass(rl, "E12", float(f0), float(fc));
    for (const float r : {3.3e3f, 12.7e3f, 56.1e3f}) {
      const double snapped = StdRes(r, s);
      EXPECT_TRUE(InSeries(f0 / (2 * M_PI * fc * fc * snapped), kE12)) << rl << " " << r;
      EXPECT_NEAR(snapped / r, 1.0, 0.12);
    }
  }
  for (const int capdiv : {1, 2}) {
    const SeriesChoice s = HighPass("E24", "E6", float(f0), float(fc));
    for (const float c : {2.2e-9f, 7.1e-9f, 40e-9f}) {
      const double snapped = StdCaps(c, CapNextLarger, capdiv, s);
      EXPECT_TRUE(InSeries(1.0 / (2 * M_PI * f0 * snapped / capdiv), kE24)) << c;
      EXPECT_NEAR(snapped / c, 1.0, 0.06);
    }
  }
  // Without a usable stage frequency the plain series is used.
  EXPECT_TRUE(SameValue(StdRes(4.6e3f, HighPass("E12", "E12", 0.0f, 1e3f)), 4.7e3));
}

TEST(StdValues, NextLargerResistor) {
  struct Case {
    const char* list;
    float in, out;
  };
  const Case cases[] = {{"E12", 1e3f, 1.2e3f},   {"E12", 1.3e3f, 1.5e3f}, {"E12", 8.2e3f, 10e3f},
                        {"E96", 9.76e3f, 10e3f}, {"E48", 1.05e3f, 1.1e3f},
                        {"E192", 9.09e3f, 9.2e3f}, {"E24", 0.99e3f, 1e3f}};
  for (const Case& c : cases) {
    const std::optional<float> next = NextLargerStdRes(c.in, ResistorSeriesNamed(QString::fromLatin1(c.list)));
    ASSERT_TRUE(next.has_value()) << c.list;
    EXPECT_TRUE(SameValue(*next, c.out)) << c.list << " " << c.in;
  }
  EXPECT_FALSE(NextLargerStdRes(1e3f, ResistorSeries::Exact).has_value());
}
