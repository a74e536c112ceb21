#pragma once
// The main window wired as the program wires it (without simulators), with its program and user
// folders in a temporary folder.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "designfiles/designfile.h"
#include "designfiles/filecommands.h"
#include "support/observedsequence.h"
#include "support/windowfixture.h"
#include "wiring/mainwindowwiring.h"

struct FilesFixture : WindowFixture {
  QTemporaryDir dir;
  int sequences = 0;

  explicit FilesFixture(QChar sep = QLatin1Char('.')) : WindowFixture(sep) {
    QDir(dir.path()).mkpath(QStringLiteral("program"));
    QDir(dir.path()).mkpath(QStringLiteral("user"));
    fake.paths.program = dir.filePath(QStringLiteral("program"));
    fake.paths.user = dir.filePath(QStringLiteral("user"));
    // The program's wiring, without simulators.
    wiring::WireMainWindow(f, {});
    ObserveSequence(f).wrapSequence([this](const ObservedSequence::Step& sequence) {
      ++sequences;
      return sequence();
    });
  }

  QString path(const QString& name) const { return dir.filePath(name); }

  static QByteArray read(const QString& p) {
    QFile file(p);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  static void write(const QString& p, const QByteArray& bytes) {
    QFile file(p);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }

  // The lines of a file, for comparisons that show the line that differs.
  static std::vector<std::string> linesOf(const QByteArray& bytes) {
    std::vector<std::string> out;
    for (const QByteArray& l : bytes.split('\n')) out.push_back(l.toStdString());
    return out;
  }

  void click(const QString& name) {
    forms::Control* c = f.find(name);
    ASSERT_NE(c, nullptr) << name.toStdString();
    f.raise(*c, forms::Event::Click);
  }

  // Saves the design to a file of the temporary folder and returns its bytes.
  QByteArray save(const QString& name) {
    EXPECT_TRUE(designfiles::SaveSub(f, path(name)));
    return read(path(name));
  }
};
