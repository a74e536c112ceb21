// One display pass of a five-stage band-pass design at 10 kHz, simulation and plot included:
// with ngspice inside the process (ideal op-amp and a library model) and with the ngspice
// program; the program's pass beside ngspice's own run time on the same netlist; the program
// runs one entry in each box starts; and the read-back of the program's raw file alone.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <algorithm>
#include <vector>

#include "bandpass_design.h"
#include "designview/sequence.h"
#include "fakes/fake_services.h"
#include "gui/qtsystem.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/handlers.h"
#include "mainwindow/startup.h"
#include "spice/ngspiceprogram.h"
#include "spice/ngspiceshared.h"
#include "spice/opampmodels.h"
#include "spice/rawfile.h"
#include "spice/simulation.h"

namespace {

// The real process runner, counting the programs it starts.
class CountingRunner : public platform::ProcessRunner {
 public:
  int started = 0;
  std::unique_ptr<platform::StartedProgram> start(const QString& program,
                                                  const QStringList& arguments,
                                                  const QString& folder) override {
    ++started;
    return real_.start(program, arguments, folder);
  }
  platform::ProcessResult run(const QString& program, const QStringList& arguments,
                              const QString& folder, int timeoutMs) override {
    return real_.run(program, arguments, folder, timeoutMs);
  }

 private:
  gui::QtProcessRunner real_;
};

struct Design {
  fakes::FakeServices fake;
  mainwindow::CalverdonForm f{fake.services()};
  BandPassFolders folders{fake};
  CountingRunner runner;
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

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

// The pass with the ngspice program (the one-file layout, a library model) beside the
// program's own wall time on the netlist that pass wrote, started the same way by hand: the
// difference is what the window adds to the simulator's run (design, read-back, plot, wait).
void BM_ProgramPassBesideNgspiceAlone(benchmark::State& state) {
  Design d(1, "KVR4020/30");
  const QString folder = d.folders.userDir.path();
  const QString netlist = folder + QStringLiteral("/Model.cir");
  const QString raw = folder + QStringLiteral("/alone.raw");
  std::vector<double> pass, alone;
  int runs = 0;
  for (auto _ : state) {
    QElapsedTimer t;
    const int before = d.runner.started;
    t.start();
    d.edit();
    pass.push_back(double(t.nsecsElapsed()) / 1e6);
    runs += d.runner.started - before;
    state.PauseTiming();
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.setWorkingDirectory(folder);
    t.start();
    p.start(QStringLiteral("ngspice"), spice::NgspiceProgramEngine::Arguments(raw, netlist));
    p.waitForFinished(60000);
    alone.push_back(double(t.nsecsElapsed()) / 1e6);
    state.ResumeTiming();
  }
  state.counters["pass_ms"] = median(pass);
  state.counters["ngspice_ms"] = median(alone);
  state.counters["added_ms"] = median(pass) - median(alone);
  state.counters["runs_per_pass"] = double(runs) / double(pass.size());
  state.counters["plotted"] = d.f.SimPlotValid ? 1 : 0;
  state.counters["messages"] = double(d.fake.messages.shown.size());
}

// The program runs one entry starts, as the window raises it when the engineer types into a
// box and leaves it with Tab (its validation, its loss of focus, the next box's focus), for one
// box of each kind; and the runs of a pass with nothing changed (a click on the window).
void BM_ProgramRunsPerEntry(benchmark::State& state) {
  Design d(1, "KVR4020/30");
  mainwindow::RegisterHandlers(d.f);
  mainwindow::RegisterStartupHandlers(d.f);
  mainwindow::CalverdonForm& f = d.f;
  struct Entry {
    const char* counter;
    forms::TextBox& box;
    forms::TextBox& next;
    QString a, b;
  };
  const std::vector<Entry> entries = {
      {"stage_Q", f.QInput[0], f.GainTB[0], "4", "5"},
      {"stage_Fn", f.FnInput[0], f.QInput[0], "9k", "10k"},
      {"stage_gain", f.GainTB[0], f.FnInput[1], "2", "1"},
      {"centre", f.Text34, f.Text3, "9k", "10k"},
      {"default_Q", f.Text3, f.Text12, "4", "5"},
      {"seed", f.Text12, f.Text34, "12k", "10k"},
  };
  std::vector<int> runs(entries.size(), 0);
  int unchanged = 0, rounds = 0;
  for (auto _ : state) {
    for (size_t i = 0; i < entries.size(); ++i) {
      const Entry& e = entries[i];
      const int before = d.runner.started;
      f.raise(e.box, forms::Event::GotFocus);
      e.box.Text = rounds % 2 == 0 ? e.a : e.b;
      f.raise(e.box, forms::Event::Change);
      forms::EventArgs validate;
      f.raise(e.box, forms::Event::Validate, validate);
      f.raise(e.box, forms::Event::LostFocus);
      f.raise(e.next, forms::Event::GotFocus);
      runs[i] += d.runner.started - before;
    }
    const int before = d.runner.started;
    f.raiseOwn(forms::Event::Click);
    unchanged += d.runner.started - before;
    ++rounds;
  }
  for (size_t i = 0; i < entries.size(); ++i)
    state.counters[entries[i].counter] = double(runs[i]) / rounds;
  state.counters["unchanged_pass"] = double(unchanged) / rounds;
  state.counters["messages"] = double(d.fake.messages.shown.size());
}

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
BENCHMARK(BM_ProgramPassBesideNgspiceAlone)->Unit(benchmark::kMillisecond)->Iterations(15);
BENCHMARK(BM_ProgramRunsPerEntry)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_BandPassRawFileReadBack)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
