#pragma once
// The recompute sequence: the hub every change of the design ends in.
#include "mainwindow/calverdonform_fwd.h"
#include "mainwindow/recompute.h"

namespace designview {

using mainwindow::CalverdonForm;

// The design view's recompute sequence, as the window calls it.
class DesignSequence : public mainwindow::Recompute {
 public:
  explicit DesignSequence(CalverdonForm& f) : f_(f) {}
  // Puts the edges of a wide band-pass or band-reject design in order, then runs one display
  // pass (updatescreen()), or three (low-pass half, high-pass half, combination) in the total
  // view of a two-half design. Returns 0, or the error code of the pass that failed.
  int SequenceUpdateScreen() override;
  // One display pass.
  int updatescreen() override;

 protected:
  CalverdonForm& f_;
};

// Installs the recompute sequence into the main window, and the handlers of the view buttons that choose what the sequence computes, of "Test Spice", and of
// the graph's own controls and switches.
void install(CalverdonForm& f);

}  // namespace designview
