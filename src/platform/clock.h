#pragma once
// Time: the present moment and a wait that keeps the window's events flowing.
#include <QDateTime>

namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual QDateTime now() = 0;
  // Waits seconds, processing window events meanwhile.
  virtual void wait(double seconds) = 0;
};

}  // namespace platform
