#include "graph/axes.h"

#include "mainwindow/calverdonform.h"

namespace graph {

void CalcDecades(CalverdonForm&) {}
void LabelFrequencyAxis(CalverdonForm&) {}
void DrawGrid(CalverdonForm&) {}

}  // namespace graph
