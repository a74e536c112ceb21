// Calverdon: starts the Qt application, shows the splash window, wires the real services
// into the main window, reads the default design and shows the window.
#include <QApplication>
#include <QLocale>
#include <QSessionManager>

#include "app/startcheck.h"
#include "designfiles/filecommands.h"
#include "gui/qtservices.h"
#include "mainwindow/aboutwindows.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/startup.h"
#include "spice/ngspiceprogram.h"
#include "spice/ngspiceshared.h"
#include "wiring/mainwindowwiring.h"

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
  // The simulators: ngspice inside the process, and the ngspice program for the outside choices.
  spice::NgspiceProgramEngine program(*qt.services().processes);
  mainwindow::CalverdonForm form(qt.services());
  // Armed before the splash: a message the splash's reading of the settings shows is closed
  // by the check too.
  app::ArmStartCheck(QCoreApplication::arguments(), qt, form);
  mainwindow::RunSplash(splash, qt.services());

  // This instance's folder for netlists and simulator output is chosen (and locked against a
  // second instance) before anything is simulated. With every instance folder held or
  // blocked there is none to write to without touching another instance's files.
  if (qt.paths.userFolder().isEmpty()) {
    qt.messages.show(QStringLiteral("Calverdon cannot start another instance: every folder for "
                                    "an instance's netlists is in use or blocked.\r\n") +
                         qt.paths.sharedUserFolder(),
                     mainwindow::kProductName, platform::Buttons::Ok, platform::Icon::Critical);
    return 1;
  }

  wiring::WireMainWindow(form, {.InProcess = &spice::NgspiceSharedEngine::instance(),
                                .Program = &program});

  // The load step (about window when the setting asks for it), then the start values, the
  // default design and the first recompute.
  mainwindow::Form_Load(form, mainwindow::DecimalSepOf(QLocale::system().toString(0.5)));
  mainwindow::Form_Initialize(form, &designfiles::OpenDefault);

  // Closing the main window by any means is File "Close": a changed design is offered for
  // saving first.
  qt.windows.setCloseHandler(form, [&form] { designfiles::CloseProgram(form); });
  // The session ending asks the same; Cancel (or a failed save) asks the session to go on.
  QObject::connect(&app, &QGuiApplication::commitDataRequest, [&form](QSessionManager& session) {
    if (session.allowsInteraction() && !designfiles::MayDropDesign(form)) session.cancel();
    session.release();
  });
  qt.windows.show(form, false);
  return QApplication::exec();
}
