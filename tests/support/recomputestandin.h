#pragma once
// A stand-in for the recompute sequence, for tests of the layers below the design view: each
// step runs what the test puts in (nothing, and 0, while it puts nothing).
#include <functional>
#include <memory>

#include "mainwindow/calverdonform.h"

struct RecomputeStandIn : mainwindow::Recompute {
  std::function<int()> sequence, pass;

  int SequenceUpdateScreen() override { return sequence ? sequence() : 0; }
  int updatescreen() override { return pass ? pass() : 0; }
};

// Puts a stand-in into the window in place of its sequence and returns it.
inline RecomputeStandIn& InstallRecomputeStandIn(mainwindow::CalverdonForm& f) {
  auto standIn = std::make_unique<RecomputeStandIn>();
  RecomputeStandIn& r = *standIn;
  f.recompute = std::move(standIn);
  return r;
}
