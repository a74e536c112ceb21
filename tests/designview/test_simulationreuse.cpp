// A display pass that would run exactly what the last successful run ran takes that run's
// results: the same simulator, netlist and included files. Whatever the simulator reads that
// changed, an edited model library or include file included, runs it again; a failed run is
// never taken again.
#include <gtest/gtest.h>

#include <QFile>
#include <functional>

#include "fake_program.h"
#include "simulation_fixture.h"
#include "support/countedengine.h"

namespace {

BPNotchDesign twoStages(const char* band) {
  BPNotchDesign d;
  d.band = QLatin1String(band);
  d.stages = QStringLiteral("2");
  d.q = QStringLiteral("3");
  const QString gain = d.band == "Notch" ? QString() : QStringLiteral("1");
  d.rows = {{"1k", "3", gain}, {"1k", "3", gain}};
  return d;
}

// Puts a comment line into a file of the program folder after its first line holding `after`.
void insertAfter(SimulationFixture& s, const QString& name, const QByteArray& after) {
  QFile file(s.programDir.path() + "/" + name);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  QByteArray text = file.readAll();
  const qsizetype at = text.indexOf('\n', text.indexOf(after));
  ASSERT_GT(at, 0) << after.toStdString();
  text.insert(at + 1, "* edited\n");
  file.resize(0);
  file.seek(0);
  file.write(text);
}

TEST(SimulationReuse, OnlyWhatTheSimulatorReadsDecidesWhetherAPassRunsIt) {
  struct Case {
    const char* name;
    int simulator;  // 0: the program with the two-file layout (it includes bandpass.lib)
    std::function<void(SimulationFixture&)> change;
    int runs;
  };
  const std::vector<Case> cases = {
      {"nothing", 2, [](SimulationFixture&) {}, 0},
      {"the time of day", 0, [](SimulationFixture& s) { s.fake.clock.current = s.fake.clock.current.addSecs(7200); }, 0},
      {"the chosen model edited in the library, inside", 2,
       [](SimulationFixture& s) { insertAfter(s, "models/marquenta.lib", ".subckt KVR1202/30"); }, 1},
      {"the chosen model edited in the library, program", 1,
       [](SimulationFixture& s) { insertAfter(s, "models/marquenta.lib", ".subckt KVR1202/30"); }, 1},
      {"another model edited in the library", 2,
       [](SimulationFixture& s) { insertAfter(s, "models/marquenta.lib", ".subckt KVR4020/30"); }, 0},
      {"the included file edited", 0, [](SimulationFixture& s) { insertAfter(s, "bandpass.lib", ""); }, 1},
      {"the included file replaced by a folder", 0,
       [](SimulationFixture& s) {
         QFile::remove(s.programDir.path() + "/bandpass.lib");
         QDir(s.programDir.path()).mkdir("bandpass.lib");
       }, 1},
  };
  for (const char* band : {"Band-Pass", "Notch"})
    for (const Case& c : cases) {
      if (c.simulator == 0 && band == std::string("Notch")) continue;  // no two-file layout
      SCOPED_TRACE(QStringLiteral("%1, %2").arg(QLatin1String(band), QLatin1String(c.name)).toStdString());
      SimulationFixture s;
      CountedEngine counted(c.simulator == 2 ? *s.f.SimulatorInProcess : s.program);
      (c.simulator == 2 ? s.f.SimulatorInProcess : s.f.SimulatorProgram) = &counted;
      s.chooseSimulator(c.simulator);
      s.chooseModel(QStringLiteral("KVR1202/30"));
      RunBPNotchDesign(s, twoStages(band));
      ASSERT_TRUE(s.f.SimPlotValid) << s.fake.messages.texts().join("\n").toStdString();
      ASSERT_EQ(counted.runs, 1);
      const std::vector<double> plotted(s.f.PlotGain.begin(), s.f.PlotGain.end());
      c.change(s);
      s.f.SequenceUpdateScreen();
      EXPECT_EQ(counted.runs, 1 + c.runs);
      if (c.runs == 0) {
        // The kept results draw what the run drew.
        EXPECT_TRUE(s.f.SimPlotValid);
        EXPECT_EQ(std::vector<double>(s.f.PlotGain.begin(), s.f.PlotGain.end()), plotted);
        EXPECT_GT(s.traceSegments(), 0);
      }
    }
}

TEST(SimulationReuse, AFailedRunIsRunAgainAndTestSpiceAlwaysRuns) {
  SimulationFixture s;
  FakeProgram failing("ngspice", "echo run >>\"$(dirname \"$0\")/runs.log\"\nexit 1\n");
  spice::NgspiceProgramEngine engine(s.runner, failing.path, kLoadedMachineSeconds);
  s.chooseSimulator(1);
  s.f.SimulatorProgram = &engine;
  EnterBPNotchDesign(s, twoStages("Band-Pass"));
  const auto runs = [&failing] {
    QFile log(failing.file("runs.log"));
    return log.open(QIODevice::ReadOnly) ? int(log.readAll().count('\n')) : 0;
  };
  s.f.SequenceUpdateScreen();
  s.f.SequenceUpdateScreen();
  EXPECT_EQ(runs(), 2);
  EXPECT_EQ(s.fake.messages.texts(), QStringList({spice::RawFileError()}));

  // A sound program runs once; the next pass takes its results, "Test Spice" runs again.
  CountedEngine counted(s.program);
  s.f.SimulatorProgram = &counted;
  s.f.SequenceUpdateScreen();
  s.f.SequenceUpdateScreen();
  EXPECT_EQ(counted.runs, 1);
  s.f.raise(s.f.RunSpice, forms::Event::Click);
  EXPECT_EQ(counted.runs, 2);
  EXPECT_TRUE(s.f.SimResultsReady);
}

}  // namespace
