#pragma once
// The design passes of band-pass and notch designs.
#include "mainwindow/calverdonform_fwd.h"

namespace designview {

using mainwindow::CalverdonForm;

void BandPassPass(CalverdonForm& f);
void NotchPass(CalverdonForm& f);

}  // namespace designview
