// The view's sync of a window with six hundred controls (300 labels, 200 text boxes and 100
// lists of 12 entries) when one caption changed between syncs: the cost every outermost
// event pays for the controls that did not change (offscreen platform).
#include <benchmark/benchmark.h>

#include <QString>

#include "gui/formview.h"
#include "offscreen_main.h"
#include "support/bigform.h"

namespace {

void BM_SyncSixHundredControlsOneChanged(benchmark::State& state) {
  SixHundredControls big;
  gui::FormView view(big);
  int round = 0;
  for (auto _ : state) {
    big.labels[round % 300].Caption = QString::number(round);
    ++round;
    view.sync();
  }
  state.counters["controls"] = double(big.controls().size());
}
BENCHMARK(BM_SyncSixHundredControlsOneChanged)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return RunOffscreenBenchmarks(argc, argv); }
