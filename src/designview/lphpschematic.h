#pragma once
// The schematic panel of low-pass, high-pass and two-half designs.
#include "mainwindow/calverdonform_fwd.h"

namespace designview {

using mainwindow::CalverdonForm;

// Hides every stage picture, connector and value label.
void HideSchematics(CalverdonForm& f);
// Greys the per-stage entry boxes and enables those of the stages in use.
void ResetStageEntries(CalverdonForm& f);
// Shows the stage pictures of the design with their value labels.
void ShowLPHPSchematic(CalverdonForm& f);

}  // namespace designview
