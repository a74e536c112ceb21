#pragma once
// The small Qt services: the clock, the program's folders, outside programs, documents and help.
#include <QLockFile>
#include <memory>

#include "platform/clock.h"
#include "platform/help.h"
#include "platform/paths.h"
#include "platform/processes.h"

namespace gui {

class QtClock : public platform::Clock {
 public:
  QDateTime now() override;
  // Runs the event loop for the given time (nothing for a time that is not positive).
  void wait(double seconds) override;
};

// The folder one instance of the program writes its netlists and simulator output to, inside a
// per-user data folder that several instances may share. The first instance takes the shared
// folder itself; while it runs, a second takes "instance-2" inside it, a third "instance-3",
// and so on. Each holds a lock file beside its folder for as long as it lives; a folder whose
// instance has ended (or died) is taken by the next instance that needs one. A name that is
// taken by something other than a folder (a file "instance-2") is passed over: an instance
// never falls back into the shared folder while another instance holds it.
class InstanceFolder {
 public:
  explicit InstanceFolder(QString sharedFolder);
  ~InstanceFolder();
  InstanceFolder(const InstanceFolder&) = delete;
  InstanceFolder& operator=(const InstanceFolder&) = delete;

  const QString& shared() const { return shared_; }
  // This instance's folder, chosen (and locked) at the first call and kept afterwards. When no
  // lock can be taken at all (a folder that cannot be written), the shared folder. Empty when
  // another instance holds the shared folder and no instance folder is free.
  QString own();

 private:
  QString shared_;
  QString own_;
  bool chosen_ = false;
  std::unique_ptr<QLockFile> lock_;
};

class QtPaths : public platform::Paths {
 public:
  // The executable's folder (the build tree), or share/calverdon beside its bin/ folder when
  // the program is installed.
  QString programFolder() override;
  // This instance's folder in QStandardPaths' application data folder (see InstanceFolder).
  QString userFolder() override;
  // QStandardPaths' application data folder, created when it is missing.
  QString sharedUserFolder() override;

 private:
  std::unique_ptr<InstanceFolder> instance_;
};

class QtProcessRunner : public platform::ProcessRunner {
 public:
  // Waits without processing window events, as a run that polls the program's end does.
  // A time-out of 0 or less gives the program no time.
  platform::ProcessResult run(const QString& program, const QStringList& arguments,
                              const QString& workingFolder, int timeoutMs) override;
  std::unique_ptr<platform::StartedProgram> start(const QString& program,
                                                  const QStringList& arguments,
                                                  const QString& workingFolder) override;
};

class QtProgramLauncher : public platform::ProgramLauncher {
 public:
  bool launch(const QString& program, const QStringList& arguments,
              const QString& workingFolder) override;
};

// Whether the desktop names a program for the file's type. The desktop's opener starts in the
// background and reports success even when no program takes the file, so it is asked first
// (xdg-mime answers with the program's desktop entry, or with nothing). Without xdg-mime, or
// when it gives no answer in time, the opener is left to try (true).
bool DesktopHasProgramFor(const QString& file);

class QtDocumentOpener : public platform::DocumentOpener {
 public:
  // A local file (false when it is missing, or when the desktop has no program for its type)
  // or an address with a scheme (http, https, file).
  bool open(const QString& path) override;
};

class QtHelpService : public platform::HelpService {
 public:
  bool showHelp(const QString& helpFile) override;
};

}  // namespace gui
