#pragma once
// The gain and phase traces of the computed sweep.
#include "mainwindow/calverdonform_fwd.h"

namespace graph {

using mainwindow::CalverdonForm;

// The gain axis as drawn: the top and bottom of the plot in dB.
struct GainScale {
  float topDb = 10;
  float bottomDb = -70;
};

// The gain axis the labels Ampl(0) and Ampl(8) show (+10 dB .. -70 dB when they cannot be read
// or coincide).
GainScale GainScaleFromLabels(const CalverdonForm& f);

// The plot y of a gain: the top of the axis at the top edge, the bottom at the bottom edge.
double GainTraceY(const CalverdonForm& f, const GainScale& scale, double gainDb);
// The plot y of a phase: wrapped to -180 .. +180 degrees on a plot height of -360 .. +360.
double PhaseTraceY(const CalverdonForm& f, double phaseDeg);

// Segments of sweep points 2 .. 566, gain and phase point by point, each as its View switch
// says; the phase skips the jump of its wrapping while "Hide 360 Deg. Phase Hop" is checked.
void DrawGainAndPhaseTraces(CalverdonForm& f, const GainScale& scale);

}  // namespace graph
