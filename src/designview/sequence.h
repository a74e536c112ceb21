#pragma once
// The recompute sequence: the hub every change of the design ends in.
#include "mainwindow/calverdonform_fwd.h"

namespace designview {

using mainwindow::CalverdonForm;

// Puts the edges of a wide band-pass or band-reject design in order, then runs one display
// pass, or three (low-pass half, high-pass half, combination) in the total view of a two-half
// design. Returns 0, or the error code of the pass that failed.
int SequenceUpdateScreen(CalverdonForm& f);

// Installs the recompute sequence and the display pass into the main window's hub, and the
// handlers of the view buttons that choose what the sequence computes, of "Test Spice", and of
// the graph's own controls and switches.
void install(CalverdonForm& f);

}  // namespace designview
