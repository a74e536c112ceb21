#pragma once
// The main window with the recompute sequence installed, recording every display pass with
// the half and mode it ran in. No list handlers are registered.
#include <utility>
#include <vector>

#include "designview/sequence.h"
#include "support/observedsequence.h"
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
    ObservedSequence& observed = ObserveSequence(f);
    observed.wrapPass([this](const ObservedSequence::Step& pass) {
      passes.push_back({f.HighPassHalf, f.BothHalvesDone});
      return pass();
    });
    observed.wrapSequence([this](const ObservedSequence::Step& sequence) {
      ++sequences;
      return sequence();
    });
  }
};
