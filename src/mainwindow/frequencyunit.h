#pragma once
// The unit of the frequency boxes: hertz or radians per second ("Rad/s").
#include <QString>
#include <array>
#include <optional>

#include "mainwindow/calverdonform_fwd.h"

namespace forms {
struct TextBox;
}

namespace mainwindow {

// The texts the last unit toggle replaced and the ones it wrote, so that a toggle back can
// restore boxes that were not edited in between instead of rounding twice.
struct FrequencyUnitMemory {
  bool valid = false;
  int checkedAfter = 0;  // the box's value the toggle converted to
  std::array<QString, 3> before, after;  // Text34, Text2, RespF
};

// Converts the three frequency boxes between hertz and radians per second after the "Rad/s"
// box changed, then recomputes unless busy.
void Rad_Click(CalverdonForm& f, FrequencyUnitMemory& memory);

// The factor between the unit the frequency boxes are written in and hertz (1 or 2 pi).
double FreqUnitFactorOf(const CalverdonForm& f);
// The frequency a box holds, in hertz: its number divided by the unit factor; nothing when
// the box cannot be read.
std::optional<double> FrequencyBoxHertz(const CalverdonForm& f, const forms::TextBox& box);

// The heading of the response readouts for a response frequency as the box shows it:
// "Response at 1.00k Hz." (or " Rad/s." while the boxes are in radians per second).
QString ResponseAtCaption(const CalverdonForm& f, float shown);

}  // namespace mainwindow
