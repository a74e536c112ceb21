// The main window's layout table: every control placed once under its name and kind, inside
// its container, and the designed places that the display code relies on.
#include <gtest/gtest.h>

#include <QRect>
#include <set>

#include "forms/form.h"
#include "mainwindow/mainwindowcontrols.h"
#include "mainwindow/mainwindowlayout.h"

namespace {

using forms::Control;
using forms::ControlKind;
using mainwindow::kWindowHeight;
using mainwindow::kWindowHeightWithTable;
using mainwindow::kWindowWidth;

struct Window : forms::Form, mainwindow::MainWindowControls {
  Window() : forms::Form(QStringLiteral("CalverdonForm")) { mainwindow::layOutMainWindow(*this, *this); }
};

std::size_t sizeOfKind(ControlKind k) {
  switch (k) {
    case ControlKind::TextBox: return sizeof(forms::TextBox);
    case ControlKind::Label: return sizeof(forms::Label);
    case ControlKind::ComboBox: return sizeof(forms::ComboBox);
    case ControlKind::CheckBox: return sizeof(forms::CheckBox);
    case ControlKind::OptionButton: return sizeof(forms::OptionButton);
    case ControlKind::CommandButton: return sizeof(forms::CommandButton);
    case ControlKind::Frame: return sizeof(forms::Frame);
    case ControlKind::Image: return sizeof(forms::Image);
    case ControlKind::Line: return sizeof(forms::Line);
    case ControlKind::MenuItem: return sizeof(forms::MenuItem);
    case ControlKind::PictureBox: return sizeof(forms::PictureBox);
    case ControlKind::Grid: return sizeof(forms::Grid);
  }
  return 0;
}

QRect rectOf(const Control& c) { return QRect(c.Left, c.Top, c.Width, c.Height); }

TEST(MainWindowLayout, PlacesEveryControlOnce) {
  Window w;
  const auto* begin = reinterpret_cast<const char*>(static_cast<mainwindow::MainWindowControls*>(&w));
  const auto* end = begin + sizeof(mainwindow::MainWindowControls);
  std::set<const Control*> seen;
  std::size_t covered = 0;
  for (const Control* c : w.controls()) {
    ASSERT_TRUE(seen.insert(c).second) << c->displayName().toStdString();
    const auto* p = reinterpret_cast<const char*>(c);
    EXPECT_TRUE(p >= begin && p < end) << c->displayName().toStdString();
    EXPECT_EQ(w.find(c->Name, c->Index), c);
    covered += sizeOfKind(c->kind);
  }
  // The struct holds nothing but controls, so the placed ones must cover it exactly: a
  // member left out of the layout leaves a hole.
  EXPECT_EQ(covered, sizeof(mainwindow::MainWindowControls));
}

TEST(MainWindowLayout, NamesAndKindsTheLogicAddresses) {
  Window w;
  struct Expect {
    const char* name;
    int count;  // 0 for a single control, else the array length
    ControlKind kind;
  };
  const Expect expected[] = {
      {"Passband", 0, ControlKind::ComboBox},      {"TypeFilter", 0, ControlKind::ComboBox},
      {"CircuitType", 0, ControlKind::ComboBox},   {"Decades", 0, ControlKind::ComboBox},
      {"Text34", 0, ControlKind::TextBox},         {"Text41", 0, ControlKind::TextBox},
      {"Text45", 0, ControlKind::TextBox},         {"Qtotal", 0, ControlKind::TextBox},
      {"GainTB", 5, ControlKind::TextBox},         {"C3Entry", 5, ControlKind::TextBox},
      {"FnInput", 5, ControlKind::TextBox},        {"QInput", 5, ControlKind::TextBox},
      {"PhaseF", 6, ControlKind::Label},           {"GainF", 6, ControlKind::Label},
      {"DCgain", 6, ControlKind::Label},           {"GBPreq", 5, ControlKind::Label},
      {"Gfreq", 4, ControlKind::Label},            {"Ampl", 9, ControlKind::Label},
      {"GroupDelay", 9, ControlKind::Label},       {"R6", 5, ControlKind::Label},
      {"SecLabel", 5, ControlKind::Label},         {"Label40", 0, ControlKind::Label},
      {"XSver", 3, ControlKind::OptionButton},     {"SK", 5, ControlKind::Image},
      {"Fleige", 5, ControlKind::Image},           {"FDARealNoAmpHP", 0, ControlKind::Image},
      {"schLine", 9, ControlKind::Line},           {"FDAschLine", 8, ControlKind::Line},
      {"Cursor", 0, ControlKind::Line},            {"Graph", 0, ControlKind::PictureBox},
      {"XSpiceModelInfo", 0, ControlKind::Frame},  {"RunSpice", 0, ControlKind::CommandButton},
      {"ShowValuesTable", 0, ControlKind::MenuItem},
  };
  for (const Expect& e : expected) {
    const int n = e.count == 0 ? 1 : e.count;
    for (int i = 0; i < n; ++i) {
      const Control* c = w.find(e.name, e.count == 0 ? -1 : i);
      ASSERT_NE(c, nullptr) << e.name << " " << i;
      EXPECT_EQ(c->kind, e.kind) << e.name;
    }
    EXPECT_EQ(w.find(e.name, e.count == 0 ? 0 : e.count), nullptr) << e.name << " too long";
  }
}

TEST(MainWindowLayout, ControlsLieInsideTheirContainers) {
  Window w;
  const QRect window(0, 0, kWindowWidth, kWindowHeight);
  const QRect enlarged(0, 0, kWindowWidth, kWindowHeightWithTable);
  for (const Control* c : w.controls()) {
    const std::string name = c->displayName().toStdString();
    if (c->kind == ControlKind::MenuItem) {
      EXPECT_TRUE(c->Container == nullptr || c->Container->kind == ControlKind::MenuItem) << name;
      continue;
    }
    if (c->Container) {
      const bool cursorInGraph = c->kind == ControlKind::Line && c->Container == &w.Graph;
      EXPECT_TRUE(c->Container->kind == ControlKind::Frame || cursorInGraph) << name;
    }
    QRect r = rectOf(*c);
    if (c->kind == ControlKind::Line) {
      const auto& l = static_cast<const forms::Line&>(*c);
      r = QRect(QPoint(std::min(l.X1, l.X2), std::min(l.Y1, l.Y2)),
                QPoint(std::max(l.X1, l.X2), std::max(l.Y1, l.Y2)));
    }
    QRect bounds = window;
    if (c->Container) {
      // The low-pass frame widens for band-pass and notch designs to show its second part.
      const int width = c->Container == &w.LPFrame ? 2610 : c->Container->Width;
      bounds = QRect(0, 0, width + 1, c->Container->Height + 1);
    } else if (c->Name == "Label40" || c->Name.startsWith("Text4")) {
      bounds = enlarged;
      EXPECT_GE(r.top(), kWindowHeight) << name << " shows before the table is asked for";
    }
    EXPECT_TRUE(bounds.contains(r)) << name;
  }
}

TEST(MainWindowLayout, AxisLegendMatchesTheGraph) {
  Window w;
  // The frequency legend is moved to these lefts for 3 and 4 decades: a third and a half of
  // the axis, with each label centred on its grid line.
  const auto centre = [&](int left) { return left + w.Gfreq[1].Width / 2; };
  EXPECT_EQ(w.Gfreq[1].Left, 4395);
  EXPECT_EQ(centre(4395), w.Graph.Left + w.Graph.Width / 3);
  EXPECT_EQ(centre(4995), w.Graph.Left + w.Graph.Width / 2);
  EXPECT_EQ(centre(w.Gfreq[0].Left), w.Graph.Left);
  EXPECT_EQ(centre(w.Gfreq[3].Left), w.Graph.Left + w.Graph.Width);
  EXPECT_GT(w.Graph.Height, 2000);  // a 360 degree phase hop spans more than 1000 twips
  EXPECT_EQ(w.Cursor.Y2, w.Graph.Height);
}

// The view buttons of a two-half design are moved next to the last stage shown; they must
// not cover a picture in use or an entry box (entries stay on screen, greyed).
TEST(MainWindowLayout, ViewButtonsClearOfPicturesAndEntries) {
  Window w;
  const QSize button(w.LowPassView.Width, w.LowPassView.Height);
  struct Place {
    int poles, left, top;
  };
  const Place lowPassView[] = {{1, 2655, 4395}, {2, 5055, 4395}, {3, 5055, 4395},
                               {4, 7455, 4395}, {5, 7455, 4395}, {6, 2685, 6645},
                               {7, 2685, 6645}, {8, 5100, 6645}, {9, 7530, 6645},
                               {10, 7530, 6645}};
  std::vector<QRect> entries{rectOf(w.C1RealEntry)};
  for (int i = 0; i < 5; ++i) {
    entries.push_back(rectOf(w.C1Entry[i]));
    entries.push_back(rectOf(w.C2Entry[i]));
    entries.push_back(rectOf(w.GainTB[i]));
  }

  for (const Place& p : lowPassView) {
    for (const int left : {p.left, p.poles % 2 ? 15 : 1800}) {
      const int top = left == p.left ? p.top : 4470;  // the HighPassView places
      const QRect b(QPoint(left, top), button);
      if (p.poles % 2) {
        EXPECT_FALSE(b.intersects(rectOf(w.RealPole))) << p.poles;
      }
      for (int i = 0; i < p.poles / 2; ++i)
        EXPECT_FALSE(b.intersects(rectOf(w.MFBsch[i])))
            << p.poles << " poles, stage " << i;
      for (const QRect& e : entries) EXPECT_FALSE(b.intersects(e)) << p.poles;
    }
  }
  // The total view: both halves as blocks, the low-pass one moved under the other for a
  // band-reject design.
  const QSize block(w.LowPassViewT.Width, w.LowPassViewT.Height);
  for (const QRect& b : {QRect(QPoint(4425, 5445), block), QRect(QPoint(3030, 6405), block),
                         rectOf(w.HighPassViewT), rectOf(w.SummingAmp), rectOf(w.BRinput)})
    for (const QRect& e : entries) EXPECT_FALSE(b.intersects(e));
}

TEST(MainWindowLayout, DesignTimeTextsAndChoices) {
  Window w;
  EXPECT_EQ(w.Label18.Caption, "Cutoff Freq.");
  EXPECT_EQ(w.Label8.Caption, "Filter description");
  EXPECT_EQ(w.Frame1.Caption, "Value Display");
  EXPECT_EQ(w.Frame7.Caption, "Passband");
  EXPECT_EQ(w.RunSpice.Caption, "Test Spice");
  EXPECT_EQ(w.LowPassViewT.Caption, "Show Low-Pass Sections");
  EXPECT_EQ(w.Gfreq[0].Caption, "100 Hz");
  EXPECT_EQ(w.Gfreq[3].Caption, "100 kHz");
  EXPECT_EQ(w.Ampl[0].Caption, "+10dB");
  EXPECT_EQ(w.Ampl[8].Caption, "-70dB");
  EXPECT_EQ(w.SecLabel[4].Caption, "Section E ");
  EXPECT_EQ(w.Text34.Text, "1.00 k");
  EXPECT_EQ(w.SpacF.Text, "0");
  EXPECT_EQ(w.SigDig.Text, "4");
  EXPECT_EQ(w.Prompt.ToolTipText, "The prompt field provides context sensitive information.");

  EXPECT_EQ(w.CircuitType.List(1), "Sallen -Key");
  EXPECT_EQ(w.TypeFilter.ListCount(), 7);
  EXPECT_EQ(w.TypeFilter.Style, 0);  // "Custom Q" can be typed
  EXPECT_EQ(w.Passband.Text(), "Low-Pass");
  EXPECT_EQ(w.ResistorList.Text(), "E96");
  EXPECT_EQ(w.OpAmpModel.Text(), "Ideal Op Amp");
  EXPECT_TRUE(w.CompValue.Value());
  EXPECT_FALSE(w.SensTrue.Value());
  EXPECT_TRUE(w.XSver[2].Value());
  EXPECT_FALSE(w.XSver[0].Value() || w.XSver[1].Value());

  EXPECT_TRUE(w.AutoSwapHPandLP.Checked);
  EXPECT_FALSE(w.ThreePole.Checked);
  EXPECT_TRUE(w.ShowGainTrace.Checked && w.ShowPhaseTrace.Checked && w.ShowGDTrace.Checked);
  EXPECT_FALSE(w.ShowValuesTable.Checked);
  EXPECT_EQ(w.mnuFileSave.Shortcut, "Ctrl+S");
  EXPECT_EQ(w.AutoSwapHPandLP.Container, &w.mnuOptions);

  EXPECT_EQ(w.Height, kWindowHeight);
  EXPECT_EQ(w.ValuesTableRow(43), &w.Text43);
  EXPECT_EQ(w.ValuesTableRow(46), nullptr);
}

}  // namespace
