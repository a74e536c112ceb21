#pragma once
// The graph's frequency axis, grid and frequency window. The window lives in the captions of
// the legend: Gfreq(0) holds the start and Gfreq(3) the end frequency (or the engineer's limit
// boxes StartF and EndF while they are shown).
#include <QChar>
#include <QString>
#include <optional>

namespace mainwindow {
struct CalverdonForm;
}

namespace graph {

using mainwindow::CalverdonForm;

// The frequency in hertz that a legend caption or limit box holds, read in engineering
// notation. A caption written in radians per second ("628Rad/s") is converted back to
// hertz, taking the hertz value of fewest significant digits (up to `digits`) that writes
// the same caption, so the window never drifts by the unit conversion. Nothing when the
// text holds no number.
std::optional<double> FrequencyCaptionHertz(const QString& caption, QChar decimalSep,
                                            int digits);

// The number of decades the frequency axis shows (AxisDecades), from the window ends; 3 when
// it cannot be worked out or is below 0.01. While StartF is shown, its value also becomes the
// first frequency of the axis (PlotStartFreq).
void CalcDecades(CalverdonForm& f);
// The captions of the frequency axis: start, the intermediate labels by decade count and the
// end, in hertz or radians per second; sets FreqUnitFactor and PlotStartFreq.
void LabelFrequencyAxis(CalverdonForm& f);
// The grey logarithmic grid: nine lines per decade and the eight lines of the gain labels.
void DrawGrid(CalverdonForm& f);

}  // namespace graph
