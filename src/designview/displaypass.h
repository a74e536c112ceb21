#pragma once
// One display pass: lay out the entry panel for the pass band, recompute the design from the
// entries, fill the schematic panel, readouts and values table, and draw the response.
#include "mainwindow/calverdonform_fwd.h"

namespace designview {

using mainwindow::CalverdonForm;

// Returns 0 on success; a failure inside the pass still restores the pointer and busy flag.
int updatescreen(CalverdonForm& f);

// Erases what was drawn directly on the window.
void ClearFormGraphics(CalverdonForm& f);

}  // namespace designview
