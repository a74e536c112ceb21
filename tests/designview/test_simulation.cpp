// Band-pass and notch designs simulated on every change, with ngspice inside the process and
// as a program: the plotted response, its readouts and measured Q, the netlists the window
// writes, and every way a simulation can fail.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <cmath>
#include <complex>

#include "designview/simulationrun.h"
#include "engine/rounding.h"
#include "engine/sectionresponse.h"
#include "graph/traces.h"
#include "simulation_fixture.h"
#include "spice/netlist.h"
#include "spice/netlistexport.h"
#include "spice/rawfile.h"
#include "support/readouts.h"
#include "support/spicesim.h"
#include "mainwindow/opampsupply.h"

namespace {

using Complex = std::complex<double>;

BPNotchDesign bandPass(int stages, const QString& centre, const QString& q) {
  BPNotchDesign d;
  d.stages = QString::number(stages);
  d.centre = centre;
  d.q = q;
  for (int i = 0; i < stages; ++i) d.rows.push_back({centre, q, QStringLiteral("1")});
  return d;
}

BPNotchDesign notch(int stages, const QString& centre, const QString& q) {
  BPNotchDesign d = bandPass(stages, centre, q);
  d.band = QStringLiteral("Notch");
  for (BPNotchRow& r : d.rows) r.gain.clear();
  return d;
}

// The output column's response as the window holds it after the run.
std::vector<Complex> plotted(const mainwindow::CalverdonForm& f) {
  std::vector<Complex> h;
  for (size_t k = 0; k < f.SimReal.size(); ++k)
    h.emplace_back(f.SimReal[k][size_t(f.SimColumn)], f.SimImag[k][size_t(f.SimColumn)]);
  return h;
}
std::vector<double> frequencies(const mainwindow::CalverdonForm& f) {
  std::vector<double> fr;
  for (const auto& point : f.SimReal) fr.push_back(point[0]);
  return fr;
}

// The -3 dB bandwidth of a peak (or of a dip, below the level `passDb`), interpolated on
// log frequency and dB between the simulated points.
double qOf(const std::vector<double>& fr, const std::vector<Complex>& h, bool dip) {
  std::vector<double> db;
  for (const Complex& c : h) db.push_back(20 * std::log10(std::abs(c)));
  size_t c = 0;
  for (size_t k = 1; k < db.size(); ++k)
    if (dip ? db[k] < db[c] : db[k] > db[c]) c = k;
  const double level = dip ? db[2] - 3 : db[c] - 3;
  auto cross = [&](int step) {
    size_t k = c;
    while (k + step < db.size() && (dip ? db[k + step] <= level : db[k + step] >= level)) k += step;
    const size_t o = k + step;
    const double t = (level - db[k]) / (db[o] - db[k]);
    return std::pow(10.0, std::log10(fr[k]) + t * (std::log10(fr[o]) - std::log10(fr[k])));
  };
  return fr[c] / (cross(1) - cross(-1));
}

TEST(Simulation, BandPassPeaksAtItsCentreWithTheQOfItsSimulatedPoints) {
  for (const int stages : {1, 2, 3, 4, 5})
    for (const QString& centre : {QStringLiteral("1k"), QStringLiteral("10k")}) {
      SCOPED_TRACE(QStringLiteral("%1 stages at %2").arg(stages).arg(centre).toStdString());
      SimulationFixture s;
      RunBPNotchDesign(s, bandPass(stages, centre, QStringLiteral("5")));
      const mainwindow::CalverdonForm& f = s.f;
      EXPECT_TRUE(s.fake.messages.shown.empty()) << s.fake.messages.texts().join("\n").toStdString();
      ASSERT_TRUE(f.SimResultsReady);
      ASSERT_TRUE(f.SimPlotValid);
      // One segment for every step of the simulated gain that reaches above the bottom of
      // the axis, once: a second drawing of the same run adds none.
      const graph::GainScale axis = graph::GainScaleFromLabels(f);
      int above = 0;
      for (int k = 1; k <= f.PlotPoints; ++k)
        above += std::max(f.PlotGain[size_t(k - 1)], f.PlotGain[size_t(k)]) > axis.bottomDb;
      EXPECT_GT(above, 30) << "the gain above the bottom of the axis";
      EXPECT_EQ(s.segments(f.GainTraceColor), above);

      const double fc = engine::EngValue(centre, '.').value();
      int peak = 0;
      for (int k = 1; k <= f.PlotPoints; ++k)
        if (f.PlotGain[size_t(k)] > f.PlotGain[size_t(peak)]) peak = k;
      EXPECT_NEAR(f.SweepFreq[size_t(peak + 1)] / fc, 1.0, 0.005);

      const double q = qOf(frequencies(f), plotted(f), false);
      const double shown = engine::EngValue(f.Qtotal.Text, '.').value_or(0);
      EXPECT_NEAR(shown / q, 1.0, 0.02) << "shown " << shown << ", from the points " << q;
      // A cascade of equal stages of Q 5 narrows by sqrt(2^(1/n) - 1); five stages span only
      // three or four of the 100 points per decade between their -3 dB points.
      EXPECT_NEAR(q, 5 / std::sqrt(std::pow(2.0, 1.0 / stages) - 1), 0.05 * q);
    }
}

TEST(Simulation, NotchDipsAtItsCentre) {
  for (const int stages : {1, 2, 5}) {
    SCOPED_TRACE(stages);
    SimulationFixture s;
    BPNotchDesign d = notch(stages, QStringLiteral("1k"), QStringLiteral("2"));
    RunBPNotchDesign(s, d);
    const mainwindow::CalverdonForm& f = s.f;
    EXPECT_TRUE(s.fake.messages.shown.empty()) << s.fake.messages.texts().join("\n").toStdString();
    ASSERT_TRUE(f.SimPlotValid);
    int dip = 0;
    for (int k = 1; k <= f.PlotPoints; ++k)
      if (f.PlotGain[size_t(k)] < f.PlotGain[size_t(dip)]) dip = k;
    EXPECT_NEAR(f.SweepFreq[size_t(dip + 1)], 1000, 5);
    EXPECT_LT(f.PlotGain[size_t(dip)], -40);
    EXPECT_NEAR(f.PlotGain[2], 0, 0.5) << "the pass band left of the notch";
    const double shown = engine::EngValue(f.Qtotal.Text, '.').value_or(0);
    EXPECT_NEAR(shown / qOf(frequencies(f), plotted(f), true), 1.0, 0.02);
  }
}

}  // namespace

namespace {

struct BatchRun {
  int exitCode = -1;
  QStringList errors;  // output lines that report an error
  spice::RawFile raw;
};

// Runs a netlist file the window wrote in the ngspice program, as an engineer would.
BatchRun runBatch(const QString& netlist, const QString& folder) {
  BatchRun b;
  const QString rawPath = folder + QStringLiteral("/check.raw");
  QFile::remove(rawPath);
  QProcess p;
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.setWorkingDirectory(folder);
  p.start(QStringLiteral(NGSPICE_PROGRAM),
          {"-D", "filetype=ascii", "-r", rawPath, "-b", netlist});
  if (!p.waitForFinished(120000)) return b;  // a loaded machine may be slow
  b.exitCode = p.exitCode();
  for (const QString& l : QString::fromLocal8Bit(p.readAll()).split('\n'))
    if (l.trimmed().startsWith(QLatin1String("error"), Qt::CaseInsensitive)) b.errors << l;
  QFile raw(rawPath);
  if (raw.open(QIODevice::ReadOnly)) b.raw = spice::ReadRawFile(raw.readAll());
  return b;
}

// The netlist text of a file the window wrote: inside its framing quotes.
QString fileText(const QString& path) {
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
  QString t = QString::fromLatin1(file.readAll());
  EXPECT_TRUE(t.startsWith('"') && t.endsWith(QStringLiteral("\"\r\n")));
  return t.mid(1, t.size() - 4);
}

struct EngineRun {
  QStringList names;
  std::vector<std::vector<Complex>> values;  // by vector, then point
};
EngineRun results(const spice::SpiceEngine& e) {
  const spice::SimResults& all = e.results();
  EngineRun r{all.Names, std::vector<std::vector<Complex>>(size_t(all.vectors()))};
  for (const auto& point : all.Values)
    for (size_t j = 0; j < point.size() && j < r.values.size(); ++j) r.values[j].push_back(point[j]);
  return r;
}

TEST(Simulation, EveryNetlistTheWindowWritesRunsWithoutAnError) {
  const QStringList models = {"Ideal Op Amp", "KVR1202/30", "ZLN2060/5_", "MQ6100/30"};
  struct Layout {
    QString band, file;
    int simulator;
  };
  for (const Layout& l : {Layout{"Band-Pass", "bandpass.cir", 0}, Layout{"Band-Pass", "Model.cir", 1},
                          Layout{"Notch", "notch.cir", 2}})
    for (const QString& model : models)
      for (int stages = 1; stages <= 5; ++stages) {
        SCOPED_TRACE(QStringLiteral("%1, %2, %3 stages").arg(l.file, model).arg(stages).toStdString());
        SimulationFixture s;
        s.chooseSimulator(l.simulator);
        s.chooseModel(model);
        mainwindow::OpAmpModel_Click(s.f);
        BPNotchDesign d = l.band == "Notch" ? notch(stages, "10k", "2") : bandPass(stages, "10k", "3");
        RunBPNotchDesign(s, d);
        EXPECT_TRUE(s.fake.messages.shown.empty()) << s.fake.messages.texts().join("\n").toStdString();
        EXPECT_TRUE(s.f.SimPlotValid);
        const BatchRun b = runBatch(s.userFile(l.file), s.userDir.path());
        EXPECT_EQ(b.exitCode, 0);
        EXPECT_TRUE(b.errors.isEmpty()) << b.errors.join("\n").toStdString();
        ASSERT_TRUE(b.raw.First) << b.raw.Error.toStdString();
        EXPECT_GE(b.raw.First->Results.Values.size(), 300u);
      }
}

TEST(Simulation, BothEnginesGiveTheSameResponseForEveryLayout) {
  struct Layout {
    QString band, file;
    int simulator;
  };
  for (const Layout& l : {Layout{"Band-Pass", "bandpass.cir", 0}, Layout{"Band-Pass", "Model.cir", 1},
                          Layout{"Notch", "notch.cir", 2}}) {
    SCOPED_TRACE(l.file.toStdString());
    SimulationFixture s;
    s.chooseSimulator(l.simulator);
    RunBPNotchDesign(s, l.band == "Notch" ? notch(3, "1k", "2") : bandPass(3, "1k", "4"));
    const QString path = s.userFile(l.file);
    spice::SpiceEngine& inside = *s.f.SimulatorInProcess;
    inside.putNetlist({fileText(path), {}, {}, {}});
    const spice::SimulationStatus st = inside.run();
    ASSERT_TRUE(st.Ok) << st.Error.toStdString() << "\n" << inside.textOutput().toStdString();
    const EngineRun a = results(inside);
    spice::SpiceEngine& outside = s.program;
    outside.putNetlist({{}, path, s.userFile("XSoutput.out"), s.userDir.path()});
    ASSERT_TRUE(outside.run().Ok);
    const EngineRun b = results(outside);
    int compared = 0;
    for (qsizetype i = 0; i < a.names.size(); ++i) {
      const qsizetype j = b.names.indexOf(a.names[i]);
      if (j < 0) continue;
      ASSERT_EQ(a.values[size_t(i)].size(), b.values[size_t(j)].size());
      double scale = 0;
      for (const Complex& c : a.values[size_t(i)]) scale = std::max(scale, std::abs(c));
      for (size_t p = 0; p < a.values[size_t(i)].size(); ++p) {
        const Complex x = a.values[size_t(i)][p], y = b.values[size_t(j)][p];
        EXPECT_LE(std::abs(i == 0 ? x.real() - y.real() : std::abs(x - y)), 1e-6 * scale + 1e-300)
            << a.names[i].toStdString() << " at point " << p;
      }
      ++compared;
    }
    EXPECT_GE(compared, 4) << "the source, stage outputs and inner nodes of both runs";
    EXPECT_TRUE(a.names.contains(l.band == "Notch" ? "node390" : "node390"));
  }
}

// The readouts at the response frequency are the circuit's response there: the written
// netlist run again at exactly that frequency (a one-point sweep), for response frequencies
// between the simulated points and for one on a simulated point (1 kHz, a point whose own
// frequency may come out a rounding below the response frequency).
TEST(Simulation, ReadoutIsTheWrittenCircuitsResponseAtTheResponseFrequency) {
  struct Case {
    BPNotchDesign design;
    std::vector<const char*> at;
  };
  BPNotchDesign wide = bandPass(4, QStringLiteral("1.23k"), QStringLiteral("1"));
  wide.capacitors = QStringLiteral("E24");
  for (BPNotchRow& r : wide.rows) r.gain.clear();
  BPNotchDesign staggered = bandPass(3, QStringLiteral("10k"), QStringLiteral("2"));
  staggered.rows[0].fn = QStringLiteral("9.7k");
  staggered.rows[2].fn = QStringLiteral("10.3k");
  const Case cases[] = {
      {wide, {"1k", "1.5k", "2.7k", "333"}},
      {staggered, {"9.5k", "10.1k", "12k"}},
      {notch(3, QStringLiteral("1k"), QStringLiteral("2")), {"1.2k", "700", "1.5k"}},
  };
  for (const Case& c : cases) {
    SimulationFixture s;
    mainwindow::CalverdonForm& f = s.f;
    RunBPNotchDesign(s, c.design);
    for (const char* at : c.at) {
      SCOPED_TRACE(QStringLiteral("%1, %2 stages, at %3")
                       .arg(c.design.band, c.design.stages, QLatin1String(at))
                       .toStdString());
      f.RespF.Text = QLatin1String(at);
      f.SequenceUpdateScreen();
      ASSERT_TRUE(f.SimPlotValid) << s.fake.messages.texts().join("\n").toStdString();
      const double hertz = engine::EngValue(QLatin1String(at), '.').value();

      QString netlist = f.NetlistText;
      netlist.replace(QRegularExpression(QStringLiteral("^\\.AC [^\\r\\n]*"),
                                         QRegularExpression::MultilineOption),
                      QStringLiteral(".AC LIN 1 %1 %1").arg(spicetest::Num(hertz)));
      spice::SpiceEngine& inside = *f.SimulatorInProcess;
      inside.putNetlist({netlist, {}, {}, {}});
      const spice::SimulationStatus st = inside.run();
      ASSERT_TRUE(st.Ok) << st.Error.toStdString();
      const spice::SimResults& r = inside.results();
      const std::optional<int> out = r.vectorIndex(QStringLiteral("node%1").arg(f.PoleCount * 100 + 90));
      ASSERT_TRUE(out.has_value());
      ASSERT_EQ(r.points(), 1);
      ASSERT_NEAR(r.Values[0][0].real() / hertz, 1.0, 1e-9);
      const Complex h = r.Values[0][size_t(*out)];
      // Within 0.05 dB and 0.5 degrees, besides the captions' one decimal.
      EXPECT_NEAR(ReadoutNumber(f.GainF[5]), 20 * std::log10(std::abs(h)), 0.05 + 0.05)
          << f.GainF[5].Caption.toStdString();
      const double degrees = ReadoutNumber(f.PhaseF[5]);
      EXPECT_NEAR(std::remainder(degrees - std::arg(h) * 180 / engine::Pi, 360.0), 0, 0.5 + 0.05)
          << f.PhaseF[5].Caption.toStdString();
    }
  }
}

TEST(Simulation, LowPassNetlistOfTestSpiceGivesTheComputedResponse) {
  for (const int poles : {3, 4, 7}) {
    SCOPED_TRACE(poles);
    SimulationFixture s;
    mainwindow::CalverdonForm& f = s.f;
    f.Text18.Text = QString::number(poles);
    f.Text34.Text = "1k";
    SelectEntry(f.CircuitType, "Sallen -Key");
    s.showPassBandWithoutHandler("Low-Pass");
    f.SequenceUpdateScreen();
    designview::RunSpice_Click(f);
    EXPECT_TRUE(s.fake.messages.shown.empty()) << s.fake.messages.texts().join("\n").toStdString();
    ASSERT_TRUE(QFile::exists(s.userFile("10pSKModels.lib")));
    const BatchRun b = runBatch(s.userFile("10pSK.cir"), s.userDir.path());
    EXPECT_EQ(b.exitCode, 0);
    EXPECT_TRUE(b.errors.isEmpty()) << b.errors.join("\n").toStdString();
    ASSERT_TRUE(b.raw.First) << b.raw.Error.toStdString();
    const spice::RawPlot& ac = *b.raw.First;
    const QString out = QStringLiteral("v(node%1)").arg((poles / 2 + 1) * 100 + 90);
    qsizetype column = -1;
    for (qsizetype v = 0; v < ac.Variables.size(); ++v)
      if (spice::RawVariableName(ac.Variables[v]) == out) column = v;
    ASSERT_GE(column, 0) << out.toStdString();
    const auto& values = ac.Results.Values;
    for (size_t p = 0; p < values.size(); p += values.size() / 10) {
      const double fr = values[p][0].real();
      double computed = 0;
      for (int k = 1; k <= f.SectionCount; ++k)
        computed += engine::Response(f.PoleB0[k], f.PoleB1[k], float(fr)).GainDb +
                    20 * std::log10(double(f.StageGainActual[k]));
      EXPECT_NEAR(20 * std::log10(std::abs(values[p][size_t(column)])), computed, 0.05)
          << "at " << fr << " Hz";
    }
  }
}

}  // namespace

namespace {

TEST(Simulation, TestSpiceUseSpiceAndTheTraceSwitches) {
  SimulationFixture s;
  mainwindow::CalverdonForm& f = s.f;
  spice::RegisterSimulationHandlers(f);

  // A high-pass design has no netlist: "Test Spice" writes nothing and says nothing.
  f.Text1.Text = "4";
  f.Text2.Text = "1k";
  s.showPassBandWithoutHandler("High-Pass");
  f.SequenceUpdateScreen();
  f.raise(f.RunSpice, forms::Event::Click);
  EXPECT_TRUE(QDir(s.userDir.path()).isEmpty());
  EXPECT_TRUE(s.fake.messages.shown.empty());

  // The low-pass layout for Sallen-Key stages, from one to ten poles, runs without an error.
  SelectEntry(f.CircuitType, "Sallen -Key");
  s.showPassBandWithoutHandler("Low-Pass");
  for (int poles = 1; poles <= 10; ++poles) {
    SCOPED_TRACE(poles);
    f.Text18.Text = QString::number(poles);
    f.SequenceUpdateScreen();
    f.raise(f.RunSpice, forms::Event::Click);
    const BatchRun b = runBatch(s.userFile("10pSK.cir"), s.userDir.path());
    EXPECT_EQ(b.exitCode, 0);
    EXPECT_TRUE(b.errors.isEmpty()) << b.errors.join("\n").toStdString();
  }

  // With no trace shown nothing is written, run or read back.
  RunBPNotchDesign(s, bandPass(2, "1k", "2"));
  ASSERT_TRUE(f.SimPlotValid);
  QFile::remove(s.userFile("Model.cir"));
  f.ShowGainTrace.Checked = f.ShowPhaseTrace.Checked = f.ShowGDTrace.Checked = false;
  f.SequenceUpdateScreen();
  EXPECT_FALSE(QFile::exists(s.userFile("Model.cir")));
  EXPECT_FALSE(f.SimResultsReady);

  // "Use Spice" turns its check mark over and recomputes once.
  const int before = s.sequences;
  const bool checked = f.UseSpice.Checked;
  f.raise(f.UseSpice, forms::Event::Click);
  EXPECT_NE(f.UseSpice.Checked, checked);
  EXPECT_EQ(s.sequences, before + 1);
  EXPECT_TRUE(s.fake.messages.shown.empty()) << s.fake.messages.texts().join("\n").toStdString();
}

}  // namespace

namespace {

TEST(Simulation, OnlyTheSimulatedDesignsShowTheSimulationModel) {
  SimulationFixture s;
  for (const auto& [band, shown] : std::initializer_list<std::pair<const char*, bool>>{
           {"Low-Pass", false}, {"Band-Pass", true}, {"Wide Band-Pass", false}, {"Notch", true},
           {"High-Pass", false}, {"Notch", true}, {"Band-Reject", false}}) {
    SCOPED_TRACE(band);
    s.showPassBandWithoutHandler(band);
    s.f.SequenceUpdateScreen();
    EXPECT_EQ(s.f.XSpiceModelInfo.Visible, shown);
  }
}

}  // namespace
