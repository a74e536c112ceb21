// Programs started without waiting (the simulator program), and the sleep that waits for
// them without processing window events.
//
// Each program runs in a process group of its own, so that stopping it stops whatever it
// started too (a wrapper script's simulator, for one): nothing it started writes its output
// file after it was stopped.
#include <signal.h>
#include <unistd.h>

#include <QProcess>
#include <QThread>
#include <algorithm>
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
  bool running() override {
    // A wait of no time lets the process object notice that the program has ended.
    if (p_->state() != QProcess::NotRunning) p_->waitForFinished(0);
    return p_->state() != QProcess::NotRunning;
  }
  int exitCode() override {
    if (running()) return -1;
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

void QtClock::sleep(double seconds) {
  if (!(seconds > 0)) return;
  // At most a minute: a sleep is a pause, never a hang.
  const double ms = std::min(seconds * 1000.0, 60000.0);
  QThread::msleep(static_cast<unsigned long>(std::lround(ms)));
}

}  // namespace gui
