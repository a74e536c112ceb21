#pragma once
// Stand-ins for the simulator program: shell scripts in a folder of their own, the real process
// runner holding a start until the script has done its own start-up, and a look for processes a
// script left behind.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include "gui/qtsystem.h"

// A shell script run with the arguments the window gives ngspice ("-D filetype=ascii -r RAW -b
// NETLIST": $4 is the raw file, $6 the netlist), which may call the real ngspice.
struct FakeProgram {
  QTemporaryDir dir;
  QString path;
  FakeProgram(const char* name, const QByteArray& script) : path(dir.filePath(name)) {
    if (script.isEmpty()) return;  // the program is missing
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n" + script);
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  QString file(const char* name) const { return dir.filePath(name); }
};

// The real process runner; a start returns only once the file `waitFor` exists (when one is
// named), so a program's own start-up is done before the window's time for it runs out.
class WaitingRunner : public platform::ProcessRunner {
 public:
  QString waitFor;
  std::unique_ptr<platform::StartedProgram> start(const QString& program,
                                                  const QStringList& arguments,
                                                  const QString& folder) override {
    auto p = real_.start(program, arguments, folder);
    for (int i = 0; i < 2000 && p && !waitFor.isEmpty() && !QFile::exists(waitFor); ++i)
      QThread::msleep(5);
    return p;
  }
  platform::ProcessResult run(const QString& program, const QStringList& arguments,
                              const QString& folder, int timeoutMs) override {
    return real_.run(program, arguments, folder, timeoutMs);
  }

 private:
  gui::QtProcessRunner real_;
};

// Whether a process lives at this moment (a zombie waiting to be reaped does not).
inline bool ProcessAlive(qint64 pid) {
  QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
  if (!stat.open(QIODevice::ReadOnly)) return false;
  const QByteArray text = stat.readAll();
  const qsizetype paren = text.lastIndexOf(')');
  return !(paren >= 0 && text.mid(paren + 2, 1) == "Z");
}

// Whether a process has gone, or goes within a few seconds.
inline bool ProcessGone(qint64 pid) {
  for (int i = 0; i < 1000; ++i) {
    if (!ProcessAlive(pid)) return true;
    QThread::msleep(5);
  }
  return false;
}

// The processes alive now whose environment holds `marker` (a "NAME=value" a script exports, so
// everything it starts carries it too).
inline QList<qint64> ProcessesMarked(const QByteArray& marker) {
  QList<qint64> found;
  for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
    bool number = false;
    const qint64 pid = entry.toLongLong(&number);
    if (!number) continue;
    QFile environment(QStringLiteral("/proc/%1/environ").arg(entry));
    if (!environment.open(QIODevice::ReadOnly)) continue;
    if (environment.readAll().split('\0').contains(marker) && ProcessAlive(pid)) found << pid;
  }
  return found;
}
