// The low-pass and high-pass schematic panel: which stage pictures, connectors and value
// labels a design shows, where the labels go, and which stage entry boxes are in use.
#include <gtest/gtest.h>

#include <QPointF>
#include <QRectF>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "designview/lphpschematic.h"
#include "designview/schematicanchors.h"
#include "label_geometry.h"
#include "fakes/fake_services.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/startup.h"

using designview::LabelledPart;
using mainwindow::CalverdonForm;

namespace {

inline void PrintTo(const QSet<QString>& s, std::ostream* os) {
  QStringList l(s.begin(), s.end());
  l.sort();
  *os << '{' << l.join(", ").toStdString() << '}';
}

enum Circuit { SallenKey, Mfb, FullyDifferential };

struct Design {
  Circuit circuit;
  int poles;
  bool highPass = false;
  std::vector<float> gains = {1, 1, 1, 1, 1};  // entered gain of stage A..E
  bool threePole = false;
  bool totalView = false;
};

struct Panel {
  fakes::FakeServices fake;
  CalverdonForm f{fake.services()};

  Panel() { mainwindow::SetStartDefaults(f, QLatin1Char('.')); }

  // Sets the design members the display pass has settled, then runs the panel's three steps
  // as the pass does.
  void show(const Design& d) {
    f.Passband.setFromUser(d.highPass ? 1 : 0, d.highPass ? "High-Pass" : "Low-Pass");
    f.PoleCount = d.poles;
    f.CircuitMode = d.circuit == SallenKey ? 1 : 0;
    const int index = d.circuit == SallenKey ? 1 : d.circuit == Mfb ? 0 : 2;
    f.CircuitType.setFromUser(index, f.CircuitType.List(index));
    f.HighPassHalf = d.highPass ? 1 : 0;
    for (int i = 0; i < 5; ++i) f.SectionGain[i + 1] = d.gains[static_cast<size_t>(i)];
    f.ThreePole.Checked = d.threePole;
    f.LowPassViewT.Visible = d.totalView;
    designview::HideSchematics(f);
    designview::ResetStageEntries(f);
    designview::ShowLPHPSchematic(f);
  }

  // Names ("SK(0)", "RealPole") of the visible controls of one kind, optionally only those
  // whose name is listed.
  QSet<QString> visible(forms::ControlKind kind, const QStringList& only = {}) const {
    QSet<QString> names;
    for (const forms::Control* c : f.controls())
      if (c->kind == kind && c->Visible && c->Name != "Form1" &&
          (only.isEmpty() || only.contains(c->Name)))
        names.insert(c->displayName());
    return names;
  }
  QSet<QString> pictures() const { return visible(forms::ControlKind::Image); }
  QSet<QString> connectors() const {
    return visible(forms::ControlKind::Line, {"schLine", "FDAschLine", "Line2", "Line3"});
  }
};

QSet<QString> range(const QString& name, int first, int last) {
  QSet<QString> s;
  for (int i = first; i <= last; ++i) s.insert(QStringLiteral("%1(%2)").arg(name).arg(i));
  return s;
}
QSet<QString> one(const QString& name) { return {name}; }

TEST(LPHPSchematic, ShowsOnePicturePerStageByCircuitHalfAndGain) {
  struct Case {
    Design d;
    QSet<QString> pictures;
    int oddOrder;
  };
  const Case cases[] = {
      {{.circuit = SallenKey, .poles = 1}, one("RealPole"), -1},
      {{.circuit = SallenKey, .poles = 2}, range("SKg1", 0, 0), 0},
      {{.circuit = SallenKey, .poles = 5}, range("SKg1", 0, 1) + one("RealPole"), -1},
      {{.circuit = SallenKey, .poles = 5, .gains = {2, 2, 2, 2, 2}},
       range("SK", 0, 1) + one("RealPole"), -1},
      // Each stage follows its own gain.
      {{.circuit = SallenKey, .poles = 6, .gains = {1, 2, 1, 1, 1}},
       one("SKg1(0)") + one("SK(1)") + one("SKg1(2)"), 0},
      {{.circuit = SallenKey, .poles = 10, .highPass = true, .gains = {2, 2, 2, 2, 2}},
       range("SKhp", 0, 4), 0},
      {{.circuit = SallenKey, .poles = 10, .highPass = true}, range("SKg1HP", 0, 4), 0},
      {{.circuit = Mfb, .poles = 1, .highPass = true}, one("RealHP"), -1},
      {{.circuit = Mfb, .poles = 6, .highPass = true}, range("MFBschHP", 0, 2), 0},
      {{.circuit = Mfb, .poles = 7, .threePole = true},
       range("MFBsch", 0, 2) + one("RealNoAmp"), -1},
      {{.circuit = Mfb, .poles = 3, .highPass = true, .threePole = true},
       range("MFBschHP", 0, 0) + one("RealNoAmpHP"), -1},
      {{.circuit = FullyDifferential, .poles = 4}, range("FDAsch", 0, 1), 0},
      {{.circuit = FullyDifferential, .poles = 9}, range("FDAsch", 0, 3) + one("FDA1p"), -1},
      {{.circuit = FullyDifferential, .poles = 5, .highPass = true},
       range("FDAschHP", 0, 1) + one("FDARealHP"), -1},
      {{.circuit = FullyDifferential, .poles = 5, .threePole = true},
       range("FDAsch", 0, 1) + one("FDARealNoAmpLP"), -1},
      {{.circuit = FullyDifferential, .poles = 3, .highPass = true, .threePole = true},
       range("FDAschHP", 0, 0) + one("FDARealNoAmpHP"), -1},
      // The total view of a two-half design draws no real-pole section.
      {{.circuit = SallenKey, .poles = 5, .totalView = true}, range("SKg1", 0, 1), 7},
  };
  for (const Case& c : cases) {
    Panel p;
    p.f.OddOrder = 7;  // left alone by the total view
    p.show(c.d);
    SCOPED_TRACE(testing::Message() << c.d.poles << " poles, circuit " << c.d.circuit
                                    << (c.d.highPass ? " high-pass" : " low-pass"));
    EXPECT_EQ(p.pictures(), c.pictures);
    EXPECT_EQ(p.f.OddOrder, c.oddOrder);
    EXPECT_TRUE(p.f.CircuitType.Visible);
    EXPECT_TRUE(p.f.Frame2.Visible);
    EXPECT_FALSE(p.f.PlotResponse.Visible);
  }
}

TEST(LPHPSchematic, ConnectorsJoinTheStagesInUseAndTheTwoRows) {
  struct Case {
    Design d;
    QSet<QString> lines;
  };
  const QSet<QString> rowChange = one("schLine(1)") + one("Line2") + one("Line3");
  const Case cases[] = {
      {{.circuit = Mfb, .poles = 1}, {}},
      {{.circuit = SallenKey, .poles = 2}, {}},
      {{.circuit = SallenKey, .poles = 4}, range("schLine", 0, 0)},
      {{.circuit = Mfb, .poles = 5}, range("schLine", 0, 0)},
      {{.circuit = SallenKey, .poles = 6}, range("schLine", 0, 0) + rowChange},
      {{.circuit = Mfb, .poles = 6}, range("schLine", 0, 0) + rowChange},
      {{.circuit = SallenKey, .poles = 10}, range("schLine", 0, 3) + rowChange},
      // Fully differential stages carry their own wires within a row.
      {{.circuit = FullyDifferential, .poles = 4}, {}},
      {{.circuit = FullyDifferential, .poles = 5}, {}},
      {{.circuit = FullyDifferential, .poles = 6}, range("FDAschLine", 0, 7)},
      {{.circuit = FullyDifferential, .poles = 10}, range("FDAschLine", 0, 7)},
      // The total view has no second row.
      {{.circuit = SallenKey, .poles = 10, .totalView = true},
       range("schLine", 0, 0) + range("schLine", 2, 3)},
      {{.circuit = FullyDifferential, .poles = 10, .totalView = true}, {}},
  };
  for (const Case& c : cases) {
    Panel p;
    p.show(c.d);
    SCOPED_TRACE(testing::Message() << c.d.poles << " poles, circuit " << c.d.circuit);
    EXPECT_EQ(p.connectors(), c.lines);
  }
}

TEST(LPHPSchematic, ValueLabelsOfTheStagesInUse) {
  const QStringList stageLabels = {"R1", "R2", "R3", "R4", "R5", "R6", "C1L", "C2L",
                                   "SecLabel", "RealR", "RealC", "RealPlabel"};
  const QSet<QString> real = one("RealR") + one("RealC") + one("RealPlabel");
  struct Case {
    Design d;
    QSet<QString> labels;
  };
  const Case cases[] = {
      // Unity-gain Sallen-Key stages have no gain network.
      {{.circuit = SallenKey, .poles = 5},
       range("R1", 0, 1) + range("R2", 0, 1) + range("C1L", 0, 1) + range("C2L", 0, 1) +
           range("SecLabel", 0, 1) + real},
      {{.circuit = SallenKey, .poles = 4, .highPass = true, .gains = {1, 3, 1, 1, 1}},
       range("R1", 0, 1) + range("R2", 0, 1) + one("R3(1)") + one("R4(1)") +
           range("C1L", 0, 1) + range("C2L", 0, 1) + range("SecLabel", 0, 1)},
      // MFB stages have three resistors and never R4, whatever their gain.
      {{.circuit = Mfb, .poles = 6, .gains = {2, 2, 2, 2, 2}},
       range("R1", 0, 2) + range("R2", 0, 2) + range("R3", 0, 2) + range("C1L", 0, 2) +
           range("C2L", 0, 2) + range("SecLabel", 0, 2)},
      {{.circuit = FullyDifferential, .poles = 3, .highPass = true},
       one("R1(0)") + one("R2(0)") + one("R3(0)") + one("C1L(0)") + one("C2L(0)") +
           one("SecLabel(0)") + real},
  };
  for (const Case& c : cases) {
    Panel p;
    p.show(c.d);
    SCOPED_TRACE(testing::Message() << c.d.poles << " poles, circuit " << c.d.circuit);
    EXPECT_EQ(p.visible(forms::ControlKind::Label, stageLabels), c.labels);
  }
}

// The value labels of stage i (i = -1: the real-pole section), by the component each shows.
struct ValueLabel {
  LabelledPart part;
  const forms::Label* label;
};
std::vector<ValueLabel> valueLabels(const CalverdonForm& f, int i) {
  if (i < 0) return {{LabelledPart::R1, &f.RealR}, {LabelledPart::C1, &f.RealC}};
  return {{LabelledPart::R1, &f.R1[i]}, {LabelledPart::R2, &f.R2[i]}, {LabelledPart::R3, &f.R3[i]},
          {LabelledPart::R4, &f.R4[i]}, {LabelledPart::C1, &f.C1L[i]},
          {LabelledPart::C2, &f.C2L[i]}};
}

// Every value label shown sits beside its own component in the picture shown: its text is
// near the component's anchor, and nearer to it than to any other component of the picture.
// A label is shown exactly for the components the picture draws.
TEST(LPHPSchematic, EachValueLabelSitsBesideItsOwnComponent) {
  const std::vector<float> mixed = {1, 2, 1, 2, 1};
  const Design designs[] = {
      // SKg1, SK and RealPole, in both rows; then SKg1HP and SKhp, and RealHP.
      {.circuit = SallenKey, .poles = 9, .gains = mixed},
      {.circuit = SallenKey, .poles = 10, .highPass = true, .gains = mixed},
      {.circuit = SallenKey, .poles = 1, .highPass = true},
      // MFBsch and RealNoAmp; MFBschHP and RealNoAmpHP.
      {.circuit = Mfb, .poles = 9, .threePole = true},
      {.circuit = Mfb, .poles = 9, .highPass = true, .threePole = true},
      // FDAsch and FDA1p; FDAschHP and FDARealHP; FDARealNoAmpLP; FDARealNoAmpHP.
      {.circuit = FullyDifferential, .poles = 9},
      {.circuit = FullyDifferential, .poles = 9, .highPass = true},
      {.circuit = FullyDifferential, .poles = 3, .threePole = true},
      {.circuit = FullyDifferential, .poles = 3, .highPass = true, .threePole = true},
  };
  QSet<QString> checked;
  for (const Design& d : designs) {
    Panel p;
    p.show(d);
    const CalverdonForm& f = p.f;
    for (int i = -1; i < 5; ++i) {
      const forms::Image* picture = ShownStagePicture(f, i);
      if (!picture) continue;
      checked.insert(picture->Picture);
      SCOPED_TRACE(picture->displayName().toStdString());
      ExpectLabelsBesideTheirComponents(*picture, valueLabels(f, i));
      // The stage title keeps its place under the picture.
      if (i >= 0) {
        EXPECT_EQ(f.SecLabel[i].Top, f.designed(f.SecLabel[i]).Top);
        EXPECT_EQ(f.SecLabel[i].Left, f.designed(f.SecLabel[i]).Left);
      }
    }
  }
  EXPECT_EQ(checked.size(), 16) << "every stage and real-pole picture";
}

TEST(LPHPSchematic, PlacesTheRealPoleLabelsByCircuitHalfAndAmplifier) {
  struct Case {
    Design d;
    int resistorTop, capacitorTop, capacitorLeftOffset;
  };
  const Case cases[] = {
      {.d = {.circuit = FullyDifferential, .poles = 5},
       .resistorTop = 4125, .capacitorTop = 4350, .capacitorLeftOffset = 1000},
      {.d = {.circuit = FullyDifferential, .poles = 5, .threePole = true},
       .resistorTop = 4125, .capacitorTop = 4650, .capacitorLeftOffset = 700},
      {.d = {.circuit = FullyDifferential, .poles = 5, .highPass = true},
       .resistorTop = 4125, .capacitorTop = 3870, .capacitorLeftOffset = 1100},
      {.d = {.circuit = FullyDifferential, .poles = 5, .highPass = true, .threePole = true},
       .resistorTop = 4125, .capacitorTop = 4630, .capacitorLeftOffset = 700},
      {.d = {.circuit = Mfb, .poles = 3},
       .resistorTop = 4290, .capacitorTop = 4950, .capacitorLeftOffset = 600},
      {.d = {.circuit = SallenKey, .poles = 7, .highPass = true},
       .resistorTop = 4290, .capacitorTop = 4950, .capacitorLeftOffset = 600},
      {.d = {.circuit = Mfb, .poles = 1, .threePole = true},
       .resistorTop = 4290, .capacitorTop = 4950, .capacitorLeftOffset = 600},
  };
  for (const Case& c : cases) {
    Panel p;
    auto& f = p.f;
    // Start from another design's places: every field is set by the step itself.
    f.RealR.Top = f.RealC.Top = f.RealC.Left = 1;
    p.show(c.d);
    SCOPED_TRACE(testing::Message() << c.d.poles << " poles, circuit " << c.d.circuit);
    EXPECT_EQ(f.RealR.Top, c.resistorTop);
    EXPECT_EQ(f.RealC.Top, c.capacitorTop);
    EXPECT_EQ(f.RealC.Left, f.RealPole.Left + c.capacitorLeftOffset);
    EXPECT_EQ(f.RealR.Left, f.designed(f.RealR).Left);
  }
}

TEST(LPHPSchematic, HideSchematicsClearsThePanelAndTheValuesTable) {
  Panel p;
  auto& f = p.f;
  p.show({.circuit = SallenKey, .poles = 5, .gains = {2, 2, 2, 2, 2}});
  for (forms::Control* c : f.controls())
    if (c->kind == forms::ControlKind::Image || c->kind == forms::ControlKind::Label ||
        c->kind == forms::ControlKind::Line)
      c->Visible = true;
  for (forms::TextBox* row : {&f.Text41, &f.Text42, &f.Text43, &f.Text44, &f.Text45})
    row->Text = "A    10.0 k";

  designview::HideSchematics(f);
  EXPECT_EQ(p.pictures(), QSet<QString>());
  EXPECT_EQ(p.connectors(), QSet<QString>());
  EXPECT_EQ(p.visible(forms::ControlKind::Label,
                      {"R1", "R2", "R3", "R4", "R5", "R6", "C1L", "C2L", "SecLabel", "RealR",
                       "RealC", "RealPlabel", "FDAsummerR1", "FDAsummerR2", "FDAsummerR3"}),
            QSet<QString>());
  for (forms::TextBox* row : {&f.Text41, &f.Text42, &f.Text43, &f.Text44, &f.Text45})
    EXPECT_TRUE(row->Text.isEmpty());
}

TEST(LPHPSchematic, StageBoxesInUseAreWhiteAndEnabledTheOthersGrey) {
  struct Case {
    QString passband;
    int poles;
    bool highPass = false, bothHalvesDone = false;
    int gainBoxes, capacitorBoxes;  // boxes 0 .. n-1 in use
  };
  const Case cases[] = {
      {.passband = "Low-Pass", .poles = 1, .gainBoxes = 0, .capacitorBoxes = 0},
      {.passband = "Low-Pass", .poles = 2, .gainBoxes = 1, .capacitorBoxes = 1},
      {.passband = "Low-Pass", .poles = 5, .gainBoxes = 2, .capacitorBoxes = 2},
      {.passband = "Low-Pass", .poles = 6, .gainBoxes = 3, .capacitorBoxes = 3},
      {.passband = "Low-Pass", .poles = 10, .gainBoxes = 5, .capacitorBoxes = 5},
      // High-pass stages are designed from their low-pass prototype: no capacitor entries.
      {.passband = "High-Pass", .poles = 6, .highPass = true, .gainBoxes = 3,
       .capacitorBoxes = 0},
      {.passband = "Wide Band-Pass", .poles = 7, .gainBoxes = 3, .capacitorBoxes = 3},
      {.passband = "Band-Reject", .poles = 4, .highPass = true, .gainBoxes = 2,
       .capacitorBoxes = 0},
      // The combining pass of a two-half design has no stage of its own.
      {.passband = "Wide Band-Pass", .poles = 8, .highPass = true, .bothHalvesDone = true,
       .gainBoxes = 0, .capacitorBoxes = 0},
      {.passband = "Band-Reject", .poles = 8, .bothHalvesDone = true, .gainBoxes = 0,
       .capacitorBoxes = 0},
      {.passband = "Band-Pass", .poles = 4, .gainBoxes = 0, .capacitorBoxes = 0},
      {.passband = "Notch", .poles = 4, .gainBoxes = 0, .capacitorBoxes = 0},
  };
  for (const Case& c : cases) {
    Panel p;
    auto& f = p.f;
    for (int i = 0; i < 5; ++i) {
      for (forms::TextBox* box : {&f.GainTB[i], &f.C1Entry[i], &f.C2Entry[i], &f.C3Entry[i]}) {
        box->Enabled = true;
        box->BackColor = forms::kWhite;
      }
      for (forms::Label* l : {&f.DCgain[i], &f.GainF[i], &f.PhaseF[i], &f.GBPreq[i],
                              &f.Qdisp[i], &f.FSFreq[i]})
        l->Caption = "1.00";
    }
    f.C1RealEntry.Enabled = true;
    f.C1RealEntry.BackColor = forms::kWhite;
    f.Passband.setFromUser(static_cast<int>(f.Passband.items().indexOf(c.passband)), c.passband);
    f.PoleCount = c.poles;
    f.HighPassHalf = c.highPass ? 1 : 0;
    f.BothHalvesDone = c.bothHalvesDone;

    designview::ResetStageEntries(f);

    SCOPED_TRACE(testing::Message() << c.passband.toStdString() << ", " << c.poles << " poles");
    const auto inUse = [](const forms::TextBox& b) {
      EXPECT_EQ(b.Enabled, b.BackColor == forms::kWhite);
      EXPECT_TRUE(b.BackColor == forms::kWhite || b.BackColor == forms::kGreyedEntry);
      return b.Enabled;
    };
    for (int i = 0; i < 5; ++i) {
      EXPECT_EQ(inUse(f.GainTB[i]), i < c.gainBoxes) << "GainTB " << i;
      EXPECT_EQ(inUse(f.C1Entry[i]), i < c.capacitorBoxes) << "C1Entry " << i;
      EXPECT_EQ(inUse(f.C2Entry[i]), i < c.capacitorBoxes) << "C2Entry " << i;
      EXPECT_FALSE(inUse(f.C3Entry[i]));
      for (const forms::Label* l : {&f.DCgain[i], &f.GainF[i], &f.PhaseF[i], &f.GBPreq[i],
                                    &f.Qdisp[i], &f.FSFreq[i]})
        EXPECT_TRUE(l->Caption.isEmpty()) << l->displayName().toStdString();
    }
    EXPECT_FALSE(inUse(f.C1RealEntry));
  }
}

}  // namespace
