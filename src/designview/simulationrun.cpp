#include "designview/simulationrun.h"

#include "graph/axes.h"
#include "mainwindow/calverdonform.h"
#include "spice/simulation.h"

namespace designview {

void RunSpice_Click(CalverdonForm& f) {
  graph::PrepareRunAxis(f);
  spice::XSpiceFileSave(f, {f.AxisDecades, f.PlotStartFreq});
}

void RegisterSimulationRun(CalverdonForm& f) {
  f.on(QStringLiteral("RunSpice"), forms::Event::Click,
       [&f](forms::EventArgs&) { RunSpice_Click(f); });
}

}  // namespace designview
