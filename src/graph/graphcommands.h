#pragma once
// The commands of the graph: the File menu's "&Print" and "Save chart data", and the
// "Plot Chart" button.
#include "mainwindow/calverdonform_fwd.h"

namespace graph {

using mainwindow::CalverdonForm;

void RegisterGraphCommands(CalverdonForm& f);

}  // namespace graph
