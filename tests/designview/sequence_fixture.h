#pragma once
// The main window with the recompute sequence installed, recording every display pass with
// the half and mode it ran in. No list handlers are registered.
#include <utility>
#include <vector>

#include "designview/sequence.h"
#include "support/windowfixture.h"

struct PassRecord {
  int highPassHalf;
  bool bothHalvesDone;
  bool operator==(const PassRecord&) const = default;
};

struct SequenceFixture : WindowFixture {
  std::vector<PassRecord> passes;
  int sequences = 0;

  explicit SequenceFixture(QChar sep = QLatin1Char('.')) : WindowFixture(sep) {
    designview::install(f);
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
};
