#pragma once
// The graph's frequency axis, grid and frequency window. The window lives in the captions of
// the legend: Gfreq(0) holds the start and Gfreq(3) the end frequency (or the engineer's limit
// boxes StartF and EndF while they are shown).
#include "graph/frequencywindow.h"

namespace graph {

using mainwindow::CalverdonForm;

// The number of decades the frequency axis shows (AxisDecades), from the window ends; 3 when
// it cannot be worked out or is below 0.01. While StartF is shown, its value also becomes the
// first frequency of the axis (PlotStartFreq).
void CalcDecades(CalverdonForm& f);
// The captions of the frequency axis: start, the intermediate labels by decade count and the
// end, in hertz or radians per second; sets FreqUnitFactor and PlotStartFreq.
void LabelFrequencyAxis(CalverdonForm& f);
// The frequency window a simulation run starts with: the decades from the window ends, the
// reference frequency AxisRefFreq from the cutoff box ("1000" is written into an empty box),
// and the axis captions. AxisDecades and PlotStartFreq are then the analysis' sweep.
void PrepareRunAxis(CalverdonForm& f);
// A frequency in hertz as the legend writes it: in hertz, or in radians per second while the
// frequency boxes are, with the unit ("20.0Hz", "126Rad/s"); FrequencyCaptionHertz reads it
// back as the same hertz.
QString FrequencyLegendText(const CalverdonForm& f, double hertz);
// The grey logarithmic grid: nine lines per decade and the eight lines of the gain labels.
void DrawGrid(CalverdonForm& f);

}  // namespace graph
