#pragma once
// What the engineer does on the graph itself: fixing the top or bottom of the gain axis by
// clicking its end labels, fixing an end of the frequency window by clicking the legend's
// end labels, picking the response frequency with the mouse, and choosing the decades.
//
// The gain limits live in the boxes TopAmp and BotAmp and the window ends in StartF and EndF,
// each shown over the label it replaces while it is in use; the axis operations read them.
#include "mainwindow/calverdonform_fwd.h"

namespace graph {

using mainwindow::CalverdonForm;

// Limits of the gain boxes in dB and the closest the two ends may come.
inline constexpr double kTopLimitHighest = 100, kTopLimitLowest = -100;
inline constexpr double kBottomLimitHighest = 100, kBottomLimitLowest = -300;
inline constexpr double kLeastGainSpan = 0.2;

// A click on gain label 0 (top) or 8 (bottom) shows its limit box and fills the empty limit
// boxes with the present axis ends; other labels do nothing.
void Ampl_Click(CalverdonForm& f, int index);
// Focus in either limit box: each empty limit box takes its axis end label ("10dB", "-70dB").
void AmplLimit_GotFocus(CalverdonForm& f);
// Leaving a limit box: an empty box is hidden. The number in its text ("-20dB" reads -20)
// must lie within the box's limits and be at least kLeastGainSpan from the other end (the
// other box's text, or the axis end it stands for when that box is empty); then the design
// is recomputed with the custom axis (unless busy) and the prompt for the box is kept.
// Anything else empties the box, which stays shown; no message, no recompute.
void TopAmp_LostFocus(CalverdonForm& f);
void BotAmp_LostFocus(CalverdonForm& f);

// A click on legend label 0 (start) or 3 (end) opens the window box over it, holding the
// label's frequency, and puts the focus in it; other labels do nothing.
void Gfreq_Click(CalverdonForm& f, int index);
// Leaving a window box. Empty: hidden, the window returns to the legend. Otherwise the
// frequency is read (a number without unit is in the legend's unit, hertz or radians per
// second), clamped to 0.001 Hz .. 200 MHz and written as the legend writes it. Text that
// cannot be read is answered "Entry is not understood."; it, zero, and an end that does not
// lie above the start by at least a hundredth of a decade empty and hide the box. Then the
// decades are worked out again and the design is recomputed unless busy.
void StartF_LostFocus(CalverdonForm& f);
void EndF_LostFocus(CalverdonForm& f);

// The frequency in hertz at x twips from the left edge of the graph: the window's start (the
// start box while it is shown) times 10 to the power of the decades the axis shows times
// x / width. Also sets the plot area and refreshes the decades. 0 when the window cannot be
// read.
double CursorFrequency(CalverdonForm& f, double x);
// Mouse button pressed on the graph: the response frequency box takes the frequency under
// the pointer, in the unit of the frequency boxes. The click that follows commits it (its
// recompute ends by moving the cursor line and the stage readouts there).
void Graph_MouseDown(CalverdonForm& f, double x);

// A choice in the decades list recomputes, even while busy.
void Decades_Click(CalverdonForm& f);

// Registers the handlers above in the window's event table.
void RegisterGraphLimits(CalverdonForm& f);

}  // namespace graph
