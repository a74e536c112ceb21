#pragma once
// The schematic panel of band-pass and notch designs.
#include "mainwindow/calverdonform_fwd.h"

namespace designview {

using mainwindow::CalverdonForm;

void ShowBPNotchSchematic(CalverdonForm& f);

}  // namespace designview
