#pragma once
// The computed response: sweep, title, totals and traces.
#include "mainwindow/calverdonform_fwd.h"

namespace graph {

using mainwindow::CalverdonForm;

// Sweeps the design's response and draws it with its axes, grid and title: the graph part of
// a display pass of a low-pass, high-pass, wide band-pass or band-reject design, after the
// cascade design pass has left the realised sections in PoleB0/PoleB1.
//
// 570 logarithmic points from the first power of ten above a hundredth of the reference
// frequency; every section's gain and phase summed (high-pass sections at the frequency
// mirrored about the design frequency). A pass for one half keeps that half's sweep; the
// combining pass of a two-half design puts the halves in cascade (wide band-pass) or adds
// them as phasors (band-reject).
void DrawComputedResponse(CalverdonForm& f);

// The sweep alone (frequencies, gain relative to the passband gain, phase), as the first part
// of DrawComputedResponse runs it; sets GainHeadroom for the offset of a passband gain of
// passbandDb.
void SweepSections(CalverdonForm& f, float passbandDb);

}  // namespace graph
