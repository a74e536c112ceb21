#pragma once
// The response graph's frequency window: its ends live in the legend captions Gfreq(0) and
// Gfreq(3) (or the engineer's limit boxes StartF and EndF while they hold text), written in
// hertz or in radians per second and read back as hertz; the window moves to show a frequency
// the engineer enters, and the cursor line stands at the response frequency. The entry
// handlers reach it through the window's axis (WindowAxis).
#include <QChar>
#include <QString>
#include <optional>

#include "mainwindow/calverdonform_fwd.h"
#include "mainwindow/graphaxis.h"

namespace graph {

using mainwindow::CalverdonForm;

// The frequency in hertz that a legend caption or graph limit box holds, read in engineering
// notation. A caption written in radians per second ("628Rad/s") is converted back to
// hertz, taking the hertz value of fewest significant digits (up to `digits`) that writes
// the same caption, so the window never drifts by the unit conversion; any other caption
// is hertz. Nothing when the text holds no number.
std::optional<double> FrequencyCaptionHertz(const QString& caption, QChar decimalSep,
                                            int digits);

// Moves the graph's frequency window in steps of a third of its width until `hertz` lies in
// its middle third (the upper boundary belongs to the upper third), then recomputes the axis
// decades. The window ends are read and the
// legend captions written as the axis does: hertz, or radians per second with the unit.
void ShiftGraphWindow(CalverdonForm& f, double hertz);

// The cursor line at the response frequency RespFreq on the logarithmic axis. The window's
// start and decades are read first; a start that cannot be read resets the window to
// 100 Hz .. 100 kHz.
void PlaceResponseCursor(CalverdonForm& f);

// The window's axis as the entry handlers call it.
class WindowAxis : public mainwindow::GraphAxis {
 public:
  explicit WindowAxis(CalverdonForm& f) : f_(f) {}
  void CalcDecades() override;
  void ShiftWindow(double hertz) override;
  void PlaceResponseCursor() override;

 private:
  CalverdonForm& f_;
};

}  // namespace graph
