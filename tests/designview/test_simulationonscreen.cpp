// The graph shows the simulation of the choices on screen: a changed op-amp model, supply or
// simulator re-simulates a band-pass or notch design in one display pass, and "Plot Chart"
// replaces what the graph showed instead of drawing over it.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "engine/engnotation.h"
#include "graph/graphcommands.h"
#include "mainwindow/handlers.h"
#include "simulation_fixture.h"

namespace {

struct OnScreenFixture : SimulationFixture {
  OnScreenFixture() {
    mainwindow::RegisterHandlers(f);
    spice::RegisterSimulationHandlers(f);
    graph::RegisterGraphCommands(f);
  }

  // A two-stage design at 1 kHz, simulated inside the process with the ideal op-amp; the
  // pole box validated, so only the changes that follow run passes.
  void start(const QString& band) {
    chooseModel(QStringLiteral("Ideal Op Amp"));
    BPNotchDesign d;
    d.band = band;
    d.stages = QStringLiteral("2");
    d.q = QStringLiteral("3");
    const QString gain = band == "Notch" ? QString() : QStringLiteral("1");
    d.rows = {{"1k", "3", gain}, {"1k", "3", gain}};
    EnterBPNotchDesign(*this, d);
    f.raise(f.Text18, forms::Event::Validate);
    f.SequenceUpdateScreen();
    ASSERT_TRUE(f.SimPlotValid) << fake.messages.texts().join("\n").toStdString();
    passes.clear();
  }

  QString netlistBefore;
  int rawFileWrites() const { return QFile::exists(userFile(spice::kRawOutputFile)) ? 1 : 0; }
};

TEST(SimulationOnScreen, ModelSupplyAndSimulatorChangesResimulateInOnePass) {
  // Each change as the window makes it (the model write, then the control's event), and what
  // the simulation that follows must show of it.
  struct Change {
    const char* name;
    std::function<void(OnScreenFixture&)> make;
    std::function<void(OnScreenFixture&)> shows;
    size_t passes = 1;
  };
  const Change changes[] = {
      {"another model",
       [](OnScreenFixture& s) {
         SelectEntry(s.f.OpAmpModel, QStringLiteral("KVR1202/30"));
         s.f.raise(s.f.OpAmpModel, forms::Event::Click);
       },
       [](OnScreenFixture& s) { EXPECT_TRUE(s.f.NetlistText.contains("KVR1202/30")); }},
      {"a single supply",
       [](OnScreenFixture& s) {
         s.f.SScheck.setFromUser(1);
         s.f.raise(s.f.SScheck, forms::Event::Click);
       },
       [](OnScreenFixture& s) {
         EXPECT_EQ(s.f.Vs.Text, "30");
         EXPECT_NE(s.f.NetlistText.toStdString(), s.netlistBefore.toStdString())
             << "the run was of the new supply";
       }},
      {"a supply typed into its box",
       [](OnScreenFixture& s) {
         s.f.Vs.Text = QStringLiteral("24");
         s.f.raise(s.f.Vs, forms::Event::Validate);
       },
       [](OnScreenFixture& s) {
         EXPECT_NE(s.f.NetlistText.toStdString(), s.netlistBefore.toStdString());
       }},
      {"the supply box left as it was",
       [](OnScreenFixture& s) { s.f.raise(s.f.Vs, forms::Event::Validate); },
       [](OnScreenFixture&) {}, 0},
      {"an outside simulator",
       [](OnScreenFixture& s) {
         s.f.XSver[1].setFromUser(true);
         s.f.raise(s.f.XSver[1], forms::Event::Click);
       },
       [](OnScreenFixture& s) { EXPECT_EQ(s.rawFileWrites(), 1) << "the program ran"; }},
      {"the simulator inside again",
       [](OnScreenFixture& s) {
         s.f.XSver[2].setFromUser(true);
         s.f.raise(s.f.XSver[2], forms::Event::Click);
       },
       [](OnScreenFixture& s) { EXPECT_EQ(s.rawFileWrites(), 0); }},
      {"another model with a pole count typed but not yet entered",
       [](OnScreenFixture& s) {
         s.f.Text18.Text = QStringLiteral("1");
         SelectEntry(s.f.OpAmpModel, QStringLiteral("KVR1450/30"));
         s.f.raise(s.f.OpAmpModel, forms::Event::Click);
       },
       [](OnScreenFixture& s) {
         EXPECT_TRUE(s.f.NetlistText.contains("KVR1450/30"));
         EXPECT_EQ(s.f.PoleCount, 1);
       }},
  };
  for (const char* band : {"Band-Pass", "Notch"}) {
    OnScreenFixture s;
    s.start(QLatin1String(band));
    for (const Change& c : changes) {
      SCOPED_TRACE(QStringLiteral("%1, %2").arg(band, c.name).toStdString());
      QFile::remove(s.userFile(spice::kRawOutputFile));
      s.netlistBefore = s.f.NetlistText;
      s.passes.clear();
      c.make(s);
      EXPECT_EQ(s.passes.size(), c.passes);
      EXPECT_TRUE(s.f.SimPlotValid) << s.fake.messages.texts().join("\n").toStdString();
      c.shows(s);
    }
    EXPECT_TRUE(s.fake.messages.shown.empty()) << s.fake.messages.texts().join("\n").toStdString();

    // While the window is busy no choice starts a pass.
    s.passes.clear();
    s.f.SuppressUpdate = true;
    for (const Change& c : changes) c.make(s);
    s.f.SuppressUpdate = false;
    EXPECT_TRUE(s.passes.empty());
  }
}

TEST(SimulationOnScreen, SimulatorChoicesLeaveDesignsThatAreNotSimulatedAlone) {
  OnScreenFixture s;
  s.f.Text18.Text = QStringLiteral("4");
  s.f.Text34.Text = QStringLiteral("1k");
  s.showPassBandWithoutHandler(QStringLiteral("Low-Pass"));
  s.f.raise(s.f.Text18, forms::Event::Validate);
  s.f.SequenceUpdateScreen();
  s.passes.clear();
  SelectEntry(s.f.OpAmpModel, QStringLiteral("KVR1202/30"));
  s.f.raise(s.f.OpAmpModel, forms::Event::Click);
  s.f.raise(s.f.SScheck, forms::Event::Click);
  s.f.XSver[0].setFromUser(true);
  s.f.raise(s.f.XSver[0], forms::Event::Click);
  EXPECT_TRUE(s.passes.empty());
}

// The largest delay the group-delay axis shows: its top label.
double groupDelayAxisTop(const mainwindow::CalverdonForm& f) {
  return engine::EngValue(f.GroupDelay[0].Caption, f.DecimalSep).value_or(0);
}

bool sameLines(const forms::DisplayList& a, const forms::DisplayList& b) {
  return std::equal(a.lines.begin(), a.lines.end(), b.lines.begin(), b.lines.end(),
                    [](const forms::DrawnLine& p, const forms::DrawnLine& q) {
                      return p.x1 == q.x1 && p.y1 == q.y1 && p.x2 == q.x2 && p.y2 == q.y2 &&
                             p.color == q.color;
                    });
}

TEST(SimulationOnScreen, PlotChartAfterTestSpiceLeavesOneSetOfTraces) {
  OnScreenFixture s;
  mainwindow::CalverdonForm& f = s.f;
  s.start(QStringLiteral("Band-Pass"));
  // The model changes while the window is busy, so the graph still shows the ideal op-amp's
  // run; "Test Spice" simulates the new model and "Plot Chart" draws it, twice.
  f.SuppressUpdate = true;
  SelectEntry(f.OpAmpModel, QStringLiteral("KVR9005/10"));
  f.raise(f.OpAmpModel, forms::Event::Click);
  f.SuppressUpdate = false;
  f.raise(f.RunSpice, forms::Event::Click);
  f.raise(f.PlotChart, forms::Event::Click);
  f.raise(f.PlotChart, forms::Event::Click);
  ASSERT_TRUE(f.SimPlotValid) << s.fake.messages.texts().join("\n").toStdString();
  const forms::DisplayList shown = f.Graph.drawing;
  const forms::DisplayList window = f.drawing;
  EXPECT_GE(groupDelayAxisTop(f), f.GroupDelayMax);
  // What a pass with the same choices draws: the grid and the new model's traces alone.
  f.SequenceUpdateScreen();
  EXPECT_TRUE(sameLines(shown, f.Graph.drawing));
  EXPECT_TRUE(sameLines(window, f.drawing));
  EXPECT_EQ(s.segments(f.PhaseTraceColor), f.PlotPoints);
}

TEST(SimulationOnScreen, PlotChartDrawsNoSimulationOfAnotherDesign) {
  // A five-stage band-pass run holds the node a six-pole low-pass design would plot.
  OnScreenFixture s;
  mainwindow::CalverdonForm& f = s.f;
  BPNotchDesign d;
  d.stages = QStringLiteral("5");
  for (int i = 0; i < 5; ++i) d.rows.push_back({"1k", "3", "1"});
  RunBPNotchDesign(s, d);
  ASSERT_TRUE(f.SimPlotValid);
  f.Text18.Text = QStringLiteral("6");
  s.showPassBandWithoutHandler(QStringLiteral("Low-Pass"));
  f.SequenceUpdateScreen();
  const forms::DisplayList computed = f.Graph.drawing;
  f.raise(f.PlotChart, forms::Event::Click);
  EXPECT_TRUE(sameLines(computed, f.Graph.drawing));
}

}  // namespace
