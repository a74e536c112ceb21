#pragma once
// The response graph's frequency axis as the entry handlers move it. The graph owns the axis
// (its window, written in the legend captions in the frequency unit and read back as hertz,
// its decades and the cursor line) and implements this; the design view installs it. Without
// one the axis stays as it is.
namespace mainwindow {

class GraphAxis {
 public:
  virtual ~GraphAxis() = default;
  // The decades the frequency axis shows, from its end captions.
  virtual void CalcDecades() = 0;
  // Moves the frequency window until `hertz` lies in its middle third (the upper boundary
  // belongs to the upper third), then recomputes the decades.
  virtual void ShiftWindow(double hertz) = 0;
  // Puts the cursor line at the response frequency RespFreq.
  virtual void PlaceResponseCursor() = 0;
};

}  // namespace mainwindow
