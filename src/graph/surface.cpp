#include "graph/surface.h"

#include <algorithm>
#include <cmath>

#include "mainwindow/calverdonform.h"

namespace graph {

namespace {

struct Rect {
  double left, top, right, bottom;
};

// The rectangle lines are kept inside: the plot area, or the whole picture box while no plot
// area has been set.
Rect clipRect(const CalverdonForm& f) {
  Rect r{f.GraphLeftX, double(f.GraphTopY), double(f.GraphRightX), double(f.GraphBottomY)};
  if (!(r.right > r.left) || !(r.bottom > r.top))
    r = {0, 0, double(f.Graph.Width), double(f.Graph.Height)};
  return r;
}

// Cuts the segment (x1, y1) - (x2, y2) to the part inside r (edges included): Liang-Barsky,
// the segment as p(t) = p1 + t (p2 - p1), 0 <= t <= 1, narrowed by each of the four edges.
// False when no part of it lies inside, or a coordinate is not finite.
bool clipSegment(const Rect& r, double& x1, double& y1, double& x2, double& y2) {
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
    return false;
  const double dx = x2 - x1, dy = y2 - y1;
  double t0 = 0, t1 = 1;
  // For each edge: p t <= q keeps the point inside.
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 - r.left, r.right - x1, y1 - r.top, r.bottom - y1};
  for (int k = 0; k < 4; ++k) {
    if (p[k] == 0) {
      if (q[k] < 0) return false;  // parallel to this edge and outside it
      continue;
    }
    const double t = q[k] / p[k];
    if (p[k] < 0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
    if (t0 > t1) return false;
  }
  const double ax = x1, ay = y1;
  x1 = std::clamp(ax + t0 * dx, r.left, r.right);
  y1 = std::clamp(ay + t0 * dy, r.top, r.bottom);
  x2 = std::clamp(ax + t1 * dx, r.left, r.right);
  y2 = std::clamp(ay + t1 * dy, r.top, r.bottom);
  return true;
}

}  // namespace

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
  if (!clipSegment(clipRect(f), x1, y1, x2, y2)) return;
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
