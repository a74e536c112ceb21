#pragma once
// The gain axis of the graph: the nine labels Ampl(0) (top) .. Ampl(8) (bottom), ten decibels
// apart around the passband gain, or spread evenly between the engineer's own top and bottom.
#include <QChar>
#include <QString>
#include <optional>
#include "mainwindow/calverdonform_fwd.h"

namespace graph {

using mainwindow::CalverdonForm;

// The number a gain text holds ("-20dB", "4,0dB"), read from its numeric characters.
std::optional<double> GainTextValue(const QString& text, QChar decimalSep);

// Rewrites Ampl(0..8). While TopAmp or BotAmp is shown the axis runs between the engineer's
// limits (a limit box left empty keeps the present end label); otherwise the top label is the
// ten-decibel step at or below peakDb plus 10 dB, 10 dB higher again when a swept point
// reached the top of the plot (GainHeadroom).
void LabelAmplitudeAxis(CalverdonForm& f, float peakDb);

}  // namespace graph
