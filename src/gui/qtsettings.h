#pragma once
// The per-user settings store with QSettings: organisation "Calverdon", the application named
// in the call ("Calverdon"), keys "section/key".
#include "platform/settings.h"

namespace gui {

class QtSettingsService : public platform::SettingsService {
 public:
  QString get(const QString& application, const QString& section, const QString& key,
              const QString& defaultValue) override;
  void set(const QString& application, const QString& section, const QString& key,
           const QString& value) override;
};

}  // namespace gui
