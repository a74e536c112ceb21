#pragma once
// The design passes of band-pass and notch designs: every stage synthesised from its own
// centre frequency, Q and gain with the chosen series, its values written on the stage
// picture. The display pass then simulates the circuit and plots the simulated response.
#include "mainwindow/calverdonform_fwd.h"

namespace designview {

using mainwindow::CalverdonForm;

// Band-pass stages: gain from the stage's gain box (1 when empty), Q from its Q box, centre
// frequency (hertz) from its frequency box, seed from the resistor box. Each stage's picture
// follows its synthesised gain divider. A stage that cannot be built shows no values.
void BandPassPass(CalverdonForm& f);

// Notch stages: as the band-pass stages, with the one Q of the default Q box for every stage;
// the gain readouts show 1.
void NotchPass(CalverdonForm& f);

}  // namespace designview
