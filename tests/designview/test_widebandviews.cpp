// The views of two-half designs: the view buttons, the passes each view runs, the connector
// lines of the total view, and the values-table switch.
#include <gtest/gtest.h>

#include <QStringList>

#include "designview/widebandviews.h"
#include "mainwindow/listchoices.h"
#include "sequence_fixture.h"

namespace {

enum class View { Total, LowPassSections, HighPassSections };

void show(mainwindow::CalverdonForm& f, View v) {
  f.LowPassViewT.Visible = f.HighPassViewT.Visible = v == View::Total;
  f.ShowTotal.Visible = v != View::Total;
  f.LowPassView.Visible = v == View::HighPassSections;  // offers the other half
  f.HighPassView.Visible = v == View::LowPassSections;
}

std::optional<View> shownView(const mainwindow::CalverdonForm& f) {
  const bool total = f.LowPassViewT.Visible && f.HighPassViewT.Visible && !f.ShowTotal.Visible &&
                     !f.LowPassView.Visible && !f.HighPassView.Visible;
  if (total) return View::Total;
  if (f.LowPassViewT.Visible || f.HighPassViewT.Visible || !f.ShowTotal.Visible) return {};
  if (f.HighPassView.Visible && !f.LowPassView.Visible) return View::LowPassSections;
  if (f.LowPassView.Visible && !f.HighPassView.Visible) return View::HighPassSections;
  return {};
}

QStringList visibleLines(const mainwindow::CalverdonForm& f) {
  QStringList shown;
  for (const forms::Line* l : {&f.Line4, &f.Line5, &f.Line6, &f.Line7, &f.Line8, &f.Line9})
    if (l->Visible) shown << l->Name;
  return shown;
}

TEST(WideBandViews, EachButtonGivesItsViewAndItsPasses) {
  // What a view computes: one pass of the half on the panel, or both halves and the
  // combination. The half a single pass computes follows the buttons, not the value left.
  const std::vector<PassRecord> threePasses{{0, false}, {1, false}, {1, true}};
  struct Case {
    View from;
    const char* button;
    bool busy;
    View to;
    int passes;
  };
  const Case cases[] = {
      {View::Total, "LowPassViewT", false, View::LowPassSections, 1},
      {View::Total, "HighPassViewT", false, View::HighPassSections, 1},
      {View::LowPassSections, "HighPassView", false, View::HighPassSections, 1},
      {View::HighPassSections, "LowPassView", false, View::LowPassSections, 1},
      {View::LowPassSections, "ShowTotal", false, View::Total, 3},
      // Busy: the view changes, only the way back to the total view recomputes.
      {View::Total, "LowPassViewT", true, View::LowPassSections, 0},
      {View::LowPassSections, "HighPassView", true, View::HighPassSections, 0},
      {View::HighPassSections, "ShowTotal", true, View::Total, 3},
  };
  for (const char* band : {"Wide Band-Pass", "Band-Reject"}) {
    for (const Case& c : cases) {
      SequenceFixture s;
      s.showPassBandWithoutHandler(band);
      s.f.AutoSwapHPandLP.Checked = false;
      show(s.f, c.from);
      // The half left by an earlier pass is the other one.
      s.f.HighPassHalf = c.to == View::LowPassSections ? 1 : 0;
      s.f.SuppressUpdate = c.busy;
      const std::string where = QStringLiteral("%1 %2").arg(band, c.button).toStdString();
      ASSERT_TRUE(s.f.raise(*s.f.find(c.button), forms::Event::Click)) << where;
      EXPECT_EQ(shownView(s.f), c.to) << where;
      EXPECT_EQ(s.sequences, c.passes == 0 ? 0 : 1) << where;
      ASSERT_EQ(static_cast<int>(s.passes.size()), c.passes) << where;
      if (c.passes == 3) {
        EXPECT_EQ(s.passes, threePasses) << where;
      }
      if (c.passes == 1) {
        EXPECT_EQ(s.f.HighPassHalf, c.to == View::HighPassSections ? 1 : 0) << where;
        EXPECT_FALSE(s.f.BothHalvesDone) << where;
      }
      if (c.to != View::Total) {
        EXPECT_EQ(visibleLines(s.f), QStringList()) << where;
      }
    }
  }
}

TEST(WideBandViews, TotalViewLinesFollowPassBandAndTopology) {
  struct Case {
    const char* band;
    int topology;  // CircuitType entry
    View view;
    QStringList lines;
  };
  const Case cases[] = {
      {"Wide Band-Pass", 0, View::Total, {"Line5", "Line6", "Line8"}},
      {"Wide Band-Pass", 1, View::Total, {"Line5", "Line6", "Line8"}},
      {"Wide Band-Pass", 2, View::Total, {"Line4", "Line5", "Line6", "Line7", "Line8", "Line9"}},
      {"Band-Reject", 1, View::Total, {"Line6", "Line8"}},
      {"Band-Reject", 2, View::Total, {"Line6", "Line7", "Line8", "Line9"}},
      {"Wide Band-Pass", 2, View::LowPassSections, {}},
      {"Band-Reject", 2, View::HighPassSections, {}},
  };
  for (const Case& c : cases) {
    WindowFixture w;
    w.showPassBandWithoutHandler(c.band);
    w.f.CircuitType.setFromUser(c.topology, mainwindow::TopologyEntries().value(c.topology));
    show(w.f, c.view);
    // Lines left from another state are set again, whatever they showed.
    for (forms::Line* l : {&w.f.Line4, &w.f.Line5, &w.f.Line6, &w.f.Line7, &w.f.Line8, &w.f.Line9})
      l->Visible = c.view != View::Total;
    designview::ShowWideBandLines(w.f);
    EXPECT_EQ(visibleLines(w.f), c.lines) << c.band << " " << c.topology;
  }
}

TEST(WideBandViews, ValuesTableSwitchEnlargesAndRestoresTheWindow) {
  SequenceFixture s;
  s.showPassBandWithoutHandler("Low-Pass");
  s.f.raise(s.f.ShowValuesTable, forms::Event::Click);
  EXPECT_TRUE(s.f.ShowValuesTable.Checked);
  EXPECT_EQ(s.f.Height, 10700);
  s.f.raise(s.f.ShowValuesTable, forms::Event::Click);
  EXPECT_FALSE(s.f.ShowValuesTable.Checked);
  EXPECT_EQ(s.f.Height, 8880);
  EXPECT_EQ(s.sequences, 2);

  s.f.SuppressUpdate = true;
  s.f.raise(s.f.ShowValuesTable, forms::Event::Click);
  EXPECT_EQ(s.f.Height, 10700);
  EXPECT_EQ(s.sequences, 2);
}

}  // namespace
