#pragma once
// Writes a small file for a test (a stand-in program, a datasheet); false when it cannot.
#include <QByteArray>
#include <QFile>
#include <QString>

inline bool WriteTestFile(const QString& path, const QByteArray& bytes, bool executable = false) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return false;
  file.close();
  return !executable || file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}
