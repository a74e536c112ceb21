#pragma once
// The drawing surface of the graph: the plot area of the graph picture box and the lines
// drawn on it. Every line goes on the picture box and once more on the window itself, offset
// by the outline laid over the graph, so a print of the window shows the graph too.
#include "forms/color.h"
#include "mainwindow/calverdonform_fwd.h"

namespace graph {

using mainwindow::CalverdonForm;

// The plot area is the whole picture box: GraphLeftX, GraphTopY = 0, GraphRightX and
// GraphBottomY its width and height in twips.
void SetPlotArea(CalverdonForm& f);

// Erases everything drawn on the window and on the graph.
void ClearGraph(CalverdonForm& f);

// A straight line in plot coordinates (twips of the picture box), cut to the plot area (the
// picture box while no plot area is set): the part outside is not drawn, a line wholly
// outside or with a coordinate that is not finite not at all. Every trace and grid line goes
// through here, so nothing is ever drawn over the title or the axis labels.
void DrawGraphLine(CalverdonForm& f, double x1, double y1, double x2, double y2,
                   forms::VbColor color);

}  // namespace graph

namespace graph {

// Points of the computed sweep (1 .. kSweepPoints of the sweep arrays).
inline constexpr int kSweepPoints = 570;

// The x of sweep point i on the plot: W * i / 570 from the left edge.
double SweepPointX(const CalverdonForm& f, int i);

}  // namespace graph
