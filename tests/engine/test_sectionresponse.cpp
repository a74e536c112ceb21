// Scaling sections to the design frequency, and the gain and phase of one section, checked
// against the transfer functions H(s) = b0 / (s^2 + b1 s + b0) and b0 / (s + b0) evaluated
// here with complex arithmetic.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>

#include "engine/scalefreq.h"
#include "engine/sectionresponse.h"

namespace {

using engine::Response;
using engine::ScaleFreq;
using engine::SectionArray;
using engine::SectionResponse;

constexpr double kPi = 3.141592653589793238462643383279502884;

// Gain in dB and phase in degrees (0 .. -180) of the section at f hertz.
struct Expected {
  double db;
  double deg;
};

Expected closedForm(double b0, double b1, double f) {
  const std::complex<double> s(0, 2 * kPi * f);
  const std::complex<double> h = b1 == 0 ? b0 / (s + b0) : b0 / (s * s + b1 * s + b0);
  return {20 * std::log10(std::abs(h)), std::arg(h) * 180 / kPi};
}

TEST(ScaleFreq, ScalesSecondAndFirstOrderSections) {
  SectionArray b0{}, b1{};
  b1[1] = 1.41421f, b0[1] = 1;     // Butterworth pair
  b1[2] = 0.5f, b0[2] = 2.25f;     // a pair at 1.5 rad/s
  b1[3] = 0, b0[3] = 1;            // real pole
  const engine::ScaledSections r = ScaleFreq(1000, b0, b1);
  ASSERT_TRUE(r.ok);
  const double w = 2000 * kPi;
  EXPECT_NEAR(r.PoleB0[1], w * w, 1e-6 * w * w);
  EXPECT_NEAR(r.PoleB1[1], 1.41421 * w, 1e-6 * w);
  EXPECT_NEAR(r.PoleB0[2], 2.25 * w * w, 1e-6 * 2.25 * w * w);
  EXPECT_NEAR(r.PoleB1[2], 0.5 * w, 1e-6 * w);
  EXPECT_NEAR(r.PoleB0[3], w, 1e-6 * w);
  EXPECT_EQ(r.PoleB1[3], 0.0f);
  // Each product is a single: b0 * w rounded, then * w rounded.
  const float ws = float(2 * kPi * 1000);
  EXPECT_EQ(r.PoleB0[2], float(double(float(2.25 * ws)) * ws));
}

TEST(ScaleFreq, ScanEndsAtTheFirstEmptySection) {
  SectionArray b0{}, b1{};
  b0[2] = 1, b1[2] = 1;
  const engine::ScaledSections first = ScaleFreq(1000, b0, b1);
  ASSERT_TRUE(first.ok);
  EXPECT_EQ(first.PoleB0, b0);
  EXPECT_EQ(first.PoleB1, b1);

  b0[1] = 1, b1[1] = 1, b0[2] = 0, b1[2] = 0, b0[3] = 4, b1[3] = 1;
  const engine::ScaledSections gap = ScaleFreq(1, b0, b1);
  EXPECT_NEAR(gap.PoleB0[1], 4 * kPi * kPi, 1e-5);
  EXPECT_EQ(gap.PoleB0[3], 4.0f) << "behind the gap nothing is scaled";

  // A table filled to the last element stops there.
  SectionArray full0, full1;
  full0.fill(1), full1.fill(0);
  EXPECT_TRUE(ScaleFreq(1, full0, full1).ok);
}

TEST(ScaleFreq, UnusableFrequencyOrOverflowClearsTheSections) {
  SectionArray b0{}, b1{};
  b0[1] = 1, b1[1] = 1.41421f;
  for (double f : {0.0, -50.0, double(NAN), double(INFINITY), 1e38}) {
    const engine::ScaledSections r = ScaleFreq(f, b0, b1);
    EXPECT_FALSE(r.ok) << f;
    EXPECT_EQ(r.PoleB0, SectionArray{}) << f;
    EXPECT_EQ(r.PoleB1, SectionArray{}) << f;
  }
  b0[2] = 1e30f, b1[2] = 1;
  const engine::ScaledSections big = ScaleFreq(1e6, b0, b1);
  EXPECT_FALSE(big.ok);
  EXPECT_EQ(big.PoleB0, SectionArray{});
}

TEST(Response, SecondOrderMatchesTheTransferFunction) {
  const double fn = 1000, w = 2 * kPi * fn;
  for (double q : {0.5, 0.70710678, 1.0, 5.0, 20.0}) {
    const float b0 = float(w * w), b1 = float(w / q);
    for (double ratio : {0.001, 0.1, 0.5, 0.9, 0.99, 1.01, 1.1, 2.0, 10.0, 1000.0}) {
      const float f = float(fn * ratio);
      const SectionResponse r = Response(b0, b1, f);
      ASSERT_TRUE(r.ok);
      const Expected e = closedForm(b0, b1, f);
      EXPECT_NEAR(r.GainDb, e.db, 1e-4) << "Q " << q << " f/fn " << ratio;
      EXPECT_NEAR(r.PhaseDeg, e.deg, 1e-4) << "Q " << q << " f/fn " << ratio;
      EXPECT_EQ(r.B0, b0);
    }
  }
}

TEST(Response, FirstOrderMatchesTheTransferFunction) {
  const float b0 = float(2 * kPi * 500);
  for (double f : {1.0, 100.0, 500.0, 2000.0, 1e6}) {
    const SectionResponse r = Response(b0, 0, float(f));
    ASSERT_TRUE(r.ok);
    const Expected e = closedForm(b0, 0, f);
    EXPECT_NEAR(r.GainDb, e.db, 1e-4) << f;
    EXPECT_NEAR(r.PhaseDeg, e.deg, 1e-4) << f;
  }
  // b0 = 0 is a pole at 1e-6 rad/s, and the caller's b0 becomes 1e-6.
  const SectionResponse zero = Response(0, 0, 1);
  ASSERT_TRUE(zero.ok);
  EXPECT_EQ(zero.B0, 1e-6f);
  const Expected e = closedForm(1e-6f, 0, 1);
  EXPECT_NEAR(zero.GainDb, e.db, 1e-4);
  EXPECT_NEAR(zero.PhaseDeg, -90, 1e-4);
}

TEST(Response, NaturalFrequencyIsExactlyMinusNinetyDegrees) {
  // f chosen so that x = 2 pi f / sqrt(b0) rounds to exactly 1 in single precision.
  const float b0 = float(4 * kPi * kPi), f = 1;
  ASSERT_EQ(float(2 * kPi * f / std::sqrt(double(b0))), 1.0f);
  const SectionResponse r = Response(b0, float(2 * kPi * std::sqrt(2.0)), f);
  ASSERT_TRUE(r.ok);
  EXPECT_NEAR(r.GainDb, -3.0103, 1e-4);
  EXPECT_EQ(r.PhaseDeg, -90.0);
}

TEST(Response, PhaseFallsSteadilyThroughResonanceToMinus180) {
  const double w = 2 * kPi * 1000;
  for (double q : {0.3, 0.7071, 10.0, 100.0}) {
    double previous = 0.0;
    for (int i = 0; i <= 400; ++i) {
      const float f = float(1000 * std::pow(10.0, (i - 200) / 50.0));  // 1e-4 .. 1e4 fn
      const SectionResponse r = Response(float(w * w), float(w / q), f);
      ASSERT_TRUE(r.ok);
      EXPECT_LE(r.PhaseDeg, previous + 1e-9) << "Q " << q << " f " << f;
      EXPECT_GE(r.PhaseDeg, -180.0) << "Q " << q << " f " << f;
      if (f > 1001) {
        EXPECT_LT(r.PhaseDeg, -90.0) << "Q " << q << " f " << f;
      }
      previous = r.PhaseDeg;
    }
  }
}

TEST(Response, FarAboveResonanceTheRelativeFrequencyIsHeldAt1e9) {
  const double w = 2 * kPi * 10;
  const float b0 = float(w * w), b1 = float(w / 0.7071);
  const SectionResponse far = Response(b0, b1, 1e13f);  // 1e12 times the natural frequency
  ASSERT_TRUE(far.ok);
  const Expected atLimit = closedForm(b0, b1, 10 * 1e9);
  EXPECT_NEAR(far.GainDb, atLimit.db, 1e-3);  // about -360 dB, not -480
  EXPECT_NEAR(far.GainDb, -360, 0.01);
  EXPECT_LT(far.PhaseDeg, -179.99);
  EXPECT_GE(far.PhaseDeg, -180.0);
}

TEST(Response, SectionsThatCannotBeEvaluated) {
  struct Case {
    const char* what;
    float b0, b1, f;
  };
  const Case cases[] = {
      {"second order with b0 = 0", 0, 1, 100},
      {"second order with b0 < 0", -4, 1, 100},
      {"negative b1", 1, -1, 100},
      {"nan frequency", 1, 1, NAN},
      {"infinite frequency", 1, 0, INFINITY},
      {"nan b0", NAN, 1, 100},
      {"infinite b1", 1, INFINITY, 100},
  };
  for (const Case& c : cases) {
    const SectionResponse r = Response(c.b0, c.b1, c.f);
    EXPECT_FALSE(r.ok) << c.what;
    EXPECT_TRUE(std::isfinite(r.GainDb) && std::isfinite(r.PhaseDeg)) << c.what;
  }
}

TEST(Response, UnderflowingMagnitudeIsFlooredAt400Db) {
  // Q = 1e-30 at the held x = 1e9: |H| = 1e-39, below the single range's normal numbers.
  const SectionResponse r = Response(1, 1e30f, 1e12f);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.GainDb, -400.0f);
  EXPECT_NEAR(r.PhaseDeg, -90, 1e-6) << "phase converted to degrees as usual";
  // A first-order section far above its pole goes to the floor too, at -90 degrees.
  const SectionResponse first = Response(1e-6f, 0, 1e30f);
  ASSERT_TRUE(first.ok);
  EXPECT_EQ(first.GainDb, -400.0f);
  EXPECT_NEAR(first.PhaseDeg, -90, 1e-9);
}

}  // namespace
