// The low-pass and high-pass schematic panel: which stage pictures, connectors and value
// labels a design shows, where the labels go, and which stage entry boxes are in use.
#include <gtest/gtest.h>

#include <QSet>
#include <vector>

#include "designview/lphpschematic.h"
#include "fakes/fake_services.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/startup.h"

using mainwindow::CalverdonForm;

namespace {

inline void PrintTo(const QSet<QString>& s, std::ostream* os) {
  QStringList l(s.begin(), s.end());
  l.sort();
  *os << '{' << l.join(", ").toStdString() << '}';
}

enum Circuit { SallenKey, Mfb, FullyDifferential };

struct Design {
  int poles;
  Circuit circuit;
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
      {{1, SallenKey}, one("RealPole"), -1},
      {{2, SallenKey}, range("SKg1", 0, 0), 0},
      {{5, SallenKey}, range("SKg1", 0, 1) + one("RealPole"), -1},
      {{5, SallenKey, false, {2, 2, 2, 2, 2}}, range("SK", 0, 1) + one("RealPole"), -1},
      // Each stage follows its own gain.
      {{6, SallenKey, false, {1, 2, 1, 1, 1}},
       one("SKg1(0)") + one("SK(1)") + one("SKg1(2)"), 0},
      {{10, SallenKey, true, {2, 2, 2, 2, 2}}, range("SKhp", 0, 4), 0},
      {{10, SallenKey, true}, range("SKg1HP", 0, 4), 0},
      {{1, Mfb, true}, one("RealHP"), -1},
      {{6, Mfb, true}, range("MFBschHP", 0, 2), 0},
      {{7, Mfb, false, {1, 1, 1, 1, 1}, true}, range("MFBsch", 0, 2) + one("RealNoAmp"), -1},
      {{3, Mfb, true, {1, 1, 1, 1, 1}, true}, range("MFBschHP", 0, 0) + one("RealNoAmpHP"), -1},
      {{4, FullyDifferential}, range("FDAsch", 0, 1), 0},
      {{9, FullyDifferential}, range("FDAsch", 0, 3) + one("FDA1p"), -1},
      {{5, FullyDifferential, true}, range("FDAschHP", 0, 1) + one("FDARealHP"), -1},
      {{5, FullyDifferential, false, {1, 1, 1, 1, 1}, true},
       range("FDAsch", 0, 1) + one("FDARealNoAmpLP"), -1},
      {{3, FullyDifferential, true, {1, 1, 1, 1, 1}, true},
       range("FDAschHP", 0, 0) + one("FDARealNoAmpHP"), -1},
      // The total view of a two-half design draws no real-pole section.
      {{5, SallenKey, false, {1, 1, 1, 1, 1}, false, true}, range("SKg1", 0, 1), 7},
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
    int poles;
    Circuit circuit;
    bool totalView;
    QSet<QString> lines;
  };
  const QSet<QString> rowChange = one("schLine(1)") + one("Line2") + one("Line3");
  const Case cases[] = {
      {1, Mfb, false, {}},
      {2, SallenKey, false, {}},
      {4, SallenKey, false, range("schLine", 0, 0)},
      {5, Mfb, false, range("schLine", 0, 0)},
      {6, SallenKey, false, range("schLine", 0, 0) + rowChange},
      {6, Mfb, false, range("schLine", 0, 0) + rowChange},
      {10, SallenKey, false, range("schLine", 0, 3) + rowChange},
      // Fully differential stages carry their own wires within a row.
      {4, FullyDifferential, false, {}},
      {5, FullyDifferential, false, {}},
      {6, FullyDifferential, false, range("FDAschLine", 0, 7)},
      {10, FullyDifferential, false, range("FDAschLine", 0, 7)},
      // The total view has no second row.
      {10, SallenKey, true, range("schLine", 0, 0) + range("schLine", 2, 3)},
      {10, FullyDifferential, true, {}},
  };
  for (const Case& c : cases) {
    Panel p;
    Design d{c.poles, c.circuit};
    d.totalView = c.totalView;
    p.show(d);
    SCOPED_TRACE(testing::Message() << c.poles << " poles, circuit " << c.circuit);
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
      {{5, SallenKey},
       range("R1", 0, 1) + range("R2", 0, 1) + range("C1L", 0, 1) + range("C2L", 0, 1) +
           range("SecLabel", 0, 1) + real},
      {{4, SallenKey, true, {1, 3, 1, 1, 1}},
       range("R1", 0, 1) + range("R2", 0, 1) + one("R3(1)") + one("R4(1)") +
           range("C1L", 0, 1) + range("C2L", 0, 1) + range("SecLabel", 0, 1)},
      // MFB stages have three resistors and never R4, whatever their gain.
      {{6, Mfb, false, {2, 2, 2, 2, 2}},
       range("R1", 0, 2) + range("R2", 0, 2) + range("R3", 0, 2) + range("C1L", 0, 2) +
           range("C2L", 0, 2) + range("SecLabel", 0, 2)},
      {{3, FullyDifferential, true},
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

TEST(LPHPSchematic, MovesTheValueLabelsOntoEachStagePicture) {
  struct Offsets {
    int r2Top, r2Left, r3Top, r3Left, c1Top, c1Left, c2Top, c2Left;
  };
  const Offsets sallenKey{230, 550, 1235, 250, 915, 220, -175, 1100};
  const Offsets mfb{-170, 900, 450, 550, 615, 1575, 950, 615};
  struct Case {
    Design d;
    Offsets o;
  };
  const Case cases[] = {
      {{10, SallenKey}, sallenKey},
      {{10, SallenKey, true, {2, 2, 2, 2, 2}}, sallenKey},
      {{10, Mfb, true}, mfb},
      {{10, FullyDifferential}, mfb},
  };
  for (const Case& c : cases) {
    Panel p;
    auto& f = p.f;
    p.show(c.d);
    for (int i = 0; i < 5; ++i) {
      SCOPED_TRACE(testing::Message() << "circuit " << c.d.circuit << " stage " << i);
      const forms::Image& picture = c.d.circuit == SallenKey ? f.SK[i] : f.MFBsch[i];
      EXPECT_EQ(f.R2[i].Top, picture.Top + c.o.r2Top);
      EXPECT_EQ(f.R2[i].Left, picture.Left + c.o.r2Left);
      EXPECT_EQ(f.R3[i].Top, picture.Top + c.o.r3Top);
      EXPECT_EQ(f.R3[i].Left, picture.Left + c.o.r3Left);
      EXPECT_EQ(f.C1L[i].Top, picture.Top + c.o.c1Top);
      EXPECT_EQ(f.C1L[i].Left, picture.Left + c.o.c1Left);
      EXPECT_EQ(f.C2L[i].Top, picture.Top + c.o.c2Top);
      EXPECT_EQ(f.C2L[i].Left, picture.Left + c.o.c2Left);
      // R1, R4 and the title keep their designed places.
      for (const forms::Label* kept : {&f.R1[i], &f.R4[i], &f.SecLabel[i]}) {
        EXPECT_EQ(kept->Top, f.designed(*kept).Top) << kept->displayName().toStdString();
        EXPECT_EQ(kept->Left, f.designed(*kept).Left) << kept->displayName().toStdString();
      }
    }
  }
  // The second row's labels sit on the second row's pictures.
  Panel p;
  p.show({6, SallenKey});
  EXPECT_EQ(p.f.C2L[2].Top, p.f.SK[2].Top - 175);
  EXPECT_GT(p.f.SK[2].Top, p.f.SK[1].Top);
}

TEST(LPHPSchematic, PlacesTheRealPoleLabelsByCircuitHalfAndAmplifier) {
  struct Case {
    Design d;
    int resistorTop, capacitorTop, capacitorLeftOffset;
  };
  const std::vector<float> unity = {1, 1, 1, 1, 1};
  const Case cases[] = {
      {{5, FullyDifferential}, 4125, 4350, 1000},
      {{5, FullyDifferential, false, unity, true}, 4125, 4650, 700},
      {{5, FullyDifferential, true}, 4125, 3870, 1100},
      {{5, FullyDifferential, true, unity, true}, 4125, 4630, 700},
      {{3, Mfb}, 4290, 4950, 600},
      {{7, SallenKey, true}, 4290, 4950, 600},
      {{1, Mfb, false, unity, true}, 4290, 4950, 600},
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
  p.show({5, SallenKey, false, {2, 2, 2, 2, 2}});
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
                       "RealC", "RealPlabel", "FDAsummerR1", "FDAsummerR2"}),
            QSet<QString>());
  for (forms::TextBox* row : {&f.Text41, &f.Text42, &f.Text43, &f.Text44, &f.Text45})
    EXPECT_TRUE(row->Text.isEmpty());
}

TEST(LPHPSchematic, StageBoxesInUseAreWhiteAndEnabledTheOthersGrey) {
  struct Case {
    QString passband;
    int poles;
    bool highPass, bothHalvesDone;
    int gainBoxes, capacitorBoxes;  // boxes 0 .. n-1 in use
  };
  const Case cases[] = {
      {"Low-Pass", 1, false, false, 0, 0},
      {"Low-Pass", 2, false, false, 1, 1},
      {"Low-Pass", 5, false, false, 2, 2},
      {"Low-Pass", 6, false, false, 3, 3},
      {"Low-Pass", 10, false, false, 5, 5},
      // High-pass stages are designed from their low-pass prototype: no capacitor entries.
      {"High-Pass", 6, true, false, 3, 0},
      {"Wide Band-Pass", 7, false, false, 3, 3},
      {"Band-Reject", 4, true, false, 2, 0},
      // The combining pass of a two-half design has no stage of its own.
      {"Wide Band-Pass", 8, true, true, 0, 0},
      {"Band-Reject", 8, false, true, 0, 0},
      {"Band-Pass", 4, false, false, 0, 0},
      {"Notch", 4, false, false, 0, 0},
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
