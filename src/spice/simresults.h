#pragma once
// The results of one AC run, the same from both simulators and from the raw file: the vector
// names, and the complex value of every vector at every point. Vector 0 is the frequency; a
// node voltage is named by its node ("node190", as ngspice lists it inside the process, the raw
// file's "v(node190)" read the same way).
#include <QString>
#include <QStringList>
#include <complex>
#include <optional>
#include <vector>

namespace spice {

struct SimResults {
  QStringList Names;  // vector 0 is "frequency"
  QStringList Types;  // "frequency", "voltage", "current"
  std::vector<std::vector<std::complex<double>>> Values;  // point by vector; real parts alone
                                                          // with an imaginary part of 0

  int points() const { return int(Values.size()); }
  int vectors() const { return int(Names.size()); }
  bool empty() const { return Values.empty(); }
  void clear() { *this = {}; }
  // The vector of that name (in any case), or nothing.
  std::optional<int> vectorIndex(const QString& name) const {
    for (qsizetype i = 0; i < Names.size(); ++i)
      if (Names[i].compare(name, Qt::CaseInsensitive) == 0) return int(i);
    return std::nullopt;
  }
};

}  // namespace spice
