#include "graph/printing.h"

#include <array>

#include "mainwindow/calverdonform.h"
#include "mainwindow/mainwindowlayout.h"

namespace graph {

namespace {

// The frames that take the window's background while it is printed.
std::array<forms::Frame*, 10> whitenedFrames(CalverdonForm& f) {
  return {&f.Frame1, &f.Frame2,  &f.Frame3,          &f.Frame4, &f.Frame5,
          &f.Frame6, &f.Frame7, &f.LPFrame, &f.FilterTypeFrame, &f.HPFrame};
}

void setBackground(CalverdonForm& f, forms::VbColor color) {
  f.BackColor = color;
  for (forms::Frame* frame : whitenedFrames(f)) frame->BackColor = color;
}

}  // namespace

void Print_Click(CalverdonForm& f) {
  platform::PrintService* printer = f.svc.printer;
  if (!printer) return;
  const forms::VbColor savedBackColor = f.BackColor;
  // The height is given back as it was: a window showing its values table keeps showing it.
  const int savedHeight = f.Height;
  auto restore = [&] {
    setBackground(f, savedBackColor);
    f.Height = savedHeight;
    f.Graph.Visible = true;
  };

  setBackground(f, forms::kWhite);
  f.Height = mainwindow::kWindowHeightWithTable;
  f.requestSync();
  const std::optional<int> copies = printer->askCopies();
  if (!copies) {
    printer->endDocument();
    restore();
    return;
  }
  f.RecomputeUnlessBusy();
  f.Graph.Visible = true;
  for (int k = 1; k <= *copies; ++k) {
    if (!printer->printWindowImage(f)) {
      printer->endDocument();
      restore();
      return;
    }
  }
  printer->endDocument();
  restore();
  f.RecomputeUnlessBusy();
}

}  // namespace graph
