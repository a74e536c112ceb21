#include "graph/sweep.h"

#include "mainwindow/calverdonform.h"

namespace graph {

void DrawComputedResponse(CalverdonForm&) {}

}  // namespace graph
