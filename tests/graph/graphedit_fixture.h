#pragma once
// The window with the graph's own handlers registered and a recompute sequence that counts
// its runs (and, when asked, draws the computed response of the design set up).
#include "graph/axes.h"
#include "graph/frequencywindow.h"
#include "graph/graphlimits.h"
#include "graph/graphsettings.h"
#include "graph/sweep.h"
#include "graph_fixture.h"
#include "support/recomputestandin.h"

struct GraphEditFixture : GraphFixture {
  int sequences = 0;
  bool draws = false;

  explicit GraphEditFixture(QChar sep = QLatin1Char('.')) : GraphFixture(sep) {
    graph::RegisterGraphLimits(f);
    graph::RegisterGraphSettings(f);
    f.axis = std::make_unique<graph::WindowAxis>(f);
    InstallRecomputeStandIn(f).sequence = [this] {
      ++sequences;
      if (draws) graph::DrawComputedResponse(f);
      return 0;
    };
  }

  // Raises an event of a control by name, as the view does for the user.
  void raise(const char* name, forms::Event ev, int index = -1) {
    forms::Control* c = f.find(QLatin1String(name), index);
    ASSERT_NE(c, nullptr) << name;
    forms::EventArgs args;
    args.Index = index;
    f.raise(*c, ev, args);
  }
};
