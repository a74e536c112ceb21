// Fuzz target for the simulator's raw file reader: any bytes must give a verdict without a
// crash, a hang or memory beyond what the bytes hold, and a plot it accepts must be complete.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "spice/rawfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const spice::RawFile raw = spice::ReadRawFile(bytes);
  if (!raw.First) {
    if (raw.Error.isEmpty()) std::abort();
    return 0;
  }
  // Every point holds one finite value per variable; every variable line was in the file.
  const spice::RawPlot& plot = *raw.First;
  if (plot.Variables.isEmpty() || size_t(plot.Variables.size()) > size) std::abort();
  if (plot.Results.Names.size() != plot.Variables.size()) std::abort();
  if (plot.Results.Values.size() > size) std::abort();
  for (const auto& point : plot.Results.Values) {
    if (point.size() != size_t(plot.Variables.size())) std::abort();
    for (const auto& v : point)
      if (!std::isfinite(v.real()) || !std::isfinite(v.imag())) std::abort();
  }
  return 0;
}
