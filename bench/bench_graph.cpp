// One edit of a 10-pole Sallen-Key low-pass: the whole recompute sequence on the window model,
// and the same edit with the view's copy to the widgets and one repaint (offscreen platform).
// A session of a five-stage band-pass design simulated inside the process: one repaint of the
// whole window after the first edit and after 300, with the lines of the window's and the
// graph's display lists and the memory the edits took.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <memory>
#include <unistd.h>

#include "bandpass_design.h"
#include "fakes/fake_services.h"
#include "gui/formview.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/startup.h"
#include "offscreen_main.h"
#include "spice/ngspiceshared.h"
#include "spice/opampmodels.h"
#include "wiring/mainwindowwiring.h"

namespace {

struct Design {
  fakes::FakeServices fake;
  mainwindow::CalverdonForm f{fake.services()};
  bool second = false;

  Design() {
    wiring::WireMainWindow(f, {});
    mainwindow::SetStartDefaults(f, QLatin1Char('.'));
    f.SuppressUpdate = true;
    f.Passband.SetText(QStringLiteral("Low-Pass"));
    f.CircuitType.SetListIndex(1);
    f.TypeFilter.SetText(QStringLiteral("Butterworth"));
    f.Text18.Text = QStringLiteral("10");
    f.SuppressUpdate = false;
    f.SequenceUpdateScreen();
  }

  // The edit: the cutoff moves between 1 kHz and 1.2 kHz, then the design is recomputed.
  int edit() {
    second = !second;
    f.Text34.Text = second ? QStringLiteral("1.200k") : QStringLiteral("1.000k");
    return f.SequenceUpdateScreen();
  }
};

void BM_SequenceTenPoleSallenKey(benchmark::State& state) {
  Design d;
  for (auto _ : state) benchmark::DoNotOptimize(d.edit());
  state.counters["graph lines"] = double(d.f.Graph.drawing.lines.size());
}
BENCHMARK(BM_SequenceTenPoleSallenKey)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

void BM_SequenceSyncAndRepaint(benchmark::State& state) {
  Design d;
  auto view = std::make_unique<gui::FormView>(d.f);
  view->show();
  QCoreApplication::processEvents();
  for (auto _ : state) {
    d.edit();
    view->sync();
    view->repaint();
  }
}
BENCHMARK(BM_SequenceSyncAndRepaint)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

// The resident memory of the process in kilobytes.
double residentKb() {
  QFile statm(QStringLiteral("/proc/self/statm"));
  if (!statm.open(QIODevice::ReadOnly)) return 0;
  const QList<QByteArray> fields = statm.readAll().split(' ');
  return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / 1024 : 0;
}

// Five band-pass stages at 10 kHz, Q 5, simulated inside the process with the ideal op-amp,
// shown in a window.
struct BandPassSession {
  fakes::FakeServices fake;
  mainwindow::CalverdonForm f{fake.services()};
  BandPassFolders folders{fake};
  std::unique_ptr<gui::FormView> view;
  int edits = 0;

  BandPassSession() {
    wiring::WireMainWindow(f, {.InProcess = &spice::NgspiceSharedEngine::instance()});
    mainwindow::SetStartDefaults(f, QLatin1Char('.'));
    f.SuppressUpdate = true;
    EnterFiveStageBandPass(f);
    spice::LoadOpAmpModels(f);
    f.SuppressUpdate = false;
    view = std::make_unique<gui::FormView>(f);
    view->show();
    QCoreApplication::processEvents();
  }

  // The edit as an engineer tunes: the first stage's centre and Q, in turn, then the recompute
  // and the view's copy of it.
  void edit() {
    const bool odd = ++edits % 2 != 0;
    if (edits % 4 < 2)
      f.FnInput[0].Text = odd ? QStringLiteral("10.5k") : QStringLiteral("10k");
    else
      f.QInput[0].Text = odd ? QStringLiteral("6") : QStringLiteral("5");
    f.SequenceUpdateScreen();
    view->sync();
    QCoreApplication::processEvents();
  }
};

void BM_BandPassRepaintAfterEdits(benchmark::State& state) {
  BandPassSession s;
  s.edit();
  const double before = residentKb();
  for (int i = 1; i < state.range(0); ++i) s.edit();
  const double grown = residentKb() - before;
  for (auto _ : state) s.view->repaint();
  state.counters["window lines"] = double(s.f.drawing.lines.size());
  state.counters["graph lines"] = double(s.f.Graph.drawing.lines.size());
  state.counters["memory grown kB"] = grown;
  state.counters["plotted"] = s.f.SimPlotValid ? 1 : 0;
}
BENCHMARK(BM_BandPassRepaintAfterEdits)->Arg(1)->Arg(300)->Iterations(50)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunOffscreenBenchmarks(argc, argv); }
