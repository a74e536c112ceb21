#pragma once
// The per-user settings store with QSettings: the file "<application>.conf" in the folder
// "Calverdon" of the user's configuration folder (~/.config/Calverdon/Calverdon.conf for the
// application "Calverdon"), keys "section/key".
//
// The file is read only when it is a regular file of at most 1 MB (mainwindow/datafiles.h):
// anything else in its place (a named pipe, a device, a folder, a huge file) is told once,
// naming it, and the settings then read as their defaults and are not written, as if the
// file were not there and could not be made.
#include <QString>

#include "mainwindow/datafiles.h"
#include "platform/messages.h"
#include "platform/settings.h"

namespace gui {

class QtSettingsService : public platform::SettingsService {
 public:
  // `messages` tells a refused file (none: it is not told); `folder` is the configuration
  // folder (empty: the user's, from QStandardPaths).
  explicit QtSettingsService(platform::MessageService* messages = nullptr, QString folder = {});

  QString get(const QString& application, const QString& section, const QString& key,
              const QString& defaultValue) override;
  void set(const QString& application, const QString& section, const QString& key,
           const QString& value) override;

  // The settings file of an application.
  QString fileOf(const QString& application) const;

 private:
  // Whether the application's file may be read and written: it is missing or a regular file
  // within the limit. A refusal is told once while it stays the same.
  bool usable(const QString& file);

  platform::MessageService* messages_;
  QString folder_;
  mainwindow::RefusalsTold told_;
};

}  // namespace gui
