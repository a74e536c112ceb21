#pragma once
// File menu "Save chart data": the plotted response as comma-separated text.
//
// The file: the header "Freq.","Gain","Phase","Group Delay", then one line per point with
// the frequency in Hz, gain in dB, phase in degrees and group delay in seconds. Every item is
// a text in double quotes, items are joined by ",", every line ends in CR LF. Numbers take
// the window's decimal separator: frequency, gain and group delay as single-precision texts,
// the phase as a double-precision text.
//
// What is exported:
//  - band-pass and notch designs: the simulated plot, its points 0..PlotPoints as drawn
//    (frequency SweepFreq(k + 1), PlotGain, SimPhase, PlotGroupDelay); nothing while the last
//    simulation did not give a plot;
//  - all other designs: the computed sweep, points 1..570, with the group delay as the
//    backward difference of the phase; point 1 takes its difference from a point 0 one
//    logarithmic step below it with the phase continued linearly.
#include <QByteArray>
#include <QString>
#include <optional>

#include "mainwindow/calverdonform_fwd.h"

namespace graph {

using mainwindow::CalverdonForm;

inline const QString kChartDialogTitle = QStringLiteral("Save Chart Data");
inline const QString kNoChartData =
    QStringLiteral("There is no chart data to save: the graph shows no response.");
inline const QString kChartSaveFailed = QStringLiteral("The chart data could not be saved.");

// The file's bytes for the response the window shows, or nothing when it shows none.
std::optional<QByteArray> ChartDataFile(const CalverdonForm& f);

// Asks for the file (the save dialog, then the overwrite question for an existing file) and
// writes it whole or not at all. No response to export, a cancelled dialog or No to the
// question write nothing; a failed write is reported and leaves an existing file as it was.
void SaveChartData_Click(CalverdonForm& f);

}  // namespace graph
