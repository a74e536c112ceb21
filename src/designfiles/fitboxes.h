#pragma once
// A design read from a file, brought within what its boxes accept. A hand-edited file may hold
// numbers that no box takes (a resistor seed of -1e30, a section Q of 1e308); opened as they
// stand, the boxes would show values the design is not computed with.
#include "designfiles/designrecord.h"
#include "mainwindow/calverdonform_fwd.h"

namespace designfiles {

using mainwindow::CalverdonForm;

// The record's own numbers that become box texts before the lists are set: the resistor seed
// (item 4) as the seed box clamps it, the design frequency (item 3) within the frequency
// limits, the pole count (item 2) within what any pole box takes. False, with the record
// to be refused as damaged, when a box text holds a number beyond the single range: no box
// reads it, as no number item of the file may hold one.
bool FitRecordNumbers(DesignRecord& r);

// The number boxes of the design now set (the pole counts, the edge and centre frequencies,
// the band Q, the ripple, the section frequencies and Qs on show and those each half of a
// wide design keeps): a number outside its box's range becomes the value and text the box's
// own validation gives it for the pass band and response chosen. A box within its range, an
// empty box and a text that holds no number are left exactly as they are.
void FitBoxesToLimits(CalverdonForm& f);

}  // namespace designfiles
