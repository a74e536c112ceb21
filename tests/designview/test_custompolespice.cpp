// A "Custom Fn&Q" design of 6 poles whose three sections are entered through the pole-pair
// dialog, one in each format, then synthesised: every stage, built in ngspice from its value
// labels with an ideal amplifier, has the frequency and Q that were entered; and a real pole
// entered as its pole.
#include <gtest/gtest.h>

#include <cmath>

#include "cascade_design.h"
#include "engine/engnotation.h"
#include "engine/rounding.h"
#include "mainwindow/handlers.h"
#include "mainwindow/polepairdialog.h"
#include "support/spicesim.h"

namespace {

using mainwindow::PoleEntryFormat;
using spicetest::Num;

struct Section {
  double fn, q;
  PoleEntryFormat format;
};
const Section kSections[] = {{700, 0.6, PoleEntryFormat::ComplexTerms},
                             {1300, 1.8, PoleEntryFormat::PoleLocations},
                             {2200, 4.5, PoleEntryFormat::FnAndQ}};

// The two entries of a section in its format, the complex terms and coefficients normalised
// to the design frequency.
std::pair<double, double> entriesOf(const Section& s, double fc) {
  const double u = s.fn / fc;
  const double a = u / (2 * s.q);
  switch (s.format) {
    case PoleEntryFormat::ComplexTerms:
      return {a, std::sqrt(u * u - a * a)};
    case PoleEntryFormat::PoleLocations:
      return {u * u, u / s.q};
    case PoleEntryFormat::FnAndQ:
      break;
  }
  return {s.fn, s.q};
}

double labelValue(const forms::Label& l, QChar sep) {
  return engine::EngValue(l.Caption, sep).value_or(0.0);
}

// The cards of stage row i from its value labels, from node "in" to node out. In a high-pass
// stage the labels R1, R2 (and R3 of MFB) are capacitors and C1, C2 resistors.
QString stageCards(const mainwindow::CalverdonForm& f, int i, bool mfb, bool highPass,
                   const QString& out) {
  const QChar sep = f.DecimalSep;
  const QString t = QString::number(i);
  auto part = [&](const char* label, bool resistorInLowPass, const QString& a, const QString& b,
                  const forms::Label& value) {
    const bool resistor = resistorInLowPass != highPass;
    return QString(QLatin1Char(resistor ? 'R' : 'C')) + QLatin1String(label) + t + ' ' + a +
           ' ' + b + ' ' + Num(labelValue(value, sep)) + '\n';
  };
  const QString a = "a" + t, b = "b" + t;
  QString c = part("R1", true, "in", a, f.R1[i]);
  if (mfb) {
    c += part("R2", true, a, out, f.R2[i]);
    c += part("R3", true, a, b, f.R3[i]);
    c += part("C1", false, b, out, f.C1L[i]);
    c += part("C2", false, a, "0", f.C2L[i]);
    c += QStringLiteral("E%1 %2 0 0 %3 1e9\n").arg(t, out, b);
  } else {
    c += part("R2", true, a, b, f.R2[i]);
    c += part("C1", false, b, "0", f.C1L[i]);
    c += part("C2", false, a, out, f.C2L[i]);
    c += QStringLiteral("E%1 %2 0 %3 %2 1e9\n").arg(t, out, b);  // unity-gain follower
  }
  return c;
}

TEST(CustomPolePairsAgainstSpice, EachStageHasTheFrequencyAndQEnteredInTheDialog) {
  struct Design {
    int circuit;  // 0 MFB single-ended, 1 Sallen-Key
    bool highPass;
    QChar sep;
  };
  for (const Design& design : {Design{1, false, QLatin1Char('.')},
                               Design{0, false, QLatin1Char(',')},
                               Design{1, true, QLatin1Char('.')}}) {
    SCOPED_TRACE(testing::Message() << (design.circuit ? "Sallen-Key " : "MFB ")
                                    << (design.highPass ? "high-pass" : "low-pass"));
    SequenceFixture s(design.sep);
    mainwindow::CalverdonForm& f = s.f;
    mainwindow::RegisterHandlers(f);
    CascadeDesign d;
    d.poles = 6;
    d.circuit = design.circuit;
    d.highPass = design.highPass;
    RunDesign(s, d);
    f.TypeFilter.SetText("Custom Fn&Q");
    const double fc = f.DesignCutoff;
    ASSERT_EQ(fc, 1000.0f);

    for (int row = 0; row < 3; ++row) {
      const Section& section = kSections[row];
      ASSERT_TRUE(f.QInput[row].Visible) << row;
      f.raise(f.FnInput[row], forms::Event::DblClick);
      ASSERT_TRUE(f.PolePairEntry);
      mainwindow::PolePairEntryForm& dialog = *f.PolePairEntry;
      dialog.DataType.SetListIndex(static_cast<int>(section.format));
      const auto [x, y] = entriesOf(section, fc);
      dialog.Text1.Text = QString::number(x, 'g', 9).replace('.', design.sep);
      dialog.Text2.Text = QString::number(y, 'g', 9).replace('.', design.sep);
      dialog.raise(dialog.Command1, forms::Event::Click);
    }
    ASSERT_TRUE(s.fake.messages.shown.empty());

    QString net = QStringLiteral("custom sections\nVin in 0 AC 1\n");
    for (int row = 0; row < 3; ++row)
      net += stageCards(f, row, design.circuit == 0, design.highPass, QStringLiteral("o%1").arg(row));
    net += QStringLiteral(".ac dec 200 %1 %2\n.end\n").arg(Num(fc / 20), Num(fc * 20));
    QString error;
    std::optional<spicetest::AcSweep> sweep = spicetest::RunAc(net, &error);
    if (!sweep) sweep = spicetest::RunAc(net, &error);  // a rare unreadable raw file
    ASSERT_TRUE(sweep.has_value()) << error.toStdString() << "\n" << net.toStdString();
    for (int row = 0; row < 3; ++row) {
      const Section& section = kSections[row];
      const auto* h = sweep->Node(QStringLiteral("o%1").arg(row));
      ASSERT_NE(h, nullptr);
      const auto fit = spicetest::FitSecondOrder(sweep->Freq, *h, section.fn);
      ASSERT_TRUE(fit.has_value()) << row;
      EXPECT_NEAR(fit->F0() / section.fn, 1, 0.01) << "stage " << row << "\n" << net.toStdString();
      EXPECT_NEAR(fit->Q() / section.q, 1, 0.01) << "stage " << row << "\n" << net.toStdString();
    }
  }
}

// A real pole entered as its pole -a (or its coefficient b0) is built at a * fc: the RC of the
// first-order stage, read from its value labels, has its corner there.
TEST(CustomPolePairs, ARealPoleEnteredAsItsPoleIsBuiltThere) {
  for (PoleEntryFormat format : {PoleEntryFormat::ComplexTerms, PoleEntryFormat::PoleLocations}) {
    SequenceFixture s;
    mainwindow::CalverdonForm& f = s.f;
    mainwindow::RegisterHandlers(f);
    CascadeDesign d;
    d.poles = 3;
    RunDesign(s, d);
    f.TypeFilter.SetText("Custom Fn&Q");
    ASSERT_FALSE(f.QInput[0].Visible);
    f.raise(f.FnInput[0], forms::Event::DblClick);
    ASSERT_TRUE(f.PolePairEntry);
    mainwindow::PolePairEntryForm& dialog = *f.PolePairEntry;
    dialog.DataType.SetListIndex(static_cast<int>(format));
    dialog.Text1.Text = "0.6";
    dialog.raise(dialog.Command1, forms::Event::Click);
    EXPECT_EQ(f.FnInput[0].Text, "600.00Hz");
    const double corner = 1 / (2 * engine::Pi * labelValue(f.RealR, f.DecimalSep) *
                               labelValue(f.RealC, f.DecimalSep));
    EXPECT_NEAR(corner / 600, 1, 0.01) << f.RealR.Caption.toStdString() << " "
                                        << f.RealC.Caption.toStdString();
  }
}

}  // namespace
