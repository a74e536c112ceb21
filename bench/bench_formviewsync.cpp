// The view's sync of a window with six hundred controls (300 labels, 200 text boxes and 100
// lists of 12 entries) when one caption changed between syncs: the cost every outermost
// event pays for the controls that did not change (offscreen platform).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QString>
#include <array>

#include "forms/form.h"
#include "gui/formview.h"

namespace {

struct Big : forms::Form {
  std::array<forms::Label, 300> labels;
  std::array<forms::TextBox, 200> boxes;
  std::array<forms::ComboBox, 100> lists;
  Big() : Form("Big") {
    Width = 12000;
    Height = 9000;
    for (int i = 0; i < 300; ++i)
      place(labels[i], "Label", i, nullptr, (i % 20) * 600, (i / 20) * 300, 550, 255).text("x");
    for (int i = 0; i < 200; ++i)
      place(boxes[i], "Box", i, nullptr, (i % 20) * 600, 4500 + (i / 20) * 300, 550, 285);
    for (int i = 0; i < 100; ++i) {
      place(lists[i], "List", i, nullptr, (i % 20) * 600, 7500 + (i / 20) * 300, 550, 315);
      for (int k = 0; k < 12; ++k) lists[i].AddItem(QString("Entry %1").arg(k));
    }
  }
};

void BM_SyncSixHundredControlsOneChanged(benchmark::State& state) {
  Big big;
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

// The application object lives for the whole run and goes before the program's exit.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
