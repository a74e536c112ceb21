#pragma once
// The help viewer.
#include <QString>

namespace platform {

class HelpService {
 public:
  virtual ~HelpService() = default;
  // Opens the help file; false when there is none or nothing can show it.
  virtual bool showHelp(const QString& helpFile) = 0;
};

}  // namespace platform
