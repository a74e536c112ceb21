#include "graph/chartexport.h"

#include <cmath>

#include "engine/numbertext.h"
#include "engine/rounding.h"
#include "graph/surface.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/listchoices.h"
#include "mainwindow/savefiles.h"

namespace graph {

namespace {

// One line of the file: every item quoted, joined by ",", ended by CR LF.
class ChartText {
 public:
  explicit ChartText(QChar sep) : sep_(sep) {
    line({QStringLiteral("Freq."), QStringLiteral("Gain"), QStringLiteral("Phase"),
          QStringLiteral("Group Delay")});
  }
  void point(double freq, double gainDb, double phaseDeg, double groupDelay) {
    line({engine::SingleText(engine::Sng(freq), sep_),
          engine::SingleText(engine::Sng(gainDb), sep_), engine::DoubleText(phaseDeg, sep_),
          engine::SingleText(engine::Sng(groupDelay), sep_)});
  }
  QByteArray bytes() const { return bytes_; }

 private:
  void line(std::initializer_list<QString> items) {
    bool first = true;
    for (const QString& item : items) {
      if (!first) bytes_ += ',';
      first = false;
      bytes_ += '"' + item.toLatin1() + '"';
    }
    bytes_ += "\r\n";
  }
  QChar sep_;
  QByteArray bytes_;
};

bool usable(double freq) { return std::isfinite(freq) && freq > 0; }

std::optional<QByteArray> simulatedPlot(const CalverdonForm& f) {
  const int last = f.PlotPoints;
  if (!f.SimPlotValid || last < 0 || last >= static_cast<int>(f.PlotGain.size()) ||
      last + 1 >= static_cast<int>(f.SweepFreq.size()) || !usable(f.SweepFreq[1]))
    return std::nullopt;
  ChartText text(f.DecimalSep);
  for (int k = 0; k <= last; ++k)
    text.point(f.SweepFreq[k + 1], f.PlotGain[k], f.SimPhase[k], f.PlotGroupDelay[k]);
  return text.bytes();
}

std::optional<QByteArray> computedSweep(const CalverdonForm& f) {
  const auto& freq = f.SweepFreq;
  const auto& phase = f.SweepPhase;
  if (!usable(freq[1]) || !usable(freq[2])) return std::nullopt;
  ChartText text(f.DecimalSep);
  // Point 0, one logarithmic step below point 1, gives point 1 its group delay.
  double prevFreq = freq[1] * freq[1] / freq[2];
  double prevPhase = 2 * phase[1] - phase[2];
  for (int i = 1; i <= kSweepPoints; ++i) {
    const double df = freq[i] - prevFreq;
    const double delay = df != 0 ? -(phase[i] - prevPhase) / (df * 360) : 0;
    text.point(freq[i], f.SweepGainDb[i], phase[i], delay);
    prevFreq = freq[i];
    prevPhase = phase[i];
  }
  return text.bytes();
}

}  // namespace

std::optional<QByteArray> ChartDataFile(const CalverdonForm& f) {
  if (mainwindow::ChosenPassBandIs(f, engine::IsBandPassOrNotch)) return simulatedPlot(f);
  return computedSweep(f);
}

void SaveChartData_Click(CalverdonForm& f) {
  const std::optional<QByteArray> bytes = ChartDataFile(f);
  if (!bytes) {
    f.Message(kNoChartData, platform::Buttons::Ok, platform::Icon::Information);
    return;
  }
  if (!f.svc.fileDialogs) return;
  platform::FileDialogRequest request;
  request.title = kChartDialogTitle;
  request.filter = QStringLiteral("Comma Separated Value (*.csv)|*.*");
  request.defaultSuffix = QStringLiteral("csv");
  f.requestSync();
  const std::optional<QString> chosen = f.svc.fileDialogs->saveFile(request);
  if (!chosen || chosen->isEmpty()) return;
  if (!mainwindow::MayWriteFile(f, *chosen)) return;
  if (!mainwindow::WriteWholeFile(*chosen, *bytes))
    f.Message(kChartSaveFailed, platform::Buttons::Ok, platform::Icon::Critical);
}

}  // namespace graph
