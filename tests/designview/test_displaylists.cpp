// The graph's display lists hold what one pass draws, however many passes ran before: the
// graph picture's list and the window's own copy of it, for every pass band and view.
#include <gtest/gtest.h>

#include "simulation_fixture.h"

namespace {

struct ListSizes {
  size_t window, graph;
};

ListSizes sizes(const mainwindow::CalverdonForm& f) {
  return {f.drawing.lines.size(), f.Graph.drawing.lines.size()};
}

// The edges of a two-half design: low-pass edge in Text34, high-pass edge in Text2.
void twoHalves(mainwindow::CalverdonForm& f, const QString& lowEdge, const QString& highEdge) {
  f.Text18.Text = QStringLiteral("4");
  f.Text1.Text = QStringLiteral("4");
  f.Text34.Text = lowEdge;
  f.Text2.Text = highEdge;
}

void showTotalView(mainwindow::CalverdonForm& f, bool total) {
  f.LowPassViewT.Visible = f.HighPassViewT.Visible = total;
  f.ShowTotal.Visible = !total;
  f.HighPassView.Visible = !total;
  f.LowPassView.Visible = false;
}

TEST(DisplayLists, RepeatedPassesKeepTheSizeOfOnePassForEveryPassBand) {
  struct Case {
    const char* band;
    bool totalView = false;
    const char* box;  // the box the engineer keeps editing
    int index = -1;
    const char* a;
    const char* b;
  };
  const Case cases[] = {
      {.band = "Low-Pass", .box = "Text34", .a = "1k", .b = "1.2k"},
      {.band = "High-Pass", .box = "Text2", .a = "1k", .b = "1.2k"},
      {.band = "Band-Pass", .box = "FnInput", .index = 0, .a = "10k", .b = "10.5k"},
      {.band = "Band-Pass", .box = "QInput", .index = 4, .a = "5", .b = "6"},
      {.band = "Notch", .box = "FnInput", .index = 1, .a = "10k", .b = "10.5k"},
      {.band = "Wide Band-Pass", .box = "Text34", .a = "10k", .b = "12k"},
      {.band = "Wide Band-Pass", .totalView = true, .box = "Text34", .a = "10k", .b = "12k"},
      {.band = "Band-Reject", .box = "Text2", .a = "10k", .b = "12k"},
      {.band = "Band-Reject", .totalView = true, .box = "Text2", .a = "10k", .b = "12k"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(QStringLiteral("%1%2, editing %3(%4)")
                     .arg(QLatin1String(c.band), c.totalView ? " total view" : "")
                     .arg(QLatin1String(c.box))
                     .arg(c.index)
                     .toStdString());
    SimulationFixture s;
    mainwindow::CalverdonForm& f = s.f;
    const QString band = QLatin1String(c.band);
    if (band == "Band-Pass" || band == "Notch") {
      BPNotchDesign d;
      d.band = band;
      d.stages = band == "Notch" ? QStringLiteral("3") : QStringLiteral("5");
      d.centre = QStringLiteral("10k");
      d.q = QStringLiteral("5");
      for (int i = 0; i < d.stages.toInt(); ++i)
        d.rows.push_back({"10k", "5", band == "Notch" ? "" : "1"});
      EnterBPNotchDesign(s, d);
    } else if (band == "Wide Band-Pass") {
      twoHalves(f, QStringLiteral("10k"), QStringLiteral("1k"));
    } else if (band == "Band-Reject") {
      twoHalves(f, QStringLiteral("1k"), QStringLiteral("10k"));
    } else {
      f.Text18.Text = f.Text1.Text = QStringLiteral("6");
      f.Text34.Text = f.Text2.Text = QStringLiteral("1k");
    }
    if (band != "Band-Pass" && band != "Notch") s.showPassBandWithoutHandler(band);
    if (band == "Wide Band-Pass" || band == "Band-Reject") showTotalView(f, c.totalView);
    auto* box = static_cast<forms::TextBox*>(f.find(QLatin1String(c.box), c.index));
    ASSERT_NE(box, nullptr);

    // Edits back and forth: the same entries give the same drawing.
    auto edit = [&](const char* text) {
      box->Text = QLatin1String(text);
      f.SequenceUpdateScreen();
    };
    edit(c.a);
    edit(c.b);
    const ListSizes afterTwo = sizes(f);
    ASSERT_GT(afterTwo.graph, 0u);
    for (int i = 0; i < 4; ++i) {
      edit(c.a);
      edit(c.b);
    }
    EXPECT_EQ(sizes(f).window, afterTwo.window);
    EXPECT_EQ(sizes(f).graph, afterTwo.graph);
    // The window's copy holds the graph's lines and nothing else.
    EXPECT_EQ(afterTwo.window, afterTwo.graph);
    if (band == "Band-Pass" || band == "Notch") {
      EXPECT_TRUE(f.SimPlotValid) << s.fake.messages.texts().join("\n").toStdString();
      // One set of traces: the phase trace, never cut by the plot's edges, has one segment
      // per simulated step.
      EXPECT_EQ(s.segments(f.PhaseTraceColor), f.PlotPoints);
    }
  }
}

}  // namespace
