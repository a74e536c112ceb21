#pragma once
// The design choices of the main window: pass band, response, circuit type, component series
// and value display. Each handler stores its choice in the design state, reconfigures the
// entries that depend on it and recomputes by its own rule.
#include "mainwindow/calverdonform_fwd.h"

namespace mainwindow {

// ---- pass band and response ----

// Reconfigures the window for the pass band in the list (run by its focus, click, change
// and validation). Recomputes whether or not the window is busy.
void Passband_GotFocus(CalverdonForm& f);

// Sets the response codes and the boxes that belong to the response in the list (run by its
// focus, click and change), then recomputes unless busy.
void TypeFilter_GotFocus(CalverdonForm& f);
void TypeFilter_LostFocus(CalverdonForm& f);

// Copies the section frequencies and Qs on screen into the custom Fn and Q entry boxes.
void TransferFn(CalverdonForm& f);

// Forgets every entered capacitor: the section capacitors, the stage boxes and the entered
// values. Does not recompute.
void ClearCapEntries(CalverdonForm& f);

// ---- circuit, series and value display ----
void CircuitType_GotFocus(CalverdonForm& f);
void ResistorList_GotFocus(CalverdonForm& f);
void CapacitorList_GotFocus(CalverdonForm& f);
void SensTrue_Click(CalverdonForm& f);
void CompValue_Click(CalverdonForm& f);

}  // namespace mainwindow
