#pragma once
// A SPICE simulator the window hands a netlist to: the operations a band-pass or notch run
// uses, in the order it uses them (netlist in, run, then the results).
//
// Results are an AC analysis in the one result type of every simulator (simresults.h): vector
// 0 the frequency, every vector found by its name.
#include <QString>

#include "spice/simresults.h"

namespace spice {

// What a run is given: the netlist text, and the same netlist as a file with the raw output
// file an outside program writes (full paths; folder is where it runs).
struct SimulationJob {
  QString NetlistText;
  QString NetlistFile;
  QString RawFile;
  QString Folder;
};

struct SimulationStatus {
  bool Ok = false;
  QString Error;  // what went wrong, for the message; empty on success
};

class SpiceEngine {
 public:
  virtual ~SpiceEngine() = default;
  virtual void putNetlist(const SimulationJob& job) = 0;
  // Runs the analysis; returns when the results are ready or the run has failed. The results
  // of a failed run are empty.
  virtual SimulationStatus run() = 0;
  // The results of the last run; empty after a failed run.
  virtual const SimResults& results() const = 0;
  // The simulator's text output of the last run.
  virtual QString textOutput() const = 0;
};

}  // namespace spice
