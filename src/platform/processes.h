#pragma once
// Starting outside programs: one that is waited for, one that is only launched, and opening
// a document with the program the desktop associates with it.
#include <QString>
#include <QStringList>
#include <memory>

namespace platform {

struct ProcessResult {
  bool started = false;
  bool finished = false;  // false after a time-out (the process was killed)
  int exitCode = -1;
  QString output;         // standard output and standard error
};

// A program started without waiting for it, then waited for. It runs in a process group of
// its own with whatever it starts.
class StartedProgram {
 public:
  virtual ~StartedProgram() = default;
  // Waits at most `seconds` for the program to end, without processing window events, and
  // returns as soon as it has ended: true then, false when it still runs. The moment it is
  // seen to have ended, whatever it left running in its group is stopped, so nothing it
  // started outlives it.
  virtual bool waitForEnd(double seconds) = 0;
  // The exit code once it has ended; -1 when it crashed, was stopped or still runs.
  virtual int exitCode() = 0;
  // Its standard output and standard error so far.
  virtual QString output() = 0;
  // Stops it and every process of its group at once (nothing once it has ended). Destroying
  // the object of a program still running does the same.
  virtual void kill() = 0;
};

class ProcessRunner {
 public:
  virtual ~ProcessRunner() = default;
  // Starts program with its arguments in workingFolder without waiting; nothing when it could
  // not be started.
  virtual std::unique_ptr<StartedProgram> start(const QString& program,
                                                const QStringList& arguments,
                                                const QString& workingFolder) = 0;
  // Runs program with its arguments (a list, never one command text) in workingFolder and
  // waits at most timeoutMs for it to end.
  virtual ProcessResult run(const QString& program, const QStringList& arguments,
                            const QString& workingFolder, int timeoutMs) = 0;
};

class ProgramLauncher {
 public:
  virtual ~ProgramLauncher() = default;
  // Starts program without waiting; false when it could not be started.
  virtual bool launch(const QString& program, const QStringList& arguments,
                      const QString& workingFolder) = 0;
};

class DocumentOpener {
 public:
  virtual ~DocumentOpener() = default;
  // Opens path with its associated program; false when nothing opened it.
  virtual bool open(const QString& path) = 0;
};

}  // namespace platform
