#pragma once
// The group delay of the computed sweep: its values, the scale of its trace and axis, the
// trace and the axis labels GroupDelay(0..8).
#include "mainwindow/calverdonform_fwd.h"
#include "mainwindow/designstate.h"

namespace graph {

using mainwindow::CalverdonForm;

// The group delay in seconds between sweep points i and i + 1, from the fall of SweepPhase:
// -dphi / (360 df), single precision (positive where the phase falls). 0 where the
// frequencies do not rise.
float SweptGroupDelay(const mainwindow::GraphState& g, int i);

// The scale of the group-delay axis for a largest delay of maxDelay seconds: the power of ten
// that brings it to 1 .. 10, halved for every doubling of the normalised value beyond 2, 4,
// 8, 16 and 32 (kept a whole number while it is 1 or more). The top label then reads
// 4 / scale seconds, at least the largest delay, also for delays of a second and more
// (scales below 1). 1 for a maximum that is zero or not finite.
double GroupDelayScale(double maxDelay);

// The group delay of sweep points 3 .. 562: the axis labels always, and the trace in
// GroupDelayTraceColor when the View switch is on and the delay is not zero. Returns the scale.
double DrawGroupDelay(CalverdonForm& f);

// The group-delay axis labels GroupDelay(0..8) for a scale: 4 / scale seconds at the top,
// 0 at the bottom. The computed and the simulated plot share it.
void LabelGroupDelayAxis(CalverdonForm& f, double scale);

}  // namespace graph
