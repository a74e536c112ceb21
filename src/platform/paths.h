#pragma once
// Where the program's files are: read-only program data (models, help, shipped default
// design), the per-user data folder every instance of the program shares, and the folder this
// instance writes its netlists and simulator output to.
#include <QString>

namespace platform {

class Paths {
 public:
  virtual ~Paths() = default;
  // Program data folder (no trailing separator).
  virtual QString programFolder() = 0;
  // The folder this instance writes its netlists and simulator output to, created on demand
  // (no trailing separator): the per-user data folder, or a folder of its own while another
  // instance of the program works in that one, so two instances never read each other's files.
  virtual QString userFolder() = 0;
  // The per-user data folder itself, shared by every instance: the user's default design and
  // the amplifier records.
  virtual QString sharedUserFolder() { return userFolder(); }
};

}  // namespace platform
