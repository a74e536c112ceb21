#include "app/startcheck.h"

#include <QApplication>
#include <QFileInfo>
#include <QTextStream>
#include <QTimer>

#include "designfiles/filecommands.h"
#include "gui/formwindow.h"
#include "gui/qtservices.h"
#include "mainwindow/calverdonform.h"

namespace app {

namespace {

// The default design the start read: the user's, else the shipped one, as OpenDefault tries.
QString designRead(mainwindow::CalverdonForm& f) {
  if (!f.DesignLoaded) return QStringLiteral("factory design");
  for (const QString& path :
       {designfiles::UserDefaultDesign(f), designfiles::ShippedDefaultDesign(f)})
    if (QFileInfo(path).isFile()) return path;
  return QStringLiteral("factory design");
}

void report(gui::QtServices& qt, mainwindow::CalverdonForm& f) {
  QTextStream out(stdout);
  out << "window: " << f.Caption << '\n'
      << "data folder: " << qt.paths.programFolder() << '\n'
      << "design: " << designRead(f) << '\n'
      << "op-amp models: " << std::max<qsizetype>(0, qsizetype(f.ModelFirstLine.size()) - 1)
      << '\n';
  out.flush();
}

}  // namespace

bool ArmStartCheck(const QStringList& arguments, gui::QtServices& qt,
                   mainwindow::CalverdonForm& form) {
  if (!arguments.contains(kExitAfterStart)) return false;
  auto* timer = new QTimer(QCoreApplication::instance());
  auto* deadline = new QTimer(QCoreApplication::instance());
  timer->setInterval(50);
  deadline->setSingleShot(true);
  deadline->setInterval(30000);
  QObject::connect(timer, &QTimer::timeout, timer, [&qt, &form, timer] {
    // A window that holds up the start (the about window) is closed as its user would.
    if (QWidget* modal = QApplication::activeModalWidget()) {
      modal->close();
      return;
    }
    gui::FormWindow* main = qt.windows.windowOf(form);
    if (!main || !main->isVisible()) return;
    timer->stop();
    report(qt, form);
    QCoreApplication::exit(0);
  });
  QObject::connect(deadline, &QTimer::timeout, deadline, [] {
    QTextStream(stderr) << "calverdon: the main window was not shown\n";
    QCoreApplication::exit(1);
  });
  timer->start();
  deadline->start();
  return true;
}

}  // namespace app
