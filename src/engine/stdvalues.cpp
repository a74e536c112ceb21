#include "engine/stdvalues.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/rounding.h"

namespace engine {

namespace {

// One decade of each table series with one neighbour added at either end, so that the
// midpoint scan and the one-step moves work at the decade edges.
constexpr std::array<float, 9> E6Table{0.68f, 1.0f, 1.5f, 2.2f, 3.3f, 4.7f, 6.8f, 10.0f, 15.0f};
constexpr std::array<float, 15> E12Table{0.82f, 1.0f, 1.2f, 1.5f, 1.8f, 2.2f, 2.7f, 3.3f,
                                         3.9f,  4.7f, 5.6f, 6.8f, 8.2f, 10.0f, 12.0f};
constexpr std::array<float, 27> E24Table{0.91f, 1.0f, 1.1f, 1.2f, 1.3f, 1.5f, 1.6f, 1.8f, 2.0f,
                                         2.2f,  2.4f, 2.7f, 3.0f, 3.3f, 3.6f, 3.9f, 4.3f, 4.7f,
                                         5.1f,  5.6f, 6.2f, 6.8f, 7.5f, 8.2f, 9.1f, 10.0f, 11.0f};

struct Table {
  const float* values = nullptr;
  int size = 0;  // entries, both neighbours included
};

Table CapTable(CapacitorSeries series) {
  switch (series) {
    case CapacitorSeries::E6: return {E6Table.data(), int(E6Table.size())};
    case CapacitorSeries::E12: return {E12Table.data(), int(E12Table.size())};
    case CapacitorSeries::E24: return {E24Table.data(), int(E24Table.size())};
  }
  return {};
}

// The table of a tabulated resistor series (E12, E24); none for the others.
Table ResTable(ResistorSeries series) {
  if (series == ResistorSeries::E12) return {E12Table.data(), int(E12Table.size())};
  if (series == ResistorSeries::E24) return {E24Table.data(), int(E24Table.size())};
  return {};
}

// Values per decade of a computed resistor series, 0 for the others.
int ComputedSeries(ResistorSeries series) {
  switch (series) {
    case ResistorSeries::E48: return 48;
    case ResistorSeries::E96: return 96;
    case ResistorSeries::E192: return 192;
    default: return 0;
  }
}

bool Usable(float v) { return std::isfinite(v) && v > 0.0f; }

// Three-digit mantissa (times 100) of value i of the computed series n. The published E192
// series holds 9.20 where the formula gives 9.19.
double ComputedDigits(double i, int n) {
  const double digits = Int(std::pow(10.0, i / n) * 100.0 + 0.5);
  return (n == 192 && digits == 919.0) ? 920.0 : digits;
}

// E12 and E24: nearest table value, a mantissa on a midpoint going up.
float RoundFromTable(float r, const Table& t) {
  const double e = Int(std::log10(r));
  const float m = Sng(r * std::pow(10.0, -e));
  for (int i = 0; i + 1 < t.size; ++i) {
    const float mid = Sng((double(t.values[i]) + t.values[i + 1]) / 2.0);
    if (mid > m) return Sng(t.values[i] * std::pow(10.0, e));
  }
  return r;
}

// E48, E96, E192: the two computed neighbours of r, the nearer one, a tie going up.
float RoundComputed(float r, int n) {
  const float l = Sng(std::log10(r));
  const double e = Int(l);
  const double j = Int((l - e) * n);
  const double scale = std::pow(10.0, e - 2.0);
  const float lower = Sng(ComputedDigits(j, n) * scale);
  const float upper = Sng(ComputedDigits(j + 1.0, n) * scale);
  return (2.0 * r + 3.552715e-15 - (double(lower) + double(upper)) >= 0.0) ? upper : lower;
}

constexpr double TwoPi = 2.0 * Pi;

bool DualUsable(const SeriesChoice& s) { return Usable(s.StageF0) && Usable(s.DesignCutoff); }

}  // namespace

float StdResPlain(float r, ResistorSeries series) {
  if (!Usable(r)) return r;
  if (const Table t = ResTable(series); t.size != 0) return RoundFromTable(r, t);
  if (const int n = ComputedSeries(series)) return RoundComputed(r, n);
  return r;
}

float StdCapsPlain(float c, int op, int capdiv, CapacitorSeries series, int* decadeCount) {
  const Table t = CapTable(series);
  if (!Usable(c) || t.size == 0) return c;
  op = std::clamp(op, -1, 1);
  if (capdiv < 1) capdiv = 1;
  const float half = Sng(double(c) / capdiv);
  if (!Usable(half)) return c;
  const float l = Sng(std::log10(half));
  double e = Int(l);
  const float m = Sng(std::pow(10.0, l - e));
  float cstd = half;
  bool found = false;
  for (int i = 0; i + 1 < t.size; ++i) {
    const float mid = Sng((double(t.values[i]) + t.values[i + 1]) / 2.0);
    if (mid > m) {
      cstd = t.values[std::clamp(i + op, 0, t.size - 1)];
      found = true;
      break;
    }
  }
  if (!found) return c;
  if (m > 10.0f) e += 1.0;
  if (m < 1.0f) e -= 1.0;
  if (decadeCount) *decadeCount = int(e);
  const float result = Sng(cstd * std::pow(10.0, e) * capdiv);
  return Usable(result) ? result : c;
}

float StdRes(float r, const SeriesChoice& series) {
  if (!Usable(r)) return r;
  if (series.HighPassHalf == 0 || !DualUsable(series))
    return StdResPlain(r, series.Resistors);
  // The dual capacitor of r is rounded to the capacitor series, and r follows it back.
  const double k = series.StageF0 / (TwoPi * double(series.DesignCutoff) * series.DesignCutoff);
  const float dual = StdCapsPlain(Sng(k / r), CapNearest, 1, series.Capacitors);
  const float back = Sng(k / dual);
  return Usable(back) ? back : r;
}

float StdCaps(float c, int op, int capdiv, const SeriesChoice& series, int* decadeCount) {
  if (!Usable(c)) return c;
  if (series.HighPassHalf == 0 || !Usable(series.StageF0))
    return StdCapsPlain(c, op, capdiv, series.Capacitors, decadeCount);
  // The dual resistor of the capacitor is rounded to the resistor series, and the capacitor
  // follows it back.
  if (capdiv < 1) capdiv = 1;
  const double w = TwoPi * series.StageF0;
  const float half = Sng(double(c) / capdiv);
  const float dual = StdResPlain(Sng(1.0 / (w * half)), series.Resistors);
  const float back = Sng(capdiv * double(Sng(1.0 / (w * dual))));
  return Usable(back) ? back : c;
}

int CapSeriesSize(CapacitorSeries series) { return CapTable(series).size - 3; }

std::vector<float> ResistorSeriesMantissas(ResistorSeries series) {
  std::vector<float> out;
  if (const Table t = ResTable(series); t.size != 0) {
    out.assign(t.values + 1, t.values + t.size - 2);
  } else if (const int n = ComputedSeries(series)) {
    for (int i = 0; i < n; ++i) out.push_back(Sng(ComputedDigits(i, n) / 100.0));
  }
  return out;
}

std::optional<float> NextLargerStdRes(float r, ResistorSeries series) {
  const std::vector<float> mantissas = ResistorSeriesMantissas(series);
  if (mantissas.empty() || !Usable(r)) return std::nullopt;
  const double e = Int(std::log10(r));
  // Values within a part in a million of r count as r itself.
  const double above = double(r) * (1.0 + 1e-6);
  for (double decade = e - 1.0; decade <= e + 1.0; decade += 1.0) {
    for (const float m : mantissas) {
      const float v = Sng(m * std::pow(10.0, decade));
      if (v > above) return v;
    }
  }
  return std::nullopt;
}

}  // namespace engine
