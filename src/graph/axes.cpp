#include "graph/axes.h"

#include <algorithm>
#include <cmath>

#include "engine/engnotation.h"
#include "engine/rounding.h"
#include "graph/surface.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/frequencyunit.h"
#include "mainwindow/listchoices.h"

namespace graph {

namespace {

const QString kRadUnit = QStringLiteral("Rad/s");
constexpr forms::VbColor kGridColor = forms::rgb(128, 128, 128);
// Decades beyond this are not gridded (the frequency boxes keep the window far inside it).
constexpr int kMaxGridDecades = 40;

int digitsOf(const CalverdonForm& f) { return f.DisplayDigits > 0 ? f.DisplayDigits : 3; }

std::optional<double> hertzOf(const CalverdonForm& f, const QString& text) {
  return FrequencyCaptionHertz(text, f.DecimalSep, digitsOf(f));
}


QString axisText(const CalverdonForm& f, double hertz, const QString& unit) {
  return engine::Engsuffix(engine::Sng(hertz * f.FreqUnitFactor), digitsOf(f), unit,
                           f.DecimalSep);
}

// The intermediate legend labels by the decade count: Gfreq(1)'s value as a multiple of the
// start and its position, and Gfreq(2)'s multiple (0: hidden).
struct Intermediate {
  int decades;
  double first;
  int firstLeft;
  double second;
};
constexpr Intermediate kIntermediates[] = {
    {3, 1e1, 4395, 1e2}, {4, 1e2, 4995, 0},  {5, 1e2, 4665, 0},   {6, 1e2, 4395, 1e4},
    {7, 1e3, 4815, 0},   {8, 1e4, 4995, 0},  {9, 1e3, 4395, 1e6}, {10, 1e5, 4995, 0},
};

}  // namespace

void CalcDecades(CalverdonForm& f) {
  double start = 0;
  if (f.StartF.Visible) {
    start = engine::Sng(hertzOf(f, f.StartF.Text).value_or(0.0));
    if (start > 0 && std::isfinite(start)) f.PlotStartFreq = static_cast<float>(start);
  } else {
    if (f.Gfreq[3].Caption == QLatin1String("100nHz")) f.Gfreq[3].Caption = QStringLiteral("100 Hz");
    start = hertzOf(f, f.Gfreq[0].Caption).value_or(0.0);
  }
  const double end = hertzOf(f, f.EndF.Visible ? f.EndF.Text : f.Gfreq[3].Caption).value_or(0.0);

  float decades = 3;
  if (start != 0 && end != 0) decades = engine::Sng(std::log(end / start) / std::log(10.0));
  // A window that is empty, reversed or unreadable shows the usual three decades.
  if (!std::isfinite(decades) || !(decades >= 0.01f)) decades = 3;
  f.AxisDecades = decades;
}

void LabelFrequencyAxis(CalverdonForm& f) {
  f.Gfreq[1].Left = 4395;
  const bool rad = f.Rad.Value() == 1;
  const QString unit = rad ? kRadUnit : QStringLiteral("Hz");
  f.FreqUnitFactor = rad ? 2 * engine::Pi : 1.0;

  double start = engine::Sng(hertzOf(f, f.Gfreq[0].Caption).value_or(0.0));
  if (!(start > 0) || !std::isfinite(start)) start = 100;  // an unreadable start: the usual axis
  f.PlotStartFreq = static_cast<float>(start);
  f.Gfreq[0].Caption = axisText(f, start, unit);

  if (mainwindow::ChosenPassBandIs(f, engine::IsTwoHalves))
    f.Gfreq[3].Caption = axisText(f, start * std::pow(10.0, double(f.AxisDecades)), unit);

  f.Gfreq[1].Visible = false;
  f.Gfreq[2].Visible = false;
  CalcDecades(f);

  const double first = f.PlotStartFreq;
  for (const Intermediate& row : kIntermediates) {
    if (f.AxisDecades != static_cast<float>(row.decades)) continue;
    f.Gfreq[1].Caption = axisText(f, first * row.first, unit);
    f.Gfreq[1].Left = row.firstLeft;
    f.Gfreq[1].Visible = true;
    if (row.second > 0) {
      f.Gfreq[2].Caption = axisText(f, first * row.second, unit);
      f.Gfreq[2].Visible = true;
    }
  }
  f.Gfreq[3].Caption = axisText(f, first * std::pow(10.0, double(f.AxisDecades)), unit);
}

void PrepareRunAxis(CalverdonForm& f) {
  CalcDecades(f);
  if (f.Text34.Text.isEmpty()) f.Text34.Text = QStringLiteral("1000");
  f.AxisRefFreq = engine::Sng(mainwindow::FrequencyBoxHertz(f, f.Text34).value_or(0));
  LabelFrequencyAxis(f);
}

QString FrequencyLegendText(const CalverdonForm& f, double hertz) {
  const double factor = mainwindow::FreqUnitFactorOf(f);
  return engine::Engsuffix(engine::Sng(hertz * factor), digitsOf(f),
                           factor != 1.0 ? kRadUnit : QStringLiteral("Hz"), f.DecimalSep);
}

void DrawGrid(CalverdonForm& f) {
  CalcDecades(f);
  // A grid drawn before anything set the plot area (a first band-pass pass) still spans the box.
  if (f.GraphRightX == 0 && f.GraphBottomY == 0) SetPlotArea(f);
  const double decades = f.AxisDecades;
  const double width = f.Graph.Width;
  if (decades > 0 && std::isfinite(decades)) {
    const int last = std::min<int>(engine::CInt(decades - 1), kMaxGridDecades);
    for (int d = 0; d <= last; ++d) {
      for (int k = 0; k <= 8; ++k) {
        const float gridFreq = engine::Sng((k + 1) * std::pow(10.0, d));
        const double gridX = (20 * std::log10(double(gridFreq))) / (decades * 20) * width +
                             f.GraphLeftX;
        if (gridX <= width) DrawGraphLine(f, gridX, f.GraphTopY, gridX, f.GraphBottomY, kGridColor);
      }
    }
  }
  for (int j = 0; j <= 8; ++j) {
    const int gridY =
        engine::CInt(double(j) * (f.GraphBottomY - f.GraphTopY) / 8 + f.GraphTopY);
    if (gridY <= f.Graph.Height && gridY > 0)
      DrawGraphLine(f, f.GraphLeftX, gridY, f.GraphRightX, gridY, kGridColor);
  }
}

}  // namespace graph
