// One edit of a 10-pole Sallen-Key low-pass: the whole recompute sequence on the window model,
// and the same edit with the view's copy to the widgets and one repaint (offscreen platform).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "designview/sequence.h"
#include "fakes/fake_services.h"
#include "gui/formview.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/handlers.h"
#include "mainwindow/startup.h"
#include "offscreen_main.h"

namespace {

struct Design {
  fakes::FakeServices fake;
  mainwindow::CalverdonForm f{fake.services()};
  bool second = false;

  Design() {
    designview::install(f);
    mainwindow::RegisterHandlers(f);
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

}  // namespace

int main(int argc, char** argv) { return RunOffscreenBenchmarks(argc, argv); }
