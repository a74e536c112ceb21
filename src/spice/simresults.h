#pragma once
// The results of one AC run held as the engines hand them over: vector names, and values by
// point and vector. Both engines keep their last results in one of these.
#include <QString>
#include <QStringList>
#include <complex>
#include <vector>

namespace spice {

struct SimResults {
  QStringList Names;  // vector 0 is "frequency"
  QStringList Types;  // "frequency", "voltage", "current"
  std::vector<std::vector<std::complex<double>>> Values;  // point by vector

  int points() const { return int(Values.size()); }
  int vectors() const { return int(Names.size()); }
  void clear() { *this = {}; }
  // All values, point after point, vector after vector, real then imaginary part.
  std::vector<double> flattened() const;
  // The table of vectors of SpiceEngine::resultTable().
  QString table() const;
};

}  // namespace spice
