#pragma once
// The computed response: sweep, title, totals and traces.
namespace mainwindow {
struct CalverdonForm;
}

namespace graph {

using mainwindow::CalverdonForm;

// Sweeps the design's response and draws it with its axes, grid and title.
void DrawComputedResponse(CalverdonForm& f);

}  // namespace graph
