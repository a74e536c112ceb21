// Our op-amp macromodel library: the form the model list reads, and every model simulated
// against the figures its comment block states (open-loop gain, gain-bandwidth, slew rate,
// output current) and checked stable as a unity-gain follower. The models are found by
// reading the file, so a model added later is covered too.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <map>
#include <ostream>

#include "support/spicesim.h"

#ifndef CALVERDON_MODEL_LIBRARY
#error "CALVERDON_MODEL_LIBRARY names the model library file"
#endif

namespace {

using spicetest::Complex;
using spicetest::Num;

struct LibraryModel {
  QString Name;
  QString SubcktLine;
  QStringList Comment;   // the "*" lines just before the .subckt line
  bool Ends = false;     // a ".ENDS" line follows before the next model
  bool EndMark = false;  // and after it a line with "END MODEL"
};

QStringList LibraryLines() {
  QFile f(QStringLiteral(CALVERDON_MODEL_LIBRARY));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return QString::fromLatin1(f.readAll()).remove(QLatin1Char('\r')).split(QLatin1Char('\n'));
}

// Test parameters print as their model name.
void PrintTo(const LibraryModel& m, std::ostream* os) { *os << m.Name.toStdString(); }

std::vector<LibraryModel> LibraryModels() {
  const QStringList lines = LibraryLines();
  std::vector<LibraryModel> models;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (lines[i].startsWith(QLatin1String(".subckt "))) {
      LibraryModel m;
      m.Name = lines[i].mid(8).section(QLatin1Char(' '), 0, 0);
      m.SubcktLine = lines[i];
      for (qsizetype c = i - 1; c >= 0 && lines[c].startsWith(QLatin1Char('*')); --c)
        m.Comment.prepend(lines[c]);
      models.push_back(m);
    } else if (!models.empty() && lines[i].startsWith(QLatin1String(".ENDS"))) {
      models.back().Ends = true;
    } else if (!models.empty() && models.back().Ends &&
               lines[i].contains(QLatin1String("END MODEL"))) {
      models.back().EndMark = true;
    }
  }
  return models;
}

// The total supply volts a name's code gives ("/30" 30 V, "/5_" 5 V); 0 for an unknown code,
// 30 for a name without one.
double SupplyVolts(const QString& name) {
  if (!name.contains(QLatin1Char('/'))) return 30;
  static const std::map<QString, double> codes = {
      {QStringLiteral("10"), 10}, {QStringLiteral("30"), 30}, {QStringLiteral("40"), 40},
      {QStringLiteral("1_"), 1},  {QStringLiteral("3_"), 3},  {QStringLiteral("5_"), 5}};
  const auto it = codes.find(name.section(QLatin1Char('/'), 1).left(2));
  return it == codes.end() ? 0 : it->second;
}

// A figure from the comment block line that starts with label, in SI units (dB as a plain
// ratio); nothing when the line or its unit is missing.
std::optional<double> Stated(const QStringList& comment, const QString& label) {
  static const QRegularExpression figure(
      QStringLiteral(R"(:\s*([0-9.]+(?:[eE][-+]?[0-9]+)?)\s*(dB|GHz|MHz|kHz|Hz|V/us|mA|A)\b)"));
  static const std::map<QString, double> scale = {
      {QStringLiteral("GHz"), 1e9}, {QStringLiteral("MHz"), 1e6}, {QStringLiteral("kHz"), 1e3},
      {QStringLiteral("Hz"), 1},    {QStringLiteral("V/us"), 1e6}, {QStringLiteral("mA"), 1e-3},
      {QStringLiteral("A"), 1}};
  for (const QString& line : comment) {
    if (!line.mid(1).trimmed().startsWith(label)) continue;
    const QRegularExpressionMatch m = figure.match(line);
    if (!m.hasMatch()) return std::nullopt;
    const double v = m.captured(1).toDouble();
    if (m.captured(2) == QLatin1String("dB")) return std::pow(10.0, v / 20.0);
    return v * scale.at(m.captured(2));
  }
  return std::nullopt;
}

const QString kGain = QStringLiteral("Open-loop gain");
const QString kGbw = QStringLiteral("Gain-bandwidth");
const QString kSlew = QStringLiteral("Slew rate");
const QString kSupply = QStringLiteral("Supply range");
const QString kOutput = QStringLiteral("Output current");

// The supplies and the library for a test circuit of the named model.
QString Preamble(const QString& title, const QString& name) {
  const double half = SupplyVolts(name) / 2;
  return QStringLiteral("* %1 %2\n.include \"%3\"\nvcc vcc 0 %4\nvee vee 0 %5\n")
      .arg(title, name, QStringLiteral(CALVERDON_MODEL_LIBRARY), Num(half), Num(-half));
}

TEST(ModelLibrary, EveryModelHasTheFormTheModelListReads) {
  const std::vector<LibraryModel> models = LibraryModels();
  ASSERT_GE(models.size(), 12u);
  static const QRegularExpression subckt(
      QStringLiteral(R"(^\.subckt [A-Z][A-Z0-9/_]* inp inn vcc vee out$)"));
  QSet<QString> names, families;
  bool fastBipolar = false, fastCmos = false;
  for (const LibraryModel& m : models) {
    SCOPED_TRACE(m.Name.toStdString());
    EXPECT_TRUE(subckt.match(m.SubcktLine).hasMatch()) << m.SubcktLine.toStdString();
    EXPECT_TRUE(m.Ends);
    EXPECT_TRUE(m.EndMark);
    EXPECT_FALSE(names.contains(m.Name));
    names.insert(m.Name);
    const QStringList prefixes = {QStringLiteral("KVR"), QStringLiteral("ZLN"),
                                  QStringLiteral("MQ"), QStringLiteral("MT")};
    const auto family = std::find_if(prefixes.begin(), prefixes.end(),
                                     [&](const QString& p) { return m.Name.startsWith(p); });
    EXPECT_NE(family, prefixes.end());
    if (family != prefixes.end()) families.insert(*family);
    EXPECT_GT(SupplyVolts(m.Name), 0.0);
    for (const QString& label : {kGain, kGbw, kSlew, kOutput})
      EXPECT_TRUE(Stated(m.Comment, label)) << label.toStdString();
    EXPECT_TRUE(std::any_of(m.Comment.begin(), m.Comment.end(),
                            [](const QString& l) { return l.contains(kSupply); }));
    fastBipolar = fastBipolar || m.Name.startsWith(QLatin1String("KVR9005"));
    fastCmos = fastCmos || (m.Name.startsWith(QLatin1String("ZLN")) && m.Name.size() > 7 &&
                            m.Name[7] == QLatin1Char('X'));
  }
  EXPECT_EQ(families.size(), 4);
  EXPECT_TRUE(fastBipolar);
  EXPECT_TRUE(fastCmos);
}

class Model : public testing::TestWithParam<LibraryModel> {};

// Open loop (the inverting input held at the output's DC level through a large resistor and a
// huge capacitor, the gain taken against the actual input difference) and as a follower.
TEST_P(Model, GainAndGainBandwidthAsStatedAndStableAsAFollower) {
  const LibraryModel& m = GetParam();
  const std::optional<double> gain = Stated(m.Comment, kGain);
  const std::optional<double> gbw = Stated(m.Comment, kGbw);
  ASSERT_TRUE(gain && gbw);
  const double fDominant = *gbw / *gain;
  const QString netlist = Preamble(QStringLiteral("open loop and follower"), m.Name) +
                          QStringLiteral(
                              "vina ina 0 dc 0 ac 1\n"
                              "xa ina fb vcc vee outa %1\n"
                              "rf outa fb 1g\n"
                              "cf fb 0 1k\n"
                              "vinb inb 0 dc 0 ac 1\n"
                              "xb inb outb vcc vee outb %1\n"
                              ".ac dec 20 %2 %3\n"
                              ".end\n")
                              .arg(m.Name, Num(fDominant / 30), Num(*gbw * 10));
  QString error;
  const std::optional<spicetest::AcSweep> sweep = spicetest::RunAc(netlist, &error);
  ASSERT_TRUE(sweep) << error.toStdString();
  const auto *outa = sweep->Node(QStringLiteral("outa")), *fb = sweep->Node(QStringLiteral("fb")),
             *ina = sweep->Node(QStringLiteral("ina")), *outb = sweep->Node(QStringLiteral("outb"));
  ASSERT_TRUE(outa && fb && ina && outb);
  const auto openLoop = [&](std::size_t i) { return (*outa)[i] / ((*ina)[i] - (*fb)[i]); };

  // Well below the dominant pole: the DC gain, non-inverting.
  RecordProperty("gain_dB", Num(20 * std::log10(std::abs(openLoop(0)))).toStdString());
  EXPECT_NEAR(std::abs(openLoop(0)), *gain, 0.1 * *gain);
  EXPECT_GT(openLoop(0).real(), 0.0);
  // A decade below the stated gain-bandwidth the gain falls as gain-bandwidth / frequency.
  std::size_t k = 0;
  for (std::size_t i = 0; i < sweep->Freq.size(); ++i)
    if (std::fabs(std::log(sweep->Freq[i] * 10 / *gbw)) <
        std::fabs(std::log(sweep->Freq[k] * 10 / *gbw)))
      k = i;
  RecordProperty("gbw_Hz", Num(std::abs(openLoop(k)) * sweep->Freq[k]).toStdString());
  EXPECT_NEAR(std::abs(openLoop(k)) * sweep->Freq[k], *gbw, 0.1 * *gbw);
  // The follower passes DC at unity gain and peaks by less than 3 dB.
  EXPECT_NEAR(std::abs((*outb)[0]), 1.0, 0.01);
  double peak = 0;
  for (const Complex& v : *outb) peak = std::max(peak, std::abs(v));
  RecordProperty("follower_peak_dB", Num(20 * std::log10(peak)).toStdString());
  EXPECT_LT(peak, std::pow(10.0, 3.0 / 20.0));
}

// A follower given a large step up and back down slews at the stated rate both ways; two more
// followers driven hard into 1 ohm loads deliver the stated output current, sourcing and
// sinking.
TEST_P(Model, SlewRateAndOutputCurrentAsStated) {
  const LibraryModel& m = GetParam();
  const std::optional<double> slew = Stated(m.Comment, kSlew);
  const std::optional<double> current = Stated(m.Comment, kOutput);
  ASSERT_TRUE(slew && current);
  const double half = SupplyVolts(m.Name) / 2;
  const double step = std::min(1.0, 0.4 * half);  // the input goes from -step to +step
  const double ts = 2 * step / *slew;             // slewing time of one edge
  const double up = ts / 10, down = up + 3 * ts, edge = ts / 100;
  const QString netlist =
      Preamble(QStringLiteral("step and short circuit"), m.Name) +
      QStringLiteral(
          "vins ins 0 pwl(0 %1 %2 %1 %3 %4 %5 %4 %6 %1)\n"
          "xs ins outs vcc vee outs %7\n"
          "vinp inp 0 %8\n"
          "xp inp outp vcc vee outp %7\n"
          "rp outp 0 1\n"
          "vinn inn 0 %9\n"
          "xn inn outn vcc vee outn %7\n"
          "rn outn 0 1\n")
          .arg(Num(-step), Num(up), Num(up + edge), Num(step), Num(down), Num(down + edge),
               m.Name, Num(half / 2), Num(-half / 2)) +
      QStringLiteral(".tran %1 %2 0 %1\n.end\n").arg(Num(ts / 200), Num(down + 3 * ts));
  QString error;
  const std::optional<spicetest::TranRun> run = spicetest::RunTran(netlist, &error);
  ASSERT_TRUE(run) << error.toStdString();
  const auto *outs = run->Node(QStringLiteral("outs")), *outp = run->Node(QStringLiteral("outp")),
             *outn = run->Node(QStringLiteral("outn"));
  ASSERT_TRUE(outs && outp && outn && run->Time.size() > 2);
  double rise = 0, fall = 0;
  for (std::size_t i = 1; i < run->Time.size(); ++i) {
    const double dt = run->Time[i] - run->Time[i - 1];
    if (dt <= 0) continue;
    const double rate = ((*outs)[i] - (*outs)[i - 1]) / dt;
    rise = std::max(rise, rate);
    fall = std::min(fall, rate);
  }
  const auto both = [](double a, double b) {
    return (Num(a) + QLatin1Char('/') + Num(b)).toStdString();
  };
  RecordProperty("slew_V_per_us", both(rise / 1e6, -fall / 1e6));
  RecordProperty("current_mA", both(outp->back() * 1e3, -outn->back() * 1e3));
  EXPECT_NEAR(rise, *slew, 0.1 * *slew);
  EXPECT_NEAR(-fall, *slew, 0.1 * *slew);
  EXPECT_NEAR(outp->back(), *current, 0.1 * *current);  // volts across 1 ohm
  EXPECT_NEAR(-outn->back(), *current, 0.1 * *current);
}

INSTANTIATE_TEST_SUITE_P(Library, Model, testing::ValuesIn(LibraryModels()),
                         [](const testing::TestParamInfo<LibraryModel>& param) {
                           QString name = param.param.Name;
                           return name.replace(QLatin1Char('/'), QLatin1Char('_')).toStdString();
                         });

}  // namespace
