// The values table and the value labels: row texts, placeholders, both value displays, the
// fully differential halving, and the sensitivities against the stage's closed-form fn and Q.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "cascade_design.h"
#include "designview/sensitivities.h"
#include "engine/engnotation.h"
#include "engine/numbertext.h"

namespace {

using engine::BuiltStage;

QString Eng(double v, const QString& units) {
  return engine::Engsuffix(float(v), 3, units, QLatin1Char('.'));
}
QString B(int n) { return QString(n, ' '); }
const QString kNone = QStringLiteral("--; --");

TEST(SensitivityText, FiguresAndTheirTexts) {
  struct Case {
    float b0, b1, a0, a1;
    QChar sep;
    const char* text;
  };
  const float w = 1000, q = 2, b1 = w / q;
  auto pair = [&](double fnFactor, double qFactor) {
    const double wa = w * fnFactor;
    return std::pair<float, float>(float(wa * wa), float(wa / (q * qFactor)));
  };
  const auto [a0p, a1p] = pair(1.01, 1.0);     // fn +1 %
  const auto [a0q, a1q] = pair(2.507, 1.0);  // fn +150.7 %
  const auto [a0n, a1n] = pair(0.995, 2.002);  // fn -0.5 %, Q +100.2 %
  const Case cases[] = {
      {w * w, b1, a0p, a1p, '.', "1.0  ; 0.0"},
      {w * w, b1, a0q, a1q, '.', " 150; 0.0"},
      {w * w, b1, a0n, a1n, ',', "-0,5  ;  100"},
      {w * w, b1, a0p, float(a1p * 1.01), '.', "1.0  ; -1.0"},  // a lower Q reads negative
      {1000, 0, 990.099f, 0, '.', "-1.0; --       "},  // a real pole
      {1000, 0, 1005, 0, ',', "0,5; --       "},
      {0, b1, a0p, a1p, '.', ""},  // no usable reference
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(designview::SensitivityText(c.b0, c.b1, c.a0, c.a1, c.sep), c.text);
  }
  EXPECT_EQ(designview::TrimLargeNumber("150.7  ", '.'), " 150");
  EXPECT_EQ(designview::TrimLargeNumber("-100,2", ','), "-100");
  EXPECT_EQ(designview::TrimLargeNumber("99.9", '.'), "99.9");
  EXPECT_EQ(engine::FormatFixed(-0.04, 1, 1, true, '.'), "0.0");
  EXPECT_EQ(engine::FormatFixed(2.0, 1, 3, true, ','), "2,0");
  EXPECT_EQ(engine::FormatFixed(1.23456, 1, 3, true, '.'), "1.235");
  EXPECT_EQ(engine::FormatFixed(-3.0103, 2, 2, true, '.'), "-3.01");
}

TEST(ValuesTable, FivePoleSallenKeyRowsInBothDisplays) {
  SequenceFixture s;
  mainwindow::CalverdonForm& f = s.f;
  CascadeDesign d;
  d.poles = 5;
  d.gains = {"1", "2"};
  d.values = false;  // labels show sensitivities, the table values
  const std::vector<BuiltStage> built = RunDesign(s, d);
  ASSERT_EQ(built.size(), 3u);
  EXPECT_EQ(f.Label40.Caption.size(), 100);
  EXPECT_EQ(f.Label40.Caption, "Section" + B(7) + "R1" + B(14) + "R2" + B(15) + "R3" + B(15) +
                                   "R4" + B(15) + "C1" + B(15) + "C2");
  EXPECT_TRUE(f.Text41.Text.isEmpty());
  EXPECT_TRUE(f.Text42.Text.isEmpty());
  const BuiltStage& real = built[0];
  const BuiltStage& a = built[1];  // unity gain
  const BuiltStage& b = built[2];  // gain 2
  const QString r = " ", c = "";
  EXPECT_EQ(f.Text43.Text, "Real" + B(6) + Eng(real.R1, r) + B(9) + kNone + B(13) + kNone + B(12) +
                               kNone + B(10) + Eng(real.C1, c));
  EXPECT_EQ(f.Text44.Text, "A    " + B(6) + Eng(a.R1, r) + B(9) + Eng(a.R2, r) + B(9) + B(2) +
                               kNone + B(4) + B(5) + B(4) + B(3) + kNone + B(2) + B(8) +
                               Eng(a.C1, c) + B(8) + Eng(a.C2, c));
  EXPECT_EQ(f.Text45.Text, "B    " + B(6) + Eng(b.R1, r) + B(9) + Eng(b.R2, r) + B(9) +
                               Eng(b.R3, r) + B(5) + B(4) + Eng(b.R4, r) + B(8) + Eng(b.C1, c) +
                               B(8) + Eng(b.C2, c));
  // Labels carry the sensitivity cells.
  EXPECT_TRUE(f.RealR.Caption.endsWith("; --       "));
  EXPECT_TRUE(f.R1[1].Caption.contains("; "));

  d.values = true;  // labels show values, the table sensitivities
  EXPECT_EQ(RunDesign(s, d).size(), 3u);
  EXPECT_EQ(f.RealR.Caption, Eng(real.R1, "   "));
  EXPECT_EQ(f.RealC.Caption, Eng(real.C1, "  "));
  EXPECT_EQ(f.R2[1].Caption, Eng(b.R2, "   "));
  EXPECT_EQ(f.C2L[1].Caption, Eng(b.C2, "  "));
  const QString realCell = "-1.0; --       ";  // R1 or C1 1 % larger: fn 1 % lower
  EXPECT_EQ(f.Text43.Text, "Real" + B(5) + realCell + B(7) + kNone + B(10) + kNone + B(10) +
                               kNone + B(8) + B(2) + realCell);
  // A unity-gain stage has no gain network to report.
  EXPECT_TRUE(f.Text44.Text.contains(B(6) + kNone + B(13) + kNone + B(6)));
  EXPECT_FALSE(f.Text45.Text.contains(kNone));
}

TEST(ValuesTable, HighPassMfbAndFullyDifferentialRows) {
  SequenceFixture s;
  mainwindow::CalverdonForm& f = s.f;
  CascadeDesign d;
  d.highPass = true;
  d.poles = 3;
  d.circuit = 0;
  d.values = false;
  std::vector<BuiltStage> built = RunDesign(s, d);
  ASSERT_EQ(built.size(), 2u);
  EXPECT_EQ(f.Label40.Caption.size(), 84);
  EXPECT_EQ(f.Label40.Caption, "Section" + B(7) + "R1" + B(15) + "R2" + B(15) + "C1" + B(15) +
                                   "C2" + B(15) + "C3");
  const double fc = f.DesignCutoff;
  auto res = [](double c, double f0) { return Eng(1 / (2 * M_PI * f0 * c), " "); };
  auto cap = [](double r, double fh) { return Eng(1 / (2 * M_PI * fh * r), ""); };
  const BuiltStage& real = built[0];
  const BuiltStage& a = built[1];
  const double fhReal = fc * fc / real.F0, fhA = fc * fc / a.F0;
  EXPECT_EQ(f.Text44.Text, "Real" + B(5) + res(real.C1, real.F0) + B(10) + kNone + B(13) + kNone +
                               B(8) + cap(real.R1, fhReal) + B(5));
  EXPECT_EQ(f.Text45.Text, "A    " + B(7) + res(a.C1, a.F0) + B(8) + res(a.C2, a.F0) + B(8) +
                               cap(a.R1, fhA) + B(9) + cap(a.R2, fhA) + B(9) + cap(a.R3, fhA));

  // Fully differential: the bridging capacitor C2 is shown halved, on the label and in the table.
  d.highPass = false;
  d.poles = 2;
  d.circuit = 2;
  d.values = false;
  built = RunDesign(s, d);
  ASSERT_EQ(built.size(), 1u);
  EXPECT_TRUE(f.Text45.Text.endsWith(B(8) + Eng(built[0].C2 / 2, "")));
  d.values = true;
  built = RunDesign(s, d);
  EXPECT_EQ(f.C2L[0].Caption, Eng(built[0].C2 / 2, "  "));

  // The fully differential real pole bridges the lines with C1/2 (low-pass) or with the
  // resistor exchanged for C1/2 (high-pass): each line sees half of the bridging part to the
  // virtual ground between the lines, so both keep the single-ended pole 1/(R C).
  d.poles = 3;
  for (const bool highPass : {false, true}) {
    SCOPED_TRACE(highPass);
    d.highPass = highPass;
    built = RunDesign(s, d);
    ASSERT_EQ(built.size(), 2u);
    const BuiltStage& pole = built[0];
    ASSERT_TRUE(pole.FirstOrder);
    if (!highPass) {
      EXPECT_EQ(f.RealR.Caption, Eng(pole.R1, "   "));
      EXPECT_EQ(f.RealC.Caption, Eng(pole.C1 / 2, "  "));
      continue;
    }
    const double fh = double(f.DesignCutoff) * f.DesignCutoff / pole.F0;
    const double lineC = 1 / (2 * M_PI * fh * pole.R1);
    const double bridgeR = 1 / (2 * M_PI * pole.F0 * pole.C1 / 2);
    EXPECT_EQ(f.RealR.Caption, Eng(lineC, "  "));
    EXPECT_EQ(f.RealC.Caption, Eng(bridgeR, "   "));
    // Read back from the labels, half the bridge with one line capacitor is the realised
    // real pole, fc^2 / fn of its prototype (three shown digits: within 1 %).
    const std::optional<double> shownC = engine::EngValue(f.RealR.Caption, '.');
    const std::optional<double> shownR = engine::EngValue(f.RealC.Caption, '.');
    ASSERT_TRUE(shownC && shownR);
    const double poleHz = 1 / (2 * M_PI * (*shownR / 2) * *shownC);
    const double cutoff = f.DesignCutoff;
    EXPECT_NEAR(poleHz / (2 * M_PI * cutoff * cutoff / f.PoleB0[pole.Section]), 1.0, 0.01);
  }
}

// fn and Q of a stage from its parts, written out for each topology.
struct FnQ {
  double fn, q;
};
FnQ ClosedForm(const BuiltStage& s) {
  const double r1 = double(s.R1) + s.SeriesR1;
  if (s.FirstOrder) return {1 / (2 * M_PI * r1 * s.C1), 0};
  double b0, b1;
  if (s.Mfb) {
    b0 = 1 / (double(s.R2) * s.R3 * s.C1 * s.C2);
    b1 = (1 / r1 + 1 / double(s.R2) + 1 / double(s.R3)) / s.C2;
  } else {
    const double k = s.R3 > 0 ? 1 + double(s.R4) / s.R3 : 1;
    b0 = 1 / (r1 * s.R2 * s.C1 * s.C2);
    b1 = 1 / (r1 * s.C2) + 1 / (double(s.R2) * s.C2) + (1 - k) / (double(s.R2) * s.C1);
  }
  return {std::sqrt(b0) / (2 * M_PI), std::sqrt(b0) / b1};
}

// The two figures of a sensitivity cell ("fn; Q", "fn; --").
std::pair<double, std::optional<double>> Figures(const QString& cell) {
  const QStringList parts = cell.split(';');
  EXPECT_EQ(parts.size(), 2) << cell.toStdString();
  if (parts.size() != 2) return {0, std::nullopt};
  const QString q = parts[1].trimmed();
  return {parts[0].trimmed().toDouble(),
          q == "--" ? std::nullopt : std::optional<double>(q.toDouble())};
}

TEST(ValuesTable, SensitivityLabelsMatchFiniteDifferencesOfFnAndQ) {
  for (const int circuit : {0, 1}) {
    SCOPED_TRACE(circuit);
    SequenceFixture s;
    mainwindow::CalverdonForm& f = s.f;
    CascadeDesign d;
    d.poles = 5;
    d.response = 2;
    d.circuit = circuit;
    d.resistors = "E96";
    d.gains = {"2", "1.5"};
    d.values = false;
    const std::vector<BuiltStage> built = RunDesign(s, d);
    ASSERT_EQ(built.size(), 3u);
    for (const BuiltStage& st : built) {
      SCOPED_TRACE(st.Section);
      const int i = f.SectionCount - st.Section - f.RealPoleShift;
      struct Item {
        float BuiltStage::*part;
        const forms::Label* label;
      };
      std::vector<Item> items;
      if (st.FirstOrder) {
        items = {{&BuiltStage::R1, &f.RealR}, {&BuiltStage::C1, &f.RealC}};
      } else {
        items = {{&BuiltStage::R1, &f.R1[i]}, {&BuiltStage::R2, &f.R2[i]},
                 {&BuiltStage::R3, &f.R3[i]}, {&BuiltStage::C1, &f.C1L[i]},
                 {&BuiltStage::C2, &f.C2L[i]}};
        if (circuit == 1) items.push_back({&BuiltStage::R4, &f.R4[i]});
      }
      const FnQ base = ClosedForm(st);
      for (const Item& it : items) {
        BuiltStage p = st;
        p.*it.part *= 1.01f;
        const FnQ moved = ClosedForm(p);
        const auto [fn, q] = Figures(it.label->Caption);
        SCOPED_TRACE(it.label->Caption.toStdString());
        EXPECT_NEAR(fn, (moved.fn / base.fn - 1) * 100, 0.051);
        ASSERT_EQ(q.has_value(), !st.FirstOrder);
        if (q) {
          EXPECT_NEAR(*q, (moved.q - base.q) / base.q * 100, 0.051);
        }
      }
    }
  }
}

}  // namespace
