#pragma once
// A main window on fake services with the recompute sequence installed, recording every
// display pass with the half and mode it ran in.
#include <utility>
#include <vector>

#include "designview/sequence.h"
#include "fakes/fake_services.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/startup.h"

struct PassRecord {
  int highPassHalf;
  bool bothHalvesDone;
  bool operator==(const PassRecord&) const = default;
};

struct SequenceFixture {
  fakes::FakeServices fake;
  mainwindow::CalverdonForm f{fake.services()};
  std::vector<PassRecord> passes;
  int sequences = 0;

  explicit SequenceFixture(QChar sep = QLatin1Char('.')) {
    designview::install(f);
    mainwindow::SetStartDefaults(f, sep);
    auto pass = f.hub.updatescreen;
    f.hub.updatescreen = [this, pass] {
      passes.push_back({f.HighPassHalf, f.BothHalvesDone});
      return pass();
    };
    auto sequence = f.hub.SequenceUpdateScreen;
    f.hub.SequenceUpdateScreen = [this, sequence] {
      ++sequences;
      return sequence();
    };
  }

  void passband(const QString& band) {
    if (f.Passband.items().indexOf(band) < 0) f.Passband.AddItem(band);
    f.Passband.SetText(band);
  }
};
