#pragma once
// The standard series by their names ("E12", "Exact"), for tables of test cases.
#include <QString>
#include <stdexcept>

#include "engine/choices.h"

inline engine::ResistorSeries ResistorSeriesNamed(const QString& name) {
  using engine::ResistorSeries;
  if (name == QLatin1String("Exact")) return ResistorSeries::Exact;
  if (name == QLatin1String("E12")) return ResistorSeries::E12;
  if (name == QLatin1String("E24")) return ResistorSeries::E24;
  if (name == QLatin1String("E48")) return ResistorSeries::E48;
  if (name == QLatin1String("E96")) return ResistorSeries::E96;
  if (name == QLatin1String("E192")) return ResistorSeries::E192;
  throw std::invalid_argument("no resistor series " + name.toStdString());
}

inline engine::CapacitorSeries CapacitorSeriesNamed(const QString& name) {
  using engine::CapacitorSeries;
  if (name == QLatin1String("E6")) return CapacitorSeries::E6;
  if (name == QLatin1String("E12")) return CapacitorSeries::E12;
  if (name == QLatin1String("E24")) return CapacitorSeries::E24;
  throw std::invalid_argument("no capacitor series " + name.toStdString());
}
