#pragma once
// The frequency boxes: the cutoff or centre frequency and the response-readout frequency.
namespace mainwindow {

struct CalverdonForm;

// Normalises, clamps and rewrites the cutoff (or centre, or low-pass edge) box, then
// recomputes unless the window is busy.
void Text34_Validate(CalverdonForm& f, bool& cancel);

// Normalises and clamps the response-readout frequency, stores it in RespFreq, moves the
// cursor line to it, then recomputes unless the window is busy.
void RespF_Validate(CalverdonForm& f, bool& cancel);

}  // namespace mainwindow
