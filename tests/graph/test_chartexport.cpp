// The chart data file: its text for the computed sweep and the simulated plot, and the command
// around it (save dialog, overwrite question, atomic write, failures).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>

#include "engine/numbertext.h"
#include "engine/rounding.h"
#include "graph/chartexport.h"
#include "graph/sweep.h"
#include "graph_fixture.h"

namespace {

QByteArray readAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

const QByteArray kHeader = "\"Freq.\",\"Gain\",\"Phase\",\"Group Delay\"\r\n";

// A computed sweep filled by hand: f = 100 i Hz, gain -i/4 dB, phase -i/2 degrees.
void fillSweep(mainwindow::CalverdonForm& f) {
  for (int i = 1; i <= 570; ++i) {
    f.SweepFreq[i] = 100.0 * i;
    f.SweepGainDb[i] = -i / 4.0;
    f.SweepPhase[i] = -i / 2.0;
  }
}

}  // namespace

TEST(ChartExport, ComputedSweepLinesAreQuotedWithTheWindowsSeparatorAndPointZeroExtrapolated) {
  // Point 0 lies at 100^2/200 = 50 Hz with the phase 2(-0.5) - (-1) = 0, so point 1 has the
  // delay 0.5 / (50 * 360) s; every later point 0.5 / (100 * 360) s.
  struct Case {
    char sep;
    QByteArray first, second, last;
  };
  const Case cases[] = {
      {'.', "\"100\",\"-0.25\",\"-0.5\",\"0.00002777778\"\r\n",
       "\"200\",\"-0.5\",\"-1\",\"0.00001388889\"\r\n",
       "\"57000\",\"-142.5\",\"-285\",\"0.00001388889\"\r\n"},
      {',', "\"100\",\"-0,25\",\"-0,5\",\"0,00002777778\"\r\n",
       "\"200\",\"-0,5\",\"-1\",\"0,00001388889\"\r\n",
       "\"57000\",\"-142,5\",\"-285\",\"0,00001388889\"\r\n"},
  };
  for (const Case& c : cases) {
    GraphFixture g{QLatin1Char(c.sep)};
    fillSweep(g.f);
    g.f.SweepFreq[0] = 7;  // whatever element 0 held is not used
    const auto file = graph::ChartDataFile(g.f);
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->startsWith(kHeader + c.first + c.second)) << file->left(200).toStdString();
    EXPECT_TRUE(file->endsWith(c.last));
    EXPECT_EQ(file->count("\r\n"), 571);
    EXPECT_EQ(file->count('\n'), 571);
  }
}

TEST(ChartExport, OneKilohertzLowPassByteForByte) {
  for (char sep : {'.', ','}) {
    GraphFixture g{QLatin1Char(sep)};
    g.f.TypeFilter.setFromUser(0, "Butterworth");
    g.f.ResponseName = "Butterworth";
    g.design(0, 3, 1000, false);
    graph::DrawComputedResponse(g.f);
    const auto& fr = g.f.SweepFreq;
    const auto& ph = g.f.SweepPhase;

    // Built from the file's rules: quoted texts, ",", CR LF; frequency, gain and delay as
    // single-precision texts, the phase as a double; the delay the backward difference, the
    // first one from a point one logarithmic step below the sweep.
    const QChar s = QLatin1Char(sep);
    QByteArray expected = kHeader;
    for (int i = 1; i <= 570; ++i) {
      const double f0 = i == 1 ? fr[1] * fr[1] / fr[2] : fr[i - 1];
      const double p0 = i == 1 ? 2 * ph[1] - ph[2] : ph[i - 1];
      const float delay = engine::Sng(-(ph[i] - p0) / ((fr[i] - f0) * 360));
      expected += ("\"" + engine::SingleText(engine::Sng(fr[i]), s) + "\",\"" +
                   engine::SingleText(engine::Sng(g.f.SweepGainDb[i]), s) + "\",\"" +
                   engine::DoubleText(ph[i], s) + "\",\"" + engine::SingleText(delay, s) +
                   "\"\r\n")
                      .toLatin1();
    }
    const auto file = graph::ChartDataFile(g.f);
    ASSERT_TRUE(file);
    EXPECT_EQ(*file, expected);
    const QByteArray firstFreq = sep == '.' ? "\"101.2193\"," : "\"101,2193\",";
    EXPECT_TRUE(file->mid(kHeader.size()).startsWith(firstFreq));

    // The first delay, from the extrapolated point, is the design's: the 3-pole Butterworth
    // (s + 1)(s^2 + s + 1) delays by 1/(1 + w^2) + (1 + w^2)/((1 - w^2)^2 + w^2) over 2 pi 1000
    // at w = f/1000; the phase continued linearly per step makes the quotient r = f2/f1 larger.
    const double w = fr[1] / 1000, w2 = w * w;
    const double tau = (1 / (1 + w2) + (1 + w2) / ((1 - w2) * (1 - w2) + w2)) /
                       (2 * engine::Pi * 1000) * (fr[2] / fr[1]);
    const QString line = QString::fromLatin1(file->split('\n')[1]).trimmed();
    const QStringList items = line.mid(1, line.size() - 2).split("\",\"");
    ASSERT_EQ(items.size(), 4) << line.toStdString();
    EXPECT_NEAR(engine::ParseNumber(items[3], s).value_or(0), tau, 1e-3 * tau)
        << line.toStdString();
  }
}

TEST(ChartExport, BandPassAndNotchExportTheSimulatedPlotOnlyWhileItIsValid) {
  for (const char* band : {"Band-Pass", "Notch"}) {
    GraphFixture g;
    g.showPassBandWithoutHandler(band);
    fillSweep(g.f);  // a computed sweep left behind is not this design's response
    g.f.PlotPoints = 2;
    g.f.SweepFreq[1] = 1000;
    g.f.SweepFreq[2] = 1100;
    g.f.SweepFreq[3] = 1200;
    g.f.PlotGain[0] = -3, g.f.PlotGain[1] = 0, g.f.PlotGain[2] = -3.5;
    g.f.SimPhase[0] = 45, g.f.SimPhase[1] = 0, g.f.SimPhase[2] = -45.25;
    g.f.PlotGroupDelay[0] = 0.001, g.f.PlotGroupDelay[1] = 0.002, g.f.PlotGroupDelay[2] = 0.0015;

    g.f.SimPlotValid = false;
    EXPECT_FALSE(graph::ChartDataFile(g.f)) << band;

    g.f.SimPlotValid = true;
    EXPECT_EQ(graph::ChartDataFile(g.f), kHeader +
                                             "\"1000\",\"-3\",\"45\",\"0.001\"\r\n"
                                             "\"1100\",\"0\",\"0\",\"0.002\"\r\n"
                                             "\"1200\",\"-3.5\",\"-45.25\",\"0.0015\"\r\n")
        << band;
  }
}

TEST(ChartExport, TheCommandAsksForTheFileAndWritesItWholeOrNotAtAll) {
  QTemporaryDir dir;
  const QString path = dir.filePath("chart.csv");
  const QByteArray old = "old contents\r\n";
  const QString question = "File already exists. Do you want to overwrite it?";

  GraphFixture g;
  fillSweep(g.f);
  const QByteArray bytes = *graph::ChartDataFile(g.f);
  auto& dialogs = g.fake.fileDialogs;
  auto& messages = g.fake.messages;

  // Cancelled: nothing is written.
  graph::SaveChartData_Click(g.f);
  ASSERT_EQ(dialogs.saved.size(), 1u);
  EXPECT_EQ(dialogs.saved[0].title, "Save Chart Data");
  EXPECT_EQ(dialogs.saved[0].filter, "Comma Separated Value (*.csv)|*.*");
  EXPECT_EQ(dialogs.saved[0].defaultSuffix, "csv");
  EXPECT_TRUE(QDir(dir.path()).isEmpty());
  EXPECT_TRUE(messages.shown.empty());

  // A new file.
  dialogs.saveAnswer = path;
  graph::SaveChartData_Click(g.f);
  EXPECT_EQ(readAll(path), bytes);
  EXPECT_TRUE(messages.shown.empty());

  // An existing file: No leaves it untouched, Yes replaces it.
  writeFile(path, old);
  messages.answers = {platform::AnswerNo};
  graph::SaveChartData_Click(g.f);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, question);
  EXPECT_EQ(messages.shown[0].title, "title");
  EXPECT_EQ(messages.shown[0].buttons, platform::Buttons::YesNo);
  EXPECT_EQ(messages.shown[0].icon, platform::Icon::Exclamation);
  EXPECT_EQ(g.f.MsgAnswer, platform::AnswerNo);
  EXPECT_EQ(readAll(path), old);

  messages.answers = {platform::AnswerYes};
  graph::SaveChartData_Click(g.f);
  EXPECT_EQ(readAll(path), bytes);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"chart.csv"});

  // A file that cannot be written: reported, nothing written, the sweep as it was.
  messages.shown.clear();
  dialogs.saveAnswer = dir.filePath("missing/chart.csv");
  const auto freq = g.f.SweepFreq;
  const auto phase = g.f.SweepPhase;
  graph::SaveChartData_Click(g.f);
  ASSERT_EQ(messages.texts(), QStringList{graph::kChartSaveFailed});
  EXPECT_EQ(messages.shown[0].title, "Calverdon");
  EXPECT_FALSE(QFileInfo::exists(dir.filePath("missing")));
  EXPECT_EQ(g.f.SweepFreq, freq);
  EXPECT_EQ(g.f.SweepPhase, phase);
}

TEST(ChartExport, NoResponseGivesAMessageAndNoDialog) {
  GraphFixture lowPass;  // nothing swept yet
  GraphFixture bandPass;
  bandPass.showPassBandWithoutHandler("Band-Pass");
  fillSweep(bandPass.f);  // not simulated
  for (GraphFixture* g : {&lowPass, &bandPass}) {
    g->fake.fileDialogs.saveAnswer = "/tmp/never-written.csv";
    graph::SaveChartData_Click(g->f);
    EXPECT_EQ(g->fake.messages.texts(), QStringList{graph::kNoChartData});
    EXPECT_TRUE(g->fake.fileDialogs.saved.empty());
  }
  EXPECT_FALSE(QFileInfo::exists("/tmp/never-written.csv"));
}
