// Fuzz target for the design file reader: any bytes must give a verdict without a crash or
// a hang, and a record the reader accepts must write back to a file that reads the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "designfiles/designrecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const designfiles::ReadResult result = designfiles::ReadDesignRecord(bytes);
  if (result.status != designfiles::ReadStatus::Ok) return 0;

  // Written back, the record reads the same, except where writing changes a text: a double
  // quote becomes a single one, and a line break cannot survive inside a text.
  designfiles::DesignRecord r = result.record;
  const QByteArray written = designfiles::WriteDesignRecord(r);
  const designfiles::ReadResult again = designfiles::ReadDesignRecord(written);
  if (again.status != designfiles::ReadStatus::Ok) std::abort();
  if (designfiles::WriteDesignRecord(again.record) != written) std::abort();
  return 0;
}
