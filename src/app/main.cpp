// Calverdon: starts the Qt application, shows the splash window, wires the real services
// into the main window, reads the default design and shows the window.
#include <QApplication>
#include <QLocale>

#include "app/startcheck.h"
#include "designfiles/filecommands.h"
#include "designview/sequence.h"
#include "graph/graphcommands.h"
#include "gui/qtservices.h"
#include "mainwindow/aboutwindows.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/handlers.h"
#include "mainwindow/startup.h"
#include "parts/partlist.h"
#include "spice/ngspiceprogram.h"
#include "spice/ngspiceshared.h"
#include "spice/schematichandover.h"
#include "spice/simulation.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // No organisation name: the per-user data folder is then ~/.local/share/Calverdon, not
  // .../Calverdon/Calverdon. The settings name their organisation themselves.
  QApplication::setApplicationName(QStringLiteral("Calverdon"));
  // The desktop takes the window's icon and name from the installed desktop entry.
  QGuiApplication::setDesktopFileName(QStringLiteral("calverdon"));

  // The splash outlives the window host, whose windows refer to the forms they show.
  mainwindow::SplashWindow splash;
  gui::QtServices qt;
  mainwindow::RunSplash(splash, qt.services());

  // This instance's folder for netlists and simulator output is chosen (and locked against a
  // second instance) before anything is simulated.
  qt.paths.userFolder();

  mainwindow::CalverdonForm form(qt.services());
  designview::install(form);
  mainwindow::RegisterHandlers(form);
  mainwindow::RegisterStartupHandlers(form);
  designfiles::RegisterFileCommands(form);
  graph::RegisterGraphCommands(form);
  spice::RegisterSimulationHandlers(form);
  spice::RegisterSchematicHandover(form);
  parts::RegisterPartList(form);

  // The simulators: ngspice inside the process, and the ngspice program for the outside choices.
  spice::NgspiceProgramEngine program(*qt.services().processes);
  form.SimulatorInProcess = &spice::NgspiceSharedEngine::instance();
  form.SimulatorProgram = &program;
  app::ArmStartCheck(QCoreApplication::arguments(), qt, form);

  // The load step (about window when the setting asks for it), then the start values, the
  // default design and the first recompute.
  mainwindow::Form_Load(form, mainwindow::DecimalSepOf(QLocale::system().toString(0.5)));
  mainwindow::Form_Initialize(form, &designfiles::OpenDefault);

  // Closing the main window by any means ends the program; nothing is saved on the way out.
  qt.windows.setCloseHandler(form, [&qt] { qt.windows.quit(); });
  qt.windows.show(form, false);
  return QApplication::exec();
}
