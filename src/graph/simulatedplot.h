#pragma once
// The simulated response plot of band-pass and notch designs.
#include "mainwindow/calverdonform_fwd.h"

namespace graph {

using mainwindow::CalverdonForm;

// Draws the simulated response from the last simulation run.
void PlotChart_Click(CalverdonForm& f);

}  // namespace graph
