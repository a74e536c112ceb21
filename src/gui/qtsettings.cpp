#include "gui/qtsettings.h"

#include <QSettings>

namespace gui {

namespace {

const QString kOrganisation = QStringLiteral("Calverdon");

QString applicationOf(const QString& application) {
  return application.isEmpty() ? kOrganisation : application;
}

QString keyOf(const QString& section, const QString& key) { return section + '/' + key; }

}  // namespace

QString QtSettingsService::get(const QString& application, const QString& section,
                               const QString& key, const QString& defaultValue) {
  QSettings s(QSettings::NativeFormat, QSettings::UserScope, kOrganisation,
              applicationOf(application));
  return s.value(keyOf(section, key), defaultValue).toString();
}

void QtSettingsService::set(const QString& application, const QString& section,
                            const QString& key, const QString& value) {
  QSettings s(QSettings::NativeFormat, QSettings::UserScope, kOrganisation,
              applicationOf(application));
  s.setValue(keyOf(section, key), value);
  s.sync();
}

}  // namespace gui
