#include "graph/simulatedplot.h"

#include "mainwindow/calverdonform.h"

namespace graph {

void PlotChart_Click(CalverdonForm&) {}

}  // namespace graph
