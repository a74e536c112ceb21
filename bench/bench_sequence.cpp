// One whole recompute sequence on the window model (no view).
#include <benchmark/benchmark.h>

#include "designview/sequence.h"
#include "fakes/fake_services.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/startup.h"

namespace {

void BM_SequenceUpdateScreen(benchmark::State& state, const char* band) {
  fakes::FakeServices fake;
  mainwindow::CalverdonForm f(fake.services());
  designview::install(f);
  mainwindow::SetStartDefaults(f, QLatin1Char('.'));
  f.Passband.SetText(band);
  f.Text18.Text = "10";
  for (auto _ : state) benchmark::DoNotOptimize(f.SequenceUpdateScreen());
}

BENCHMARK_CAPTURE(BM_SequenceUpdateScreen, LowPass, "Low-Pass");
BENCHMARK_CAPTURE(BM_SequenceUpdateScreen, BandReject, "Band-Reject");

}  // namespace
