// The pass band and response choices: what they hide, empty and keep, the circuit types they
// offer, the codes they store and how often they recompute.
#include <gtest/gtest.h>

#include "choice_fixture.h"
#include "mainwindow/choicelists.h"
#include "mainwindow/handlers.h"
#include "mainwindow/prompts.h"

namespace {

using mainwindow::PromptText;

const QStringList kCascadeCircuits = {"MFB Single-Ended", "Sallen -Key",
                                      "MFB Fully Differential"};
const QStringList kBandCircuits = {"MFB Single-Ended", "MFB Fully Differential", ""};

struct BandCase {
  const char* from;
  const char* response;  // shown before the change
  const char* to;
  bool suppressed;
  // expectations
  bool customTextsKept;
  const char* responseAfter;
  bool bandCircuits;
  const char* circuitAfter;
  int recomputes;
  int prompt;
  bool choicesShown;  // FilterTypeFrame and Frame1
};

class PassBandTransition : public ::testing::TestWithParam<BandCase> {};

TEST_P(PassBandTransition, HidesEmptiesKeepsAndRecomputes) {
  const BandCase& c = GetParam();
  ChoiceFixture x;
  x.startIn(c.from);
  // The most specific topology of the pass band: fully differential in both lists.
  const int fd = static_cast<int>(x.f.CircuitType.items().indexOf("MFB Fully Differential"));
  x.f.CircuitType.setFromUser(fd, "MFB Fully Differential");
  x.showResponse(c.response);
  for (int i = 0; i < 5; ++i) {
    x.f.FnInput[i].Text = QStringLiteral("F%1").arg(i);
    x.f.QInput[i].Text = QStringLiteral("Q%1").arg(i);
    x.f.FnInput[i].Visible = x.f.QInput[i].Visible = true;
  }
  x.f.SuppressUpdate = c.suppressed;

  x.f.Passband.SetText(c.to);

  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(x.f.FnInput[i].Text, c.customTextsKept ? QStringLiteral("F%1").arg(i) : "");
    EXPECT_EQ(x.f.QInput[i].Text, c.customTextsKept ? QStringLiteral("Q%1").arg(i) : "");
  }
  EXPECT_EQ(x.f.TypeFilter.Text(), c.responseAfter);
  EXPECT_EQ(x.f.CircuitType.items(), c.bandCircuits ? kBandCircuits : kCascadeCircuits);
  EXPECT_EQ(x.f.CircuitType.Text(), c.circuitAfter);
  EXPECT_EQ(x.f.CircuitType.ListIndex(), x.f.CircuitType.items().indexOf(c.circuitAfter));
  EXPECT_EQ(x.recomputes(), c.recomputes) << x.log.join(' ').toStdString();
  EXPECT_EQ(x.f.Prompt.Caption, PromptText(x.f, c.prompt));
  EXPECT_EQ(x.f.FilterTypeFrame.Visible, c.choicesShown);
  EXPECT_EQ(x.f.Frame1.Visible, c.choicesShown);
  EXPECT_EQ(x.f.LastPassband, c.to);
}

INSTANTIATE_TEST_SUITE_P(
    Bands, PassBandTransition,
    ::testing::Values(
        // Leaving a single filter for another empties the custom Fn and Q texts.
        BandCase{"Low-Pass", "Butterworth", "High-Pass", false, false, "Butterworth", false,
                 "MFB Fully Differential", 1, 41, true},
        // Choosing the same pass band again (or focusing it) keeps them.
        BandCase{"High-Pass", "Bessel", "High-Pass", false, true, "Bessel", false,
                 "MFB Fully Differential", 1, 41, true},
        // Leaving a band-pass design hides them but keeps their texts; the topology stays
        // fully differential.
        BandCase{"Band-Pass", "Butterworth", "Low-Pass", false, true, "Butterworth", false,
                 "MFB Fully Differential", 1, 40, true},
        // A custom response does not survive leaving a band-pass design.
        BandCase{"Notch", "Custom Q", "Wide Band-Pass", false, true, "Butterworth", false,
                 "MFB Fully Differential", 2, 44, true},
        // Becoming a notch design: single-ended (its handler recomputes twice), the pass,
        // then the response becomes "Butterworth" (one more).
        BandCase{"Low-Pass", "Custom Fn&Q", "Notch", false, false, "Butterworth", true,
                 "MFB Single-Ended", 4, 43, false},
        BandCase{"Band-Pass", "Butterworth", "Notch", false, true, "Butterworth", true,
                 "MFB Single-Ended", 4, 43, false},
        // A band-pass design chosen again keeps its topology.
        BandCase{"Band-Pass", "Butterworth", "Band-Pass", false, true, "Butterworth", true,
                 "MFB Fully Differential", 2, 42, false},
        // The pass band recomputes even while the window is busy; nothing else does.
        BandCase{"Low-Pass", "Butterworth", "Band-Pass", true, false, "Butterworth", true,
                 "MFB Single-Ended", 1, 42, false},
        BandCase{"Low-Pass", "Butterworth", "Band-Reject", true, false, "Butterworth", false,
                 "MFB Fully Differential", 1, 45, true}));

TEST(PassBand, LeavingBandPassHidesCustomBoxes) {
  ChoiceFixture x;
  x.startIn("Band-Pass");
  for (int i = 0; i < 5; ++i) x.f.QInput[i].Visible = x.f.FnInput[i].Visible = true;
  x.f.Passband.SetText("Low-Pass");
  for (int i = 0; i < 5; ++i) {
    EXPECT_FALSE(x.f.QInput[i].Visible);
    EXPECT_FALSE(x.f.FnInput[i].Visible);
  }
}

TEST(PassBand, BandPassGainsStartAtTheStageQ) {
  ChoiceFixture x;
  x.f.Text18.Text = "3";
  x.f.Text3.Text = "7";
  x.f.GainTB[0].Text = "2";
  x.f.GainTB[2].Text = "4";
  x.f.Passband.SetText("Band-Pass");
  EXPECT_EQ(x.f.GainTB[0].Text, "2");
  EXPECT_EQ(x.f.GainTB[1].Text, "7");
  EXPECT_EQ(x.f.GainTB[2].Text, "4");
  EXPECT_EQ(x.f.GainTB[3].Text, "");

  // The fill never reaches past the five stage rows.
  ChoiceFixture y;
  y.f.Text18.Text = "9";
  y.f.Text3.Text = "2";
  y.f.Passband.SetText("Band-Pass");
  for (int i = 0; i < 5; ++i) EXPECT_EQ(y.f.GainTB[i].Text, "2");
  // The stage count was checked first.
  EXPECT_EQ(y.log.first(), "Text18");
}

TEST(PassBand, TwoHalfDesignsOpenOnTheTotalView) {
  ChoiceFixture x;
  x.f.LowPassViewT.Visible = x.f.HighPassView.Visible = x.f.Line8.Visible = true;
  x.f.Passband.SetText("Wide Band-Pass");
  EXPECT_EQ(x.log, QStringList({"recompute", "LowPassView", "ShowTotal"}));
  EXPECT_TRUE(x.f.LowPassView.Visible);
  EXPECT_TRUE(x.f.ShowTotal.Visible);
  EXPECT_FALSE(x.f.LowPassViewT.Visible);
  EXPECT_FALSE(x.f.HighPassView.Visible);
  EXPECT_FALSE(x.f.Line8.Visible);

  // A single filter hides the view buttons again.
  x.f.Passband.SetText("High-Pass");
  EXPECT_FALSE(x.f.LowPassView.Visible);
  EXPECT_FALSE(x.f.ShowTotal.Visible);
  EXPECT_EQ(x.f.HighPassHalf, 1);
  x.f.Passband.SetText("Low-Pass");
  EXPECT_EQ(x.f.HighPassHalf, 0);
}

TEST(PassBand, FocusAndValidationRunTheSameHandler) {
  ChoiceFixture x;
  x.startIn("Notch");
  x.f.CircuitType.setFromUser(1, "MFB Fully Differential");
  x.f.raise(x.f.Passband, forms::Event::GotFocus);
  x.f.raise(x.f.Passband, forms::Event::Validate);
  // Focus alone never changes the topology.
  EXPECT_EQ(x.f.CircuitType.Text(), "MFB Fully Differential");
  EXPECT_EQ(x.recomputes(), 4);  // pass and response, twice
}

// ---------------------------------------------------------------- response

struct ResponseCase {
  const char* text;
  const char* rippleBefore;
  // expectations
  int code, base;
  const char* name;
  int topic;
  const char* rippleAfter;
  bool rippleActive;
  bool capsCleared;
  bool poleBoxesActive;
  bool cutoffEnabled;
  int poleValidations;  // of Text18 and Text1 together
};

class ResponseChoice : public ::testing::TestWithParam<ResponseCase> {};

TEST_P(ResponseChoice, StoresCodesAndSetsBoxes) {
  const ResponseCase& c = GetParam();
  for (bool busy : {false, true}) {
    ChoiceFixture x;
    // The design on screen: a Chebychev response with an entered capacitor.
    x.f.BaseResponseCode = x.f.ResponseCode = 2;
    x.f.ResponseName = "Chebychev";
    x.f.PromptTopic = 99;
    x.f.Text19.Text = c.rippleBefore;
    x.f.C1Entry[1].Text = "10n";
    x.f.EnteredC1[1] = 1e-8f;
    x.f.SectionC2[2] = 2e-9f;
    x.f.Text18.Enabled = x.f.Text1.Enabled = !c.poleBoxesActive;
    x.f.QInput[0].Visible = true;
    x.f.SuppressUpdate = busy;

    x.chooseResponse(c.text);

    EXPECT_EQ(x.f.ResponseCode, c.code);
    EXPECT_EQ(x.f.BaseResponseCode, c.base);
    EXPECT_EQ(x.f.ResponseName, c.name);
    EXPECT_EQ(x.f.PromptTopic, c.topic);
    EXPECT_EQ(x.f.Text19.Text, c.rippleAfter);
    EXPECT_EQ(x.f.Text19.Enabled, c.rippleActive);
    EXPECT_EQ(x.f.Text19.BackColor, c.rippleActive ? forms::kWhite : x.f.BackColor);
    EXPECT_EQ(x.f.C1Entry[1].Text.isEmpty(), c.capsCleared);
    EXPECT_EQ(x.f.EnteredC1[1] == 0, c.capsCleared);
    EXPECT_EQ(x.f.SectionC2[2] == 0, c.capsCleared);
    EXPECT_EQ(x.f.Text18.Enabled, c.poleBoxesActive);
    EXPECT_EQ(x.f.Text1.Enabled, c.poleBoxesActive);
    EXPECT_EQ(x.f.Text34.Enabled, c.cutoffEnabled);
    EXPECT_FALSE(x.f.QInput[0].Visible);
    EXPECT_EQ(x.count("Text18") + x.count("Text1"), c.poleValidations);
    EXPECT_EQ(x.recomputes(), busy ? 0 : 1);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Responses, ResponseChoice,
    ::testing::Values(
        ResponseCase{"Butterworth", "2", 0, 0, "Butterworth", 2, "", false, true, true, true, 2},
        ResponseCase{"Bessel", "", 1, 1, "Bessel", 5, "", false, true, true, true, 2},
        ResponseCase{"Chebychev", "", 2, 2, "Chebychev", 3, "1", true, true, true, true, 2},
        ResponseCase{"Chebychev", "0.5", 2, 2, "Chebychev", 3, "0.5", true, true, true, true, 2},
        ResponseCase{"Linear Phase, 0.05", "", 3, 3, "Linear Phase, 0.05 deg.", 24, "", false,
                     true, true, true, 2},
        ResponseCase{"Linear Phase, 0.5", "", 4, 4, "Linear Phase, 0.5 deg.", 25, "", false,
                     true, true, true, 2},
        ResponseCase{"Gaussian 12dB", "3", 5, 5, "Transitional Gaussian to 12-dB", 26, "", false,
                     true, true, true, 2},
        // "Custom Q" scales the Qs of the last standard response; capacitors and pole counts
        // stay, the ripple text stays for a Chebychev base.
        ResponseCase{"Custom Q", "2", 2, 2, "Chebychev", 22, "2", false, false, false, false, 0},
        ResponseCase{"Custom Fn&Q", "2", 7, 2, "Chebychev", 23, "", false, false, false, false,
                     0}));

TEST(Response, TextThatNamesNoResponseOnlyResetsTheBoxes) {
  ChoiceFixture x;
  x.f.BaseResponseCode = x.f.ResponseCode = 2;
  x.f.Text19.Text = "2";
  x.f.Text19.Enabled = true;
  x.f.C1Entry[0].Text = "10n";
  x.f.Text34.Enabled = false;
  x.f.PromptTopic = 99;
  x.chooseResponse("Custom");  // on the way to typing "Custom Q"
  EXPECT_EQ(x.f.ResponseCode, 2);
  EXPECT_EQ(x.f.PromptTopic, 99);
  EXPECT_EQ(x.f.Text19.Text, "2");
  EXPECT_FALSE(x.f.Text19.Enabled);
  EXPECT_TRUE(x.f.Text34.Enabled);
  EXPECT_EQ(x.f.C1Entry[0].Text, "10n");
  EXPECT_EQ(x.recomputes(), 1);
}

TEST(Response, CustomQStartsUnscaledAndKeepsCutoffLook) {
  ChoiceFixture x;
  x.f.CustomQScale = 3.5f;
  x.chooseResponse("Custom Q");
  EXPECT_EQ(x.f.CustomQScale, 1.0f);
  // Disabled, but not greyed: its colour is left as it was.
  EXPECT_FALSE(x.f.Text34.Enabled);
  EXPECT_EQ(x.f.Text34.BackColor, forms::kWhite);
}

TEST(Response, LeavingTheListRecomputesUnlessBusy) {
  ChoiceFixture x;
  x.f.raise(x.f.TypeFilter, forms::Event::LostFocus);
  x.f.SuppressUpdate = true;
  x.f.raise(x.f.TypeFilter, forms::Event::LostFocus);
  EXPECT_EQ(x.recomputes(), 1);
}

// ---------------------------------------------------------------- custom Fn and Q entries

void showSections(ChoiceFixture& x, int poles) {
  x.f.PoleCount = poles;
  for (int i = 0; i < 5; ++i) {
    x.f.FSFreq[i].Caption = QStringLiteral("%1.00 k").arg(i + 1);
    x.f.Qdisp[i].Caption = QStringLiteral("0.%1").arg(i + 5);
    x.f.GainTB[i].Text = QStringLiteral("g%1").arg(i);
  }
  x.f.C1RealEntry.Text = "22n";
}

TEST(CustomFnQ, FillsTheBoxesFromTheSectionsOnScreen) {
  ChoiceFixture x;
  showSections(x, 4);
  x.chooseResponse("Custom Fn&Q");
  for (int i = 0; i < 2; ++i) {
    EXPECT_TRUE(x.f.FnInput[i].Visible);
    EXPECT_TRUE(x.f.QInput[i].Visible);
    EXPECT_EQ(x.f.FnInput[i].Text, x.f.FSFreq[i].Caption);
    EXPECT_EQ(x.f.QInput[i].Text, x.f.Qdisp[i].Caption);
  }
  EXPECT_FALSE(x.f.FnInput[2].Visible);
  EXPECT_EQ(x.f.FnInput[2].Text, "");
  // The low-pass half keeps what the boxes now hold.
  EXPECT_EQ(x.f.LowPassFnText[1], "2.00 k");
  EXPECT_EQ(x.f.QTextLP[0], "0.5");
  EXPECT_EQ(x.f.LowPassGainText[4], "g4");
  EXPECT_EQ(x.f.LowPassC1RealText, "22n");
  EXPECT_EQ(x.f.HighPassFnText[0], "");

  // Three poles: row 0 is the first-order section, with a frequency and no Q.
  ChoiceFixture y;
  showSections(y, 3);
  y.f.HighPassHalf = 1;
  y.chooseResponse("Custom Fn&Q");
  EXPECT_TRUE(y.f.FnInput[0].Visible);
  EXPECT_FALSE(y.f.QInput[0].Visible);
  EXPECT_EQ(y.f.QInput[0].Text, "");
  EXPECT_EQ(y.f.QInput[1].Text, "0.6");
  EXPECT_EQ(y.f.HighPassFnText[0], "1.00 k");
  EXPECT_EQ(y.f.HighPassC1RealText, "22n");
  EXPECT_EQ(y.f.LowPassFnText[0], "");

  // In the combining pass of a two-half design nothing is kept.
  ChoiceFixture z;
  showSections(z, 2);
  z.f.BothHalvesDone = true;
  z.chooseResponse("Custom Fn&Q");
  EXPECT_EQ(z.f.FnInput[0].Text, "1.00 k");
  EXPECT_EQ(z.f.LowPassFnText[0], "");
}

TEST(CustomFnQ, NoRowsForAnEmptyDesignOrBeyondFive) {
  ChoiceFixture x;
  x.f.PoleCount = 0;
  mainwindow::TransferFn(x.f);
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(x.f.FnInput[i].Visible);
  x.f.PoleCount = 31;
  mainwindow::TransferFn(x.f);
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(x.f.FnInput[i].Visible);
}

// ---------------------------------------------------------------- other choices

TEST(OtherChoices, RecomputeAndPromptRules) {
  struct Case {
    const char* control;
    forms::Event event;
    int recomputes, busyRecomputes;
    int shownTopic;   // shown at once, -1 none
    int storedTopic;  // PromptTopic afterwards, -1 unchanged
  };
  const Case cases[] = {
      {"CircuitType", forms::Event::GotFocus, 2, 0, 31, -1},
      {"CircuitType", forms::Event::Click, 2, 0, 31, -1},
      {"ResistorList", forms::Event::Click, 1, 0, 12, -1},
      {"CapacitorList", forms::Event::GotFocus, 1, 0, 13, -1},
      {"SensTrue", forms::Event::Click, 1, 0, -1, 205},
      {"CompValue", forms::Event::GotFocus, 1, 0, -1, 203},
      {"AutoSwapHPandLP", forms::Event::Click, 1, 1, -1, -1},
      {"ThreePole", forms::Event::Click, 1, 1, -1, -1},
      {"PlotResponse", forms::Event::Click, 1, 1, -1, -1},
      {"OpAmpModel", forms::Event::Click, 0, 0, -1, -1},
      {"SScheck", forms::Event::Click, 0, 0, -1, -1},
  };
  for (const Case& c : cases) {
    for (bool busy : {false, true}) {
      ChoiceFixture x;
      x.f.Prompt.Caption = "before";
      x.f.PromptTopic = 77;
      x.f.SuppressUpdate = busy;
      x.f.raise(*x.f.find(c.control), c.event);
      SCOPED_TRACE(c.control);
      EXPECT_EQ(x.recomputes(), busy ? c.busyRecomputes : c.recomputes);
      EXPECT_EQ(x.f.Prompt.Caption,
                c.shownTopic < 0 ? QString("before") : PromptText(x.f, c.shownTopic));
      EXPECT_EQ(x.f.PromptTopic, c.storedTopic < 0 ? 77 : c.storedTopic);
    }
  }
}

TEST(OtherChoices, ValueDisplayFollowsTheOptionButtons) {
  ChoiceFixture x;
  x.f.SensTrue.SetValue(true);
  EXPECT_EQ(x.f.ValueDisplay, 2);
  EXPECT_FALSE(x.f.CompValue.Value());
  x.f.CompValue.SetValue(true);
  EXPECT_EQ(x.f.ValueDisplay, 0);
}

TEST(OtherChoices, OptionTogglesSetTheirOwnCheckMark) {
  ChoiceFixture x;
  ASSERT_TRUE(x.f.AutoSwapHPandLP.Checked);
  ASSERT_FALSE(x.f.ThreePole.Checked);
  x.f.raise(x.f.AutoSwapHPandLP, forms::Event::Click);
  x.f.raise(x.f.ThreePole, forms::Event::Click);
  EXPECT_FALSE(x.f.AutoSwapHPandLP.Checked);
  EXPECT_TRUE(x.f.ThreePole.Checked);
  x.f.raise(x.f.AutoSwapHPandLP, forms::Event::Click);
  EXPECT_TRUE(x.f.AutoSwapHPandLP.Checked);
}

TEST(OtherChoices, GainBandwidthReadoutsExplainThemselves) {
  ChoiceFixture x;
  x.f.raise(x.f.GBPreq[3], forms::Event::Click);
  EXPECT_EQ(x.f.Prompt.Caption, PromptText(x.f, 18));
  EXPECT_EQ(x.recomputes(), 0);
}

TEST(OtherChoices, HelpOpensTheProgramsHelpFileOnF1) {
  ChoiceFixture x;
  EXPECT_EQ(x.f.HelpCont.Shortcut, "F1");
  x.f.raise(x.f.HelpCont, forms::Event::Click);
  EXPECT_EQ(x.fake.help.shown, QStringList({"/nonexistent/program/Calverdon2.chm"}));
  EXPECT_EQ(x.recomputes(), 0);
}

}  // namespace

namespace {

// With the real entry handlers: the response list re-checks the pole boxes through their own
// validation, so a response with a higher pole minimum raises the count.
TEST(ChoicesWithEntryBoxes, ResponseRaisesThePoleCountToItsMinimum) {
  fakes::FakeServices fake;
  mainwindow::CalverdonForm f{fake.services()};
  mainwindow::SetStartDefaults(f, QLatin1Char('.'));
  mainwindow::RegisterHandlers(f);
  int recomputes = 0;
  f.hub.SequenceUpdateScreen = [&recomputes] { return ++recomputes, 0; };
  f.Text18.Text = "2";
  f.PrevPoles = 2;
  f.PrevPolesHP = 3;  // the high-pass count of Text1 is already accepted
  f.C1Entry[0].Text = "10n";
  f.TypeFilter.SetListIndex(static_cast<int>(f.TypeFilter.items().indexOf("Gaussian 12dB")));
  EXPECT_EQ(f.Text18.Text, "3");
  EXPECT_EQ(f.MinPoles, 3);
  EXPECT_EQ(f.C1Entry[0].Text, "");
  // The changed count recomputed once, the response once more.
  EXPECT_EQ(recomputes, 2);
}

}  // namespace
