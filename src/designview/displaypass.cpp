#include "designview/displaypass.h"

#include <QtGlobal>
#include <exception>

#include "designview/bandpasspass.h"
#include "designview/bpnotchschematic.h"
#include "designview/cascadepass.h"
#include "designview/entrypanel.h"
#include "designview/lphpschematic.h"
#include "designview/simulationrun.h"
#include "designview/widebandviews.h"
#include "engine/engnotation.h"
#include "graph/axes.h"
#include "graph/simulatedplot.h"
#include "graph/surface.h"
#include "graph/sweep.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/frequencyboxes.h"
#include "mainwindow/listchoices.h"
#include "mainwindow/prompts.h"
#include "spice/opampmodels.h"

namespace designview {

namespace {

using engine::PassBand;
using mainwindow::ChosenPassBandIs;

// Controls that take the window's background colour at every pass.
void applyPanelColours(CalverdonForm& f) {
  for (forms::Control* c :
       std::initializer_list<forms::Control*>{&f.CompValue, &f.SensTrue, &f.Frame1, &f.Frame2,
                                              &f.TypeFilter, &f.Frame3, &f.FilterTypeFrame,
                                              &f.Frame5, &f.Frame6, &f.Label17})
    c->BackColor = f.BackColor;
  f.TypeFilter.BackColor = forms::kWhite;
}

// The simulation steps that end a band-pass or notch pass: clear the graph (the picture and the
// window's copy of it), draw the grid, simulate and draw the simulated response.
void simulateAndPlot(CalverdonForm& f) {
  // The totals of the computed response belong to cascade designs; a band-pass or notch
  // design has none of its own to show.
  f.DCgain[5].Caption.clear();
  f.GainF[5].Caption.clear();
  f.PhaseF[5].Caption.clear();
  graph::ClearGraph(f);
  graph::DrawGrid(f);
  f.PlotResponseFocus = false;
  RunSpiceForPass(f);
  graph::PlotChart_Click(f);
}

// The end block runs on every path out of a pass, a failing one included, so the window
// never stays busy.
void endBlock(CalverdonForm& f, bool busyBefore) {
  f.SetMousePointer(forms::kPointerDefault);
  // The pass validates the response-frequency box itself; no handler may start another
  // sequence while it runs.
  f.SuppressUpdate = true;
  bool cancel = false;
  mainwindow::RespF_Validate(f, cancel);
  f.SuppressUpdate = busyBefore;
  if (ChosenPassBandIs(f, engine::IsBandPassOrNotch)) graph::PlotChart_Click(f);
  if (f.BothHalvesDone) {
    f.PhaseF[5].Caption.clear();
    f.GainF[5].Caption.clear();
    f.Qtotal.Text.clear();
  }
}

void passBody(CalverdonForm& f) {
  const std::optional<PassBand> band = mainwindow::ChosenPassBand(f);

  spice::LoadOpAmpModels(f);

  ResetEntryPanel(f);
  HideSchematics(f);
  f.LPFrame.Visible = true;

  LayOutEntryPanel(f);

  const std::optional<engine::FilterResponse> response = mainwindow::ChosenResponse(f);
  if (response && !engine::IsStandardResponse(*response)) {
    f.Text18.Enabled = false;
    f.Text34.Enabled = false;
    f.Text1.Enabled = false;
    f.Text2.Enabled = false;
  }

  ApplyKeptSectionTexts(f);

  f.FDAsummerR2.Caption = f.Text12.Text;
  f.FDAsummerR1.Caption = f.Text12.Text;
  f.FDAsummerR3.Caption = f.Text12.Text;
  ShowWideBandLines(f);

  ApplyFrequencyUnits(f);

  f.SetMousePointer(forms::kPointerHourglass);

  if (f.RespFreq == 0) f.RespFreq = 1000.0f;
  for (int i = 0; i <= 5; ++i) {
    f.StageRespDb[i] = 0;
    f.StageWork[i] = 0;
    f.StageF0[i] = 0;
    f.StageQArray[i] = 0;
  }

  applyPanelColours(f);

  f.PoleCount = PoleBoxCount(f);
  engine::CorrectD(f.Text19.Text, f.DecimalSep);  // the ripple box with the locale's separator

  // The stage boxes and pictures follow the pole count, half and topology this pass has just
  // settled, so they never lag the pass that shows them.
  PrepareCascade(f);
  ResetStageEntries(f);

  if (band && engine::IsBandPassOrNotch(*band)) {
    ShowBPNotchSchematic(f);
    graph::LabelFrequencyAxis(f);
  } else if (!f.LowPassViewT.Visible) {
    ShowLPHPSchematic(f);
  }

  if (band && engine::IsCascade(*band)) {
    // A simulation run before this pass was of another design: only "Test Spice" on this one
    // gives "Plot Chart" a response to draw.
    f.SimResultsReady = false;
    CascadePass(f);
    ClearFormGraphics(f);
    graph::DrawComputedResponse(f);
    mainwindow::ShowPrompt(f, f.PromptTopic);
  } else if (band == PassBand::BandPass) {
    BandPassPass(f);
    simulateAndPlot(f);
  } else if (band == PassBand::Notch) {
    NotchPass(f);
    simulateAndPlot(f);
  }
}

}  // namespace

void ClearFormGraphics(CalverdonForm& f) { f.drawing.clear(); }

int updatescreen(CalverdonForm& f) {
  const bool busyBefore = f.SuppressUpdate;
  int result = 0;
  try {
    passBody(f);
  } catch (const std::exception& e) {
    qWarning("Calverdon: the display pass failed: %s", e.what());
    result = 1;
  }
  try {
    endBlock(f, busyBefore);
  } catch (const std::exception& e) {
    qWarning("Calverdon: the end of the display pass failed: %s", e.what());
    f.SetMousePointer(forms::kPointerDefault);
    f.SuppressUpdate = busyBefore;
    result = 1;
  }
  return result;
}

}  // namespace designview
