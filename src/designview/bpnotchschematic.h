#pragma once
// The schematic panel of band-pass and notch designs: one stage picture per stage (an MFB
// band-pass stage with or without its gain divider, or a notch stage), the value labels on
// them, the connectors, and the per-stage frequency and Q boxes.
#include "mainwindow/calverdonform_fwd.h"

namespace designview {

using mainwindow::CalverdonForm;

// Fixes the number of stages from the pole-count box (at most 5), shows the stage pictures
// with their labels and connectors, and shows the stage boxes in use, filling empty frequency
// and Q boxes with the centre frequency and the default Q. Does nothing for other pass bands.
void ShowBPNotchSchematic(CalverdonForm& f);

// Shows band-pass stage i with or without its gain divider (the resistors in the places of the
// R4 and R5 labels) and moves its labels onto that picture.
void ShowBandPassStage(CalverdonForm& f, int i, bool divider);

}  // namespace designview
