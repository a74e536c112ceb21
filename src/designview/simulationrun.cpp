#include "designview/simulationrun.h"

#include "graph/axes.h"
#include "mainwindow/calverdonform.h"
#include "spice/simulation.h"

namespace designview {

namespace {

void runSpice(CalverdonForm& f, spice::RunFor asker) {
  graph::PrepareRunAxis(f);
  spice::XSpiceFileSave(f, {f.AxisDecades, f.PlotStartFreq}, asker);
}

}  // namespace

void RunSpice_Click(CalverdonForm& f) { runSpice(f, spice::RunFor::TestSpice); }

void RunSpiceForPass(CalverdonForm& f) { runSpice(f, spice::RunFor::DisplayPass); }

void RegisterSimulationRun(CalverdonForm& f) {
  f.on(QStringLiteral("RunSpice"), forms::Event::Click,
       [&f](forms::EventArgs&) { RunSpice_Click(f); });
}

}  // namespace designview
