#pragma once
// The frequency boxes of the main window: cutoff or centre frequency, second edge, stage
// spacing, resistor seed, response-readout frequency and significant digits.
namespace mainwindow {

struct CalverdonForm;

// Cutoff, centre or low-pass edge frequency: normalised, clamped to 0.001 Hz .. 200 MHz and
// rewritten; the graph window follows it, band-pass and notch stage frequencies are filled
// from it, then the design is recomputed unless the window is busy.
void Text34_Validate(CalverdonForm& f, bool& cancel);
// The high-pass edge of the wide designs, as the cutoff box without the stage frequencies.
void Text2_Validate(CalverdonForm& f, bool& cancel);
// Spacing between band-pass and notch stage frequencies.
void SpacF_Validate(CalverdonForm& f, bool& cancel);
// Resistor seed of the synthesis, 100 ohms .. 10 Mohms; recomputes whatever the busy flag
// (and clears it). Text that cannot be read is answered and empties the box.
void Text12_Validate(CalverdonForm& f, bool& cancel);
// Normalises and clamps the response-readout frequency, stores it in RespFreq, moves the
// cursor line to it, then recomputes unless the window is busy.
void RespF_Validate(CalverdonForm& f, bool& cancel);
// Significant digits: a whole number 1 .. 6.
void SigDig_Validate(CalverdonForm& f, bool& cancel);

// Moves the graph's frequency window in steps of a third of its width until `frequency`
// lies in its middle third (the upper boundary belongs to the upper third unless
// `upperBoundInside`), then recomputes the axis decades.
void ShiftGraphWindow(CalverdonForm& f, double frequency, bool upperBoundInside);

// Band-pass and notch designs: the section frequency boxes get the stage frequencies spread
// around the centre frequency by the spacing. Other pass bands are left alone.
void FillStageFrequencies(CalverdonForm& f);

}  // namespace mainwindow
