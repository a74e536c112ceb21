#pragma once
// The per-stage gain and phase readout at the response frequency, with its heading and the
// row of stage letters.
#include "mainwindow/calverdonform_fwd.h"

namespace designview {

using mainwindow::CalverdonForm;

// Fills the heading, the stage letters and the gain and phase captions of section k (its
// display position is SectionCount - k), from the section's realised coefficients in
// PoleB0(k)/PoleB1(k) and its realised gain StageGainActual(k). A section that cannot be
// evaluated leaves its two captions empty.
void StageReadout(CalverdonForm& f, int k);

}  // namespace designview
