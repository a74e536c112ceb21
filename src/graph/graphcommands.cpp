#include "graph/graphcommands.h"

#include "graph/chartexport.h"
#include "graph/printing.h"
#include "graph/simulatedplot.h"
#include "mainwindow/calverdonform.h"

namespace graph {

void RegisterGraphCommands(CalverdonForm& f) {
  f.on(QStringLiteral("Print"), forms::Event::Click, [&f](forms::EventArgs&) { Print_Click(f); });
  f.on(QStringLiteral("SaveChartData"), forms::Event::Click,
       [&f](forms::EventArgs&) { SaveChartData_Click(f); });
  f.on(QStringLiteral("PlotChart"), forms::Event::Click,
       [&f](forms::EventArgs&) { PlotChart_Click(f); });
}

}  // namespace graph
