#pragma once
// The graph title and the passband gain shown under the stage gains.
#include <QString>
#include "mainwindow/calverdonform_fwd.h"

namespace graph {

using mainwindow::CalverdonForm;

// The product of the stage gains DCgain(0..4) (empty or unreadable captions skipped, 1 when
// none is left); writes it into DCgain(5) ("0.0##") and returns it, 0 taken as 1.
double PassbandGainProduct(CalverdonForm& f);

// The title of the design or half: topology, order and pass band, response, cutoff text and
// passband gain, as Label8 shows it. The cutoff keeps the unit of its box: "Hz", or "Rad/s"
// while the frequency boxes are in radians per second.
QString GraphTitle(const CalverdonForm& f);

// The totals of the stage readouts at the response frequency: element 5 of StageRespDb and
// StageWork, GainF(5) ("0.00 dB") and PhaseF(5) ("0.0º").
void ShowResponseTotals(CalverdonForm& f);

}  // namespace graph
