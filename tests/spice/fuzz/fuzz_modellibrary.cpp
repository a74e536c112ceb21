// Fuzz target for the op-amp model library reader: any bytes must list models without a crash
// or a hang, and the copy of every listed model, when there is one, starts with its ".subckt"
// entry and ends with its stop line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "spice/modellibrary.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const std::vector<spice::LibraryModel> models = spice::ListModels(bytes);
  int previous = 0;
  for (const spice::LibraryModel& m : models) {
    if (m.Name.isEmpty() || m.FirstEntry <= previous) std::abort();
    previous = m.FirstEntry;
    for (const spice::ModelEnd end : {spice::ModelEnd::Ends, spice::ModelEnd::EndModel}) {
      const std::optional<QString> text = spice::ModelText(bytes, m.FirstEntry, end);
      if (!text) continue;
      if (!text->left(7).toLower().startsWith(QLatin1String(".subckt"))) std::abort();
      if (!text->endsWith(QLatin1Char('\n')) || text->contains(QLatin1Char('\r'))) std::abort();
    }
  }
  return 0;
}
