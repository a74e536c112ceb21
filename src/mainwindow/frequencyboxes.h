#pragma once
// The frequency boxes of the main window: cutoff or centre frequency, second edge, stage
// spacing, resistor seed, response-readout frequency and significant digits.
//
// The cutoff, second-edge and response boxes hold the unit of the "Rad/s" box; the spacing
// box always holds hertz. Limits are hertz, and the design and the graph window work in
// hertz: a box's value is divided by FreqUnitFactor before it is compared or used.
#include <QChar>
#include <QString>
#include <optional>
#include "mainwindow/calverdonform_fwd.h"

namespace mainwindow {

// Limits of the frequency boxes and the section frequencies, hertz.
inline constexpr double kMinFrequency = 0.001;
inline constexpr double kMaxFrequency = 2e8;

// The text a frequency box of unit `unit` times hertz shows for the magnitude `v` in that unit:
// the value in engineering notation, or the limit it is beyond, in the box's unit.
QString FrequencyBoxText(const CalverdonForm& f, double v, double unit);
// The value such a box takes for an entry `v` in its unit: the magnitude within the limits.
double FrequencyBoxInLimits(double v, double unit);

// The resistor seed an entry of `ohms` gives: its magnitude, 10 k for zero, within the limits.
inline constexpr double kMinSeed = 100;
inline constexpr double kMaxSeed = 1e7;
double SeedInLimits(double ohms);

// Cutoff, centre or low-pass edge frequency: normalised, clamped to 0.001 Hz .. 200 MHz (in
// the box's unit) and rewritten; the graph window follows it, band-pass and notch stage frequencies are filled
// from it, then the design is recomputed unless the window is busy.
void Text34_Validate(CalverdonForm& f, bool& cancel);
// The high-pass edge of the wide designs, as the cutoff box without the stage frequencies.
void Text2_Validate(CalverdonForm& f, bool& cancel);
// Spacing between band-pass and notch stage frequencies, in hertz: 0 (or an empty box) is no
// stagger and the box shows "0"; any other value is clamped as the cutoff box is. The graph
// window follows the centre frequency (never the spacing itself) and the stage frequencies
// are filled again, then the design is recomputed unless the window is busy.
void SpacF_Validate(CalverdonForm& f, bool& cancel);
// Resistor seed of the synthesis, 100 ohms .. 10 Mohms; recomputes whatever the busy flag
// (and clears it). Text that cannot be read is answered and empties the box.
void Text12_Validate(CalverdonForm& f, bool& cancel);
// Normalises and clamps the response-readout frequency (0.01 Hz .. 1 GHz), stores it in
// RespFreq in hertz, moves the cursor line to it, then recomputes unless the window is busy.
void RespF_Validate(CalverdonForm& f, bool& cancel);
// Significant digits: a whole number 1 .. 6.
void SigDig_Validate(CalverdonForm& f, bool& cancel);

// Band-pass and notch designs of `stages` stages: the section frequency boxes get the stage
// frequencies in hertz spread around the centre frequency by the spacing (one stage: the
// centre box's text with "Hz"; 2 to 5: five significant digits; a spacing of 0 puts every
// stage at the centre). Other pass bands, and other counts, are left alone.
void FillStageFrequencies(CalverdonForm& f, int stages);

// Band-pass and notch designs whose stage count changed to `stages`: the graph window shows
// the centre frequency as a centre entry leaves it, and the stage frequencies are filled from
// the centre and spacing. Other pass bands are left alone.
void SpreadStagesFromCentre(CalverdonForm& f, int stages);

}  // namespace mainwindow
