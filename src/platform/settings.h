#pragma once
// The per-user settings store (application, section, key -> text).
#include <QString>

namespace platform {

class SettingsService {
 public:
  virtual ~SettingsService() = default;
  virtual QString get(const QString& application, const QString& section, const QString& key,
                      const QString& defaultValue) = 0;
  virtual void set(const QString& application, const QString& section, const QString& key,
                   const QString& value) = 0;
};

}  // namespace platform
