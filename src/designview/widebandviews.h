#pragma once
// The section views of wide band-pass and band-reject designs.
#include "mainwindow/calverdonform_fwd.h"

namespace designview {

using mainwindow::CalverdonForm;

// Shows or hides the six connector lines of the two-half views.
void ShowWideBandLines(CalverdonForm& f);

}  // namespace designview
