#pragma once
// The capacitor and gain boxes of the stages: C1 and C2 of each two-pole stage, the capacitor
// of the first-order stage of an odd order, and each stage's gain.
//
// A typed C1 replaces the computed C1 of its stage and makes the synthesis recompute C2 (a
// typed C2 recomputes C1); a changed gain empties both capacitor boxes of its stage, since
// their values no longer fit it.
#include "mainwindow/calverdonform_fwd.h"

namespace mainwindow {

// Capacitors are taken from 1 pF to 1 uF; a value outside is clamped with a message.
inline constexpr double kMinCapacitor = 1e-12;
inline constexpr double kMaxCapacitor = 1e-6;

// C1 of stage i: an empty box enters none; otherwise the magnitude, clamped and rewritten.
// A new value marks the box edited and drops an entered C2 of the stage. Recomputes unless
// busy; text that cannot be read is answered, empties the box and recomputes nothing.
void C1Entry_Validate(CalverdonForm& f, int i, bool& cancel);
// C2 of stage i, the same with C1 and C2 exchanged.
void C2Entry_Validate(CalverdonForm& f, int i, bool& cancel);
// Capacitor of the first-order stage, kept per half; text that cannot be read empties the
// box without a message.
void C1RealEntry_Validate(CalverdonForm& f, bool& cancel);

// Gain of stage i in V/V: a plain number, 0.1 .. 1000 (at least 1 for Sallen-Key stages),
// never above the stage Q in a band-pass design. An empty box changes nothing. A gain that
// differs from the one the box held when it got the focus empties the stage's capacitors.
void GainTB_Validate(CalverdonForm& f, int i, bool& cancel);
// Records the gain the box holds as the baseline its next validation compares with.
void GainTB_GotFocus(CalverdonForm& f, int i);

}  // namespace mainwindow
