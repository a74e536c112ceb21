#pragma once
// The start check the installation is tested with: "calverdon --exit-after-start" starts as
// usual, closes a window that opens over the main window at start (the about window), and once
// the main window is shown writes what it started with to standard output and ends:
//
//   window: <the main window's caption>
//   data folder: <the program data folder>
//   design: <the default design file read, or "factory design">
//   op-amp models: <the number of library models listed>
//
// The exit code is 0 when the main window was shown, 1 when it was not within 30 seconds.
#include <QStringList>

namespace gui {
struct QtServices;
}
namespace mainwindow {
struct CalverdonForm;
}

namespace app {

inline const QString kExitAfterStart = QStringLiteral("--exit-after-start");

// Arms the check when the arguments ask for it; returns whether they did.
bool ArmStartCheck(const QStringList& arguments, gui::QtServices& qt,
                   mainwindow::CalverdonForm& form);

}  // namespace app
