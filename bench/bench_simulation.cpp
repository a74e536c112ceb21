// One display pass of a five-stage band-pass design at 10 kHz, simulation and plot included:
// with ngspice inside the process (ideal op-amp and a library model) and with the ngspice
// program (which the window waits for until it ends); and the read-back of
// the program's raw file alone.
#include <benchmark/benchmark.h>

#include <QFileInfo>

#include "bandpass_design.h"
#include "designview/sequence.h"
#include "fakes/fake_services.h"
#include "gui/qtsystem.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/startup.h"
#include "spice/ngspiceprogram.h"
#include "spice/ngspiceshared.h"
#include "spice/opampmodels.h"
#include "spice/rawfile.h"
#include "spice/simulation.h"

namespace {

struct Design {
  fakes::FakeServices fake;
  mainwindow::CalverdonForm f{fake.services()};
  BandPassFolders folders{fake};
  gui::QtProcessRunner runner;
  spice::NgspiceProgramEngine program{runner};
  bool second = false;

  Design(int simulator, const QString& model) {
    f.SimulatorInProcess = &spice::NgspiceSharedEngine::instance();
    f.SimulatorProgram = &program;
    designview::install(f);
    mainwindow::SetStartDefaults(f, QLatin1Char('.'));
    for (int j = 0; j < 3; ++j) f.XSver[size_t(j)].setFromUser(j == simulator);
    EnterFiveStageBandPass(f);
    spice::LoadOpAmpModels(f);
    const int m = int(f.OpAmpModel.items().indexOf(model));
    f.OpAmpModel.setFromUser(m, model);
    f.SequenceUpdateScreen();
  }

  // The edit: the first stage's Q moves between 5 and 6, then the design is recomputed.
  int edit() {
    second = !second;
    f.QInput[0].Text = second ? QStringLiteral("6") : QStringLiteral("5");
    return f.SequenceUpdateScreen();
  }
};

void run(benchmark::State& state, int simulator, const QString& model) {
  Design d(simulator, model);
  for (auto _ : state) benchmark::DoNotOptimize(d.edit());
  state.counters["plotted"] = d.f.SimPlotValid ? 1 : 0;
  state.counters["messages"] = double(d.fake.messages.shown.size());
}

void BM_BandPassPassInsideIdeal(benchmark::State& s) { run(s, 2, "Ideal Op Amp"); }
void BM_BandPassPassInsideModel(benchmark::State& s) { run(s, 2, "KVR4020/30"); }
void BM_BandPassPassProgramIdeal(benchmark::State& s) { run(s, 1, "Ideal Op Amp"); }

// The raw file the program wrote for the five-stage band-pass (every vector of every node and
// device, 301 points), read from the disk and parsed as after each outside run.
void BM_BandPassRawFileReadBack(benchmark::State& state) {
  Design d(1, "KVR4020/30");
  const QString path = d.folders.userDir.path() + QLatin1Char('/') + spice::kRawOutputFile;
  state.counters["bytes"] = double(QFileInfo(path).size());
  for (auto _ : state) {
    const spice::RawFile raw = spice::ReadRawFileAt(path);
    if (!raw.First) {
      state.SkipWithError("the raw file was not read");
      break;
    }
    benchmark::DoNotOptimize(raw.First->Results.Values.size());
  }
}

BENCHMARK(BM_BandPassPassInsideIdeal)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_BandPassPassInsideModel)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_BandPassPassProgramIdeal)->Unit(benchmark::kMillisecond)->Iterations(4)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_BandPassRawFileReadBack)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
