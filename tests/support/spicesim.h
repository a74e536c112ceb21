#pragma once
// A small harness around the ngspice program for the circuit tests: runs an AC or transient
// analysis in batch mode with ASCII raw output in a temporary folder, reads the node voltages
// back, and fits a second-order transfer function to AC results.
#include <QString>
#include <complex>
#include <map>
#include <optional>
#include <vector>

namespace spicetest {

using Complex = std::complex<double>;

struct AcSweep {
  std::vector<double> Freq;                              // hertz
  std::map<QString, std::vector<Complex>> Vectors;       // by lower-case name, "v(out1)"
  // The vector of a node voltage, "v(" + node + ")"; nullptr when the run has none.
  const std::vector<Complex>* Node(const QString& node) const;
};

// Runs the netlist (title line first, ".end" last) with the ngspice program named by the
// NGSPICE_PROGRAM compile definition. On failure returns nothing and says why in error.
std::optional<AcSweep> RunAc(const QString& netlist, QString* error);

struct TranRun {
  std::vector<double> Time;                              // seconds
  std::map<QString, std::vector<double>> Vectors;        // by lower-case name, "v(out1)"
  // The vector of a node voltage, "v(" + node + ")"; nullptr when the run has none.
  const std::vector<double>* Node(const QString& node) const;
};

// Runs a netlist whose analysis is ".tran", as RunAc does.
std::optional<TranRun> RunTran(const QString& netlist, QString* error);

// The value text of a netlist card, nine significant digits.
QString Num(double v);

// H(s) = (c2 s^2 + c1 s + c0) / (s^2 + a1 s + a0) with s in rad/s.
struct SecondOrderFit {
  double a1 = 0, a0 = 0, c2 = 0, c1 = 0, c0 = 0;
  double RelResidual = 0;  // rms misfit relative to the rms of H over the fitted points
  double F0() const;             // natural frequency, hertz
  double Q() const;
  double DcGain() const;         // c0 / a0 (low-pass)
  double CentreGain() const;     // c1 / a1 (band-pass gain at the natural frequency)
  double NullFreq() const;       // sqrt(c0 / c2) / 2 pi (notch), hertz
};

// Least-squares fit of a second-order section to the points of h whose frequency lies within
// [fGuess / span, fGuess * span]; nothing when fewer than five points fall there.
std::optional<SecondOrderFit> FitSecondOrder(const std::vector<double>& freq,
                                             const std::vector<Complex>& h, double fGuess,
                                             double span = 2.0);

}  // namespace spicetest
