#pragma once
// The simulated response plot of band-pass and notch designs.
#include "mainwindow/calverdonform_fwd.h"

namespace graph {

using mainwindow::CalverdonForm;

// Draws the simulated response from the last simulation run on a cleared graph with its grid,
// so the graph shows that response alone; a run that cannot be drawn leaves the graph as it is.
void PlotChart_Click(CalverdonForm& f);

}  // namespace graph
