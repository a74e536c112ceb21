#pragma once
// The small Qt services: the clock, the program's folders, outside programs, documents and help.
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
  void sleep(double seconds) override;
};

class QtPaths : public platform::Paths {
 public:
  // The executable's folder (the build tree), or share/calverdon beside its bin/ folder when
  // the program is installed.
  QString programFolder() override;
  // QStandardPaths' application data folder, created when it is missing.
  QString userFolder() override;
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
