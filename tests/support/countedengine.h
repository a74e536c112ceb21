#pragma once
// A simulator that hands everything to another one and counts the runs asked of it.
#include "spice/spiceengine.h"

class CountedEngine : public spice::SpiceEngine {
 public:
  explicit CountedEngine(spice::SpiceEngine& inner) : inner_(inner) {}
  int runs = 0;
  void putNetlist(const spice::SimulationJob& job) override { inner_.putNetlist(job); }
  spice::SimulationStatus run() override {
    ++runs;
    return inner_.run();
  }
  const spice::SimResults& results() const override { return inner_.results(); }
  QString textOutput() const override { return inner_.textOutput(); }

 private:
  spice::SpiceEngine& inner_;
};
