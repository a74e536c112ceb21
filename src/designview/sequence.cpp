#include "designview/sequence.h"

#include <memory>
#include <utility>

#include "designview/displaypass.h"
#include "designview/simulationrun.h"
#include "designview/widebandviews.h"
#include "engine/engnotation.h"
#include "graph/axes.h"
#include "graph/frequencywindow.h"
#include "graph/graphlimits.h"
#include "graph/graphsettings.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/frequencyunit.h"
#include "mainwindow/listchoices.h"

namespace designview {

namespace {

const QString kSwapNotice = QStringLiteral(
    "High-Pass and Low-Pass inputs are being automatically swapped. If you do not want this to "
    "happen in the future then uncheck the menu item Options/Auto Swap Hp and LP.");

// A wide band-pass has its high-pass edge below the low-pass edge, a band-reject above it.
// Out-of-order edges (and their pole counts) are exchanged while the option is checked.
void putEdgesInOrder(CalverdonForm& f) {
  const std::optional<engine::PassBand> band = mainwindow::ChosenPassBand(f);
  if (!band || !engine::IsTwoHalves(*band)) return;
  const bool wideBandPass = band == engine::PassBand::WideBandPass;
  if (!f.AutoSwapHPandLP.Checked) return;

  const auto lowEdge = mainwindow::FrequencyBoxHertz(f, f.Text34);
  const auto highEdge = mainwindow::FrequencyBoxHertz(f, f.Text2);
  if (!lowEdge || !highEdge) return;
  const bool outOfOrder = wideBandPass ? *highEdge > *lowEdge : *highEdge < *lowEdge;
  if (!outOfOrder) return;

  bool& shown = wideBandPass ? f.SwapNoticeShownWBP : f.SwapNoticeShownBR;
  if (!shown) {
    f.Message(kSwapNotice);
    shown = true;
  }
  std::swap(f.Text2.Text, f.Text34.Text);
  std::swap(f.Text1.Text, f.Text18.Text);
  // The exact frequencies the two boxes stand for go with their texts.
  mainwindow::FrequencyUnitMemory& kept = f.FrequencyUnitKept;
  std::swap(kept.before[0], kept.before[1]);
  std::swap(kept.after[0], kept.after[1]);
  std::swap(kept.hertz[0], kept.hertz[1]);
}

}  // namespace

int DesignSequence::SequenceUpdateScreen() {
  CalverdonForm& f = f_;
  graph::CalcDecades(f);
  putEdgesInOrder(f);

  f.BothHalvesDone = false;
  if (f.LowPassViewT.Visible) {
    // The total view of a two-half design: each half, then the combination.
    f.HighPassHalf = 0;
    if (const int rc = updatescreen()) return rc;
    f.HighPassHalf = 1;
    if (const int rc = updatescreen()) return rc;
    f.BothHalvesDone = true;
  }
  return updatescreen();
}

int DesignSequence::updatescreen() { return designview::updatescreen(f_); }

void install(CalverdonForm& f) {
  f.recompute = std::make_unique<DesignSequence>(f);
  f.axis = std::make_unique<graph::WindowAxis>(f);
  RegisterWideBandViews(f);
  RegisterSimulationRun(f);
  graph::RegisterGraphLimits(f);
  graph::RegisterGraphSettings(f);
}

}  // namespace designview
