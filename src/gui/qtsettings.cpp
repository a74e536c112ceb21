#include "gui/qtsettings.h"

#include <QSettings>
#include <QStandardPaths>

#include "mainwindow/calverdonform.h"

namespace gui {

namespace {

const QString kOrganisation = QStringLiteral("Calverdon");

QString applicationOf(const QString& application) {
  return application.isEmpty() ? kOrganisation : application;
}

QString keyOf(const QString& section, const QString& key) { return section + '/' + key; }

}  // namespace

QtSettingsService::QtSettingsService(platform::MessageService* messages, QString folder)
    : messages_(messages), folder_(std::move(folder)) {}

QString QtSettingsService::fileOf(const QString& application) const {
  const QString folder = folder_.isEmpty()
                             ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                             : folder_;
  return folder + QLatin1Char('/') + kOrganisation + QLatin1Char('/') +
         applicationOf(application) + QStringLiteral(".conf");
}

bool QtSettingsService::usable(const QString& file) {
  const mainwindow::FileState state = mainwindow::CheckDataFile(file, mainwindow::kSettingsLimit);
  if (told_.tellNow(file, state) && messages_)
    messages_->show(mainwindow::RefusedFileMessage(file, state, mainwindow::kSettingsLimit),
                    mainwindow::kProductName, platform::Buttons::Ok, platform::Icon::Exclamation);
  return !mainwindow::IsRefused(state);
}

QString QtSettingsService::get(const QString& application, const QString& section,
                               const QString& key, const QString& defaultValue) {
  const QString file = fileOf(application);
  if (!usable(file)) return defaultValue;
  QSettings s(file, QSettings::IniFormat);
  return s.value(keyOf(section, key), defaultValue).toString();
}

void QtSettingsService::set(const QString& application, const QString& section,
                            const QString& key, const QString& value) {
  const QString file = fileOf(application);
  if (!usable(file)) return;
  QSettings s(file, QSettings::IniFormat);
  s.setValue(keyOf(section, key), value);
  s.sync();
}

}  // namespace gui
