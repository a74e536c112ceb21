// A whole 10-pole cascade as one display pass designs it: pole pairs, scaling to the design
// frequency, then synthesis and analysis of every section from the last to the first.
#include <benchmark/benchmark.h>

#include "engine/polepairs.h"
#include "engine/scalefreq.h"
#include "engine/stageanalysis.h"
#include "engine/stagesynthesis.h"

namespace {

// state.range(0): 0 MFB, 1 Sallen-Key; state.range(1): response code (0 Butterworth,
// 2 Chebychev).
void BM_TenPoleCascade(benchmark::State& state) {
  const bool sallen = state.range(0) == 1;
  engine::PolePairInputs in;
  in.ResponseCode = int(state.range(1));
  in.Chosen = in.ResponseCode == 2 ? engine::FilterResponse::Chebychev
                                   : engine::FilterResponse::Butterworth;
  in.DesignCutoff = 1000.0f;
  in.PolesLowPass = 10;
  engine::StageRequest stage;  // no capacitors entered: every section chooses both
  stage.PolesLowPass = 10;
  stage.Series.Resistors = engine::ResistorSeries::E96;
  stage.Series.Capacitors = engine::CapacitorSeries::E12;
  stage.ScaleResistor = 10e3f;
  for (auto _ : state) {
    const engine::PolePairs pairs = engine::polepairs(10, 1.0f, in);
    const engine::ScaledSections scaled = engine::ScaleFreq(1000.0, pairs.PoleB0, pairs.PoleB1);
    float w0Sum = 0;
    for (int k = pairs.SectionCount; k >= 1; --k) {
      stage.b0 = scaled.PoleB0[k];
      stage.b1 = scaled.PoleB1[k];
      stage.R1 = 10e3f;
      stage.Gain = 1.0f;
      const engine::StageResult r = sallen ? engine::Sallen(stage) : engine::MFB(stage);
      if (!r.Ok) {
        state.SkipWithError("a section was not built");
        return;
      }
      if (sallen) {
        const engine::SallenAnalysis a =
            engine::AnalyzeSallenStage(r.R1, r.R2, r.R3, r.R4, r.C1, r.C2);
        if (a.Section) w0Sum += a.Section->W0;
      } else {
        const engine::MfbAnalysis a = engine::AnalyzeMFBStage(r.R1, r.R2, r.R3, r.C1, r.C2);
        if (a.Section) w0Sum += a.Section->W0;
      }
    }
    benchmark::DoNotOptimize(w0Sum);
  }
  state.SetItemsProcessed(state.iterations() * 5);
}
BENCHMARK(BM_TenPoleCascade)
    ->ArgNames({"sallen", "response"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 2})
    ->Args({1, 2});

}  // namespace
