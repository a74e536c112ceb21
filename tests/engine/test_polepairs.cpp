// Normalised pole pairs, checked against the pole positions of each response computed here
// independently: the closed forms of Butterworth and Chebychev, the numerically found roots of
// the Bessel polynomials, and the 3 dB point of every stored row.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

#include "engine/engnotation.h"
#include "engine/numbertext.h"
#include "engine/polepairs.h"

namespace {

using engine::PolePairInputs;
using engine::PolePairs;
using engine::polepairs;
using engine::SectionArray;
using engine::EngValue;
using engine::FilterResponse;
using engine::ParseNumber;
using engine::SectionEntry;

constexpr double kPi = 3.141592653589793238462643383279502884;

enum Code { Butterworth = 0, Bessel = 1, Chebychev = 2, LinPhase005 = 3, LinPhase05 = 4, Gaussian = 5, CustomFnQ = 7 };

PolePairInputs standardInputs(int code, int n) {
  PolePairInputs in;
  in.ResponseCode = code;
  in.PolesLowPass = n;
  in.PolesHighPass = n;
  in.DesignCutoff = 1000;
  return in;
}

// The pole count a pole box holds, read as the window reads it (0 when it holds none).
double polesIn(const char* box) {
  return ParseNumber(QString::fromUtf8(box), QLatin1Char('.')).value_or(0.0);
}

// A section as the expected side sees it: b1 = 0 marks a real pole whose b0 is wn.
struct Sec {
  double b1;
  double b0;
};

Sec sectionOfPole(std::complex<double> p) {
  if (std::abs(p.imag()) < 1e-9) return {0.0, std::abs(p.real())};
  return {-2 * p.real(), std::norm(p)};
}

void expectNear(double actual, double expected, double rel, const std::string& what) {
  EXPECT_NEAR(actual, expected, rel * std::max(1.0, std::abs(expected))) << what;
}

void expectUnusedZero(const PolePairs& r, int from) {
  for (int k = from; k <= engine::kLastSection; ++k) {
    EXPECT_EQ(r.PoleB0[k], 0.0f) << "b0 of section " << k;
    EXPECT_EQ(r.PoleB1[k], 0.0f) << "b1 of section " << k;
  }
  EXPECT_EQ(r.PoleB0[0], 0.0f);
  EXPECT_EQ(r.PoleB1[0], 0.0f);
}

// |H(j w)| in dB of the cascade of unit-DC-gain sections 1..m.
double cascadeDb(const PolePairs& r, double w) {
  std::complex<double> h = 1;
  const std::complex<double> s(0, w);
  for (int k = 1; k <= r.SectionCount; ++k) {
    const double b0 = r.PoleB0[k], b1 = r.PoleB1[k];
    h *= b1 == 0 ? b0 / (s + b0) : b0 / (s * s + b1 * s + b0);
  }
  return 20 * std::log10(std::abs(h));
}

TEST(PolePairs, ButterworthMatchesClosedFormPolesInStoredOrder) {
  for (int n = 1; n <= 10; ++n) {
    const PolePairs r = polepairs(n, 1, standardInputs(Butterworth, n));
    const int m = (n + 1) / 2;
    ASSERT_EQ(r.SectionCount, m);
    for (int k = 1; k <= m; ++k) {
      // Pole k of the left half plane on the unit circle, counted from the j axis.
      const Sec e = sectionOfPole(std::polar(1.0, kPi * (2 * k + n - 1) / (2 * n)));
      const std::string what = "n=" + std::to_string(n) + " k=" + std::to_string(k);
      expectNear(r.PoleB1[k], e.b1, 2e-7, what);
      expectNear(r.PoleB0[k], e.b0, 2e-7, what);
    }
    if (n % 2) {
      EXPECT_EQ(r.PoleB1[m], 0.0f) << "the real pole is the last section, n=" << n;
    }
    expectUnusedZero(r, m + 1);
  }
  const PolePairs two = polepairs(2, 1, standardInputs(Butterworth, 2));
  EXPECT_EQ(two.PoleB1[1], 1.41421354f);
}

TEST(PolePairs, ChebychevMatchesClosedFormPoles) {
  struct Case {
    int n;
    float ripple;
  };
  const Case cases[] = {{2, 0.5f}, {3, 1}, {4, 0.1f}, {5, 2}, {6, 3}, {7, 0.01f}, {9, 0.001f}, {10, 1}};
  for (const Case& c : cases) {
    const double eps = std::sqrt(std::pow(10.0, c.ripple / 10.0) - 1);
    const double v = std::asinh(1 / eps) / c.n;
    const PolePairs r = polepairs(c.n, c.ripple, standardInputs(Chebychev, c.n));
    const int m = (c.n + 1) / 2;
    for (int k = 1; k <= m; ++k) {
      const double t = (2 * k - 1) * kPi / (2 * c.n);
      const Sec e = sectionOfPole({-std::sinh(v) * std::sin(t), std::cosh(v) * std::cos(t)});
      const std::string what = "n=" + std::to_string(c.n) + " ripple=" + std::to_string(c.ripple) +
                               " k=" + std::to_string(k);
      expectNear(r.PoleB1[k], e.b1, 5e-6, what);
      expectNear(r.PoleB0[k], e.b0, 5e-6, what);
    }
    if (c.n % 2) {
      EXPECT_EQ(r.PoleB1[m], 0.0f);
      expectNear(r.PoleB0[m], std::sinh(v), 5e-6, "real pole");
    }
    expectUnusedZero(r, m + 1);
    // The pass band ends at 1 rad/s with the ripple: 0 dB below DC for an even order, the
    // ripple for an odd one.
    EXPECT_NEAR(cascadeDb(r, 1.0), c.n % 2 ? -c.ripple : 0.0, 1e-4) << "n=" << c.n;
  }
}

TEST(PolePairs, ChebychevRippleThatIsNotPositiveIsOneDb) {
  const PolePairs oneDb = polepairs(5, 1, standardInputs(Chebychev, 5));
  for (float ripple : {0.0f, -2.0f, NAN}) {
    const PolePairs r = polepairs(5, ripple, standardInputs(Chebychev, 5));
    EXPECT_EQ(r.PoleB0, oneDb.PoleB0) << ripple;
    EXPECT_EQ(r.PoleB1, oneDb.PoleB1) << ripple;
  }
}

// ---- Bessel rows against the roots of the Bessel polynomials ----

using Complex = std::complex<long double>;

// Coefficients (lowest power first) of the Bessel polynomial of order n.
std::vector<long double> besselPolynomial(int n) {
  std::vector<long double> c(n + 1);
  for (int k = 0; k <= n; ++k) {
    long double v = 1;  // (2n - k)! / (2^(n - k) k! (n - k)!)
    for (int i = n - k + 1; i <= 2 * n - k; ++i) v *= i;
    for (int i = 2; i <= k; ++i) v /= i;
    for (int i = 0; i < n - k; ++i) v /= 2;
    c[k] = v;
  }
  return c;
}

Complex evaluate(const std::vector<long double>& c, Complex z) {
  Complex v = 0;
  for (auto it = c.rbegin(); it != c.rend(); ++it) v = v * z + *it;
  return v;
}

// All roots by simultaneous (Durand-Kerner) iteration on the monic polynomial.
std::vector<Complex> roots(std::vector<long double> c) {
  const int n = int(c.size()) - 1;
  for (auto& x : c) x /= c[n];
  const long double radius = std::pow(std::abs(c[0]), 1.0L / n);
  std::vector<Complex> z(n);
  for (int i = 0; i < n; ++i) z[i] = std::polar(radius, 2 * kPi * i / n + 0.4L);
  for (int iteration = 0; iteration < 2000; ++iteration) {
    long double change = 0;
    for (int i = 0; i < n; ++i) {
      Complex d = 1;
      for (int j = 0; j < n; ++j)
        if (j != i) d *= z[i] - z[j];
      const Complex step = evaluate(c, z[i]) / d;
      z[i] -= step;
      change = std::max(change, std::abs(step) / radius);
    }
    if (change < 1e-16L) break;
  }
  return z;
}

// The frequency where |B(0)/B(jw)| is 1/sqrt(2), by bisection (the gain falls monotonically).
long double threeDbFrequency(const std::vector<long double>& c) {
  long double lo = 0.01L, hi = 100;
  for (int i = 0; i < 200; ++i) {
    const long double mid = (lo + hi) / 2;
    const long double g = std::abs(c[0] / evaluate(c, Complex(0, mid)));
    (g * g > 0.5L ? lo : hi) = mid;
  }
  return (lo + hi) / 2;
}

TEST(PolePairs, EveryBesselRowHoldsTheNormalisedBesselRoots) {
  for (int n = 1; n <= 10; ++n) {
    const std::vector<long double> c = besselPolynomial(n);
    const long double w3 = threeDbFrequency(c);
    std::vector<Sec> expected;
    for (const Complex& p : roots(c)) {
      if (p.imag() < -1e-12L) continue;  // one of each conjugate pair
      expected.push_back(sectionOfPole(std::complex<double>(double(p.real() / w3), double(p.imag() / w3))));
    }
    const int m = (n + 1) / 2;
    ASSERT_EQ(int(expected.size()), m) << "n=" << n;

    const PolePairs r = polepairs(n, 1, standardInputs(Bessel, n));
    std::vector<bool> used(expected.size(), false);
    for (int k = 1; k <= m; ++k) {
      // The stored section must be one of the polynomial's pole pairs (each used once).
      int best = -1;
      double bestError = 1e9;
      for (size_t i = 0; i < expected.size(); ++i) {
        if (used[i] || (expected[i].b1 == 0) != (r.PoleB1[k] == 0)) continue;
        const double error = std::max(std::abs(r.PoleB0[k] / expected[i].b0 - 1),
                                      expected[i].b1 == 0 ? 0.0 : std::abs(r.PoleB1[k] / expected[i].b1 - 1));
        if (error < bestError) bestError = error, best = int(i);
      }
      ASSERT_GE(best, 0) << "n=" << n << " k=" << k;
      used[best] = true;
      // The rows are given to five to seven significant digits.
      EXPECT_LT(bestError, 3e-5) << "n=" << n << " k=" << k << ": b1 " << r.PoleB1[k] << " b0 " << r.PoleB0[k]
                                 << ", nearest root pair b1 " << expected[best].b1 << " b0 " << expected[best].b0;
    }
    if (n % 2) {
      EXPECT_EQ(r.PoleB1[m], 0.0f) << "the real pole is the last section, n=" << n;
    }
    expectUnusedZero(r, m + 1);
  }
}

TEST(PolePairs, EveryStoredRowIsThreeDbDownAtOneRadian) {
  struct Table {
    int code;
    int first;
  };
  const Table tables[] = {{Bessel, 1}, {LinPhase005, 2}, {LinPhase05, 2}, {Gaussian, 3}};
  for (const Table& t : tables) {
    for (int n = t.first; n <= 10; ++n) {
      const PolePairs r = polepairs(n, 1, standardInputs(t.code, n));
      const int m = (n + 1) / 2;
      for (int k = 1; k <= m; ++k) {
        EXPECT_GT(r.PoleB0[k], 0.0f) << "code " << t.code << " n=" << n << " k=" << k;
        EXPECT_EQ(r.PoleB1[k] == 0.0f, n % 2 == 1 && k == m) << "real pole only last, code " << t.code << " n=" << n;
      }
      expectUnusedZero(r, m + 1);
      // The 10-pole 0.05 degree linear-phase row as published sits 0.07 dB off the 3 dB point;
      // it is kept as published and pinned here so that any change to it shows.
      const double expected = t.code == LinPhase005 && n == 10 ? -2.9366 : -3.0103;
      EXPECT_NEAR(cascadeDb(r, 1.0), expected, 0.002) << "code " << t.code << " n=" << n;
    }
  }
}

TEST(PolePairs, PoleCountOutsideTheResponseLeavesEverySectionZero) {
  struct Case {
    int code;
    int n;
  };
  const Case cases[] = {{Gaussian, 2}, {LinPhase005, 1}, {Bessel, 11}, {Butterworth, 0},
                        {Butterworth, -3}, {Chebychev, 25}, {6, 4}, {CustomFnQ, 4}};
  for (const Case& c : cases) {
    PolePairInputs in = standardInputs(c.code, c.n);
    in.PolesLowPass = 2;  // not a one-pole box
    const PolePairs r = polepairs(c.n, 1, in);
    expectUnusedZero(r, 1);
  }
}

TEST(PolePairs, OnePoleBoxGivesThePlainRealPole) {
  // Without the rule a one-pole Chebychev of 1 dB would hold its real pole at 1/eps = 1.965.
  struct Case {
    int highPassHalf;
    const char* text18;
    const char* text1;
    bool rule;
  };
  const Case cases[] = {{0, "1", "3", true}, {0, "3", "1", false}, {1, "3", "1", true},
                        {1, "1", "3", false}, {0, " 1 ", "3", true}, {0, "1.0", "3", true}};
  for (const Case& c : cases) {
    PolePairInputs in = standardInputs(Chebychev, 1);
    in.HighPassHalf = c.highPassHalf;
    in.PolesLowPass = polesIn(c.text18);
    in.PolesHighPass = polesIn(c.text1);
    const PolePairs r = polepairs(1, 1, in);
    EXPECT_EQ(r.PoleB1[1], 0.0f);
    const double expected = c.rule ? 1.0 : 1.9652267;
    EXPECT_NEAR(r.PoleB0[1], expected, 1e-6) << c.text18 << "/" << c.text1;
  }
}

// ---- "Custom Q" ----

PolePairInputs customQ(int code, int n, float scale) {
  PolePairInputs in = standardInputs(code, n);
  in.Chosen = FilterResponse::CustomQ;
  in.CustomQScale = scale;
  return in;
}

TEST(PolePairs, CustomQOfOneReproducesTheStandardSections) {
  for (int code : {Butterworth, Bessel, Chebychev, Gaussian}) {
    for (int n : {3, 4, 5, 10}) {
      const PolePairs standard = polepairs(n, 0.5f, standardInputs(code, n));
      const PolePairs custom = polepairs(n, 0.5f, customQ(code, n, 1));
      double product = 1;
      for (int k = 1; k <= standard.SectionCount; ++k) {
        expectNear(custom.PoleB0[k], standard.PoleB0[k], 3e-7, "b0");
        expectNear(custom.PoleB1[k], standard.PoleB1[k], 3e-7, "b1");
        if (standard.PoleB1[k] != 0) product *= std::sqrt(standard.PoleB0[k]) / standard.PoleB1[k];
      }
      ASSERT_TRUE(custom.CustomQProduct.has_value());
      expectNear(*custom.CustomQProduct, product, 1e-6, "product of the Qs");
    }
  }
  // The Qs of a 4-pole Butterworth multiply to 1/sqrt(2).
  EXPECT_NEAR(*polepairs(4, 1, customQ(Butterworth, 4, 1)).CustomQProduct, std::sqrt(0.5), 1e-6);
  EXPECT_FALSE(polepairs(4, 1, standardInputs(Butterworth, 4)).CustomQProduct.has_value());
}

TEST(PolePairs, CustomQScalesEveryQAndKeepsNaturalFrequencies) {
  struct Case {
    int code;
    int n;
    float scale;
  };
  const Case cases[] = {{Bessel, 6, 2.0f}, {Butterworth, 5, 3.5f}, {Chebychev, 8, 0.25f}};
  for (const Case& c : cases) {
    const PolePairs standard = polepairs(c.n, 1, standardInputs(c.code, c.n));
    const PolePairs custom = polepairs(c.n, 1, customQ(c.code, c.n, c.scale));
    int secondOrder = 0;
    for (int k = 1; k <= standard.SectionCount; ++k) secondOrder += standard.PoleB1[k] != 0;
    double product = 1;
    for (int k = 1; k <= standard.SectionCount; ++k) {
      expectNear(custom.PoleB0[k], standard.PoleB0[k], 3e-7, "natural frequency kept");
      if (standard.PoleB1[k] == 0) {
        EXPECT_EQ(custom.PoleB1[k], 0.0f) << "real pole left alone";
        continue;
      }
      const double q0 = std::sqrt(standard.PoleB0[k]) / standard.PoleB1[k];
      const double q = std::sqrt(custom.PoleB0[k]) / custom.PoleB1[k];
      expectNear(q, q0 * std::pow(c.scale, 1.0 / secondOrder), 1e-6, "scaled Q");
      product *= q;
    }
    expectNear(product, *custom.CustomQProduct * c.scale, 1e-5, "total Q");
  }
}

TEST(PolePairs, CustomQWithUnusableScaleUsesOne) {
  const PolePairs one = polepairs(6, 1, customQ(Bessel, 6, 1));
  for (float scale : {0.0f, -3.0f, NAN, INFINITY}) {
    const PolePairs r = polepairs(6, 1, customQ(Bessel, 6, scale));
    EXPECT_EQ(r.PoleB0, one.PoleB0) << scale;
    EXPECT_EQ(r.PoleB1, one.PoleB1) << scale;
  }
  // With no second-order section there is nothing to scale and the product is 1.
  PolePairInputs in = customQ(Bessel, 1, 4);
  in.PolesLowPass = 1;
  const PolePairs r = polepairs(1, 1, in);
  EXPECT_EQ(*r.CustomQProduct, 1.0f);
  EXPECT_EQ(r.PoleB0[1], 1.0f);
  EXPECT_EQ(r.PoleB1[1], 0.0f);
  // A design frequency of 0 cannot carry the sections through hertz; they still scale.
  PolePairInputs noCutoff = customQ(Bessel, 4, 2);
  noCutoff.DesignCutoff = 0;
  const PolePairs scaled = polepairs(4, 1, noCutoff);
  const PolePairs withCutoff = polepairs(4, 1, customQ(Bessel, 4, 2));
  for (int k = 1; k <= 2; ++k) {
    expectNear(scaled.PoleB0[k], withCutoff.PoleB0[k], 3e-7, "b0");
    expectNear(scaled.PoleB1[k], withCutoff.PoleB1[k], 3e-7, "b1");
  }
}

// ---- "Custom Fn&Q" ----

struct Box {
  const char* fn;  // nullptr: the Fn box is hidden
  const char* q;   // nullptr: the Q box is hidden
};

// A box's value as the window reads it: engineering notation in single precision.
std::optional<float> boxValue(const QString& text, QChar sep) {
  const std::optional<double> v = EngValue(text, sep);
  if (!v) return std::nullopt;
  return float(*v);
}

PolePairInputs customFnQ(int n, float cutoff, std::initializer_list<Box> boxes, int highPassHalf = 0,
                         QChar sep = QLatin1Char('.')) {
  PolePairInputs in = standardInputs(CustomFnQ, n);
  in.Chosen = FilterResponse::CustomFnQ;
  in.DesignCutoff = cutoff;
  in.HighPassHalf = highPassHalf;
  int row = 0;
  for (const Box& b : boxes) {
    SectionEntry& e = in.Sections[row];
    const QString fn = b.fn ? QString::fromUtf8(b.fn) : QString();
    const QString q = b.q ? QString::fromUtf8(b.q) : QString();
    e.FnShown = b.fn != nullptr;
    e.QShown = b.q != nullptr;
    e.Fn = boxValue(fn, sep);
    e.Q = boxValue(q, sep);
    e.QEmpty = q.isEmpty();
    ++row;
  }
  return in;
}

void expectSection(const PolePairs& r, int k, double b1, double b0) {
  expectNear(r.PoleB1[k], b1, 1e-6, "b1 of section " + std::to_string(k));
  expectNear(r.PoleB0[k], b0, 1e-6, "b0 of section " + std::to_string(k));
}

TEST(PolePairs, CustomFnQFillsSectionsFromTheLastOne) {
  // 4 poles: box A fills section 2, box B section 1.
  const PolePairs four = polepairs(4, 1, customFnQ(4, 1000, {{"2k", "0.8"}, {"500Hz", "2.5"}}));
  expectSection(four, 2, 2.0 / 0.8, 4.0);
  expectSection(four, 1, 0.5 / 2.5, 0.25);
  EXPECT_FALSE(four.HideQInput0);
  expectUnusedZero(four, 3);

  // 5 poles with an empty Q in box A: box A is the real pole in section 3 (b0 = wn), boxes B
  // and C fill sections 2 and 1.
  const PolePairs five =
      polepairs(5, 1, customFnQ(5, 1000, {{"1.5k", ""}, {"2.2kHz", "1.2"}, {"800", "0.6"}}));
  EXPECT_TRUE(five.HideQInput0);
  expectSection(five, 3, 0, 1.5);
  expectSection(five, 2, 2.2 / 1.2, 2.2 * 2.2);
  expectSection(five, 1, 0.8 / 0.6, 0.64);
  expectUnusedZero(five, 4);

  // The decimal separator of the locale.
  PolePairInputs comma = customFnQ(2, 1000, {{"1,5k", "0,5"}}, 0, QLatin1Char(','));
  expectSection(polepairs(2, 1, comma), 1, 3.0, 2.25);
}

TEST(PolePairs, CustomFnQHighPassHalfMirrorsAboutTheDesignFrequency) {
  // An Fn of twice the design frequency is half of it in the low-pass prototype.
  const PolePairs hp = polepairs(4, 1, customFnQ(4, 1000, {{"2k", "0.7071"}, {"500", "1"}}, 1));
  expectSection(hp, 2, 0.5 / 0.7071, 0.25);
  expectSection(hp, 1, 2.0, 4.0);
  // The real pole mirrored holds fc/fn; in the low-pass half fn/fc.
  expectSection(polepairs(3, 1, customFnQ(3, 1000, {{"2k", ""}}, 1)), 2, 0, 0.5);
  expectSection(polepairs(3, 1, customFnQ(3, 1000, {{"2k", ""}}, 0)), 2, 0, 2.0);
  // The mirror works on the value: 1e5^2 / 10 Hz = 1e9 Hz, whose text is an exponent form.
  expectSection(polepairs(2, 1, customFnQ(2, 1e5f, {{"10", "2"}}, 1)), 1, 1e4 / 2, 1e8);
}

TEST(PolePairs, CustomFnQStopsAtTheFirstUnusableBox) {
  struct Case {
    const char* what;
    PolePairInputs in;
    int lastSectionSet;  // sections from m down to this one are set; below it all stay 0
  };
  const Case cases[] = {
      {"empty Fn in box B", customFnQ(6, 1000, {{"1k", "2"}, {"", "3"}, {"3k", "1"}}), 3},
      {"hidden Fn in box B", customFnQ(6, 1000, {{"1k", "2"}, {nullptr, "3"}, {"3k", "1"}}), 3},
      {"unreadable Q", customFnQ(6, 1000, {{"1k", "2"}, {"2k", "abc"}, {"3k", "1"}}), 3},
      {"zero Q", customFnQ(6, 1000, {{"1k", "2"}, {"2k", "0"}, {"3k", "1"}}), 3},
      {"negative Q", customFnQ(6, 1000, {{"1k", "2"}, {"2k", "-1"}, {"3k", "1"}}), 3},
      {"blank Q", customFnQ(6, 1000, {{"1k", " "}, {"2k", "1"}}), 4},
      {"unreadable Fn", customFnQ(6, 1000, {{"1k", "2"}, {"xyz", "1"}, {"3k", "1"}}), 3},
      {"zero Fn", customFnQ(6, 1000, {{"0", "2"}, {"2k", "1"}}), 4},
      {"all read", customFnQ(6, 1000, {{"1k", "2"}, {"2k", "1"}, {"3k", "1"}}), 1},
  };
  for (const Case& c : cases) {
    const PolePairs r = polepairs(6, 1, c.in);
    for (int k = 1; k <= 3; ++k) {
      EXPECT_EQ(r.PoleB0[k] > 0, k >= c.lastSectionSet) << c.what << ", section " << k;
      EXPECT_EQ(r.PoleB1[k] > 0, k >= c.lastSectionSet) << c.what << ", section " << k;
    }
    expectUnusedZero(r, 4);
  }
}

TEST(PolePairs, CustomFnQNeverWritesBeyondTheDesignsSections) {
  // A 2-pole design has one section: box B has no section to fill and must not touch
  // element 0 or anything else.
  const PolePairs r = polepairs(2, 1, customFnQ(2, 1000, {{"1k", "0.5"}, {"2k", "1"}, {"3k", "1"}}));
  expectSection(r, 1, 2.0, 1.0);
  expectUnusedZero(r, 2);
  // One pole: box A is the real pole.
  PolePairInputs one = customFnQ(1, 1000, {{"4k", ""}, {"2k", "1"}});
  one.PolesLowPass = 1;
  const PolePairs single = polepairs(1, 1, one);
  expectSection(single, 1, 0, 4.0);
  expectUnusedZero(single, 2);
}

TEST(PolePairs, CustomFnQWithoutUsableDesignFrequencySetsNothing) {
  for (float cutoff : {0.0f, -1000.0f, NAN, INFINITY}) {
    const PolePairs r = polepairs(4, 1, customFnQ(4, cutoff, {{"2k", "0.8"}, {"500", "2.5"}}));
    expectUnusedZero(r, 1);
  }
  // Values whose coefficients overflow a single stop the reading instead of storing inf.
  const PolePairs huge = polepairs(4, 1, customFnQ(4, 0.001f, {{"1e30", "1"}, {"1k", "1"}}));
  for (float v : huge.PoleB0) EXPECT_TRUE(std::isfinite(v));
  expectUnusedZero(huge, 1);
}

}  // namespace
