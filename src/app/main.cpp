// Calverdon: starts the Qt application, wires the real services into the main window and
// shows it.
#include <QApplication>
#include <QLocale>

#include "designview/sequence.h"
#include "gui/qtservices.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/handlers.h"
#include "mainwindow/startup.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Calverdon"));
  QApplication::setApplicationName(QStringLiteral("Calverdon"));

  gui::QtServices qt;
  mainwindow::CalverdonForm form(qt.services());
  designview::install(form);
  mainwindow::RegisterHandlers(form);
  mainwindow::SetStartDefaults(form, mainwindow::DecimalSepOf(QLocale::system().toString(0.5)));
  form.SequenceUpdateScreen();

  // Closing the main window by any means ends the program; nothing is saved on the way out.
  qt.windows.setCloseHandler(form, [&qt] { qt.windows.quit(); });
  qt.windows.show(form, false);
  return QApplication::exec();
}
