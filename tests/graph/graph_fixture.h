#pragma once
// The main window with no handlers, and designs set up directly from the engine's pole pairs
// scaled to the cutoff ("Exact" sections), for the graph to sweep.
#include <QString>

#include "engine/polepairs.h"
#include "engine/scalefreq.h"
#include "support/windowfixture.h"

struct GraphFixture : WindowFixture {
  explicit GraphFixture(QChar sep = QLatin1Char('.')) : WindowFixture(sep) {
    showPassBandWithoutHandler(QStringLiteral("Low-Pass"));
    f.CircuitType.setFromUser(1, QStringLiteral("Sallen -Key"));
    f.CircuitMode = 1;
  }

  // The sections of an n-pole design of `code` at `cutoff` Hz for the low-pass (high = false)
  // or high-pass half, as the design pass leaves them.
  void design(int code, int n, float cutoff, bool high, float ripple = 1) {
    engine::PolePairInputs in;
    in.ResponseCode = code;
    in.HighPassHalf = high ? 1 : 0;
    in.DesignCutoff = cutoff;
    in.PolesLowPass = in.PolesHighPass = n;
    const engine::PolePairs pairs = engine::polepairs(n, ripple, in);
    const engine::ScaledSections scaled = engine::ScaleFreq(cutoff, pairs.PoleB0, pairs.PoleB1);
    f.PoleB0 = scaled.PoleB0;
    f.PoleB1 = scaled.PoleB1;
    f.SectionCount = pairs.SectionCount;
    f.PoleCount = n;
    f.HighPassHalf = high ? 1 : 0;
    f.DesignCutoff = cutoff;
    f.RippleDb = ripple;
  }
};
