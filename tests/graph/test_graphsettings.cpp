// The trace switches of the View menu and the graph settings dialog.
#include <gtest/gtest.h>

#include <map>

#include "graphedit_fixture.h"

namespace {

using forms::Event;

// Trace segments drawn on the graph, by colour.
std::map<forms::VbColor, int> linesByColour(const forms::PictureBox& graph) {
  std::map<forms::VbColor, int> n;
  for (const forms::DrawnLine& l : graph.drawing.lines) ++n[l.color];
  return n;
}

TEST(TraceSwitches, MenuItemsToggleAndRecomputeEvenWhileBusy) {
  GraphEditFixture g;
  g.f.SuppressUpdate = true;
  for (const char* item : {"ShowGainTrace", "ShowPhaseTrace", "ShowGDTrace", "Hide360PhaseHop"}) {
    auto& menu = *static_cast<forms::MenuItem*>(g.f.find(item));
    const bool before = menu.Checked;
    g.raise(item, Event::Click);
    EXPECT_EQ(menu.Checked, !before) << item;
  }
  EXPECT_EQ(g.sequences, 4);
}

TEST(GraphSettings, DoubleClickAndMenuOpenTheDialogModallyShowingThePresentState) {
  GraphEditFixture g;
  g.f.ShowPhaseTrace.Checked = false;
  g.f.GainTraceColor = forms::kBlue;
  g.f.Graph.BackColor = forms::rgb(255, 255, 192);
  std::vector<std::pair<int, int>> seen;  // gain, phase check box values
  g.fake.windows.whileModal = [&](forms::Form& form) {
    auto& d = static_cast<graph::ConfigureGraph&>(form);
    EXPECT_EQ(d.Caption, "Configure Graph Calverdon");
    seen.emplace_back(d.ShowGain.Value(), d.ShowPhase.Value());
    EXPECT_EQ(d.ShowGroupDelay.Value(), 1);
    EXPECT_EQ(d.GainColor.BackColor, forms::kBlue);
    EXPECT_EQ(d.PhaseColor.BackColor, forms::kRed);
    EXPECT_EQ(d.GroupDelayColor.BackColor, forms::kBlack);
    EXPECT_EQ(d.GraphBack.BackColor, forms::rgb(255, 255, 192));
    d.raise(d.Ok, Event::Click);
  };
  g.raise("Graph", Event::DblClick);
  g.f.ShowGainTrace.Checked = false;  // changed between two showings: mirrored again
  g.raise("ConfigGraph", Event::Click);
  ASSERT_EQ(g.fake.windows.shown.size(), 2u);
  EXPECT_EQ(g.fake.windows.shown[0].form, &graph::ConfigureGraphWindow());
  EXPECT_EQ(g.fake.windows.shown[1].form, &graph::ConfigureGraphWindow());
  EXPECT_TRUE(g.fake.windows.shown[0].modal && g.fake.windows.shown[1].modal);
  EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{1, 0}, {0, 0}}));
  EXPECT_EQ(g.fake.windows.closed.size(), 2u);
  EXPECT_EQ(g.sequences, 0);
}

TEST(GraphSettings, CheckBoxesReverseTheirMenuItemWhateverTheyShow) {
  GraphEditFixture g;
  graph::ConfigureGraph& d = graph::ConfigureGraphWindow();
  g.fake.windows.whileModal = [&](forms::Form&) {
    d.ShowGroupDelay.setFromUser(0);  // the user's click
    d.raise(d.ShowGroupDelay, Event::Click);
    EXPECT_FALSE(g.f.ShowGDTrace.Checked);
    // A box out of step with its item (shown 0 while the item is checked) still reverses it.
    d.ShowGain.setFromUser(0);
    d.raise(d.ShowGain, Event::Click);
    EXPECT_FALSE(g.f.ShowGainTrace.Checked);
    d.ShowPhase.setFromUser(0);
    d.raise(d.ShowPhase, Event::Click);
    d.ShowPhase.setFromUser(1);
    d.raise(d.ShowPhase, Event::Click);
    EXPECT_TRUE(g.f.ShowPhaseTrace.Checked);
    EXPECT_EQ(d.ShowPhase.Value(), 1);
  };
  graph::Graph_DblClick(g.f);
  EXPECT_EQ(g.sequences, 4);
}

TEST(GraphSettings, ChosenColoursReachTheTracesAndTheBackground) {
  GraphEditFixture g;
  g.design(0, 4, 1000, false);
  g.draws = true;
  graph::ConfigureGraph& d = graph::ConfigureGraphWindow();
  const forms::VbColor gain = forms::rgb(10, 20, 30), phase = forms::rgb(40, 50, 60),
                       delay = forms::rgb(70, 80, 90), back = forms::rgb(0, 0, 64);
  g.fake.windows.whileModal = [&](forms::Form&) {
    for (auto [swatch, colour] : {std::pair{&d.GainColor, gain}, std::pair{&d.PhaseColor, phase},
                                  std::pair{&d.GroupDelayColor, delay}, std::pair{&d.GraphBack, back}}) {
      g.fake.colors.answer = colour;
      d.raise(*swatch, Event::Click);
      EXPECT_EQ(swatch->BackColor, colour);
    }
  };
  graph::Graph_DblClick(g.f);
  // The chooser started on each swatch's own colour.
  EXPECT_EQ(g.fake.colors.asked, (std::vector<forms::VbColor>{forms::kGreen, forms::kRed,
                                                               forms::kBlack, forms::kWhite}));
  EXPECT_EQ(g.sequences, 4);
  EXPECT_EQ(g.f.Graph.BackColor, back);
  std::map<forms::VbColor, int> n = linesByColour(g.f.Graph);
  EXPECT_GT(n[gain], 300);  // the rest lies below the axis
  EXPECT_GT(n[phase], 500);
  EXPECT_GT(n[delay], 500);
  EXPECT_EQ(n[forms::kGreen] + n[forms::kRed], 0);

  // A switch turned off draws no trace of its colour; the delay axis is still written.
  g.f.ShowGDTrace.Checked = false;
  g.f.GroupDelay[0].Caption.clear();
  g.f.SequenceUpdateScreen();
  n = linesByColour(g.f.Graph);
  EXPECT_EQ(n[delay], 0);
  EXPECT_GT(n[gain], 300);  // the rest lies below the axis
  EXPECT_FALSE(g.f.GroupDelay[0].Caption.isEmpty());
}

TEST(GraphSettings, CancellingTheChooserChangesNothing) {
  GraphEditFixture g;
  graph::ConfigureGraph& d = graph::ConfigureGraphWindow();
  g.fake.colors.answer.reset();
  g.fake.windows.whileModal = [&](forms::Form&) { d.raise(d.PhaseColor, Event::Click); };
  graph::Graph_DblClick(g.f);
  EXPECT_EQ(g.fake.colors.asked.size(), 1u);
  EXPECT_EQ(d.PhaseColor.BackColor, forms::kRed);
  EXPECT_EQ(g.f.PhaseTraceColor, forms::kRed);
  EXPECT_EQ(g.sequences, 0);
}

}  // namespace
