#pragma once
// The recompute sequence as the main window reaches it. The design view implements it and
// installs it into the window, so the entry handlers here can recompute the design without
// depending on the layers above them.
namespace mainwindow {

class Recompute {
 public:
  virtual ~Recompute() = default;
  // The whole sequence: the edges put in order, then one display pass, or three in the total
  // view of a two-half design. 0, or the error code of the pass that failed.
  virtual int SequenceUpdateScreen() = 0;
  // One display pass of the design on screen; 0 on success.
  virtual int updatescreen() = 0;
};

}  // namespace mainwindow
