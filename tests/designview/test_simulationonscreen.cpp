// The graph shows the simulation of the choices on screen: a changed op-amp model, supply or
// simulator re-simulates a band-pass or notch design in one display pass, and "Plot Chart"
// replaces what the graph showed instead of drawing over it. The spacing and stage-count
// boxes keep a band-pass or notch design, its graph window and its simulation on the centre.
#include <gtest/gtest.h>

#include <QRegularExpression>
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

// The stage frequencies of a centre of 10 kHz by stage count, as the section boxes show them:
// no spacing, and a spacing of 300 Hz.
const QStringList kAtCentre[] = {
    {}, {"10.0kHz"}, {"10.000k", "10.000k"}, {"10.000k", "10.000k", "10.000k"},
    {"10.000k", "10.000k", "10.000k", "10.000k"},
    {"10.000k", "10.000k", "10.000k", "10.000k", "10.000k"}};
const QStringList kSpread300[] = {{},
                                  {"10.0kHz"},
                                  {"9.8500k", "10.150k"},
                                  {"9.7000k", "10.000k", "10.300k"},
                                  {"9.5500k", "9.8500k", "10.150k", "10.450k"},
                                  {"9.4000k", "9.7000k", "10.000k", "10.300k", "10.600k"}};

QString acLine(const QString& netlist) {
  for (const QString& line : netlist.split(QRegularExpression(QStringLiteral("[\\r\\n]+"))))
    if (line.startsWith(QLatin1String(".AC"), Qt::CaseInsensitive)) return line;
  return {};
}

// A band-pass or notch design at 10 kHz as the engineer enters it: the centre typed, then the
// spacing box tabbed through (it keeps "0"), emptied, and given 300 Hz; then the stage count
// changed up and down and back. Every step leaves the stages where the centre and spacing put
// them and the graph window, and the simulated sweep, where the centre entry put them.
TEST(SimulationOnScreen, SpacingAndStageCountKeepTheDesignOnItsCentre) {
  for (const char* band : {"Band-Pass", "Notch"})
    for (int n = 1; n <= 5; ++n) {
      SCOPED_TRACE(testing::Message() << band << ", " << n << " stages");
      OnScreenFixture s;
      mainwindow::CalverdonForm& f = s.f;
      const auto leave = [&f](forms::TextBox& box, const QString& text) {
        box.Text = text;
        f.raise(box, forms::Event::Validate);
      };
      s.chooseModel(QStringLiteral("Ideal Op Amp"));
      BPNotchDesign d;
      d.band = QLatin1String(band);
      d.stages = QString::number(n);
      EnterBPNotchDesign(s, d);
      f.SpacF.Text = QStringLiteral("0");
      f.raise(f.Text18, forms::Event::Validate);
      f.SequenceUpdateScreen();
      leave(f.Text34, QStringLiteral("10k"));
      ASSERT_TRUE(f.SimPlotValid) << s.fake.messages.texts().join("\n").toStdString();
      const QString start = f.Gfreq[0].Caption, end = f.Gfreq[3].Caption;
      const QString sweep = acLine(f.NetlistText);
      // The centre in the window's middle third.
      const double first = engine::EngValue(start, '.').value_or(0);
      EXPECT_LE(first * 10, 1e4);
      EXPECT_GE(first * 100, 1e4);
      EXPECT_FALSE(sweep.isEmpty());

      auto expectOnCentre = [&](const QString& step, const QStringList& stages) {
        SCOPED_TRACE(step.toStdString());
        for (int i = 0; i < int(stages.size()); ++i)
          EXPECT_EQ(f.FnInput[i].Text, stages[i]) << "stage " << i;
        EXPECT_EQ(f.Gfreq[0].Caption, start);
        EXPECT_EQ(f.Gfreq[3].Caption, end);
        EXPECT_EQ(acLine(f.NetlistText), sweep);
        EXPECT_TRUE(f.SimPlotValid);
        if (d.band == "Band-Pass") {
          EXPECT_FALSE(f.Qtotal.Text.isEmpty());
        }
      };
      leave(f.SpacF, f.SpacF.Text);
      EXPECT_EQ(f.SpacF.Text, "0");
      expectOnCentre("spacing tabbed through", kAtCentre[n]);
      leave(f.SpacF, QString());
      EXPECT_EQ(f.SpacF.Text, "0");
      expectOnCentre("spacing emptied", kAtCentre[n]);
      leave(f.SpacF, QStringLiteral("300"));
      expectOnCentre("spacing 300", kSpread300[n]);
      for (const int other : {n + 1, n - 1}) {
        if (other < 1 || other > 5) continue;
        leave(f.Text18, QString::number(other));
        EXPECT_EQ(f.PoleCount, other);
        expectOnCentre(QStringLiteral("%1 stages").arg(other), kSpread300[other]);
        leave(f.Text18, QString::number(n));
        expectOnCentre(QStringLiteral("back to %1 stages").arg(n), kSpread300[n]);
      }
      EXPECT_TRUE(s.fake.messages.shown.empty()) << s.fake.messages.texts().join("\n").toStdString();
    }
}

}  // namespace
