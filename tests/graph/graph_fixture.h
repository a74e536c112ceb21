#pragma once
// A main window on fake services with its start defaults, and designs set up directly from
// the engine's pole pairs scaled to the cutoff ("Exact" sections), for the graph to sweep.
#include <QString>

#include "engine/polepairs.h"
#include "engine/scalefreq.h"
#include "fakes/fake_services.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/startup.h"

struct GraphFixture {
  fakes::FakeServices fake;
  mainwindow::CalverdonForm f{fake.services()};

  explicit GraphFixture(QChar sep = QLatin1Char('.')) {
    mainwindow::SetStartDefaults(f, sep);
    passband("Low-Pass");
    f.CircuitType.setFromUser(1, QStringLiteral("Sallen -Key"));
    f.CircuitMode = 1;
  }

  void passband(const char* band) { f.Passband.setFromUser(0, QString::fromLatin1(band)); }

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
