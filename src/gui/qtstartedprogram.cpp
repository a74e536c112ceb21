// Programs started without waiting (the simulator program), and the wait for their end that
// processes no window events.
//
// Each program runs in a process group of its own, so that stopping it stops whatever it
// started too (a wrapper script's simulator, for one): nothing it started writes its output
// file after it was stopped, and nothing it left running outlives its run.
#include <signal.h>
#include <unistd.h>

#include <QProcess>
#include <algorithm>
#include <climits>
#include <cmath>

#include "gui/qtsystem.h"

namespace gui {

namespace {

class QtStartedProgram : public platform::StartedProgram {
 public:
  explicit QtStartedProgram(std::unique_ptr<QProcess> p)
      : p_(std::move(p)), group_(pid_t(p_->processId())) {}
  ~QtStartedProgram() override {
    if (p_->state() != QProcess::NotRunning) kill();
  }
  bool waitForEnd(double seconds) override {
    if (p_->state() != QProcess::NotRunning) {
      // The process object wakes the moment the program ends; the time is only the limit.
      const double ms = std::clamp(seconds * 1000.0, 0.0, double(INT_MAX));
      p_->waitForFinished(int(std::lround(ms)));
    }
    if (p_->state() != QProcess::NotRunning) return false;
    stopLeftovers();
    return true;
  }
  int exitCode() override {
    if (p_->state() != QProcess::NotRunning) return -1;
    return p_->exitStatus() == QProcess::NormalExit ? p_->exitCode() : -1;
  }
  QString output() override {
    output_ += QString::fromLocal8Bit(p_->readAll());
    return output_;
  }
  void kill() override {
    if (p_->state() == QProcess::NotRunning) return;
    // While the program has not been reaped its number is its group's, and no other
    // program's: the whole group goes, then the program is reaped.
    if (group_ > 0) ::kill(-group_, SIGKILL);
    p_->kill();
    p_->waitForFinished(3000);
  }

 private:
  // What the program left running in its group, stopped at once after its end. The group's
  // number is nobody else's while any of its processes lives, and the number of a group that
  // has just emptied is not handed out again until the system has gone round all the others.
  void stopLeftovers() {
    if (group_ > 0) ::kill(-group_, SIGKILL);
    group_ = 0;
  }

  std::unique_ptr<QProcess> p_;
  pid_t group_ = 0;
  QString output_;
};

}  // namespace

std::unique_ptr<platform::StartedProgram> QtProcessRunner::start(const QString& program,
                                                                 const QStringList& arguments,
                                                                 const QString& workingFolder) {
  auto p = std::make_unique<QProcess>();
  p->setProcessChannelMode(QProcess::MergedChannels);
  if (!workingFolder.isEmpty()) p->setWorkingDirectory(workingFolder);
  // A group of its own, led by the program (runs in the child before the program starts).
  p->setChildProcessModifier([] { ::setpgid(0, 0); });
  p->start(program, arguments);
  if (!p->waitForStarted(10000)) return nullptr;
  return std::make_unique<QtStartedProgram>(std::move(p));
}

}  // namespace gui
