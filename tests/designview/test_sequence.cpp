// The recompute sequence: edge order, the passes of two-half designs, the entry panel of
// each pass band, units, kept section texts and the end block of a display pass.
#include <gtest/gtest.h>

#include <QStringList>
#include <QtGlobal>
#include <stdexcept>

#include "designview/displaypass.h"
#include "engine/rounding.h"
#include "label_geometry.h"
#include "sequence_fixture.h"

namespace {

const QString kSwapNotice =
    "High-Pass and Low-Pass inputs are being automatically swapped. If you do not want this to "
    "happen in the future then uncheck the menu item Options/Auto Swap Hp and LP.";

void sectionView(mainwindow::CalverdonForm& f, bool lowPassButton) {
  f.LowPassViewT.Visible = false;
  f.LowPassView.Visible = lowPassButton;
  f.HighPassView.Visible = !lowPassButton;
}

void totalView(mainwindow::CalverdonForm& f) {
  f.LowPassViewT.Visible = true;
  f.LowPassView.Visible = false;
  f.HighPassView.Visible = false;
}

TEST(EdgeOrder, WideBandPassSwapsEdgesAndPoleCountsWithOneNotice) {
  SequenceFixture s;
  s.showPassBandWithoutHandler("Wide Band-Pass");
  sectionView(s.f, true);
  s.f.AutoSwapHPandLP.Checked = true;
  s.f.Text2.Text = "2k";
  s.f.Text34.Text = "1k";
  s.f.Text1.Text = "4";
  s.f.Text18.Text = "6";
  s.f.SequenceUpdateScreen();
  EXPECT_EQ(s.f.Text2.Text, "1k");
  EXPECT_EQ(s.f.Text34.Text, "2k");
  EXPECT_EQ(s.f.Text1.Text, "6");
  EXPECT_EQ(s.f.Text18.Text, "4");
  ASSERT_EQ(s.fake.messages.shown.size(), 1u);
  EXPECT_EQ(s.fake.messages.shown[0].text, kSwapNotice);
  EXPECT_EQ(s.fake.messages.shown[0].title, "Calverdon");
  EXPECT_EQ(s.fake.messages.shown[0].buttons, platform::Buttons::Ok);

  s.f.Text2.Text = "5k";  // out of order again: swapped without a second notice
  s.f.SequenceUpdateScreen();
  EXPECT_EQ(s.f.Text2.Text, "2k");
  EXPECT_EQ(s.f.Text34.Text, "5k");
  EXPECT_EQ(s.fake.messages.shown.size(), 1u);

  // The notice is kept once per pass band: band-reject shows its own once.
  s.showPassBandWithoutHandler("Band-Reject");
  s.f.Text2.Text = "100";
  s.f.Text34.Text = "1k";
  s.f.SequenceUpdateScreen();
  EXPECT_EQ(s.f.Text2.Text, "1k");
  EXPECT_EQ(s.fake.messages.shown.size(), 2u);
}

TEST(EdgeOrder, NothingIsSwappedWhenInOrderEqualOrOptionOff) {
  struct Case {
    const char* band;
    bool autoSwap;
    const char* highEdge;
    const char* lowEdge;
  };
  for (const Case& c : {Case{"Wide Band-Pass", false, "2k", "1k"},
                        Case{"Wide Band-Pass", true, "100", "1k"},
                        Case{"Band-Reject", true, "1k", "1k"},
                        Case{"Band-Reject", true, "10k", "1k"},
                        Case{"Low-Pass", true, "2k", "1k"}}) {
    SequenceFixture s;
    s.showPassBandWithoutHandler(c.band);
    sectionView(s.f, true);
    s.f.AutoSwapHPandLP.Checked = c.autoSwap;
    s.f.Text2.Text = c.highEdge;
    s.f.Text34.Text = c.lowEdge;
    s.f.SequenceUpdateScreen();
    if (QString(c.band) != "Low-Pass") {
      EXPECT_EQ(s.f.Text2.Text, c.highEdge) << c.band;
      EXPECT_EQ(s.f.Text34.Text, c.lowEdge) << c.band;
    }
    EXPECT_TRUE(s.fake.messages.shown.empty()) << c.band;
  }
}

TEST(Passes, TotalViewRunsBothHalvesThenTheCombinationAndEmptiesTotals) {
  for (const char* band : {"Wide Band-Pass", "Band-Reject"}) {
    SequenceFixture s;
    s.showPassBandWithoutHandler(band);
    totalView(s.f);
    s.f.PhaseF[5].Caption = "-90º";
    s.f.GainF[5].Caption = "0.00";
    s.f.Qtotal.Text = "0.707";
    EXPECT_EQ(s.f.SequenceUpdateScreen(), 0);
    EXPECT_EQ(s.passes, (std::vector<PassRecord>{{0, false}, {1, false}, {1, true}})) << band;
    EXPECT_TRUE(s.f.BothHalvesDone);
    EXPECT_TRUE(s.f.PhaseF[5].Caption.isEmpty());
    EXPECT_TRUE(s.f.GainF[5].Caption.isEmpty());
    EXPECT_TRUE(s.f.Qtotal.Text.isEmpty());
    EXPECT_EQ(s.sequences, 1) << "the pass's own validation starts no second sequence";
  }
}

TEST(Passes, SectionViewRunsOnePassForTheHalfItsButtonShows) {
  SequenceFixture s;
  s.showPassBandWithoutHandler("Wide Band-Pass");
  s.f.HighPassHalf = 0;
  sectionView(s.f, true);  // the low-pass button is offered: the high-pass half is shown
  s.f.SequenceUpdateScreen();
  EXPECT_EQ(s.passes.size(), 1u);
  EXPECT_EQ(s.f.HighPassHalf, 1);
  EXPECT_FALSE(s.f.BothHalvesDone);

  s.passes.clear();
  sectionView(s.f, false);
  s.f.SequenceUpdateScreen();
  EXPECT_EQ(s.passes.size(), 1u);
  EXPECT_EQ(s.f.HighPassHalf, 0);
}

TEST(Passes, SingleFiltersRunOnePass) {
  for (const char* band : {"Low-Pass", "High-Pass", "Band-Pass", "Notch"}) {
    SequenceFixture s;
    s.showPassBandWithoutHandler(band);
    s.f.LowPassViewT.Visible = false;
    s.f.SequenceUpdateScreen();
    EXPECT_EQ(s.passes.size(), 1u) << band;
  }
}

TEST(EntryPanel, LaidOutForEachPassBand) {
  struct Case {
    const char* band;
    bool text18, text1, text34, text2;
    const char* label18;
    bool lpFrameVisible;
    int lpFrameWidth;  // 0: not checked
    const char* lpFrameCaption;
    int highPassHalf;  // -1: not checked
    bool hpFrameVisible;
  };
  const Case cases[] = {
      {"Low-Pass", true, false, true, false, "Cutoff Freq.", true, 1290, "Low-Pass", 0, false},
      {"High-Pass", false, true, false, true, "Cutoff Freq.", false, 0, "Low-Pass", 1, true},
      {"Band-Pass", true, false, true, false, "Center Freq.", true, 2610, "Band-Pass", -1, false},
      {"Notch", true, false, true, false, "Center Freq.", true, 2610, "Notch", -1, false},
      {"Wide Band-Pass", true, true, true, true, "Cutoff Freq.", true, 1335, "Low-Pass", -1, true},
      {"Band-Reject", true, true, true, true, "Cutoff Freq.", true, 1335, "Low-Pass", -1, true},
  };
  for (const Case& c : cases) {
    SequenceFixture s;
    s.showPassBandWithoutHandler(c.band);
    sectionView(s.f, false);
    // Start from the opposite state so every box is really set by the pass.
    for (auto* box : {&s.f.Text18, &s.f.Text1, &s.f.Text34, &s.f.Text2}) {
      box->Enabled = false;
      box->BackColor = forms::kGreyedEntry;
    }
    if (QString(c.band) == "Band-Pass" || QString(c.band) == "Notch") {
      s.f.Text1.Enabled = false;  // untouched by these pass bands
      s.f.Text2.Enabled = false;
    }
    s.f.SequenceUpdateScreen();
    auto inUse = [](const forms::TextBox& b) {
      return b.Enabled && b.BackColor == forms::kWhite;
    };
    EXPECT_EQ(inUse(s.f.Text18), c.text18) << c.band;
    EXPECT_EQ(inUse(s.f.Text1), c.text1) << c.band;
    EXPECT_EQ(inUse(s.f.Text34), c.text34) << c.band;
    EXPECT_EQ(inUse(s.f.Text2), c.text2) << c.band;
    EXPECT_EQ(s.f.Label18.Caption, c.label18) << c.band;
    EXPECT_EQ(s.f.LPFrame.Visible, c.lpFrameVisible) << c.band;
    if (c.lpFrameWidth) {
      EXPECT_EQ(s.f.LPFrame.Width, c.lpFrameWidth) << c.band;
    }
    EXPECT_EQ(s.f.LPFrame.Caption, c.lpFrameCaption) << c.band;
    if (c.highPassHalf >= 0) {
      EXPECT_EQ(s.f.HighPassHalf, c.highPassHalf) << c.band;
    }
    EXPECT_EQ(s.f.HPFrame.Visible, c.hpFrameVisible) << c.band;
    EXPECT_EQ(s.f.Label8.Visible, QString(c.band) == "Low-Pass" || QString(c.band) == "High-Pass")
        << c.band;
  }
}

TEST(EntryPanel, CustomResponsesDisableTheFrequencyAndPoleBoxes) {
  SequenceFixture s;
  s.showPassBandWithoutHandler("Low-Pass");
  s.f.TypeFilter.Style = 0;
  s.f.TypeFilter.SetText("Custom Q");
  s.f.SequenceUpdateScreen();
  EXPECT_FALSE(s.f.Text18.Enabled);
  EXPECT_FALSE(s.f.Text34.Enabled);
  EXPECT_EQ(s.f.Text18.BackColor, forms::kWhite) << "colours are left as the pass band set them";
}

TEST(EntryPanel, WideBandButtonsFollowThePoleCount) {
  SequenceFixture s;
  s.showPassBandWithoutHandler("Wide Band-Pass");
  sectionView(s.f, true);
  s.f.AutoSwapHPandLP.Checked = false;
  s.f.Text1.Text = "7";  // the high-pass half is shown
  s.f.SequenceUpdateScreen();
  EXPECT_EQ(s.f.PoleCount, 7);
  EXPECT_EQ(s.f.LowPassView.Left, 2685);
  EXPECT_EQ(s.f.LowPassView.Top, 6645);
  EXPECT_EQ(s.f.HighPassView.Left, 15);
  EXPECT_FALSE(s.f.HighPassView.Visible);
  EXPECT_EQ(s.f.LowPassViewT.Left, 4425);
  EXPECT_EQ(s.f.Line6.X1, 5295);
  EXPECT_EQ(s.f.Line7.Y2, 5925);
}

TEST(EntryPanel, BandRejectTotalViewShowsTheSummingStageOfItsTopology) {
  SequenceFixture s;
  s.showPassBandWithoutHandler("Band-Reject");
  totalView(s.f);
  for (int index : {0, 2}) {
    if (s.f.CircuitType.ListCount() < 3)
      for (const char* t : {"MFB Single-Ended", "Sallen-Key", "MFB Fully Differential"})
        s.f.CircuitType.AddItem(t);
    s.f.CircuitType.SetListIndex(index);
    s.f.SequenceUpdateScreen();
    EXPECT_EQ(s.f.FDASummingAmp.Visible, index == 2);
    EXPECT_EQ(s.f.SummingAmp.Visible, index != 2);
    EXPECT_EQ(s.f.BRinput.Visible, index != 2);
    // One value per resistor of the summing amplifier, beside its own resistor: the two
    // summing resistors and the feedback resistor, all of the resistor box's value.
    using designview::LabelledPart;
    const std::pair<LabelledPart, const forms::Label*> values[] = {
        {LabelledPart::R1, &s.f.FDAsummerR1},
        {LabelledPart::R2, &s.f.FDAsummerR2},
        {LabelledPart::R3, &s.f.FDAsummerR3}};
    ExpectLabelsBesideTheirComponents(index == 2 ? s.f.FDASummingAmp : s.f.SummingAmp, values);
    for (const auto& [part, label] : values) EXPECT_EQ(label->Caption, s.f.Text12.Text);
  }
}

TEST(DisplayPass, UnitsFollowTheRadiansBox) {
  SequenceFixture s;
  s.showPassBandWithoutHandler("Low-Pass");
  s.f.Rad.setFromUser(1);
  s.f.SequenceUpdateScreen();
  EXPECT_DOUBLE_EQ(s.f.FreqUnitFactor, 2 * engine::Pi);
  for (auto* l : {&s.f.Label26, &s.f.Label47, &s.f.Label9}) EXPECT_EQ(l->Caption, "Rad/s");
  // The readout heading is rewritten later in the pass with the frequency it reads at.
  EXPECT_TRUE(s.f.Label35.Caption.endsWith("Rad/s.")) << s.f.Label35.Caption.toStdString();
  s.f.Rad.setFromUser(0);
  s.f.SequenceUpdateScreen();
  EXPECT_DOUBLE_EQ(s.f.FreqUnitFactor, 1.0);
  EXPECT_EQ(s.f.Label9.Caption, "Hz");
}

TEST(DisplayPass, KeptSectionTextsAreLoadedPerHalfAndEmptiedForSingleFilters) {
  SequenceFixture s;
  s.showPassBandWithoutHandler("Wide Band-Pass");
  s.f.HighPassGainText[1] = "2";
  s.f.LowPassGainText[1] = "3";
  s.f.HighPassC1RealText = "10n";
  sectionView(s.f, true);  // high-pass half
  s.f.SequenceUpdateScreen();
  EXPECT_EQ(s.f.GainTB[1].Text, "2");
  EXPECT_EQ(s.f.C1RealEntry.Text, "10n");
  sectionView(s.f, false);  // low-pass half
  s.f.SequenceUpdateScreen();
  EXPECT_EQ(s.f.GainTB[1].Text, "3");

  s.showPassBandWithoutHandler("Low-Pass");
  s.f.SequenceUpdateScreen();
  EXPECT_TRUE(s.f.HighPassGainText[1].isEmpty());
  EXPECT_TRUE(s.f.LowPassGainText[1].isEmpty());
  EXPECT_TRUE(s.f.HighPassC1RealText.isEmpty());
}

TEST(DisplayPass, CustomSectionsKeepTheBoxesTheFirstTimeAHalfIsShown) {
  SequenceFixture s;
  s.showPassBandWithoutHandler("Band-Reject");
  s.f.ResponseCode = 7;
  s.f.FnInput[0].Text = "1.2345k";
  s.f.QInput[0].Text = "0.7071";
  sectionView(s.f, false);
  s.f.SequenceUpdateScreen();
  EXPECT_EQ(s.f.LowPassFnText[0], "1.2345k");
  EXPECT_EQ(s.f.HighPassFnText[0], "1.2345k");
  EXPECT_EQ(s.f.QTextLP[0], "0.7071");
  EXPECT_EQ(s.f.FnInput[0].Text, "1.2345k");
}

TEST(DisplayPass, HourglassDuringThePassAndBusyFlagRestored) {
  SequenceFixture s;
  s.showPassBandWithoutHandler("Low-Pass");
  std::vector<int> pointers;
  s.f.onMousePointer = [&](int p) { pointers.push_back(p); };
  s.f.SuppressUpdate = false;
  s.f.SequenceUpdateScreen();
  EXPECT_EQ(pointers, (std::vector<int>{forms::kPointerHourglass, forms::kPointerDefault}));
  EXPECT_FALSE(s.f.SuppressUpdate);

  s.f.SuppressUpdate = true;  // a batch of changes is running: the pass leaves it busy
  s.f.updatescreen();
  EXPECT_TRUE(s.f.SuppressUpdate);
}

TEST(DisplayPass, EndBlockValidatesTheResponseFrequency) {
  SequenceFixture s;
  s.showPassBandWithoutHandler("Low-Pass");
  s.f.RespF.Text = "2.5k";
  s.f.RespFreq = 0;
  s.f.SequenceUpdateScreen();
  EXPECT_FLOAT_EQ(s.f.RespFreq, 2500.0f);
  EXPECT_EQ(s.f.RespF.Text, "2.50k");
  EXPECT_EQ(s.sequences, 1);
}

}  // namespace

// A failure inside a display pass is logged with what was caught; the pass reports it and the
// window is left usable (pointer back, busy flag as before).
TEST(DisplayPass, AFailureInsideThePassIsLoggedAndTheWindowStaysUsable) {
  static QStringList warnings;
  warnings.clear();
  const QtMessageHandler previous = qInstallMessageHandler(
      [](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtWarningMsg) warnings << text;
      });
  SequenceFixture s;
  s.showPassBandWithoutHandler("Low-Pass");
  s.f.onMousePointer = [](int p) {
    if (p == forms::kPointerHourglass) throw std::runtime_error("no pointer to show");
  };
  s.f.SuppressUpdate = false;
  EXPECT_EQ(s.f.updatescreen(), 1);
  qInstallMessageHandler(previous);
  ASSERT_EQ(warnings.size(), 1);
  EXPECT_TRUE(warnings[0].contains("display pass")) << warnings[0].toStdString();
  EXPECT_TRUE(warnings[0].contains("no pointer to show")) << warnings[0].toStdString();
  EXPECT_EQ(s.f.MousePointer(), forms::kPointerDefault);
  EXPECT_FALSE(s.f.SuppressUpdate);
}

// A band-pass or notch design has no totals of a computed response: those a cascade design
// left are not shown with it.
TEST(DisplayPass, BandPassAndNotchShowNoTotalsOfAnEarlierCascade) {
  for (const char* band : {"Band-Pass", "Notch"}) {
    SequenceFixture s;
    s.showPassBandWithoutHandler("Low-Pass");
    s.f.SequenceUpdateScreen();
    ASSERT_FALSE(s.f.GainF[5].Caption.isEmpty());
    s.showPassBandWithoutHandler(band);
    s.f.SequenceUpdateScreen();
    EXPECT_TRUE(s.f.DCgain[5].Caption.isEmpty()) << band;
    EXPECT_TRUE(s.f.GainF[5].Caption.isEmpty()) << band;
    EXPECT_TRUE(s.f.PhaseF[5].Caption.isEmpty()) << band;
  }
}
