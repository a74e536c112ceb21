#include "mainwindow/listchoices.h"

#include <array>

#include "mainwindow/calverdonform.h"

namespace mainwindow {

namespace {

using engine::PassBand;
using engine::FilterResponse;
using engine::Topology;

template <typename Value>
struct Entry {
  const char* text;
  Value value;
};

constexpr Entry<PassBand> kPassBands[] = {
    {"Low-Pass", PassBand::LowPass},   {"High-Pass", PassBand::HighPass},
    {"Band-Pass", PassBand::BandPass}, {"Notch", PassBand::Notch},
    {"Wide Band-Pass", PassBand::WideBandPass}, {"Band-Reject", PassBand::BandReject},
};

struct ResponseRow {
  const char* text;
  FilterResponse value;
  const char* longName;
  int topic;
  bool listed;  // an entry of the list ("Custom Q" is typed)
};

constexpr ResponseRow kResponses[] = {
    {"Butterworth", FilterResponse::Butterworth, "Butterworth", 2, true},
    {"Bessel", FilterResponse::Bessel, "Bessel", 5, true},
    {"Chebychev", FilterResponse::Chebychev, "Chebychev", 3, true},
    {"Linear Phase, 0.05", FilterResponse::LinearPhase005, "Linear Phase, 0.05 deg.", 24, true},
    {"Linear Phase, 0.5", FilterResponse::LinearPhase05, "Linear Phase, 0.5 deg.", 25, true},
    {"Gaussian 12dB", FilterResponse::Gaussian12dB, "Transitional Gaussian to 12-dB", 26, true},
    {"Custom Q", FilterResponse::CustomQ, "", 22, false},
    {"Custom Fn&Q", FilterResponse::CustomFnQ, "", 23, true},
};

constexpr Entry<Topology> kTopologies[] = {
    {"MFB Single-Ended", Topology::MfbSingleEnded},
    {"Sallen -Key", Topology::SallenKey},
    {"MFB Fully Differential", Topology::MfbFullyDifferential},
};

constexpr Entry<engine::ResistorSeries> kResistorSeries[] = {
    {"Exact", engine::ResistorSeries::Exact}, {"E12", engine::ResistorSeries::E12},
    {"E24", engine::ResistorSeries::E24},     {"E48", engine::ResistorSeries::E48},
    {"E96", engine::ResistorSeries::E96},     {"E192", engine::ResistorSeries::E192},
};

constexpr Entry<engine::CapacitorSeries> kCapacitorSeries[] = {
    {"E6", engine::CapacitorSeries::E6},
    {"E12", engine::CapacitorSeries::E12},
    {"E24", engine::CapacitorSeries::E24},
};

template <typename Row, std::size_t N>
QStringList textsOf(const Row (&rows)[N]) {
  QStringList texts;
  for (const Row& r : rows) texts << QString::fromLatin1(r.text);
  return texts;
}

template <typename Row, std::size_t N>
const Row* rowOf(const Row (&rows)[N], const QString& text) {
  for (const Row& r : rows)
    if (text == QLatin1String(r.text)) return &r;
  return nullptr;
}

template <typename Value, typename Row, std::size_t N>
const Row* rowFor(const Row (&rows)[N], Value v) {
  for (const Row& r : rows)
    if (r.value == v) return &r;
  return nullptr;
}

template <typename Row, std::size_t N>
auto valueOf(const Row (&rows)[N], const QString& text) -> std::optional<decltype(rows[0].value)> {
  if (const Row* r = rowOf(rows, text)) return r->value;
  return std::nullopt;
}

}  // namespace

const QStringList& PassBandEntries() {
  static const QStringList texts = textsOf(kPassBands);
  return texts;
}

const QStringList& ResponseEntries() {
  static const QStringList texts = [] {
    QStringList t;
    for (const ResponseRow& r : kResponses)
      if (r.listed) t << QString::fromLatin1(r.text);
    return t;
  }();
  return texts;
}

const QStringList& TopologyEntries() {
  static const QStringList texts = textsOf(kTopologies);
  return texts;
}

const QStringList& ResistorSeriesEntries() {
  static const QStringList texts = textsOf(kResistorSeries);
  return texts;
}

const QStringList& CapacitorSeriesEntries() {
  static const QStringList texts = textsOf(kCapacitorSeries);
  return texts;
}

QString TextOf(PassBand band) { return QString::fromLatin1(rowFor(kPassBands, band)->text); }
QString TextOf(FilterResponse response) {
  return QString::fromLatin1(rowFor(kResponses, response)->text);
}
QString TextOf(Topology topology) {
  return QString::fromLatin1(rowFor(kTopologies, topology)->text);
}

std::optional<PassBand> PassBandOf(const QString& text) { return valueOf(kPassBands, text); }
std::optional<FilterResponse> ResponseOf(const QString& text) { return valueOf(kResponses, text); }
std::optional<Topology> TopologyOf(const QString& text) { return valueOf(kTopologies, text); }

QString LongNameOf(FilterResponse response) {
  return QString::fromLatin1(rowFor(kResponses, response)->longName);
}
int PromptTopicOf(FilterResponse response) { return rowFor(kResponses, response)->topic; }

std::optional<PassBand> ChosenPassBand(const CalverdonForm& f) {
  return PassBandOf(f.Passband.Text());
}
std::optional<FilterResponse> ChosenResponse(const CalverdonForm& f) {
  return ResponseOf(f.TypeFilter.Text());
}
std::optional<Topology> ChosenTopology(const CalverdonForm& f) {
  return TopologyOf(f.CircuitType.Text());
}

engine::ResistorSeries ChosenResistorSeries(const CalverdonForm& f) {
  return valueOf(kResistorSeries, f.ResistorList.Text()).value_or(engine::ResistorSeries::Exact);
}
engine::CapacitorSeries ChosenCapacitorSeries(const CalverdonForm& f) {
  return valueOf(kCapacitorSeries, f.CapacitorList.Text()).value_or(engine::CapacitorSeries::E6);
}

bool ChosenPassBandIs(const CalverdonForm& f, PassBand band) { return ChosenPassBand(f) == band; }
bool ChosenPassBandIs(const CalverdonForm& f, bool (*group)(PassBand)) {
  const std::optional<PassBand> band = ChosenPassBand(f);
  return band && group(*band);
}
bool ChosenResponseIs(const CalverdonForm& f, FilterResponse response) {
  return ChosenResponse(f) == response;
}
bool FullyDifferentialChosen(const CalverdonForm& f) {
  return ChosenTopology(f) == Topology::MfbFullyDifferential;
}

}  // namespace mainwindow
