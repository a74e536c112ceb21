#include "spice/simresults.h"

namespace spice {

std::vector<double> SimResults::flattened() const {
  std::vector<double> all;
  all.reserve(Values.size() * size_t(Names.size()) * 2);
  for (const auto& point : Values)
    for (const std::complex<double>& v : point) {
      all.push_back(v.real());
      all.push_back(v.imag());
    }
  return all;
}

QString SimResults::table() const {
  QString t;
  for (int v = 0; v < Names.size(); ++v)
    t += QStringLiteral("\t%1\t%2\t%3\r\n").arg(v).arg(Names[v], v < Types.size() ? Types[v] : QString());
  return t;
}

}  // namespace spice
