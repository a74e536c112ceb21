// The chart data of a simulated band-pass and notch design: the points of the simulated plot.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/numbertext.h"
#include "graph/chartexport.h"
#include "simulation_fixture.h"

TEST(SimulatedChartData, BandPassAndNotchFilesHoldThePlottedPoints) {
  for (const char* band : {"Band-Pass", "Notch"}) {
    SCOPED_TRACE(band);
    SimulationFixture s;
    BPNotchDesign d;
    d.band = QString::fromLatin1(band);
    d.stages = QStringLiteral("2");
    d.q = QStringLiteral("5");
    const QString gain = d.band == "Notch" ? QString() : QStringLiteral("1");
    d.rows = {{"1k", "5", gain}, {"1k", "5", gain}};
    RunBPNotchDesign(s, d);
    const mainwindow::CalverdonForm& f = s.f;
    ASSERT_TRUE(f.SimPlotValid) << s.fake.messages.texts().join("\n").toStdString();

    const auto file = graph::ChartDataFile(f);
    ASSERT_TRUE(file);
    const QList<QByteArray> lines = file->split('\n');
    ASSERT_EQ(lines.size(), f.PlotPoints + 3);  // header, points 0..N, and the end of the last
    // The point nearest the centre: the peak of the band-pass, the dip of the notch.
    int centre = 0;
    auto offCentre = [&f](int k) { return std::abs(f.SweepFreq[size_t(k + 1)] - 1000); };
    for (int k = 0; k <= f.PlotPoints; ++k)
      if (offCentre(k) < offCentre(centre)) centre = k;
    const QStringList items =
        QString::fromLatin1(lines[centre + 1]).trimmed().remove('"').split(',');
    ASSERT_EQ(items.size(), 4);
    EXPECT_NEAR(engine::NumberIn(items[0], '.'), 1000, 15);
    const double db = engine::NumberIn(items[1], '.');
    if (d.band == "Notch")
      EXPECT_LT(db, -30);
    else
      EXPECT_NEAR(db, 0, 0.5);
    const double phase = f.SimPhase[size_t(centre)];
    EXPECT_NEAR(engine::NumberIn(items[2], '.'), phase, 1e-12 * std::max(1.0, std::abs(phase)));
  }
}
