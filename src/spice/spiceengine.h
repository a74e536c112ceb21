#pragma once
// A SPICE simulator the window hands a netlist to: the operations a band-pass or notch run
// uses, in the order it uses them (netlist in, run, then the results).
//
// Results are an AC analysis: pointCount() points of vectorCount() vectors, vector 0 the
// frequency. allValues() holds them point after point, vector after vector within a point,
// each as a real and an imaginary part when isComplex(), else as a real part alone.
#include <QString>
#include <vector>

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
  virtual bool isComplex() const = 0;
  virtual int pointCount() const = 0;
  virtual int vectorCount() const = 0;
  virtual std::vector<double> allValues() const = 0;
  // The simulator's text output of the last run.
  virtual QString textOutput() const = 0;
  // The vectors as a table: for each, in the order of the values, a tab, its index, a tab, its
  // name, a tab, its type and CR LF ("\t0\tfrequency\tfrequency\r\n\t1\tnode190\tvoltage\r\n").
  virtual QString resultTable() const = 0;
};

}  // namespace spice
