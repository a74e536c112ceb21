#pragma once
// The unit of the frequency boxes: hertz or radians per second ("Rad/s").
#include <QString>
#include <optional>

#include "mainwindow/calverdonform_fwd.h"

namespace forms {
struct TextBox;
}

namespace mainwindow {

// Shows the three frequency boxes (Text34, Text2, RespF) in the unit the "Rad/s" box now
// holds, then recomputes unless busy. Each box keeps the exact hertz it stood for: it shows
// that value in the new unit and is read as that value until it is edited, so the design never
// moves by the rounding of a converted text. A toggle back restores the texts the first one
// replaced where the boxes were not edited since.
void Rad_Click(CalverdonForm& f);

// The factor between the unit the frequency boxes are written in and hertz (1 or 2 pi).
double FreqUnitFactorOf(const CalverdonForm& f);
// The frequency a box holds, in hertz: the exact value kept by the last unit toggle while the
// box still shows the text that toggle wrote, else its number divided by the unit factor;
// nothing when the box cannot be read.
std::optional<double> FrequencyBoxHertz(const CalverdonForm& f, const forms::TextBox& box);

// The heading of the response readouts for a response frequency as the box shows it:
// "Response at 1.00k Hz." (or " Rad/s." while the boxes are in radians per second).
QString ResponseAtCaption(const CalverdonForm& f, float shown);

}  // namespace mainwindow
