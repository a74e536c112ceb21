// Reading and writing engineering notation, as every entry box and readout does.
#include <benchmark/benchmark.h>

#include <QString>
#include <array>

#include "engine/engnotation.h"

namespace {

void BM_EngEntry(benchmark::State& state) {
  const std::array<QString, 6> typed = {
      QStringLiteral("4.7k"),    QStringLiteral("2.2uF"), QStringLiteral("1.5 MHz"),
      QStringLiteral("100Hz"),   QStringLiteral("2e3"),   QStringLiteral("12 V"),
  };
  for (auto _ : state) {
    for (const QString& t : typed) {
      QString entry = t;
      QString ret;
      engine::EngEntry(entry, ret, QLatin1Char('.'));
      benchmark::DoNotOptimize(ret);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(typed.size()));
}
BENCHMARK(BM_EngEntry);

void BM_Engsuffix(benchmark::State& state) {
  const std::array<float, 6> values = {1500.0f, 4.7e-9f, 2.2e-6f, 1e9f, 999.7f, 33e-12f};
  const QString hz = QStringLiteral("Hz");
  for (auto _ : state) {
    for (const float v : values) {
      QString out = engine::Engsuffix(v, 3, hz, QLatin1Char('.'));
      benchmark::DoNotOptimize(out);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values.size()));
}
BENCHMARK(BM_Engsuffix);

}  // namespace
