#include "designview/widebandviews.h"

#include "mainwindow/calverdonform.h"
#include "mainwindow/listchoices.h"
#include "mainwindow/mainwindowlayout.h"

namespace designview {

namespace {

void hideTotalViewLines(CalverdonForm& f) {
  for (forms::Line* l : {&f.Line4, &f.Line5, &f.Line6, &f.Line7, &f.Line8, &f.Line9})
    l->Visible = false;
}

// From the total view to the sections of one half: the two blocks and their lines go, the
// buttons of the section view come.
void leaveTotalView(CalverdonForm& f, bool lowPassSections) {
  hideTotalViewLines(f);
  f.LowPassViewT.Visible = false;
  f.HighPassViewT.Visible = false;
  f.LowPassView.Visible = !lowPassSections;
  f.HighPassView.Visible = lowPassSections;
  f.ShowTotal.Visible = true;
}

}  // namespace

void ShowWideBandLines(CalverdonForm& f) {
  const bool total = f.LowPassViewT.Visible;
  const bool bandReject = mainwindow::ChosenPassBandIs(f, engine::PassBand::BandReject);
  // The fully differential circuit carries each signal on two wires.
  const bool twoWires = mainwindow::FullyDifferentialChosen(f);
  // Line5 (and Line4 for the second wire) joins the high-pass block to the low-pass block of
  // a wide band-pass; a band-reject design runs the halves side by side instead.
  f.Line5.Visible = total && !bandReject;
  f.Line4.Visible = total && !bandReject && twoWires;
  f.Line6.Visible = total;
  f.Line8.Visible = total;
  f.Line7.Visible = total && twoWires;
  f.Line9.Visible = total && twoWires;
}

void LowPassViewT_Click(CalverdonForm& f) {
  leaveTotalView(f, true);
  f.RecomputeUnlessBusy();
}

void HighPassViewT_Click(CalverdonForm& f) {
  leaveTotalView(f, false);
  f.RecomputeUnlessBusy();
}

void LowPassView_Click(CalverdonForm& f) {
  f.LowPassView.Visible = false;
  f.HighPassView.Visible = true;
  f.RecomputeUnlessBusy();
}

void HighPassView_Click(CalverdonForm& f) {
  f.LowPassView.Visible = true;
  f.HighPassView.Visible = false;
  f.RecomputeUnlessBusy();
}

void ShowTotal_Click(CalverdonForm& f) {
  f.LowPassViewT.Visible = true;
  f.HighPassViewT.Visible = true;
  f.HighPassView.Visible = false;
  f.LowPassView.Visible = false;
  f.ShowTotal.Visible = false;
  f.SequenceUpdateScreen();
}

void ShowValuesTable_Click(CalverdonForm& f) {
  f.ShowValuesTable.Checked = !f.ShowValuesTable.Checked;
  f.Height = f.ShowValuesTable.Checked ? mainwindow::kWindowHeightWithTable
                                       : mainwindow::kWindowHeight;
  f.RecomputeUnlessBusy();
}

void RegisterWideBandViews(CalverdonForm& f) {
  for (auto [name, handler] : {std::pair{"LowPassViewT", &LowPassViewT_Click},
                               std::pair{"HighPassViewT", &HighPassViewT_Click},
                               std::pair{"LowPassView", &LowPassView_Click},
                               std::pair{"HighPassView", &HighPassView_Click},
                               std::pair{"ShowTotal", &ShowTotal_Click},
                               std::pair{"ShowValuesTable", &ShowValuesTable_Click}})
    // Another view of the same design leaves it as changed or unchanged as it was.
    f.on(QLatin1String(name), forms::Event::Click, [&f, handler](forms::EventArgs&) {
      mainwindow::KeepDesignMark(f, [&f, handler] { handler(f); });
    });
}

}  // namespace designview
