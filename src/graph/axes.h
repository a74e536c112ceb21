#pragma once
// The graph's axes, grid and frequency window.
namespace mainwindow {
struct CalverdonForm;
}

namespace graph {

using mainwindow::CalverdonForm;

// The number of decades the frequency axis shows.
void CalcDecades(CalverdonForm& f);
// The captions of the frequency axis.
void LabelFrequencyAxis(CalverdonForm& f);
// The grid lines of the plot area.
void DrawGrid(CalverdonForm& f);

}  // namespace graph
