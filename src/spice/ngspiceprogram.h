#pragma once
// The ngspice program in batch mode, for the two outside-simulator choices: it runs the
// netlist file and writes the ASCII raw file, which the window then reads back.
#include "platform/processes.h"
#include "spice/spiceengine.h"

namespace spice {

// The outcome of a program waited for.
struct ShellResult {
  bool Started = false;
  bool Finished = false;  // false when it ran out of time and was stopped
  int ExitCode = -1;
  QString Output;
};

// The longest wait for the program.
inline constexpr double kShellTimeoutSeconds = 20;

// Starts the program and waits for its end, which ends the wait at once (the window does not
// react meanwhile). A program still running after timeoutSeconds is stopped with its whole
// process group; after a program's own end, whatever it left running in its group is stopped.
ShellResult ShellAndWait(platform::ProcessRunner& processes, const QString& program,
                         const QStringList& arguments, const QString& folder,
                         double timeoutSeconds = kShellTimeoutSeconds);

class NgspiceProgramEngine : public SpiceEngine {
 public:
  // timeoutSeconds: the time the program gets.
  explicit NgspiceProgramEngine(platform::ProcessRunner& processes,
                                QString program = QStringLiteral("ngspice"),
                                double timeoutSeconds = kShellTimeoutSeconds);

  void putNetlist(const SimulationJob& job) override { job_ = job; }
  // Deletes the raw file, runs the program on the netlist file and checks its start, end, exit
  // code and raw file. A program stopped for its time leaves no raw file behind.
  SimulationStatus run() override;
  // The raw file of the last successful run, read when first asked for.
  const SimResults& results() const override;
  QString textOutput() const override { return output_; }

  // The arguments the program gets for a netlist file and its raw file.
  static QStringList Arguments(const QString& rawFile, const QString& netlistFile);
  const QString& program() const { return program_; }

 private:
  platform::ProcessRunner& processes_;
  QString program_;
  double timeout_;
  SimulationJob job_;
  QString output_;
  bool ran_ = false;
  mutable bool read_ = false;
  mutable SimResults results_;
};

// The messages of a failed outside run.
QString ProgramNotStarted(const QString& program);
QString ProgramTimedOut(double seconds);

}  // namespace spice
