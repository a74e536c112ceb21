#pragma once
// The section frequency and Q boxes: the natural frequency and Q of each section of a
// "Custom Fn&Q" design, and the centre frequency and Q of each band-pass or notch stage.
// Every accepted text is also kept for the half on screen, so that the two halves of a wide
// design keep their own entries.
#include <QString>

#include "mainwindow/calverdonform_fwd.h"

namespace mainwindow {

// Section frequency in hertz: its magnitude, 0.001 Hz .. 200 MHz (0 is 1 kHz), rewritten
// with the unit "Hz". Text that cannot be read is answered and the box becomes "1 k"; nothing
// is recomputed then.
void FnInput_Validate(CalverdonForm& f, int i, bool& cancel);
// Section Q: its magnitude, 0.001 .. 2e8 (at least 0.51 for a band-pass stage, whose gain is
// cut to it). Text that cannot be read is answered and stays in the box; nothing is taken.
void QInput_Validate(CalverdonForm& f, int i, bool& cancel);

// The values these boxes take for an entry: the section frequency in hertz and the section Q
// (for the pass band chosen), as the two boxes above clamp them.
double SectionFrequencyInLimits(double hertz);
double SectionQInLimits(const CalverdonForm& f, double q);
// The texts they then show.
QString SectionFrequencyText(const CalverdonForm& f, double hertz);
QString SectionQText(const CalverdonForm& f, double q);

}  // namespace mainwindow
