#pragma once
// The ripple box of the Chebychev response, the Q box of band-pass and notch stages, and the
// total-Q box of the "Custom Q" response.
#include "mainwindow/calverdonform_fwd.h"

namespace mainwindow {

// Pass-band ripple in dB, 0.001 .. 10 (Chebychev only; otherwise nothing happens). A changed
// ripple clears the entered capacitors; the design is recomputed unless the window is busy.
void Text19_Validate(CalverdonForm& f, bool& cancel);
// Q of the band-pass and notch stages, at least 0.51: copied into the stage Q boxes, and
// band-pass stage gains above it are cut to it.
void Text3_Validate(CalverdonForm& f, bool& cancel);
// Total Q of a "Custom Q" design, 0.001 .. 200: sets the factor that scales the section Qs.
void Qtotal_Validate(CalverdonForm& f, bool& cancel);
// Sets the scale factor from the total-Q box without recomputing.
void Qtotal_LostFocus(CalverdonForm& f);

// The values the ripple and stage Q boxes take for an entry, as they clamp it.
double RippleInLimits(double dB);
double BandQInLimits(double q);

}  // namespace mainwindow
