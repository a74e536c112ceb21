#include "spice/ngspiceprogram.h"

#include <QFile>

#include "spice/rawfile.h"
#include "spice/simulation.h"

namespace spice {

ShellResult ShellAndWait(platform::ProcessRunner& processes, const QString& program,
                         const QStringList& arguments, const QString& folder,
                         double timeoutSeconds) {
  ShellResult r;
  std::unique_ptr<platform::StartedProgram> p = processes.start(program, arguments, folder);
  if (!p) return r;
  r.Started = true;
  r.Finished = p->waitForEnd(timeoutSeconds);
  if (r.Finished)
    r.ExitCode = p->exitCode();
  else
    p->kill();
  r.Output = p->output();
  return r;
}

NgspiceProgramEngine::NgspiceProgramEngine(platform::ProcessRunner& processes, QString program,
                                           double timeoutSeconds)
    : processes_(processes), program_(std::move(program)), timeout_(timeoutSeconds) {}

QStringList NgspiceProgramEngine::Arguments(const QString& rawFile, const QString& netlistFile) {
  // ASCII raw output whatever the netlist asks for.
  return {QStringLiteral("-D"), QStringLiteral("filetype=ascii"), QStringLiteral("-r"), rawFile,
          QStringLiteral("-b"), netlistFile};
}

SimulationStatus NgspiceProgramEngine::run() {
  ran_ = false;
  read_ = false;
  results_ = {};
  output_.clear();
  // A raw file left by an earlier run is never read as this run's.
  QFile::remove(job_.RawFile);
  const ShellResult r = ShellAndWait(processes_, program_,
                                     Arguments(job_.RawFile, job_.NetlistFile), job_.Folder,
                                     timeout_);
  output_ = r.Output;
  if (!r.Started) return {false, ProgramNotStarted(program_)};
  if (!r.Finished) {
    // Whatever the stopped program wrote is no result.
    QFile::remove(job_.RawFile);
    return {false, ProgramTimedOut(timeout_)};
  }
  if (r.ExitCode != 0 || !QFile::exists(job_.RawFile)) return {false, RawFileError()};
  ran_ = true;
  return {true, {}};
}

const SimResults& NgspiceProgramEngine::results() const {
  if (read_ || !ran_) return results_;
  read_ = true;
  RawFile raw = ReadRawFileAt(job_.RawFile);
  if (raw.First) results_ = std::move(raw.First->Results);
  return results_;
}

QString ProgramNotStarted(const QString& program) {
  return QStringLiteral("The simulator program %1 could not be started.").arg(program);
}

QString ProgramTimedOut(double seconds) {
  return QStringLiteral("The simulator program did not finish within %1 seconds and was stopped.")
      .arg(seconds);
}

}  // namespace spice
