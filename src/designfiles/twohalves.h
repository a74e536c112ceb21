#pragma once
// What a wide band-pass or band-reject design holds beyond the record: the low-pass half's
// boxes, the section texts each half keeps, the layout of the custom section boxes the two
// halves share, and the view on show.
#include "designfiles/designrecord.h"
#include "mainwindow/calverdonform_fwd.h"

namespace designfiles {

using mainwindow::CalverdonForm;

// Shows the view buttons of a view as the view buttons themselves leave them; the next
// recompute lays out the panel and the connector lines for it.
void ShowHalfView(CalverdonForm& f, HalfView view);

// The two halves of the design in the window.
TwoHalves HalvesOf(const CalverdonForm& f);

// Gives the window what the halves keep and shows their view; the next recompute loads the
// section boxes of the half on show from what it keeps. The low-pass half's boxes are the
// caller's: they must be in place before the list handlers run.
void ApplyHalves(CalverdonForm& f, const TwoHalves& h);

}  // namespace designfiles
