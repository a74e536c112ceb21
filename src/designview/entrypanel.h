#pragma once
// The entry panel of a display pass: which boxes are in use for the chosen pass band, the
// pole count of the design or half, and the places of the section-view buttons.
#include "mainwindow/calverdonform_fwd.h"

namespace designview {

using mainwindow::CalverdonForm;

// Resets the panel to its common state (before the schematics are hidden).
void ResetEntryPanel(CalverdonForm& f);
// Lays the panel out for the pass band and reads PoleCount (and HighPassHalf where the pass
// band or the visible view button decides it).
void LayOutEntryPanel(CalverdonForm& f);
// The pole count of the design or half being computed, from its pole box.
int PoleBoxCount(const CalverdonForm& f);
// The kept section texts of both halves: emptied for single filters, loaded into the boxes (or
// the boxes emptied in the combining pass) for two-half designs.
void ApplyKeptSectionTexts(CalverdonForm& f);
// Hz or Rad/s for the frequency captions.
void ApplyFrequencyUnits(CalverdonForm& f);

}  // namespace designview
