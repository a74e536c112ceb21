#pragma once
// The File menu commands of the graph: "&Print" and "Save chart data".
#include "mainwindow/calverdonform_fwd.h"

namespace graph {

using mainwindow::CalverdonForm;

void RegisterGraphCommands(CalverdonForm& f);

}  // namespace graph
