#include "graph/surface.h"

#include "mainwindow/calverdonform.h"

namespace graph {

void SetPlotArea(CalverdonForm& f) {
  f.GraphLeftX = 0;
  f.GraphRightX = f.Graph.Width;
  f.GraphTopY = 0;
  f.GraphBottomY = f.Graph.Height;
}

void ClearGraph(CalverdonForm& f) {
  f.drawing.clear();
  f.Graph.Cls();
}

void DrawGraphLine(CalverdonForm& f, double x1, double y1, double x2, double y2,
                   forms::VbColor color) {
  const auto fx1 = static_cast<float>(x1), fy1 = static_cast<float>(y1);
  const auto fx2 = static_cast<float>(x2), fy2 = static_cast<float>(y2);
  f.Graph.DrawLine(fx1, fy1, fx2, fy2, color);
  const auto dx = static_cast<float>(f.Form1.Left), dy = static_cast<float>(f.Form1.Top);
  f.drawing.lines.push_back({fx1 + dx, fy1 + dy, fx2 + dx, fy2 + dy, color, f.Graph.DrawWidth});
  ++f.drawing.revision;
}

}  // namespace graph

namespace graph {

double SweepPointX(const CalverdonForm& f, int i) {
  const double width = double(f.GraphRightX) - f.GraphLeftX;
  return f.GraphLeftX + width * i / kSweepPoints;
}

}  // namespace graph
