// The swept response against closed-form transfer functions built from pole positions.
#include <gtest/gtest.h>

#include <cmath>

#include "closedform.h"
#include "graph/groupdelay.h"
#include "graph/sweep.h"
#include "graph_fixture.h"
#include "mainwindow/calverdonform.h"

namespace {

using closedform::cplx;
using closedform::kPi;

struct Family {
  const char* name;
  int code;
  float ripple;
};

constexpr Family kFamilies[] = {
    {"Butterworth", 0, 1}, {"Chebychev 0.5 dB", 2, 0.5f}, {"Chebychev 1 dB", 2, 1}, {"Bessel", 1, 1}};

std::vector<cplx> poles(const Family& fam, int n) {
  if (fam.code == 0) return closedform::butterworth(n);
  if (fam.code == 2) return closedform::chebyshev(n, fam.ripple);
  return closedform::bessel(n);
}

double wrap180(double deg) { return deg - 360 * std::round(deg / 360); }

struct Errors {
  double gainDb = 0, phaseDeg = 0;
  double delayMean = 0;  // against the closed form's mean -dphi/df over each sweep step
  double delayMid = 0;   // against its derivative at the middle of each step
};

// Sweeps one design and measures the largest deviation from the closed form.
Errors check(const Family& fam, int n, bool high) {
  GraphFixture g;
  g.showPassBandWithoutHandler(high ? "High-Pass" : "Low-Pass");
  const float fc = 1000;
  g.design(fam.code, n, fc, high, fam.ripple);
  graph::DrawComputedResponse(g.f);

  const std::vector<cplx> p = poles(fam, n);
  const double wc = 2 * kPi * fc;
  // The response at f hertz; a high-pass half is the low-pass prototype at wc^2 / s.
  const auto h = [&](double hz) {
    const cplx s(0, 2 * kPi * hz);
    return closedform::lowpass(p, high ? cplx(wc) / s : s / wc);
  };
  const auto tau = [&](double hz) {
    const double w = 2 * kPi * hz;
    return high ? closedform::delay(p, wc / w) * wc / (w * w) : closedform::delay(p, w / wc) / wc;
  };

  Errors e;
  double maxTau = 0;
  for (int i = 3; i <= 562; ++i) maxTau = std::max(maxTau, tau(g.f.SweepFreq[i]));
  for (int i = 1; i <= 570; ++i) {
    const cplx v = h(g.f.SweepFreq[i]);
    const double db = 20 * std::log10(std::abs(v));
    if (db > -300) e.gainDb = std::max(e.gainDb, std::fabs(g.f.SweepGainDb[i] - db));
    if (db > -300)
      e.phaseDeg = std::max(e.phaseDeg, std::fabs(wrap180(g.f.SweepPhase[i] - std::arg(v) * 180 / kPi)));
    if (i >= 3 && i <= 561) {
      // The derivative of the closed-form phase at the middle of the step.
      const double f1 = g.f.SweepFreq[i], f2 = g.f.SweepFreq[i + 1];
      const double swept = graph::SweptGroupDelay(g.f, i);
      const double mean = -std::arg(h(f2) / h(f1)) / (2 * kPi * (f2 - f1));
      e.delayMean = std::max(e.delayMean, std::fabs(swept - mean) / maxTau);
      e.delayMid = std::max(e.delayMid, std::fabs(swept - tau(std::sqrt(f1 * f2))) / maxTau);
    }
  }
  return e;
}

TEST(SweptResponse, AgreesWithClosedFormOfLowAndHighPassDesigns) {
  for (const Family& fam : kFamilies)
    for (const bool high : {false, true})
      for (int n = 2; n <= 10; ++n) {
        SCOPED_TRACE(testing::Message() << fam.name << (high ? " high-pass " : " low-pass ") << n << " poles");
        const Errors e = check(fam, n, high);
        EXPECT_LE(e.gainDb, 0.01);
        EXPECT_LE(e.phaseDeg, 0.1);
        // Group delay within 1 % of the largest delay: against the closed form's mean
        // derivative over each 1.2 % sweep step, and its derivative at the middle of the
        // step wherever the step resolves the sharpest resonance (Chebychev 9 and 10 poles
        // have sections of Q 40 .. 65, a resonance narrower than one step).
        EXPECT_LE(e.delayMean, 0.01);
        if (!(fam.code == 2 && n >= 9)) {
          EXPECT_LE(e.delayMid, 0.01);
        }
      }
}

// The combining pass of a two-half design: the halves (low-pass 4 poles at 1 kHz with unity
// gain, high-pass 4 poles at 10 kHz with a gain of 2) in parallel for a band-reject and in
// cascade for a wide band-pass.
TEST(SweptResponse, TwoHalfTotalsAgreeWithSumAndProductOfTheHalves) {
  for (const bool reject : {true, false}) {
    SCOPED_TRACE(reject ? "band-reject" : "wide band-pass");
    GraphFixture g;
    g.showPassBandWithoutHandler(reject ? "Band-Reject" : "Wide Band-Pass");
    const float low = reject ? 1000 : 10000, high = reject ? 10000 : 1000;
    g.f.Text34.Text = reject ? "1.00k" : "10.0k";
    g.f.Text2.Text = reject ? "10.0k" : "1.00k";

    g.design(0, 4, low, false);
    g.f.ShownStageGain[0] = 1.0;  // the stage gain the readout shows
    graph::DrawComputedResponse(g.f);
    g.design(0, 4, high, true);
    g.f.ShownStageGain[0] = 2.0;
    graph::DrawComputedResponse(g.f);
    g.f.BothHalvesDone = true;
    graph::DrawComputedResponse(g.f);

    const std::vector<cplx> p = closedform::butterworth(4);
    const double wl = 2 * kPi * low, wh = 2 * kPi * high;
    int compared = 0;
    for (int i = 1; i <= 570; ++i) {
      const cplx s(0, 2 * kPi * g.f.SweepFreq[i]);
      const cplx lp = closedform::lowpass(p, s / wl), hp = 2.0 * closedform::lowpass(p, cplx(wh) / s);
      const cplx total = reject ? lp + hp : lp * hp;
      const double db = 20 * std::log10(std::abs(total));
      if (db < -60) continue;  // the depth of the notch itself is not resolved by 0.01 dB
      ++compared;
      EXPECT_NEAR(g.f.SweepGainDb[i], db, 0.01) << "point " << i;
      EXPECT_NEAR(wrap180(g.f.SweepPhase[i] - std::arg(total) * 180 / kPi), 0, 0.1) << "point " << i;
    }
    EXPECT_GT(compared, 300);
    // The phase is continuous from point to point, so the group delay sees no 360 degree steps.
    for (int i = 2; i <= 570; ++i) EXPECT_LT(std::fabs(g.f.SweepPhase[i] - g.f.SweepPhase[i - 1]), 180);
    EXPECT_NEAR(g.f.TotalGainDb, 20 * std::log10(2.0), 1e-4);
  }
}

}  // namespace
