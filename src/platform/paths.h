#pragma once
// Where the program's files are: read-only program data (models, help, shipped default
// design) and the per-user folder the program writes to.
#include <QString>

namespace platform {

class Paths {
 public:
  virtual ~Paths() = default;
  // Program data folder (no trailing separator).
  virtual QString programFolder() = 0;
  // Per-user data folder, created on demand (no trailing separator).
  virtual QString userFolder() = 0;
};

}  // namespace platform
