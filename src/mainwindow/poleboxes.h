#pragma once
// The pole-count boxes: poles of the design (stages of a band-pass or notch design) and
// poles of the high-pass half of the wide designs.
#include <QString>

#include "mainwindow/calverdonform_fwd.h"

namespace mainwindow {

// A band-pass or notch design has at most this many stages (the five stage rows).
inline constexpr int kMaxStages = 5;

// The two two-letter op-amp model families of the model library besides "KVR" and "ZLN",
// with the family name the simulation warnings show for both.
inline const QString kFamilyPrefixA = QStringLiteral("MQ");
inline const QString kFamilyPrefixB = QStringLiteral("MT");

// Pole count of the design: a whole number, at least the response's minimum and at most 10;
// band-pass and notch designs warn about the simulation limits of the chosen op-amp model
// and take at most 5 stages. A changed count clears the entered capacitors, spreads the
// band-pass or notch stage frequencies round the centre again (the graph window following
// the centre) and recomputes unless the window is busy.
void Text18_Validate(CalverdonForm& f, bool& cancel);
// Pole count of the high-pass half, with the same limits and no warnings.
void Text1_Validate(CalverdonForm& f, bool& cancel);

// The count a pole box takes for a whole number, as the two boxes clamp it (without their
// warnings): the design's pole box (designCount) or the high-pass half's.
int PoleCountInLimits(const CalverdonForm& f, int count, bool designCount);

}  // namespace mainwindow
